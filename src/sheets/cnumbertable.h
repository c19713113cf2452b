#pragma once

#include <QObject>
#include <QStringList>

#include <functional>
#include <map>
#include <vector>

class QTableWidget;
class QTableWidgetItem;
class QWidget;

// A report list of numbers edited in place, one list of the record per column. A shorter list
// leaves the cells below its end empty; a list never has a gap. Only characters that can make
// a number are typed; when a cell's edit ends, a text that is not a number gets "Please enter
// a number." ("Please enter an integer." for integers) and the cell keeps what it had. The
// exact numbers stay behind the shown text, so untouched entries come back unchanged.
class CNumberTable : public QObject
{
    Q_OBJECT

public:
    enum Kind
    {
        Integer,
        Real
    };

    // The list is named name (and owned by the widget it is put in); messages go over owner.
    CNumberTable(const QString& name, const QStringList& headers, Kind kind, QWidget* owner);

    QTableWidget* GetList() const { return m_pList; }

    // Shows column in other units than the list holds: shown(number) is displayed, and a typed
    // number is stored as stored(typed). Entries nobody types over keep their exact number.
    void SetUnits(int column, std::function<double(double)> shown,
                  std::function<double(double)> stored);

    // One list per column; as many rows as the longest.
    void SetColumns(const std::vector<std::vector<double>>& columns);
    // The entries of column, from the top.
    std::vector<double> Column(int column) const;
    int GetRowCount() const;
    // The selected row, or -1.
    int SelectedRow() const;
    // Inserts a row before row with numbers[c] in column c; a column whose list ends above the
    // new row leaves its cell empty. The new row is selected.
    void InsertRow(int row, const std::vector<double>& numbers);
    // Removes row; the next row (else the last) is selected.
    void RemoveRow(int row);

signals:
    // An entry was changed, added or removed.
    void changed();

private:
    void OnItemChanged(QTableWidgetItem* item);
    void Show(int row, int column, const double* number);
    bool HasNumber(int row, int column) const;
    // Puts the cell back as it was and says why.
    void Refuse(QTableWidgetItem* item, int selectRow);
    QString Format(int column, double number) const;
    bool Parse(int column, const QString& text, double& number) const;

    QTableWidget* m_pList;
    QWidget* m_pOwner;
    Kind m_kind;
    bool m_bFilling = false;
    struct Units
    {
        std::function<double(double)> shown;
        std::function<double(double)> stored;
    };
    std::map<int, Units> m_units;
};
