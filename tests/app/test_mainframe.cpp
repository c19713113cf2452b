#include "cproblemspanel.h"
#include "mainframefixture.h"

#include "chistorypanel.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QListWidget>
#include <QMouseEvent>

namespace {

TEST_F(MainFrameTest, StartsWithAnEmptyDocumentInThreePanes)
{
    Start();
    EXPECT_EQ(Title(), "Untitled - Vireo Editor");
    QSplitter* panes = frame()->GetSplitter();
    ASSERT_EQ(panes->count(), 3);
    // The tree under its Find field.
    EXPECT_EQ(panes->widget(0), frame()->GetTree()->parentWidget());
    EXPECT_EQ(panes->widget(1), frame()->GetPanelView());
    EXPECT_EQ(panes->widget(2), frame()->GetTemplView());
    const QList<int> sizes = panes->sizes();
    EXPECT_GT(sizes[0], 100); // room for the labels, which the layout test reads
    EXPECT_GT(sizes[1], sizes[0]);
    EXPECT_EQ(sizes[0] + sizes[1] + sizes[2] + 2 * panes->handleWidth(), panes->width());
    EXPECT_EQ(frame()->GetTree()->model()->rowCount(), 3);
    EXPECT_EQ(frame()->GetTemplView()->GetTotalSize(), QSize(100, 100));
    EXPECT_EQ(frame()->GetActivePaneIndex(), CMainFrame::kViewPane);

    // The panel view fills its panes at once; the id pane waits for a record.
    EXPECT_EQ(Pane(ID_INDICATOR_ZOOM), QStringLiteral("100%"));
    EXPECT_EQ(Pane(ID_INDICATOR_MOUSE), QStringLiteral("0, 0"));
    EXPECT_EQ(Pane(ID_INDICATOR_ID), QStringLiteral("ID:0000"));
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
    EXPECT_FALSE(Enabled(ID_FILE_MRU_FILE1));
    EXPECT_EQ(frame()->Action(ID_FILE_MRU_FILE1)->text(), QStringLiteral("Recent File"));
}

TEST_F(MainFrameTest, AFileThatCannotBeOpenedOnTheCommandLineStartsEmpty)
{
    Start({QString::fromStdString(dir.File("8_missing.dat"))});
    ASSERT_EQ(ui.Texts(),
              std::vector<std::string>{"Failed to open document.\n" + dir.File("8_missing.dat") +
                                       ": No such file or directory."});
    EXPECT_EQ(Title(), "Untitled - Vireo Editor");
    EXPECT_TRUE(frame()->isVisible());
    EXPECT_TRUE(doc().GetPathName().empty());
    EXPECT_TRUE(Recent().isEmpty());
}

TEST_F(MainFrameTest, OpensTheCommandLineFileAndKeepsSixRecentFiles)
{
    const std::string first = Write("8_first.dat");
    Start({QString::fromStdString(first)});
    EXPECT_EQ(Title(), "8_first.dat - Vireo Editor");
    EXPECT_EQ(doc().m_manager.m_nScreenWidth, 800);
    EXPECT_EQ(frame()->GetPanelView()->GetTotalSize(), QSize(800, 600));
    EXPECT_EQ(Recent(), QStringList{QString::fromStdString(first)});

    for (int i = 0; i < 7; ++i)
        ASSERT_TRUE(app->OpenDocumentFile(Write("c" + std::to_string(i) + ".dat")));
    const QStringList recent = Recent();
    ASSERT_EQ(recent.size(), 6);
    EXPECT_EQ(recent.front(), QString::fromStdString(dir.File("c6.dat")));
    EXPECT_EQ(recent.back(), QString::fromStdString(dir.File("c1.dat")));
    EXPECT_EQ(frame()->Action(ID_FILE_MRU_FILE1)->text(), QStringLiteral("&1 ") + recent.front());
    EXPECT_TRUE(frame()->Action(ID_FILE_MRU_FILE1 + 5)->isVisible());

    // Opening from the list moves the file to the front; one that vanished leaves the list.
    EXPECT_TRUE(frame()->ExecuteCommand(ID_FILE_MRU_FILE1 + 2));
    EXPECT_EQ(Recent().front(), QString::fromStdString(dir.File("c4.dat")));
    std::filesystem::remove(dir.File("c5.dat")); // now third: c4, c6, c5
    frame()->ExecuteCommand(ID_FILE_MRU_FILE1 + 2);
    EXPECT_FALSE(Recent().contains(QString::fromStdString(dir.File("c5.dat"))));
    EXPECT_EQ(doc().GetPathName(), dir.File("c4.dat")); // the open cockpit stays
}

TEST_F(MainFrameTest, TheActivePaneDecidesWhichCommandsAreEnabled)
{
    QGuiApplication::clipboard()->clear();
    Start({QString::fromStdString(Write("10_route.dat"))});
    doc().SetCurrentPanel(doc().m_manager.FindPanel(100));
    doc().SetCurrentObject(doc().m_manager.FindObject(101));

    frame()->SetActivePane(CMainFrame::kViewPane);
    EXPECT_TRUE(Enabled(ID_ADD_OBJECT));
    EXPECT_TRUE(Enabled(ID_EDIT_CLEAR));
    EXPECT_TRUE(Enabled(ID_VIEW_REFRESH));
    EXPECT_TRUE(Enabled(ID_ZOOM_IN));
    EXPECT_TRUE(Enabled(ID_FILE_PRINT));
    EXPECT_TRUE(Enabled(ID_EDIT_CUT));
    EXPECT_TRUE(Enabled(ID_EDIT_COPY));
    EXPECT_FALSE(Enabled(ID_EDIT_PASTE)); // nothing copied yet
    EXPECT_TRUE(frame()->Action(ID_SHOW_BUTTONS)->isChecked());

    frame()->SetActivePane(CMainFrame::kTemplPane);
    EXPECT_FALSE(Enabled(ID_ADD_OBJECT));
    EXPECT_FALSE(Enabled(ID_DUPLICATE));
    EXPECT_FALSE(Enabled(ID_EDIT_CLEAR));
    EXPECT_FALSE(Enabled(ID_EDIT_COPY));
    EXPECT_TRUE(Enabled(ID_ZOOM_IN)); // the template's own zoom
    EXPECT_FALSE(Enabled(ID_SHOW_BUTTONS));
    EXPECT_TRUE(Enabled(ID_VIEW_REFRESH));
    EXPECT_TRUE(Enabled(ID_NUDGE_RIGHT));
    EXPECT_FALSE(frame()->ExecuteCommand(ID_ADD_OBJECT));
    EXPECT_FALSE(frame()->ExecuteCommand(ID_EDIT_CLEAR));
    EXPECT_EQ(doc().m_manager.FindPanel(100)->m_anObjects, std::vector<int>{101});

    frame()->SetActivePane(CMainFrame::kTreePane);
    EXPECT_FALSE(Enabled(ID_VIEW_REFRESH));
    EXPECT_TRUE(Enabled(ID_ADD_OBJECT));
    EXPECT_FALSE(Enabled(ID_EDIT_PASTE)); // nothing copied yet

    // The document, frame and application answer whichever pane is active.
    for (int pane : {CMainFrame::kTreePane, CMainFrame::kViewPane, CMainFrame::kTemplPane}) {
        frame()->SetActivePane(pane);
        for (int id : {ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_CHECK_COCKPIT, ID_FILE_NEW, ID_FILE_OPEN,
                       ID_APP_ABOUT, ID_NEXT_PANE, ID_VIEW_TOOLBAR})
            EXPECT_TRUE(Enabled(id)) << pane << " " << id;
        EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
    }
}

TEST_F(MainFrameTest, AStaleEnabledActionStillDoesNotRunADisabledCommand)
{
    Start({QString::fromStdString(Write("10_stale.dat"))});
    frame()->SetActivePane(CMainFrame::kViewPane);
    doc().SetCurrentPanel(doc().m_manager.FindPanel(100));
    doc().SetCurrentObject(doc().m_manager.FindSound(101)); // shares the id of light 101
    frame()->Action(ID_EDIT_CLEAR)->setEnabled(true);
    frame()->Action(ID_EDIT_CLEAR)->trigger();
    EXPECT_EQ(doc().m_manager.FindPanel(100)->m_anObjects, std::vector<int>{101});
    EXPECT_FALSE(doc().IsModified());
    EXPECT_FALSE(frame()->Action(ID_EDIT_CLEAR)->isEnabled());
}

TEST_F(MainFrameTest, ShortcutsSeeTheStateOfTheMomentTheyArePressed)
{
    Start({QString::fromStdString(Write("10_keys.dat"))});
    if (QApplication::activeWindow() != frame())
        GTEST_SKIP() << "the platform does not activate windows";
    frame()->SetActivePane(CMainFrame::kViewPane);
    QWidget* focus = frame()->GetPanelView();
    focus->setFocus();
    doc().SetCurrentPanel(doc().m_manager.FindPanel(100));
    frame()->UpdateCommandUI(); // Nudge Left now disabled: no current record
    ASSERT_FALSE(frame()->Action(ID_NUDGE_LEFT)->isEnabled());

    // The record is chosen after the last idle update; Ctrl+Left must still find it enabled.
    doc().SetCurrentObject(doc().m_manager.FindObject(101));
    EXPECT_TRUE(PressShortcut(focus, Qt::Key_Left, Qt::ControlModifier));
    CRect rc;
    doc().m_manager.FindObject(101)->GetDestRect(&rc);
    EXPECT_EQ(rc, CRect(19, 20, 39, 40));

    // With no record it is disabled by the time the key is looked at, and nothing happens.
    doc().SetCurrentObject(nullptr);
    PressShortcut(focus, Qt::Key_Left, Qt::ControlModifier);
    EXPECT_FALSE(frame()->Action(ID_NUDGE_LEFT)->isEnabled());

    // Alt+I zooms the panel view.
    EXPECT_TRUE(PressShortcut(focus, Qt::Key_I, Qt::AltModifier));
    EXPECT_EQ(Pane(ID_INDICATOR_ZOOM), QStringLiteral("125%"));
}

TEST_F(MainFrameTest, F6AndShiftF6WalkThePanes)
{
    Start();
    std::vector<int> seen;
    for (int i = 0; i < 3; ++i) {
        frame()->ExecuteCommand(ID_NEXT_PANE);
        seen.push_back(frame()->GetActivePaneIndex());
    }
    frame()->ExecuteCommand(ID_PREV_PANE);
    seen.push_back(frame()->GetActivePaneIndex());
    EXPECT_EQ(seen, (std::vector<int>{CMainFrame::kTemplPane, CMainFrame::kTreePane,
                                      CMainFrame::kViewPane, CMainFrame::kTreePane}));
}

TEST_F(MainFrameTest, SaveRunsTheCheckAndSavesOnlyWithSaveAnyway)
{
    Start();
    ASSERT_TRUE(doc().NewPanel()); // modified; no template, so the quick check fails
    const std::string target = dir.File("10_new.dat");
    prompts.m_strSave = target;

    ui.m_nCheckAnswer = IDCANCEL;
    EXPECT_TRUE(frame()->ExecuteCommand(ID_FILE_SAVE));
    EXPECT_FALSE(std::filesystem::exists(target));
    EXPECT_TRUE(doc().IsModified());
    EXPECT_EQ(Title(), "Untitled* - Vireo Editor");

    ui.m_nCheckAnswer = IDOK;
    frame()->ExecuteCommand(ID_FILE_SAVE);
    ASSERT_TRUE(std::filesystem::exists(target));
    EXPECT_NE(dir.Read("10_new.dat").find("#100 PANEL"), std::string::npos);
    EXPECT_FALSE(doc().IsModified());
    EXPECT_EQ(Title(), "10_new.dat - Vireo Editor");
    EXPECT_EQ(Recent(), QStringList{QString::fromStdString(target)});
    EXPECT_EQ(ui.m_aSaveAnywayShown, (std::vector<bool>{true, true}));
    EXPECT_EQ(ui.m_aCheckResults.front().front(), "Manager, No template file");

    // Check Cockpit lists the results in the Problems panel, not a dialog, and changes nothing.
    frame()->ExecuteCommand(ID_CHECK_COCKPIT);
    EXPECT_EQ(ui.m_aSaveAnywayShown.size(), 2u);
    EXPECT_TRUE(frame()->GetProblemsPanel()->isVisible());
    EXPECT_FALSE(doc().IsModified());
}

TEST_F(MainFrameTest, ClosingAModifiedDocumentAsksFirst)
{
    Start();
    ASSERT_TRUE(doc().NewPanel());
    prompts.m_nAnswer = IFramePrompts::Cancel;
    EXPECT_FALSE(frame()->close());
    EXPECT_TRUE(frame()->isVisible());
    EXPECT_EQ(prompts.m_aAsked, std::vector<std::string>{"Untitled"});

    // Yes, but the save is declined in "Check Results": the window stays.
    prompts.m_nAnswer = IFramePrompts::Yes;
    prompts.m_strSave = dir.File("kept.dat");
    ui.m_nCheckAnswer = IDCANCEL;
    EXPECT_FALSE(frame()->close());
    EXPECT_FALSE(std::filesystem::exists(dir.File("kept.dat")));

    // New asks the same question; No drops the changes.
    prompts.m_nAnswer = IFramePrompts::No;
    EXPECT_TRUE(frame()->ExecuteCommand(ID_FILE_NEW));
    EXPECT_TRUE(doc().m_manager.m_aPanels.empty());
    EXPECT_TRUE(frame()->close());
}

TEST_F(MainFrameTest, ADroppedFileOpensAfterTheQuestion)
{
    Start();
    const std::string file = Write("6_dropped.dat");
    ASSERT_TRUE(doc().NewPanel());
    auto drop = [&] {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(file))});
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(frame(), &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent event(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(frame(), &event);
        QApplication::processEvents();
    };
    prompts.m_nAnswer = IFramePrompts::Cancel;
    drop();
    EXPECT_EQ(prompts.m_aAsked.size(), 1u);
    EXPECT_TRUE(doc().GetPathName().empty());

    prompts.m_nAnswer = IFramePrompts::No;
    drop();
    EXPECT_EQ(doc().GetPathName(), file);
    EXPECT_EQ(Title(), "6_dropped.dat - Vireo Editor");
    EXPECT_EQ(doc().m_manager.m_nScreenWidth, 640);
}

