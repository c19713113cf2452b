// The Arrange menu, its snap settings and Select All, as the user reaches them in the window.
#include "mainframefixture.h"

#include "cdialogrunner.h"
#include "cgridsettingsdlg.h"
#include "cproblemspanel.h"

#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSpinBox>
#include <QTreeWidget>

namespace {

const int kArrangeIds[] = {ID_ALIGN_LEFT,      ID_ALIGN_RIGHT,        ID_ALIGN_TOP,
                           ID_ALIGN_BOTTOM,    ID_ALIGN_CENTRES_HORZ, ID_ALIGN_CENTRES_VERT,
                           ID_DISTRIBUTE_HORZ, ID_DISTRIBUTE_VERT,    ID_SAME_WIDTH,
                           ID_SAME_HEIGHT,     ID_SAME_WIDTH_HEIGHT};

// Answers the Grid Settings dialog with a size typed into its field, OK or Cancel.
class CGridAnswer : public CDialogRunner
{
public:
    CGridAnswer(int size, bool ok) : m_nSize(size), m_bOk(ok), m_pPrevious(Install(this)) {}
    ~CGridAnswer() override { Install(m_pPrevious); }
    int Run(QDialog& dlg) override
    {
        ++m_nRuns;
        m_strTitle = dlg.windowTitle();
        auto* field = dlg.findChild<QSpinBox*>();
        m_nShown = field ? field->value() : -1;
        if (field)
            field->setValue(m_nSize);
        return m_bOk ? IDOK : IDCANCEL;
    }
    int m_nRuns = 0;
    int m_nShown = -1; // the size the dialog opened with
    QString m_strTitle;

private:
    int m_nSize;
    bool m_bOk;
    CDialogRunner* m_pPrevious;
};

class ArrangeTest : public MainFrameTest
{
protected:
    // tests/data/tree_panel_row.dat on a 1024 x 768 screen: panel 100 holds button views 1
    // (100,40 20 x 20), 2 (10,30 30 x 20) and 3 (300,20 40 x 30), lights 101 and 102.
    void StartOnRow()
    {
        StartOn("tree_panel_row.dat", "10_row.dat");
        doc().SetCurrentPanel(doc().m_manager.FindPanel(100));
    }
    CCPObject* View(int id) { return doc().m_manager.FindButtonView(id); }
    // The frame's queued refresh, delivered as the event loop would.
    bool Shown(int id)
    {
        QCoreApplication::sendPostedEvents(frame(), QEvent::MetaCall);
        return frame()->Action(id)->isEnabled();
    }
    std::vector<int> EnabledArrangeCommands()
    {
        std::vector<int> on;
        for (int id : kArrangeIds)
            if (Shown(id))
                on.push_back(id);
        return on;
    }
    static QStringList Texts(const QMenu* menu)
    {
        QStringList texts;
        for (const QAction* action : menu->actions())
            texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
        return texts;
    }
    QMenu* MenuNamed(const QString& title)
    {
        for (QAction* action : frame()->menuBar()->actions())
            if (action->text() == title)
                return action->menu();
        return nullptr;
    }
};

} // namespace

