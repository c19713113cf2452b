#include "ccpbutton.h"
#include "ccppanel.h"
#include "ccptree.h"
#include "cproblemspanel.h"
#include "cvireoview.h"
#include "mainframefixture.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTreeWidget>

namespace {

class ProblemsTest : public MainFrameTest
{
protected:
    CProblemsPanel* panel() { return frame()->GetProblemsPanel(); }
    QTreeWidget* list() { return panel()->GetList(); }

    int Row(const QString& prefix)
    {
        for (int i = 0; i < list()->topLevelItemCount(); ++i)
            if (list()->topLevelItem(i)->text(0).startsWith(prefix))
                return i;
        ADD_FAILURE() << "no row " << prefix.toStdString();
        return -1;
    }

    // A user's double-click on the row.
    void DoubleClick(int row)
    {
        QTreeWidgetItem* item = list()->topLevelItem(row);
        ASSERT_NE(item, nullptr);
        list()->scrollToItem(item);
        const QPoint at = list()->visualItemRect(item).center();
        QWidget* port = list()->viewport();
        const QPointF global = port->mapToGlobal(QPointF(at));
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                  QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
            QMouseEvent e(type, QPointF(at), global, Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
            QApplication::sendEvent(port, &e);
        }
    }

    // Enter on the row, with the keyboard in the list.
    void PressEnter(int row)
    {
        list()->setCurrentItem(list()->topLevelItem(row));
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(list(), &press);
    }

    QString Status() { return frame()->statusBar()->currentMessage(); }
    QString TreeSelection() { return frame()->GetTree()->currentIndex().data().toString(); }
};

} // namespace

TEST_F(ProblemsTest, CheckCockpitListsItsMessagesInTheDockedPanelInsteadOfADialog)
{
    StartOn("problems.dat", "10_problems.dat");
    EXPECT_FALSE(panel()->isVisible());

    // The View menu shows and hides the panel.
    QAction* toggle = panel()->toggleViewAction();
    bool inViewMenu = false;
    for (QAction* menu : frame()->menuBar()->actions())
        if (menu->text() == QStringLiteral("&View"))
            inViewMenu = menu->menu()->actions().contains(toggle);
    EXPECT_TRUE(inViewMenu);
    EXPECT_EQ(toggle->text(), QStringLiteral("Problems"));

    EXPECT_TRUE(frame()->ExecuteCommand(ID_CHECK_COCKPIT));
    EXPECT_TRUE(ui.m_aCheckResults.empty()); // no modal list
    EXPECT_TRUE(panel()->isVisible());
    EXPECT_TRUE(toggle->isChecked());
    EXPECT_EQ(frame()->dockWidgetArea(panel()), Qt::BottomDockWidgetArea);

    // The check's messages, then the light placed below the screen.
    CCheckMessageArray expected;
    doc().m_manager.Check(expected, true);
    ASSERT_EQ(list()->topLevelItemCount(), static_cast<int>(expected.size()) + 1);
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(list()->topLevelItem(int(i))->text(0).toStdString(), expected[i].m_strMessage);
    const QTreeWidgetItem* below = list()->topLevelItem(int(expected.size()));
    EXPECT_EQ(below->text(0),
              QStringLiteral("Light 101 lies outside the screen (top at 900 of 768)"));
    EXPECT_EQ(below->text(1), QStringLiteral("Master Caution"));
    EXPECT_EQ(list()->topLevelItem(0)->text(1), QStringLiteral("Manager"));
    EXPECT_EQ(list()->topLevelItem(Row(QStringLiteral("Light Id 101")))->text(1),
              QStringLiteral("Master Caution"));
    EXPECT_EQ(list()->topLevelItem(Row(QStringLiteral("Button Id 1001")))->text(1),
              QStringLiteral("Button 1001"));
    const QString count = QStringLiteral("%1 problems found").arg(expected.size() + 1);
    EXPECT_EQ(panel()->GetSummary()->text(), count);
    EXPECT_EQ(Status(), count);

    toggle->trigger();
    EXPECT_FALSE(panel()->isVisible());
    toggle->trigger();
    EXPECT_TRUE(panel()->isVisible());
}

