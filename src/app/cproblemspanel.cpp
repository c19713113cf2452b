#include "cproblemspanel.h"

#include "ccpobject.h"
#include "crecordplace.h"
#include "cvireodoc.h"
#include "strformat.h"
#include "textconvert.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
const char* const kNothingFound = "No problems found";

// "Manager"; "Front" for a record with a name, "Light 101" otherwise; empty for no record.
QString RecordLabel(const CCheckMessage& m)
{
    if (!m.m_pObject)
        return QString();
    std::string name = m.m_pObject->GetTypeName();
    // The manager's name is the cockpit's; the tree calls it "Manager" too.
    if (m.m_strType != "MANAGER" && !m.m_pObject->GetName(name))
        name = StrFormat("%s %d", name.c_str(), m.m_nId);
    return Latin1ToQt(name);
}
} // namespace

CProblemsPanel::CProblemsPanel(CVireoDoc* doc, QMainWindow* frame)
    : QDockWidget(QStringLiteral("Problems"), frame), m_pDoc(doc), m_pFrame(frame)
{
    setObjectName(QStringLiteral("problems"));
    setAllowedAreas(Qt::AllDockWidgetAreas);
    toggleViewAction()->setStatusTip(
        QStringLiteral("Show or hide the problems the last check found"));

    auto* body = new QWidget;
    m_pSummary = new QLabel(QStringLiteral("Check Cockpit lists the cockpit's problems here."));
    m_pSummary->setObjectName(QStringLiteral("summary"));
    m_pCheckAgain = new QPushButton(QStringLiteral("Check again"));
    m_pCheckAgain->setObjectName(QStringLiteral("Check again"));
    m_pCheckAgain->setToolTip(QStringLiteral("Run Check Cockpit again"));
    connect(m_pCheckAgain, &QPushButton::clicked, this, [this] {
        if (m_fnCheck)
            m_fnCheck();
    });

    m_pList = new QTreeWidget;
    m_pList->setObjectName(QStringLiteral("problemList"));
    m_pList->setColumnCount(2);
    m_pList->setHeaderLabels({QStringLiteral("Problem"), QStringLiteral("Record")});
    m_pList->setRootIsDecorated(false);
    m_pList->setUniformRowHeights(true);
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pList->setToolTip(QStringLiteral("Double-click or press Enter to go to the record"));
    // Enter and double-click both activate a row.
    connect(m_pList, &QTreeWidget::activated, this,
            [this](const QModelIndex& index) { GoToProblem(index.row()); });

    auto* top = new QHBoxLayout;
    top->addWidget(m_pSummary, 1);
    top->addWidget(m_pCheckAgain);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top);
    layout->addWidget(m_pList);
    setWidget(body);

    m_pDoc->AddObserver(this);
}

CProblemsPanel::~CProblemsPanel()
{
    m_pDoc->RemoveObserver(this);
}

void CProblemsPanel::OnInitialUpdate()
{
    // Another cockpit: the old messages mean nothing here.
    m_messages.clear();
    m_pList->clear();
    m_pSummary->setText(QStringLiteral("Check Cockpit lists the cockpit's problems here."));
}

bool CProblemsPanel::OnChecked(const CCheckMessageArray& messages, bool full)
{
    m_messages = messages;
    m_pList->clear();
    QList<QTreeWidgetItem*> rows;
    for (const CCheckMessage& m : m_messages) {
        auto* row = new QTreeWidgetItem({MessageToQt(m.m_strMessage), RecordLabel(m)});
        row->setToolTip(0, row->text(0));
        rows << row;
    }
    m_pList->addTopLevelItems(rows);
    m_pList->resizeColumnToContents(0);

    QString summary;
    if (m_messages.empty())
        summary = QString::fromLatin1(kNothingFound);
    else if (m_messages.size() == 1)
        summary = QStringLiteral("1 problem found");
    else
        summary = QStringLiteral("%1 problems found").arg(m_messages.size());
    if (!full && !m_messages.empty())
        summary += QStringLiteral(" by the check before saving");
    m_pSummary->setText(summary);
    ShowStatus(summary);

    show();
    raise();
    if (!m_bPlaced && m_pFrame && m_pFrame->dockWidgetArea(this) == Qt::BottomDockWidgetArea) {
        // First shown: a few rows high, so the panes keep most of the window.
        m_bPlaced = true;
        m_pFrame->resizeDocks({this}, {m_pList->fontMetrics().height() * 8 + 60}, Qt::Vertical);
    }
    if (!m_messages.empty()) {
        m_pList->setCurrentItem(m_pList->topLevelItem(0));
        m_pList->setFocus(Qt::OtherFocusReason);
    }
    return true;
}

bool CProblemsPanel::GoToProblem(int row)
{
    if (row < 0 || row >= static_cast<int>(m_messages.size()))
        return false;
    const CCheckMessage& m = m_messages[size_t(row)];
    const CRecordPlace place = CRecordPlace::Find(m_pDoc->m_manager, m, m_pDoc->m_pCurrentPanel);
    switch (place.m_nStatus) {
    case CRecordPlace::Found:
        place.Select(*m_pDoc);
        return true;
    case CRecordPlace::Gone:
        ShowStatus(QStringLiteral("%1 no longer exists").arg(m_pList->topLevelItem(row)->text(1)));
        return false;
    case CRecordPlace::OnNoPanel:
        ShowStatus(QStringLiteral("%1 is on no panel").arg(m_pList->topLevelItem(row)->text(1)));
        return false;
    default:
        return false; // the message names no record
    }
}

void CProblemsPanel::ShowStatus(const QString& text)
{
    if (m_pFrame)
        m_pFrame->statusBar()->showMessage(text);
}