TEST_F(MainFrameTest, UndoAndRedoNameTheStepAndTheModifiedMarkFollowsTheSavedState)
{
    Start({QString::fromStdString(Write("10_undo.dat"))});
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
    EXPECT_FALSE(Enabled(ID_EDIT_REDO));
    EXPECT_EQ(frame()->Action(ID_EDIT_UNDO)->text(), QStringLiteral("&Undo\tCtrl+Z"));

    CCPPanel* panel = doc().m_manager.FindPanel(100);
    doc().SetCurrentPanel(panel);
    doc().SetCurrentObject(doc().m_manager.FindObject(101));
    frame()->SetActivePane(CMainFrame::kViewPane);
    ASSERT_TRUE(frame()->ExecuteCommand(ID_NUDGE_RIGHT));
    EXPECT_TRUE(Enabled(ID_EDIT_UNDO));
    EXPECT_EQ(frame()->Action(ID_EDIT_UNDO)->text(),
              QStringLiteral("&Undo Move Light 101\tCtrl+Z"));
    EXPECT_TRUE(doc().IsModified());

    // Undo works from whichever pane is active, and a shortcut reaches it.
    frame()->SetActivePane(CMainFrame::kTreePane);
    EXPECT_TRUE(frame()->ExecuteCommand(ID_EDIT_UNDO));
    EXPECT_FALSE(doc().IsModified());
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
    EXPECT_EQ(frame()->Action(ID_EDIT_REDO)->text(),
              QStringLiteral("&Redo Move Light 101\tCtrl+Y"));
    EXPECT_EQ(frame()->Action(ID_EDIT_REDO)->shortcuts(),
              (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Y),
                                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}));
    frame()->ExecuteCommand(ID_EDIT_REDO);
    EXPECT_TRUE(doc().IsModified());

    // Saved here: undoing away from it marks the cockpit modified, redoing back clears it.
    ui.m_nCheckAnswer = IDOK;
    frame()->ExecuteCommand(ID_FILE_SAVE);
    EXPECT_FALSE(doc().IsModified());
    frame()->ExecuteCommand(ID_EDIT_UNDO);
    EXPECT_TRUE(doc().IsModified());
    frame()->ExecuteCommand(ID_EDIT_REDO);
    EXPECT_FALSE(doc().IsModified());
}