TEST_F(ProblemsTest, DoubleClickOrEnterSelectsTheRecordShowsItsPanelAndFramesIt)
{
    StartOn("problems.dat", "10_problems.dat");
    frame()->ExecuteCommand(ID_CHECK_COCKPIT);
    CCPManager& m = doc().m_manager;
    CVireoView* view = frame()->GetPanelView();
    ASSERT_EQ(view->horizontalScrollBar()->value() + view->verticalScrollBar()->value(), 0);

    // The light sits below the screen, far from the view's corner: the view scrolls to it.
    DoubleClick(Row(QStringLiteral("Light Id 101")));
    EXPECT_EQ(doc().m_pCurrentPanel, m.FindPanel(100));
    EXPECT_EQ(doc().m_pCurrentObject, m.FindObject(101));
    EXPECT_EQ(TreeSelection(), QStringLiteral("Master Caution"));
    const QRect shown(view->horizontalScrollBar()->value(), view->verticalScrollBar()->value(),
                      view->viewport()->width(), view->viewport()->height());
    EXPECT_TRUE(shown.contains(QPoint(920, 715))) << shown.x() << "," << shown.y();
    EXPECT_FALSE(doc().IsModified());

    // Enter does the same; a panel's own message shows that panel.
    PressEnter(Row(QStringLiteral("Panel 300 is not reachable")));
    EXPECT_EQ(doc().m_pCurrentPanel, m.FindPanel(300));
    EXPECT_EQ(doc().m_pCurrentObject, m.FindPanel(300));

    // Of two lights sharing an id, each row finds its own.
    const int twinB = Row(QStringLiteral("Object Id 700")) + 1;
    PressEnter(twinB);
    std::string name;
    ASSERT_NE(doc().m_pCurrentObject, nullptr);
    doc().m_pCurrentObject->GetName(name);
    EXPECT_EQ(name, "Twin B");
    EXPECT_EQ(doc().m_pCurrentPanel, m.FindPanel(200));

    // A button keeps the panel; the manager's messages select the manager.
    PressEnter(Row(QStringLiteral("Button Id 1001")));
    EXPECT_EQ(doc().m_pCurrentObject, m.FindButton(1001));
    EXPECT_EQ(doc().m_pCurrentPanel, m.FindPanel(200));
    DoubleClick(0);
    EXPECT_EQ(doc().m_pCurrentObject, &m);

    // A light no panel shows, and one whose id has changed since: said, nothing selected.
    PressEnter(Row(QStringLiteral("Light Id 900")));
    EXPECT_EQ(doc().m_pCurrentObject, &m);
    EXPECT_EQ(Status(), QStringLiteral("Stray is on no panel"));
    m.FindObject(301)->m_nId = 302;
    PressEnter(Row(QStringLiteral("Light Id 301")));
    EXPECT_EQ(doc().m_pCurrentObject, &m);
    EXPECT_EQ(Status(), QStringLiteral("Light 301 no longer exists"));
    EXPECT_FALSE(doc().IsModified());
}

TEST_F(ProblemsTest, CheckAgainRefreshesTheListAndSaysWhenNothingIsFound)
{
    WritePicture("clean_template.png", Qt::gray);
    StartOn("problems.dat", "10_problems.dat");
    frame()->ExecuteCommand(ID_CHECK_COCKPIT);
    const int before = list()->topLevelItemCount();

    // The template gets a name and a size: the two manager messages go.
    doc().m_manager.m_strTemplateFile = "clean_template.png";
    doc().m_manager.m_nTemplateWidth = doc().m_manager.m_nTemplateHeight = 64;
    panel()->GetCheckAgain()->click();
    EXPECT_EQ(list()->topLevelItemCount(), before - 2);
    EXPECT_TRUE(ui.m_aCheckResults.empty());

    // A cockpit without problems says so in the panel and in the status bar.
    dir.Write("clean.dat", TestData("clean.dat"));
    ASSERT_TRUE(app->OpenDocumentFile(dir.File("clean.dat")));
    EXPECT_EQ(list()->topLevelItemCount(), 0); // the old cockpit's messages are gone
    EXPECT_NE(panel()->GetSummary()->text(), QStringLiteral("No problems found"));
    panel()->GetCheckAgain()->click();
    EXPECT_EQ(list()->topLevelItemCount(), 0);
    EXPECT_EQ(panel()->GetSummary()->text(), QStringLiteral("No problems found"));
    EXPECT_EQ(Status(), QStringLiteral("No problems found"));
    EXPECT_TRUE(ui.m_aCheckResults.empty());

    panel()->hide();
    frame()->ExecuteCommand(ID_CHECK_COCKPIT);
    EXPECT_TRUE(panel()->isVisible());
    EXPECT_EQ(Status(), QStringLiteral("No problems found"));
}

