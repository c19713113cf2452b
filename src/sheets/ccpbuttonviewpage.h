#pragma once

#include "ccppage.h"

class CCPButtonView;

// "ButtonView Properties": parent button, transparency and persistence; "Source" (one
// rectangle per state) and "Dest" are edited directly on the view, "Parent" opens the parent
// button's sheet.
class CCPButtonViewPage : public CCPPage
{
    Q_OBJECT

public:
    explicit CCPButtonViewPage(CCPButtonView* record, QWidget* parent = nullptr);

    int m_nParentButton;
    int m_bTransparent;
    int m_nPersistent;

    void OnOK() override;

private:
    void OpenParent();

    CCPButtonView* m_pRecord;
};
