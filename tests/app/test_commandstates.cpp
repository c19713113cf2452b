// Menus and toolbar buttons show the state of the moment: every change that a command's state
// depends on brings the actions up to date on the next turn of the event loop, with no timer.
#include "mainframefixture.h"

#include "cproblemspanel.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QTreeWidget>

namespace {

class CommandStateTest : public MainFrameTest
{
protected:
    // One turn of the event loop for the frame's queued work; no waiting.
    void Settle() { QCoreApplication::sendPostedEvents(frame(), QEvent::MetaCall); }
    bool Shown(int id)
    {
        Settle();
        return frame()->Action(id)->isEnabled();
    }
    QString Text(int id)
    {
        Settle();
        return frame()->Action(id)->text();
    }
    QString ShownPane(int id)
    {
        Settle();
        return Pane(id);
    }
    void ChooseLight()
    {
        doc().SetCurrentPanel(doc().m_manager.FindPanel(100));
        doc().SetCurrentObject(doc().m_manager.FindObject(101));
    }
};

} // namespace

TEST_F(CommandStateTest, EditsTheHistoryAndTheChoiceShowAtOnce)
{
    StartOn("frame_panel_light_sound.dat", "10_states.dat");
    frame()->SetActivePane(CMainFrame::kViewPane);
    EXPECT_FALSE(Shown(ID_EDIT_UNDO));
    EXPECT_FALSE(Shown(ID_NUDGE_LEFT)); // no record chosen

    ChooseLight();
    EXPECT_TRUE(Shown(ID_NUDGE_LEFT));
    EXPECT_EQ(ShownPane(ID_INDICATOR_ID), QStringLiteral("ID: 101"));

    // An edit made anywhere (here straight through the document) can be undone right away.
    ASSERT_TRUE(doc().RenameRecord(doc().m_manager.FindObject(101), "Lamp"));
    EXPECT_TRUE(Shown(ID_EDIT_UNDO));
    EXPECT_EQ(Text(ID_EDIT_UNDO).toStdString(), "&Undo " + doc().UndoName() + "\tCtrl+Z");
    EXPECT_FALSE(Shown(ID_EDIT_REDO));
    ASSERT_TRUE(doc().Undo());
    EXPECT_FALSE(Shown(ID_EDIT_UNDO));
    EXPECT_TRUE(Shown(ID_EDIT_REDO));

    doc().SetCurrentObject(nullptr);
    EXPECT_FALSE(Shown(ID_NUDGE_LEFT));
}

TEST_F(CommandStateTest, ABurstOfChangesIsOneRefresh)
{
    StartOn("frame_panel_light_sound.dat", "10_burst.dat");
    Settle();
    const int before = frame()->CommandUpdateCount();
    for (int i = 0; i < 20; ++i)
        ChooseLight();
    ASSERT_TRUE(doc().RenameRecord(doc().m_manager.FindObject(101), "Lamp"));
    EXPECT_EQ(frame()->CommandUpdateCount(), before); // nothing yet: it waits for the turn
    Settle();
    EXPECT_EQ(frame()->CommandUpdateCount(), before + 1);
    EXPECT_TRUE(frame()->Action(ID_EDIT_UNDO)->isEnabled());
    // Nothing changed since: nothing more runs.
    QCoreApplication::processEvents();
    EXPECT_EQ(frame()->CommandUpdateCount(), before + 1);
}

TEST_F(CommandStateTest, PasteFollowsTheClipboardAndRecordCommandsFollowTheFocus)
{
    QGuiApplication::clipboard()->clear();
    StartOn("frame_panel_light_sound.dat", "10_focus.dat");
    CCPTree* tree = frame()->GetTree();
    frame()->SetActivePane(CMainFrame::kTreePane);
    ChooseLight();
    EXPECT_TRUE(Shown(ID_EDIT_COPY));
    EXPECT_FALSE(Shown(ID_EDIT_PASTE));

    // Copy from the tree's own menu, which does not go through the frame.
    ASSERT_TRUE(tree->OnCommand(ID_EDIT_COPY));
    EXPECT_TRUE(Shown(ID_EDIT_PASTE));
    // Whatever another program does to the clipboard shows too.
    QGuiApplication::clipboard()->clear();
    EXPECT_FALSE(Shown(ID_EDIT_PASTE));
    QGuiApplication::clipboard()->setText(QStringLiteral("#5 LIGHT\n#end\n"));
    EXPECT_TRUE(Shown(ID_EDIT_PASTE));
    // A group row chosen in the tree: nothing to copy.
    tree->setCurrentIndex(tree->model()->index(2, 0)); // "Sounds"
    EXPECT_FALSE(Shown(ID_EDIT_COPY));

    if (QApplication::activeWindow() != frame())
        GTEST_SKIP() << "the platform does not activate windows";
    frame()->SetActivePane(CMainFrame::kViewPane);
    ChooseLight();
    EXPECT_TRUE(Shown(ID_EDIT_CLEAR));
    // The keyboard in the Problems dock: Delete is that dock's, not the record's.
    CProblemsPanel* problems = frame()->GetProblemsPanel();
    problems->show();
    auto* list = problems->findChild<QTreeWidget*>();
    ASSERT_TRUE(list);
    list->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), list);
    EXPECT_FALSE(Shown(ID_EDIT_CLEAR));
    frame()->GetPanelView()->setFocus();
    EXPECT_TRUE(Shown(ID_EDIT_CLEAR));
}

TEST_F(CommandStateTest, ZoomPointerBarsAndRecentFilesShowAtOnce)
{
    Start();
    CVireoView* view = frame()->GetPanelView();
    frame()->SetActivePane(CMainFrame::kViewPane);

    QMouseEvent move(QEvent::MouseMove, QPointF(15, 12),
                     QPointF(view->viewport()->mapToGlobal(QPoint(15, 12))), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &move);
    EXPECT_EQ(ShownPane(ID_INDICATOR_MOUSE), QStringLiteral("15, 12"));

    // Ctrl+wheel or any other way the zoom reaches its end.
    view->ZoomAbout(kMaxZoom, CPoint{0, 0});
    EXPECT_FALSE(Shown(ID_ZOOM_IN));
    EXPECT_TRUE(Shown(ID_ZOOM_OUT));
    EXPECT_EQ(ShownPane(ID_INDICATOR_ZOOM), QStringLiteral("1600%"));

    // The toolbar closed from the window's own menu, not through the command.
    frame()->GetToolBar()->hide();
    Settle();
    EXPECT_FALSE(frame()->Action(ID_VIEW_TOOLBAR)->isChecked());

    EXPECT_FALSE(Shown(ID_FILE_MRU_FILE1));
    ASSERT_TRUE(app->OpenDocumentFile(Write("10_recent.dat")));
    EXPECT_TRUE(Shown(ID_FILE_MRU_FILE1));
}