TEST_F(ArrangeTest, TheArrangeMenuSitsBetweenEditAndViewAndInThePanelViewsPopup)
{
    Start();
    QStringList titles;
    for (const QAction* action : frame()->menuBar()->actions())
        titles << action->text();
    EXPECT_EQ(titles, QStringList({"&File", "&Edit", "&Arrange", "&View", "&Help"}));

    QMenu* arrange = MenuNamed("&Arrange");
    ASSERT_TRUE(arrange);
    const QStringList items = {"Align &Left",
                               "Align &Right",
                               "Align &Top",
                               "Align &Bottom",
                               "Align Centres &Horizontally",
                               "Align Centres &Vertically",
                               "Distribute Hori&zontally",
                               "Distribute Verti&cally",
                               "Same &Width",
                               "Same H&eight",
                               "Same &Size",
                               "-",
                               "Snap to &Objects",
                               "Snap to &Grid",
                               "Grid Setti&ngs..."};
    EXPECT_EQ(Texts(arrange), items);
    EXPECT_TRUE(frame()->Action(ID_SNAP_OBJECTS)->isCheckable());
    EXPECT_TRUE(frame()->Action(ID_SNAP_GRID)->isCheckable());

    // The popup's submenu runs the very same commands.
    QMenu* sub = nullptr;
    for (QAction* action : frame()->GetViewMenu()->actions())
        if (action->menu() && action->text() == "&Arrange")
            sub = action->menu();
    ASSERT_TRUE(sub);
    EXPECT_EQ(Texts(sub), items);
    for (int id : kArrangeIds)
        EXPECT_TRUE(sub->actions().contains(frame()->Action(id))) << id;

    EXPECT_TRUE(Texts(MenuNamed("&Edit")).contains("Select &All\tCtrl+A"));
    EXPECT_EQ(frame()->Action(ID_EDIT_SELECT_ALL)->shortcut(),
              QKeySequence(QKeySequence::SelectAll));
    // The toolbar stays as it was.
    for (int id : kArrangeIds)
        EXPECT_FALSE(frame()->GetToolBar()->actions().contains(frame()->Action(id))) << id;
}

TEST_F(ArrangeTest, ArrangeCommandsAreOnlyWhenTheyWouldChangeSomething)
{
    StartOnRow();
    frame()->SetActivePane(CMainFrame::kViewPane);
    EXPECT_TRUE(EnabledArrangeCommands().empty()) << "nothing selected";
    doc().SetCurrentObject(View(1));
    EXPECT_TRUE(EnabledArrangeCommands().empty()) << "one record has nothing to line up with";

    // Two of the same height whose edges and centres all differ: no distributing with two.
    doc().Select({View(1), View(2)}, View(1));
    EXPECT_EQ(EnabledArrangeCommands(),
              std::vector<int>({ID_ALIGN_LEFT, ID_ALIGN_RIGHT, ID_ALIGN_TOP, ID_ALIGN_BOTTOM,
                                ID_ALIGN_CENTRES_HORZ, ID_ALIGN_CENTRES_VERT, ID_SAME_WIDTH,
                                ID_SAME_WIDTH_HEIGHT}));

    doc().Select({View(1), View(2), View(3)}, View(1));
    EXPECT_TRUE(Shown(ID_DISTRIBUTE_HORZ));
    EXPECT_TRUE(Shown(ID_SAME_HEIGHT));

    // The selection decides, whichever pane has the keyboard.
    frame()->SetActivePane(CMainFrame::kTreePane);
    EXPECT_TRUE(Shown(ID_ALIGN_TOP));
    frame()->SetActivePane(CMainFrame::kTemplPane);
    EXPECT_TRUE(Shown(ID_ALIGN_TOP));
    doc().ClearSelection();
    EXPECT_FALSE(Shown(ID_ALIGN_TOP));
    EXPECT_TRUE(Shown(ID_SNAP_GRID));
    EXPECT_TRUE(Shown(ID_GRID_SETTINGS));
}

