#pragma once

#include <QStringList>

class QTableWidget;

// A report-style list: one row per element, whole rows selected one at a time, grid lines,
// compact rows, not editable in place.
QTableWidget* MakeReportList(const QString& name, const QStringList& headers, int rows,
                             int columnWidth);

// A cell right-aligned, carrying its row number as item data.
void SetCell(QTableWidget* list, int row, int column, const QString& text);