TEST_F(ProblemsTest, ASaveWhoseCheckFailsAsksWithSaveAnywayAndListsTheProblems)
{
    StartOn("problems.dat", "10_problems.dat");
    const std::string before = dir.Read("10_problems.dat");
    ui.m_nCheckAnswer = IDCANCEL;
    frame()->ExecuteCommand(ID_FILE_SAVE);
    ASSERT_EQ(ui.m_aSaveAnywayShown, std::vector<bool>{true});
    EXPECT_EQ(dir.Read("10_problems.dat"), before);
    EXPECT_TRUE(panel()->isVisible());
    ASSERT_EQ(list()->topLevelItemCount(), static_cast<int>(ui.m_aCheckResults[0].size()) + 1);
    EXPECT_EQ(list()->topLevelItem(0)->text(0).toStdString(), ui.m_aCheckResults[0][0]);
    EXPECT_EQ(panel()->GetSummary()->text(),
              QStringLiteral("%1 problems found by the check before saving")
                  .arg(list()->topLevelItemCount()));

    // The rows lead to their records as after Check Cockpit.
    PressEnter(Row(QStringLiteral("Light Id 301")));
    EXPECT_EQ(doc().m_pCurrentObject, doc().m_manager.FindObject(301));
    EXPECT_EQ(doc().m_pCurrentPanel, doc().m_manager.FindPanel(300));
}

namespace {

// The texts of a menu's actions, separators as empty strings.
QStringList Items(QMenu* menu)
{
    QStringList items;
    for (QAction* a : menu->actions())
        items << a->text();
    return items;
}

QAction* Item(QMenu* menu, const QString& text)
{
    for (QAction* a : menu->actions())
        if (a->text() == text)
            return a;
    ADD_FAILURE() << "no item " << text.toStdString();
    return nullptr;
}

} // namespace

TEST_F(ProblemsTest, EachRowExplainsItselfInItsTooltipAndBesideTheList)
{
    StartOn("every_problem.dat", "10_every_problem.dat");
    frame()->ExecuteCommand(ID_CHECK_COCKPIT);
    ASSERT_GT(list()->topLevelItemCount(), 20);

    // Every row's tooltip holds its message and says more; on both columns.
    for (int i = 0; i < list()->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = list()->topLevelItem(i);
        const QString tip = row->toolTip(0);
        EXPECT_TRUE(tip.contains(row->text(0).toHtmlEscaped())) << i;
        EXPECT_GT(tip.size(), row->text(0).size() + 100) << row->text(0).toStdString();
        EXPECT_EQ(row->toolTip(1), tip);
    }

    // The current row is explained beside the list; its fix is offered where it has one.
    QLabel* why = panel()->GetExplanation();
    QPushButton* fix = panel()->GetFixButton();
    list()->setCurrentItem(list()->topLevelItem(Row(QStringLiteral("Manager, no button"))));
    EXPECT_TRUE(why->isVisible());
    EXPECT_TRUE(why->text().contains(QStringLiteral("1013")));
    EXPECT_TRUE(why->text().contains(QStringLiteral("ICP")));
    EXPECT_TRUE(fix->isVisible());
    EXPECT_EQ(fix->text(), QStringLiteral("Add the missing button"));
    list()->setCurrentItem(list()->topLevelItem(Row(QStringLiteral("Manager, No template"))));
    EXPECT_TRUE(why->text().contains(QStringLiteral("Manager's sheet")));
    EXPECT_FALSE(fix->isVisible());
    list()->setCurrentItem(list()->topLevelItem(Row(QStringLiteral("Light 201 lies"))));
    EXPECT_TRUE(why->text().contains(QStringLiteral("screen")));
    EXPECT_EQ(fix->text(), QStringLiteral("Move it inside the screen"));

    // A problem with no mechanical fix offers only the way to its record and the check.
    std::unique_ptr<QMenu> menu(panel()->CreateContextMenu(Row(QStringLiteral("Object Id 700"))));
    EXPECT_EQ(Items(menu.get()), (QStringList{QStringLiteral("&Go to Record"), QString(),
                                              QStringLiteral("Check &Again")}));
    menu.reset(panel()->CreateContextMenu(Row(QStringLiteral("Panel Id 200, Masktop"))));
    EXPECT_EQ(Items(menu.get()),
              (QStringList{QStringLiteral("&Go to Record"), QStringLiteral("Set Mask Top to 100"),
                           QString(), QStringLiteral("Check &Again")}));

    // An edit that fixes the current row's problem by other means takes its fix away.
    list()->setCurrentItem(list()->topLevelItem(Row(QStringLiteral("Panel Id 200, Masktop"))));
    EXPECT_TRUE(fix->isVisible());
    CCPPanel* side = doc().m_manager.FindPanel(200);
    doc().m_manager.FindPanel(200)->m_nMaskTop = 80;
    doc().UpdateAllViews(nullptr, Hint::Refresh, side);
    EXPECT_FALSE(fix->isVisible());
    side->m_nMaskTop = 0;
}