TEST_F(ArrangeTest, AnArrangeCommandIsOneUndoStepNamedForIt)
{
    StartOnRow();
    frame()->SetActivePane(CMainFrame::kViewPane);
    doc().Select({View(1), View(2), View(3)}, View(1));
    const std::vector<CRect> before = {Dest(View(1)), Dest(View(2)), Dest(View(3))};

    ASSERT_TRUE(Shown(ID_ALIGN_TOP));
    frame()->Action(ID_ALIGN_TOP)->trigger();
    for (int id : {1, 2, 3})
        EXPECT_EQ(Dest(View(id)).top, before[0].top) << "to the key record, button view 1";
    EXPECT_EQ(Dest(View(3)).Height(), before[2].Height());
    EXPECT_TRUE(doc().IsModified());
    EXPECT_EQ(frame()->Action(ID_EDIT_UNDO)->text(), "&Undo Align Top 3 records\tCtrl+Z");
    EXPECT_FALSE(Shown(ID_ALIGN_TOP)) << "nothing more to line up";

    // From the panel view's popup, with the selection kept.
    QMenu* sub = nullptr;
    for (QAction* action : frame()->GetViewMenu()->actions())
        if (action->menu())
            sub = action->menu();
    ASSERT_TRUE(sub);
    for (QAction* action : sub->actions())
        if (action->text() == "Distribute Hori&zontally")
            action->trigger();
    // The outermost two stay; the one between is spaced evenly.
    EXPECT_EQ(Dest(View(2)).left, before[1].left);
    EXPECT_EQ(Dest(View(3)).left, before[2].left);
    EXPECT_EQ(Dest(View(1)).left - Dest(View(2)).right, Dest(View(3)).left - Dest(View(1)).right);
    EXPECT_EQ(frame()->Action(ID_EDIT_UNDO)->text(),
              "&Undo Distribute Horizontally 3 records\tCtrl+Z");

    // Each command comes back with one Undo.
    ASSERT_TRUE(frame()->ExecuteCommand(ID_EDIT_UNDO));
    EXPECT_EQ(Dest(View(1)).left, before[0].left);
    EXPECT_EQ(Dest(View(3)).top, before[0].top);
    ASSERT_TRUE(frame()->ExecuteCommand(ID_EDIT_UNDO));
    EXPECT_EQ(std::vector<CRect>({Dest(View(1)), Dest(View(2)), Dest(View(3))}), before);
    EXPECT_FALSE(doc().IsModified());
}

TEST_F(ArrangeTest, SnapSettingsReachThePanelViewAndAreRemembered)
{
    Start();
    CVireoView* view = frame()->GetPanelView();
    // At first: snapping to records, no grid, 8 pixels.
    EXPECT_TRUE(view->m_bSnapObjects);
    EXPECT_FALSE(view->m_bSnapGrid);
    EXPECT_EQ(view->m_nGridSize, 8);
    EXPECT_TRUE(frame()->Action(ID_SNAP_OBJECTS)->isChecked());
    EXPECT_FALSE(frame()->Action(ID_SNAP_GRID)->isChecked());

    frame()->Action(ID_SNAP_OBJECTS)->trigger();
    frame()->Action(ID_SNAP_GRID)->trigger();
    EXPECT_FALSE(view->m_bSnapObjects);
    EXPECT_TRUE(view->m_bSnapGrid);
    EXPECT_FALSE(frame()->Action(ID_SNAP_OBJECTS)->isChecked());
    EXPECT_TRUE(frame()->Action(ID_SNAP_GRID)->isChecked());
    {
        CGridAnswer answer(24, true);
        frame()->Action(ID_GRID_SETTINGS)->trigger();
        EXPECT_EQ(answer.m_nRuns, 1);
        EXPECT_EQ(answer.m_strTitle, "Grid Settings");
        EXPECT_EQ(answer.m_nShown, 8);
    }
    EXPECT_EQ(view->m_nGridSize, 24);
    {
        CGridAnswer answer(40, false);
        frame()->Action(ID_GRID_SETTINGS)->trigger();
    }
    EXPECT_EQ(view->m_nGridSize, 24) << "Cancel keeps the grid";
    {
        CGridAnswer answer(5000, true);
        frame()->Action(ID_GRID_SETTINGS)->trigger();
    }
    EXPECT_EQ(view->m_nGridSize, 256) << "the largest grid there is";
    EXPECT_FALSE(doc().IsModified()) << "settings are no edit";

    // The next window starts as this one was left, without being closed first.
    app.reset();
    Start();
    view = frame()->GetPanelView();
    EXPECT_FALSE(view->m_bSnapObjects);
    EXPECT_TRUE(view->m_bSnapGrid);
    EXPECT_EQ(view->m_nGridSize, 256);
    EXPECT_FALSE(frame()->Action(ID_SNAP_OBJECTS)->isChecked());
    EXPECT_TRUE(frame()->Action(ID_SNAP_GRID)->isChecked());

    // A size no grid can have, from another version or a hand-edited file, is held in range.
    app.reset();
    QSettings(QStringLiteral("Orvanta"), QStringLiteral("Vireo"))
        .setValue(QStringLiteral("Layout/GridSize"), 1);
    Start();
    EXPECT_EQ(frame()->GetPanelView()->m_nGridSize, CGridSettingsDlg::kMinSize);
}

