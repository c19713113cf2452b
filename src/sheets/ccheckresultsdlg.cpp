#include "ccheckresultsdlg.h"

#include "ccpobject.h"
#include "textconvert.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

CCheckResultsDlg::CCheckResultsDlg(CCheckMessageArray& messages, bool showSaveAnyway,
                                   QWidget* parent)
    : QDialog(parent), m_messages(messages)
{
    setWindowTitle(QStringLiteral("Check Results"));
    setObjectName(QStringLiteral("Check Results"));
    resize(520, 300);

    m_pList = new QTreeWidget;
    m_pList->setColumnCount(1);
    m_pList->setHeaderLabels({QStringLiteral("Error")});
    m_pList->setRootIsDecorated(false);
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pList->header()->setStretchLastSection(false);
    m_pList->setColumnWidth(0, 50);
    for (const CCheckMessage& m : m_messages) {
        auto* item = new QTreeWidgetItem(m_pList, {MessageToQt(m.m_strMessage)});
        item->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<void*>(m.m_pObject)));
    }
    m_pList->resizeColumnToContents(0);
    // Wide enough to read the longest message without scrolling, within reason.
    m_pList->setMinimumWidth(qMin(m_pList->columnWidth(0) + 2 * m_pList->frameWidth() + 24, 860));
    connect(m_pList, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item, int) { OnDoubleClick(item); });

    auto* box = new QDialogButtonBox;
    m_pSaveAnyway = box->addButton(QStringLiteral("Save Anyway"), QDialogButtonBox::AcceptRole);
    m_pSaveAnyway->setObjectName(QStringLiteral("Save Anyway"));
    QPushButton* cancel = box->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("Cancel"));
    cancel->setDefault(true);
    m_pSaveAnyway->setVisible(showSaveAnyway);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pList);
    layout->addWidget(box);
}

void CCheckResultsDlg::OnDoubleClick(QTreeWidgetItem* item)
{
    if (!item)
        return;
    if (auto* record = static_cast<CCPObject*>(item->data(0, Qt::UserRole).value<void*>()))
        record->EditProperties();
}