TEST_F(ProblemsTest, AFixIsOneUndoableStepAfterWhichTheCheckRunsAgain)
{
    StartOn("every_problem.dat", "10_every_problem.dat");
    frame()->ExecuteCommand(ID_CHECK_COCKPIT);
    const int count = list()->topLevelItemCount();
    const std::string before = doc().Store();
    CCPManager& m = doc().m_manager;

    // From the context menu: the panel's mask top is set, its row gone, the next problem current.
    const int maskRow = Row(QStringLiteral("Panel Id 200, Masktop"));
    std::unique_ptr<QMenu> menu(panel()->CreateContextMenu(maskRow));
    Item(menu.get(), QStringLiteral("Set Mask Top to 100"))->trigger();
    EXPECT_EQ(m.FindPanel(200)->m_nMaskTop, 100);
    EXPECT_EQ(QString::fromStdString(doc().UndoName()),
              QStringLiteral("Set Mask Top of Panel 200"));
    EXPECT_EQ(doc().m_pCurrentPanel, m.FindPanel(200)); // shown while it changed
    EXPECT_TRUE(doc().IsModified());
    EXPECT_EQ(list()->topLevelItemCount(), count - 1);
    EXPECT_EQ(list()->currentItem(), list()->topLevelItem(maskRow));
    EXPECT_TRUE(list()->currentItem()->text(0).startsWith(QStringLiteral("Light Id 101")));
    EXPECT_EQ(Status(), QStringLiteral("Set Mask Top to 100. %1 problems found").arg(count - 1));
    EXPECT_TRUE(ui.m_aCheckResults.empty());

    // With the button beside the list: the light starts in its first state.
    QPushButton* fix = panel()->GetFixButton();
    ASSERT_TRUE(fix->isVisible());
    EXPECT_EQ(fix->text(), QStringLiteral("Set the initial state to 0"));
    fix->click();
    EXPECT_EQ(static_cast<CCPLight*>(m.FindObject(101))->m_nInitState, 0);
    EXPECT_EQ(list()->topLevelItemCount(), count - 2);

    // The added finding is fixed the same way: the light moves up onto the screen.
    const int lowRow = Row(QStringLiteral("Light 201 lies partly outside the screen"));
    EXPECT_EQ(list()->topLevelItem(lowRow)->text(0),
              QStringLiteral("Light 201 lies partly outside the screen (bottom at 772 of 768)"));
    EXPECT_TRUE(panel()->FixProblem(lowRow));
    EXPECT_EQ(static_cast<CCPLight*>(m.FindObject(201))->m_rcDest, CRect(10, 748, 30, 768));
    EXPECT_EQ(list()->topLevelItemCount(), count - 3);

    // Three steps, undone one by one back to the very bytes that were checked.
    EXPECT_EQ(doc().GetHistory().Count(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(frame()->ExecuteCommand(ID_EDIT_UNDO));
    EXPECT_EQ(doc().Store(), before);
    EXPECT_FALSE(doc().IsModified());

    // A row whose problem has no fix says so and changes nothing.
    EXPECT_FALSE(panel()->FixProblem(Row(QStringLiteral("Object Id 700"))));
    EXPECT_EQ(Status(), QStringLiteral("This problem has no fix to make here"));
    EXPECT_EQ(doc().GetHistory().Current(), 0u);
}

TEST_F(ProblemsTest, TheSummaryGivesWayToReadyInTheStatusBar)
{
    StartOn("every_problem.dat", "10_every_problem.dat");
    QLabel* ready = nullptr;
    for (QLabel* label : frame()->statusBar()->findChildren<QLabel*>())
        if (label->text() == QStringLiteral("Ready"))
            ready = label;
    ASSERT_NE(ready, nullptr);
    EXPECT_TRUE(ready->isVisible());

    panel()->SetStatusTimeout(50);
    frame()->ExecuteCommand(ID_CHECK_COCKPIT);
    EXPECT_TRUE(Status().endsWith(QStringLiteral("problems found")));
    EXPECT_FALSE(ready->isVisible());
    EXPECT_TRUE(WaitFor([&] { return Status().isEmpty(); }));
    EXPECT_TRUE(ready->isVisible());

    // So do the messages of going to a record and of a fix.
    PressEnter(Row(QStringLiteral("Light Id 101")));
    EXPECT_TRUE(panel()->FixProblem(list()->currentIndex().row()));
    EXPECT_FALSE(Status().isEmpty());
    EXPECT_TRUE(WaitFor([&] { return Status().isEmpty(); }));
    EXPECT_TRUE(ready->isVisible());
}
