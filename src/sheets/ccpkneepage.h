#pragma once

#include "ccppage.h"

#include <string>

class CCPKnee;

// "Knee Properties": cycle bits; "Dest" edits the knee view area.
class CCPKneePage : public CCPPage
{
    Q_OBJECT

public:
    explicit CCPKneePage(CCPKnee* record, QWidget* parent = nullptr);

    std::string m_strCycleBits;

    void OnOK() override;

private:
    CCPKnee* m_pRecord;
};
