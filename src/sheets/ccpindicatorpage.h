#pragma once

#include "ccppage.h"

#include <string>

class CCPIndicator;
class QTableWidget;

// "Indicator Properties": callback slot, cycle bits, calibration value, persistence,
// orientation, the value range and the tape positions (shown only); "Source" and "Dest" edit
// the tapes' rectangle lists directly.
class CCPIndicatorPage : public CCPPage
{
    Q_OBJECT

public:
    explicit CCPIndicatorPage(CCPIndicator* record, QWidget* parent = nullptr);

    int m_nCallbackSlot;
    std::string m_strCycleBits;
    int m_nCalibrationVal;
    int m_nPersistant;
    int m_nOrientation;
    float m_fMaxVal;
    float m_fMinVal;

    QTableWidget* GetTable() const { return m_pTable; }

    void OnOK() override;

private:
    CCPIndicator* m_pRecord;
    QTableWidget* m_pTable;
};
