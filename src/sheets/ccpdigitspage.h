#pragma once

#include "ccppage.h"

#include <string>

class CCPDigits;

// "Digits Properties": callback slot, cycle bits, persistence; "Dest" and "Source" edit the
// lists of digit places and digit pictures directly.
class CCPDigitsPage : public CCPPage
{
    Q_OBJECT

public:
    explicit CCPDigitsPage(CCPDigits* record, QWidget* parent = nullptr);

    int m_nCallbackSlot;
    std::string m_strCycleBits;
    int m_nPersistent;

    void OnOK() override;

private:
    CCPDigits* m_pRecord;
};