TEST_F(ArrangeTest, CtrlASelectsThePanelsRecordsFromTheViewAndFromTheTree)
{
    StartOnRow();
    if (QApplication::activeWindow() != frame())
        GTEST_SKIP() << "the platform does not activate windows";
    CCPPanel* panel = doc().m_manager.FindPanel(100);
    const size_t all = panel->m_anButtonViews.size() + panel->m_anObjects.size();

    frame()->SetActivePane(CMainFrame::kViewPane);
    EXPECT_TRUE(PressShortcut(frame()->GetPanelView(), Qt::Key_A, Qt::ControlModifier));
    EXPECT_EQ(doc().GetSelection().Count(), all);

    doc().ClearSelection();
    frame()->SetActivePane(CMainFrame::kTreePane);
    CCPTree* tree = frame()->GetTree();
    EXPECT_TRUE(PressShortcut(tree, Qt::Key_A, Qt::ControlModifier));
    EXPECT_EQ(doc().GetSelection().Count(), all);
    EXPECT_EQ(size_t(tree->selectionModel()->selectedRows().size()), all)
        << "the tree shows them chosen";

    // With the keyboard in the Problems panel, Ctrl+A is that list's.
    doc().ClearSelection();
    CProblemsPanel* problems = frame()->GetProblemsPanel();
    problems->show();
    auto* list = problems->findChild<QTreeWidget*>();
    ASSERT_TRUE(list);
    list->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), list);
    EXPECT_FALSE(Shown(ID_EDIT_SELECT_ALL));
    PressShortcut(list, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(doc().GetSelection().Empty());
    frame()->SetActivePane(CMainFrame::kTreePane);

    // With no panel shown there is nothing to select, and the tree does not choose its rows.
    doc().SetCurrentPanel(nullptr);
    doc().SetCurrentObject(nullptr);
    EXPECT_FALSE(Shown(ID_EDIT_SELECT_ALL));
    PressShortcut(tree, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(tree->selectionModel()->selectedRows().isEmpty());
    EXPECT_TRUE(doc().GetSelection().Empty());
}

TEST_F(ArrangeTest, RenameFromThePanelViewNamesTheKeyRecordAndKeepsTheSelection)
{
    StartOnRow();
    frame()->SetActivePane(CMainFrame::kViewPane);
    doc().Select({View(1), View(2), View(3)}, View(2));
    ASSERT_TRUE(frame()->ExecuteCommand(ID_EDIT_RENAME));
    CCPTree* tree = frame()->GetTree();
    QLineEdit* edit = nullptr;
    for (QLineEdit* line : tree->viewport()->findChildren<QLineEdit*>())
        if (line->isVisible())
            edit = line;
    ASSERT_TRUE(edit) << "the tree edits a row";
    EXPECT_EQ(CCPTree::ItemRecord(tree->currentIndex()), View(2)) << "the key record's";
    edit->setText(QStringLiteral("Middle"));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(edit, &enter);
    QCoreApplication::processEvents(); // the editor hands its text over on the next turn

    std::string name;
    EXPECT_TRUE(View(2)->GetName(name));
    EXPECT_EQ(name, "Middle");
    EXPECT_FALSE(View(1)->GetName(name) && name == "Middle");
    EXPECT_EQ(doc().GetSelection().Count(), 3u) << "the others stay selected";
    EXPECT_EQ(tree->selectionModel()->selectedRows().size(), 3);
}
