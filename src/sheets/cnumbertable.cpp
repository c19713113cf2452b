#include "cnumbertable.h"

#include "cdataexchange.h"
#include "cdialogrunner.h"
#include "reportlist.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include <algorithm>

namespace {

// The cell editor takes only what can still become a number; the cell is checked when the
// edit ends.
class CNumberDelegate : public QStyledItemDelegate
{
public:
    CNumberDelegate(CNumberTable::Kind kind, QObject* parent)
        : QStyledItemDelegate(parent), m_kind(kind)
    {
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
            const QString pattern =
                m_kind == CNumberTable::Integer
                    ? QStringLiteral("\\s*[+-]?\\d*\\s*")
                    : QStringLiteral("\\s*[+-]?\\d*\\.?\\d*([eE][+-]?\\d*)?\\s*");
            edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), edit));
            edit->setAlignment(Qt::AlignRight);
        }
        return editor;
    }

private:
    CNumberTable::Kind m_kind;
};

} // namespace

CNumberTable::CNumberTable(const QString& name, const QStringList& headers, Kind kind,
                           QWidget* owner)
    : QObject(owner), m_pOwner(owner), m_kind(kind)
{
    m_pList = MakeReportList(name, headers, 0, 72);
    m_pList->verticalHeader()->hide();
    m_pList->horizontalHeader()->setStretchLastSection(true);
    m_pList->setMinimumWidth(m_pList->columnWidth(0) * m_pList->columnCount() + 24);
    m_pList->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed);
    m_pList->setItemDelegate(new CNumberDelegate(kind, m_pList));
    connect(m_pList, &QTableWidget::itemChanged, this, &CNumberTable::OnItemChanged);
}

void CNumberTable::SetUnits(int column, std::function<double(double)> shown,
                            std::function<double(double)> stored)
{
    m_units[column] = Units{std::move(shown), std::move(stored)};
}

QString CNumberTable::Format(int column, double number) const
{
    if (const auto units = m_units.find(column); units != m_units.end())
        number = units->second.shown(number);
    return m_kind == Integer ? FormatInt(int(number)) : FormatFloat(float(number));
}

bool CNumberTable::Parse(int column, const QString& text, double& number) const
{
    if (m_kind == Integer) {
        int n = 0;
        if (!ParseInt(text, n))
            return false;
        number = n;
    } else {
        float f = 0.0f;
        if (!ParseFloat(text, f))
            return false;
        number = f;
    }
    if (const auto units = m_units.find(column); units != m_units.end())
        number = units->second.stored(number);
    return true;
}

void CNumberTable::Show(int row, int column, const double* number)
{
    const bool filling = m_bFilling;
    m_bFilling = true;
    QTableWidgetItem* item = m_pList->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_pList->setItem(row, column, item);
    }
    item->setData(Qt::UserRole, number ? QVariant(*number) : QVariant());
    item->setText(number ? Format(column, *number) : QString());
    m_bFilling = filling;
}

bool CNumberTable::HasNumber(int row, int column) const
{
    const QTableWidgetItem* item = m_pList->item(row, column);
    return item && item->data(Qt::UserRole).isValid();
}

void CNumberTable::SetColumns(const std::vector<std::vector<double>>& columns)
{
    size_t rows = 0;
    for (const auto& list : columns)
        rows = std::max(rows, list.size());
    m_pList->setRowCount(0);
    m_pList->setRowCount(int(rows));
    for (int c = 0; c < m_pList->columnCount(); ++c)
        for (int row = 0; row < int(rows); ++row) {
            const bool has = size_t(c) < columns.size() && size_t(row) < columns[size_t(c)].size();
            Show(row, c, has ? &columns[size_t(c)][size_t(row)] : nullptr);
        }
}

std::vector<double> CNumberTable::Column(int column) const
{
    std::vector<double> list;
    for (int row = 0; row < m_pList->rowCount() && HasNumber(row, column); ++row)
        list.push_back(m_pList->item(row, column)->data(Qt::UserRole).toDouble());
    return list;
}

int CNumberTable::GetRowCount() const
{
    return m_pList->rowCount();
}

int CNumberTable::SelectedRow() const
{
    const QList<QTableWidgetItem*> selected = m_pList->selectedItems();
    return selected.isEmpty() ? -1 : selected.first()->row();
}

void CNumberTable::InsertRow(int row, const std::vector<double>& numbers)
{
    row = std::clamp(row, 0, m_pList->rowCount());
    std::vector<size_t> lengths;
    for (int c = 0; c < m_pList->columnCount(); ++c)
        lengths.push_back(Column(c).size());
    m_pList->insertRow(row);
    for (int c = 0; c < m_pList->columnCount(); ++c) {
        const bool fill = size_t(row) <= lengths[size_t(c)] && size_t(c) < numbers.size();
        Show(row, c, fill ? &numbers[size_t(c)] : nullptr);
    }
    m_pList->selectRow(row);
    emit changed();
}

void CNumberTable::RemoveRow(int row)
{
    if (row < 0 || row >= m_pList->rowCount())
        return;
    m_pList->removeRow(row);
    if (m_pList->rowCount() > 0)
        m_pList->selectRow(std::min(row, m_pList->rowCount() - 1));
    emit changed();
}

void CNumberTable::Refuse(QTableWidgetItem* item, int selectRow)
{
    const QVariant old = item->data(Qt::UserRole);
    const double number = old.toDouble();
    Show(item->row(), item->column(), old.isValid() ? &number : nullptr);
    m_pList->setCurrentCell(selectRow, item->column());
    CDialogRunner::Message(m_pOwner, m_kind == Integer ? QStringLiteral("Please enter an integer.")
                                                       : QStringLiteral("Please enter a number."));
}

void CNumberTable::OnItemChanged(QTableWidgetItem* item)
{
    if (m_bFilling)
        return;
    const int row = item->row();
    const int column = item->column();
    const QString text = item->text().trimmed();
    if (text.isEmpty()) {
        // Only the end of a list may be taken off: a list has no gaps.
        for (int below = row + 1; below < m_pList->rowCount(); ++below)
            if (HasNumber(below, column))
                return Refuse(item, row);
        Show(row, column, nullptr);
        emit changed();
        return;
    }
    double number = 0;
    if (!Parse(column, text, number))
        return Refuse(item, row);
    // Below an empty cell the entry would have no place in the list: the gap comes first.
    for (int above = 0; above < row; ++above)
        if (!HasNumber(above, column))
            return Refuse(item, above);
    Show(row, column, &number);
    emit changed();
}
