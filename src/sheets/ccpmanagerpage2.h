#pragma once

#include "ccppage.h"

class CCPManager;

// "Manager Font Properties": the eight font numbers of the cockpit.
class CCPManagerPage2 : public CCPPage
{
    Q_OBJECT

public:
    explicit CCPManagerPage2(CCPManager* record, QWidget* parent = nullptr);

    int m_nDedFont;
    int m_nHudFont;
    int m_nMfdFont;
    int m_nPopupFont;
    int m_nSaBoxFont;
    int m_nKneeFont;
    int m_nGeneralFont;
    int m_nLabelFont;

    void OnOK() override;

private:
    CCPManager* m_pRecord;
};
