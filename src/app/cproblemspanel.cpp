#include "cproblemspanel.h"

#include "ccpobject.h"
#include "checkkinds.h"
#include "cproblemfix.h"
#include "crecordplace.h"
#include "cvireodoc.h"
#include "screenbounds.h"
#include "strformat.h"
#include "textconvert.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

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

QString Explanation(const CCheckMessage& m)
{
    return QString::fromLatin1(ExplainCheckKind(m.m_nKind));
}

// The message in bold over its explanation; rich text, so that it wraps.
QString ToolTip(const CCheckMessage& m)
{
    QString tip =
        QStringLiteral("<p><b>%1</b></p>").arg(MessageToQt(m.m_strMessage).toHtmlEscaped());
    const QString why = Explanation(m);
    if (!why.isEmpty())
        tip += QStringLiteral("<p>%1</p>").arg(why.toHtmlEscaped());
    return tip;
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
    connect(m_pCheckAgain, &QPushButton::clicked, this, [this] { RunCheck(); });

    m_pList = new QTreeWidget;
    m_pList->setObjectName(QStringLiteral("problemList"));
    m_pList->setColumnCount(2);
    m_pList->setHeaderLabels({QStringLiteral("Problem"), QStringLiteral("Record")});
    m_pList->setRootIsDecorated(false);
    m_pList->setUniformRowHeights(true);
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pList->setContextMenuPolicy(Qt::CustomContextMenu);
    // Enter and double-click both activate a row.
    connect(m_pList, &QTreeWidget::activated, this,
            [this](const QModelIndex& index) { GoToProblem(index.row()); });
    connect(m_pList, &QTreeWidget::currentItemChanged, this, [this] { ShowDetails(); });
    connect(m_pList, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const QModelIndex index = m_pList->indexAt(at);
        if (!index.isValid())
            return;
        QMenu* menu = CreateContextMenu(index.row());
        menu->exec(m_pList->viewport()->mapToGlobal(at));
        delete menu;
    });

    // Beside the list (under it when docked at a side): the current row's explanation, and
    // its fix where it has one.
    m_pExplanation = new QLabel;
    m_pExplanation->setObjectName(QStringLiteral("explanation"));
    m_pExplanation->setWordWrap(true);
    m_pExplanation->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_pExplanation->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_pFix = new QPushButton;
    m_pFix->setObjectName(QStringLiteral("fix"));
    m_pFix->setToolTip(QStringLiteral("Fix this problem (one step, which Undo takes back)"));
    m_pFix->hide();
    connect(m_pFix, &QPushButton::clicked, this, [this] {
        if (QTreeWidgetItem* item = m_pList->currentItem())
            FixProblem(m_pList->indexOfTopLevelItem(item));
    });

    auto* top = new QHBoxLayout;
    top->addWidget(m_pSummary, 1);
    top->addWidget(m_pCheckAgain);
    auto* details = new QWidget;
    auto* detailsLayout = new QVBoxLayout(details);
    detailsLayout->setContentsMargins(4, 0, 0, 0);
    detailsLayout->addWidget(m_pExplanation);
    detailsLayout->addWidget(m_pFix, 0, Qt::AlignLeft);
    detailsLayout->addStretch(1);
    m_pSplitter = new QSplitter(Qt::Horizontal);
    m_pSplitter->setChildrenCollapsible(false);
    m_pSplitter->addWidget(m_pList);
    m_pSplitter->addWidget(details);
    m_pSplitter->setStretchFactor(0, 3);
    m_pSplitter->setStretchFactor(1, 2);
    connect(this, &QDockWidget::dockLocationChanged, this, [this](Qt::DockWidgetArea area) {
        const bool side = area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea;
        m_pSplitter->setOrientation(side ? Qt::Vertical : Qt::Horizontal);
    });
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top);
    layout->addWidget(m_pSplitter, 1);
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
    ShowDetails();
}

void CProblemsPanel::OnUpdate(IDocObserver*, Hint, CCPObject*)
{
    // An edit may have fixed the current row's problem, or made its fix possible.
    ShowDetails();
}

