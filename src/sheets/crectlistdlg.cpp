#include "crectlistdlg.h"

#include "careadlg.h"
#include "cdialogrunner.h"
#include "cslicedlg.h"
#include "iuserinterface.h"
#include "reportlist.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

CRectListDlg::CRectListDlg(std::vector<CRect>& list, QWidget* parent)
    : QDialog(parent), m_list(list)
{
    setWindowTitle(QStringLiteral("Rect List"));
    setObjectName(QStringLiteral("Rect List"));

    m_pList = MakeReportList(QStringLiteral("Rects"),
                             {QStringLiteral("No."), QStringLiteral("Top"), QStringLiteral("Left"),
                              QStringLiteral("Bottom"), QStringLiteral("Right")},
                             0, 56);
    m_pList->verticalHeader()->hide();
    m_pList->setMinimumWidth(5 * m_pList->columnWidth(4) + 24);
    connect(m_pList, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { EditRow(row); });

    auto* add = new QPushButton(QStringLiteral("Add Rect"));
    add->setObjectName(QStringLiteral("Add Rect"));
    add->setAutoDefault(false);
    connect(add, &QPushButton::clicked, this, &CRectListDlg::OnAddRect);
    auto* del = new QPushButton(QStringLiteral("Del Rect"));
    del->setObjectName(QStringLiteral("Del Rect"));
    del->setAutoDefault(false);
    connect(del, &QPushButton::clicked, this, &CRectListDlg::OnDelRect);

    auto* slice = new QPushButton(QStringLiteral("Slice..."));
    slice->setObjectName(QStringLiteral("Slice..."));
    slice->setAutoDefault(false);
    slice->setToolTip(QStringLiteral("Cut one strip of the template into equal pieces"));
    connect(slice, &QPushButton::clicked, this, &CRectListDlg::OnSlice);

    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical);
    box->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OK"));
    box->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("Cancel"));
    box->addButton(add, QDialogButtonBox::ActionRole);
    box->addButton(del, QDialogButtonBox::ActionRole);
    box->addButton(slice, QDialogButtonBox::ActionRole);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_pList, 1);
    layout->addWidget(box);
    FillRows();
}

void CRectListDlg::FillRows()
{
    m_pList->setRowCount(0);
    m_pList->setRowCount(int(m_list.size()));
    for (int row = 0; row < int(m_list.size()); ++row)
        SetRow(row);
}

void CRectListDlg::SetRow(int row)
{
    const CRect& rc = m_list[size_t(row)];
    const int values[5] = {row, rc.top, rc.left, rc.bottom, rc.right};
    for (int c = 0; c < 5; ++c)
        SetCell(m_pList, row, c, QString::number(values[c]));
}

void CRectListDlg::EditRow(int row)
{
    if (row < 0 || row >= int(m_list.size()))
        return;
    CRect copy = m_list[size_t(row)];
    CAreaDlg dlg(copy, this);
    if (CDialogRunner::RunModal(dlg) != IDOK)
        return;
    m_list[size_t(row)] = copy;
    SetRow(row);
}

void CRectListDlg::OnAddRect()
{
    // A new state usually has the size of the last one; an empty list starts from a small square.
    CRect copy = m_list.empty() ? CRect(0, 0, 10, 10) : m_list.back();
    CAreaDlg dlg(copy, this);
    if (CDialogRunner::RunModal(dlg) != IDOK)
        return;
    m_list.push_back(copy);
    m_pList->setRowCount(int(m_list.size()));
    SetRow(int(m_list.size()) - 1);
}

void CRectListDlg::OnDelRect()
{
    const QList<QTableWidgetSelectionRange> ranges = m_pList->selectedRanges();
    if (ranges.isEmpty())
        return;
    const int row = ranges.first().topRow();
    if (row < 0 || row >= int(m_list.size()))
        return;
    m_list.erase(m_list.begin() + row);
    FillRows();
}

void CRectListDlg::OnSlice()
{
    CSliceDlg dlg(m_list, this);
    if (CDialogRunner::RunModal(dlg) == IDOK)
        FillRows();
}
