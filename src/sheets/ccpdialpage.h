#pragma once

#include "ccppage.h"

#include <array>
#include <string>

class CCPDial;
class QTableWidget;

// "Dial Properties": callback slot, cycle bits, persistence, the needle's radii and colours,
// and the calibration table (shown only); "Source" and "Dest" edit the rectangles directly.
class CCPDialPage : public CCPPage
{
    Q_OBJECT

public:
    explicit CCPDialPage(CCPDial* record, QWidget* parent = nullptr);

    int m_nCallbackSlot;
    std::string m_strCycleBits;
    int m_nPersistant;
    std::array<int, 3> m_anRadius;
    std::array<std::string, 3> m_astrColors;

    QTableWidget* GetTable() const { return m_pTable; }

    void OnOK() override;

private:
    CCPDial* m_pRecord;
    QTableWidget* m_pTable;
};
