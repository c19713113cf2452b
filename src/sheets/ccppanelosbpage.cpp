#include "ccppanelosbpage.h"

#include "ccppanel.h"
#include "cdataexchange.h"
#include "cdialogrunner.h"
#include "cfloatpointdlg.h"
#include "iuserinterface.h"
#include "reportlist.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

CCPPanelOsbPage::CCPPanelOsbPage(CCPPanel* record, QWidget* parent)
    : CCPPage(QStringLiteral("OSB Locations"), parent), m_pRecord(record)
{
    m_pLeft = MakeList(record->m_aOsbLeft, QStringLiteral("Left OSBs"));
    m_pRight = MakeList(record->m_aOsbRight, QStringLiteral("Right OSBs"));
    auto* row = new QHBoxLayout;
    const std::pair<const char*, QTableWidget*> groups[] = {{"Left MFD", m_pLeft},
                                                            {"Right MFD", m_pRight}};
    for (const auto& [title, list] : groups) {
        auto* box = new QGroupBox(QString::fromLatin1(title));
        auto* boxLayout = new QVBoxLayout(box);
        boxLayout->addWidget(list);
        row->addWidget(box);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
}

QTableWidget* CCPPanelOsbPage::MakeList(std::array<CFloatPoint, 20>& points, const QString& name)
{
    QTableWidget* list =
        MakeReportList(name, {QStringLiteral("X."), QStringLiteral("X")}, int(points.size()), 0);
    // Wide enough for six significant digits with sign and exponent.
    const int width = list->fontMetrics().horizontalAdvance(QStringLiteral("-0.666667e-05")) + 12;
    list->setColumnWidth(0, width);
    list->setColumnWidth(1, width);
    list->horizontalHeader()->setStretchLastSection(true);
    list->setMinimumHeight(220);
    list->setMinimumWidth(width * 2 + list->verticalHeader()->sizeHint().width() + 28);
    QStringList numbers;
    for (int i = 0; i < int(points.size()); ++i) {
        numbers << QString::number(i);
        SetRow(list, i, points[size_t(i)]);
    }
    list->setVerticalHeaderLabels(numbers);
    connect(list, &QTableWidget::cellDoubleClicked, this,
            [this, &points, list](int row, int) { EditPoint(points, list, row); });
    return list;
}

void CCPPanelOsbPage::SetRow(QTableWidget* list, int row, const CFloatPoint& point)
{
    SetCell(list, row, 0, FormatFloat(point.x));
    SetCell(list, row, 1, FormatFloat(point.y));
}

void CCPPanelOsbPage::EditPoint(std::array<CFloatPoint, 20>& points, QTableWidget* list, int row)
{
    if (row < 0 || row >= int(points.size()))
        return;
    CFloatPointDlg dlg(this);
    dlg.SetPoint(points[size_t(row)].x, points[size_t(row)].y);
    if (CDialogRunner::RunModal(dlg) != IDOK)
        return;
    points[size_t(row)] = CFloatPoint{dlg.m_fX, dlg.m_fY};
    SetRow(list, row, points[size_t(row)]);
}
