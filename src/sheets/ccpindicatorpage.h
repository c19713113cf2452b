#pragma once

#include "ccppage.h"

#include <string>

class CCPIndicator;
class CNumberTable;
class QTableWidget;

// "Indicator Properties": callback slot, cycle bits, calibration value, persistence,
// orientation, the value range and the tape positions ("Min" and "Max" per tape, edited in
// place; "Add Position" and "Remove Position"), stored on OK; "Source" and "Dest" edit the
// tapes' rectangle lists directly.
class CCPIndicatorPage : public CCPPage
{
    Q_OBJECT

public:
    explicit CCPIndicatorPage(CCPIndicator* record, QWidget* parent = nullptr);

    int m_nCallbackSlot;
    std::string m_strCycleBits;
    int m_nCalibrationVal;
    int m_nPersistent;
    int m_nOrientation;
    float m_fMaxVal;
    float m_fMinVal;

    QTableWidget* GetTable() const;

    void OnAddPosition();
    void OnRemovePosition();
    void OnOK() override;

private:
    CCPIndicator* m_pRecord;
    CNumberTable* m_pTable;
};