TEST_F(MainFrameTest, TheHistoryPanelListsTheStepsAndJumpsToOne)
{
    Start({QString::fromStdString(Write("10_history.dat"))});
    QAction* show = frame()->GetHistoryPanel()->toggleViewAction();
    EXPECT_EQ(show->text(), QStringLiteral("&History"));
    show->trigger();
    EXPECT_TRUE(frame()->GetHistoryPanel()->isVisible());

    CCPObject* light = doc().m_manager.FindObject(101);
    doc().SetCurrentPanel(doc().m_manager.FindPanel(100));
    doc().RenameRecord(light, "Gear");
    doc().RenameRecord(light, "Gear Light");
    QListWidget* list = frame()->GetHistoryPanel()->GetList();
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("10_history.dat"));
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("Rename Light 101"));
    EXPECT_EQ(list->item(2)->text(), QStringLiteral("Rename Gear"));
    EXPECT_EQ(list->currentRow(), 2);

    // Clicking the first line goes back to the file as opened; the tree follows.
    const auto click = [list](int row) {
        const QPointF at = list->visualItemRect(list->item(row)).center();
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, list->viewport()->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, {});
            QApplication::sendEvent(list->viewport(), &event);
        }
    };
    click(0);
    EXPECT_EQ(doc().GetHistory().Current(), 0u);
    EXPECT_FALSE(doc().IsModified());
    std::string name;
    EXPECT_FALSE(light->GetName(name));
    EXPECT_EQ(doc().m_pCurrentObject, light);
    EXPECT_EQ(list->count(), 3); // the undone steps stay to be redone
    click(2);
    ASSERT_TRUE(light->GetName(name));
    EXPECT_EQ(name, "Gear Light");
}

TEST_F(MainFrameTest, TheHistoryPanelShowsFileNamesAsTheSystemAndRecordNamesAsTheFile)
{
    // The file name is the system's (UTF-8) as in the title; a record name is the file's Latin-1.
    Start({QString::fromStdString(Write("H\xc3\xb6henmesser.dat"))});
    CCPObject* light = doc().m_manager.FindObject(101);
    doc().RenameRecord(light, "Gauge \xb0");
    doc().RenameRecord(light, "Gauge");
    QListWidget* list = frame()->GetHistoryPanel()->GetList();
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("H\u00f6henmesser.dat"));
    EXPECT_EQ(Title().rfind("H\xc3\xb6henmesser.dat", 0), 0u) << Title();
    EXPECT_EQ(list->item(2)->text(), QStringLiteral("Rename Gauge \u00b0"));
}

} // namespace
