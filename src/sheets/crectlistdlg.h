#pragma once

#include "crect.h"

#include <QDialog>

#include <vector>

class QTableWidget;

// "Rect List": edits a list of rectangles in place (one per state or digit). A double-click
// on a row edits that rectangle in "Area", "Add Rect" appends one, "Del Rect" removes the
// selected one and renumbers the rows, "Slice..." cuts one strip into the whole list (the
// pieces replace the rows). Every change is in the list at once, so OK and Cancel both just
// close.
class CRectListDlg : public QDialog
{
    Q_OBJECT

public:
    CRectListDlg(std::vector<CRect>& list, QWidget* parent = nullptr);

    QTableWidget* GetList() const { return m_pList; }

    void EditRow(int row);
    void OnAddRect();
    void OnDelRect();
    void OnSlice();

private:
    void FillRows();
    void SetRow(int row);

    std::vector<CRect>& m_list;
    QTableWidget* m_pList;
};
