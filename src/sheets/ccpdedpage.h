#pragma once

#include "ccppage.h"

#include <string>

class CCPDed;

// "DED Properties": callback slot, cycle bits, text colour, the kind of display; "Dest" edits
// the display area.
class CCPDedPage : public CCPPage
{
    Q_OBJECT

public:
    explicit CCPDedPage(CCPDed* record, QWidget* parent = nullptr);

    int m_nCallbackSlot;
    std::string m_strCycleBits;
    std::string m_strColor0;
    int m_nDedType;

    void OnOK() override;

private:
    CCPDed* m_pRecord;
};
