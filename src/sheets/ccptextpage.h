#pragma once

#include "ccppage.h"

#include <string>

class CCPText;

// "Text Properties": callback slot, cycle bits, number of strings; "Dest" edits the text area.
class CCPTextPage : public CCPPage
{
    Q_OBJECT

public:
    explicit CCPTextPage(CCPText* record, QWidget* parent = nullptr);

    int m_nCallbackSlot;
    std::string m_strCycleBits;
    int m_nNumStrings;

    void OnOK() override;

private:
    CCPText* m_pRecord;
};
