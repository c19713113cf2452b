#include "reportlist.h"

#include <QHeaderView>
#include <QTableWidget>

QTableWidget* MakeReportList(const QString& name, const QStringList& headers, int rows,
                             int columnWidth)
{
    auto* list = new QTableWidget(rows, int(headers.size()));
    list->setObjectName(name);
    list->setHorizontalHeaderLabels(headers);
    list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 6);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setShowGrid(true);
    for (int c = 0; c < headers.size(); ++c)
        list->setColumnWidth(c, qMax(columnWidth, list->horizontalHeader()->sectionSizeHint(c)));
    return list;
}

void SetCell(QTableWidget* list, int row, int column, const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setData(Qt::UserRole, row);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    list->setItem(row, column, item);
}
