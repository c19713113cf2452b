#pragma once

#include "ccppage.h"

#include <array>

class CCPPanel;
class QTableWidget;
struct CFloatPoint;

// "OSB Locations": the twenty button positions around each MFD (x and y from -1 to 1 across
// the MFD area). A double-click edits a point in "Float Point", which stores it in the panel at
// once; the page has nothing to store on OK.
class CCPPanelOsbPage : public CCPPage
{
    Q_OBJECT

public:
    explicit CCPPanelOsbPage(CCPPanel* record, QWidget* parent = nullptr);

    void EditPoint(std::array<CFloatPoint, 20>& points, QTableWidget* list, int row);

private:
    QTableWidget* MakeList(std::array<CFloatPoint, 20>& points, const QString& name);
    static void SetRow(QTableWidget* list, int row, const CFloatPoint& point);

    CCPPanel* m_pRecord;
    QTableWidget* m_pLeft;
    QTableWidget* m_pRight;
};