bool CProblemsPanel::OnChecked(const CCheckMessageArray& messages, bool full)
{
    m_messages = messages;
    FindOutsideScreen(m_pDoc->m_manager, m_messages);
    m_pList->clear();
    QList<QTreeWidgetItem*> rows;
    for (const CCheckMessage& m : m_messages) {
        auto* row = new QTreeWidgetItem({MessageToQt(m.m_strMessage), RecordLabel(m)});
        const QString tip = ToolTip(m);
        row->setToolTip(0, tip);
        row->setToolTip(1, tip);
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
        m_pSplitter->setSizes({600, 400});
    }
    if (!m_messages.empty()) {
        m_pList->setCurrentItem(m_pList->topLevelItem(0));
        m_pList->setFocus(Qt::OtherFocusReason);
    }
    ShowDetails();
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

bool CProblemsPanel::FixProblem(int row)
{
    if (row < 0 || row >= static_cast<int>(m_messages.size()))
        return false;
    const CProblemFix fix = CProblemFix::For(*m_pDoc, m_messages[size_t(row)]);
    if (!fix.IsOffered()) {
        ShowStatus(QStringLiteral("This problem has no fix to make here"));
        return false;
    }
    // The record changed is shown, as after a double-click, so the change can be seen.
    if (fix.GetRecord())
        GoToProblem(row);
    const QString name = QString::fromLatin1(fix.GetName());
    if (!fix.Apply(*m_pDoc)) {
        ShowStatus(QStringLiteral("%1: nothing changed").arg(name));
        return false;
    }
    RunCheck();
    // Back where the fixed row was, to go on down the list.
    if (const int count = m_pList->topLevelItemCount(); count > 0)
        m_pList->setCurrentItem(m_pList->topLevelItem(std::min(row, count - 1)));
    ShowStatus(QStringLiteral("%1. %2").arg(name, m_pSummary->text()));
    return true;
}

QMenu* CProblemsPanel::CreateContextMenu(int row)
{
    auto* menu = new QMenu(m_pList);
    if (row >= 0 && row < static_cast<int>(m_messages.size())) {
        QAction* go =
            menu->addAction(QStringLiteral("&Go to Record"), [this, row] { GoToProblem(row); });
        go->setEnabled(
            CRecordPlace::Find(m_pDoc->m_manager, m_messages[size_t(row)], m_pDoc->m_pCurrentPanel)
                .m_nStatus == CRecordPlace::Found);
        menu->setDefaultAction(go);
        const CProblemFix fix = CProblemFix::For(*m_pDoc, m_messages[size_t(row)]);
        if (fix.IsOffered())
            menu->addAction(QString::fromLatin1(fix.GetName()), [this, row] { FixProblem(row); });
        menu->addSeparator();
    }
    menu->addAction(QStringLiteral("Check &Again"), [this] { RunCheck(); });
    return menu;
}

void CProblemsPanel::RunCheck()
{
    if (m_fnCheck)
        m_fnCheck();
    else
        m_pDoc->OnCheckCockpit();
}

void CProblemsPanel::ShowDetails()
{
    QTreeWidgetItem* item = m_pList->currentItem();
    const int row = item ? m_pList->indexOfTopLevelItem(item) : -1;
    if (row < 0 || row >= static_cast<int>(m_messages.size())) {
        m_pExplanation->clear();
        m_pFix->hide();
        return;
    }
    const CCheckMessage& m = m_messages[size_t(row)];
    m_pExplanation->setText(Explanation(m));
    const CProblemFix fix = CProblemFix::For(*m_pDoc, m);
    m_pFix->setText(QString::fromLatin1(fix.GetName()));
    m_pFix->setVisible(fix.IsOffered());
}

void CProblemsPanel::ShowStatus(const QString& text)
{
    // A timed message: the status bar says "Ready" again afterwards, as after any other.
    if (m_pFrame)
        m_pFrame->statusBar()->showMessage(text, m_nStatusMs);
}
