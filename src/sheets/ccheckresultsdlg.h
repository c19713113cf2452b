#pragma once

#include "ccheckmessage.h"

#include <QDialog>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// "Check Results": one row per message of a check, in the order found. A double-click on a
// row opens the property sheet of the record it names. "Save Anyway" (IDOK) is offered only
// when the check ran before a save; "Cancel" closes with IDCANCEL.
class CCheckResultsDlg : public QDialog
{
    Q_OBJECT

public:
    CCheckResultsDlg(CCheckMessageArray& messages, bool showSaveAnyway, QWidget* parent = nullptr);

    QTreeWidget* GetList() const { return m_pList; }
    QPushButton* GetSaveAnyway() const { return m_pSaveAnyway; }

    // Opens the sheet of the row's record; the rows are not refreshed afterwards.
    void OnDoubleClick(QTreeWidgetItem* item);

private:
    CCheckMessageArray& m_messages;
    QTreeWidget* m_pList;
    QPushButton* m_pSaveAnyway;
};
