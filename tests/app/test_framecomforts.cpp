#include "mainframefixture.h"

#include "ccptreepane.h"
#include "filepaths.h"

#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

namespace {

// A cockpit of tests/data copied into folder, with its pictures drawn there.
std::string CopyPicturesCockpit(const CTempDir& dir)
{
    std::string text;
    EXPECT_TRUE(ReadWholeFile(TestDataPath("pictures_beside.dat"), text));
    dir.Write("10_pictures.dat", text);
    std::filesystem::create_directories(dir.File("art"));
    QImage tmpl(32, 16, QImage::Format_RGB32);
    tmpl.fill(Qt::red);
    EXPECT_TRUE(tmpl.save(QString::fromStdString(dir.File("tmpl.png"))));
    QImage back(100, 100, QImage::Format_RGB32);
    back.fill(Qt::green);
    EXPECT_TRUE(back.save(QString::fromStdString(dir.File("art/back.png"))));
    return dir.File("10_pictures.dat");
}

TEST_F(MainFrameTest, TitleMarksChangesAndTheStatusBarShowsTheFolder)
{
    Start();
    EXPECT_FALSE(frame()->FolderPane()->isVisible()); // an untitled cockpit has no folder

    const std::string file = Write("8_marked.dat");
    ASSERT_TRUE(app->OpenDocumentFile(file));
    EXPECT_EQ(Title(), "8_marked.dat - Vireo Editor");
    EXPECT_EQ(frame()->FolderPane()->text().toStdString(), dir.Path() + "/");
    EXPECT_EQ(frame()->FolderPane()->toolTip().toStdString(), file);
    EXPECT_TRUE(frame()->FolderPane()->isVisible());

    // Any change marks it; saving clears the mark.
    frame()->SetActivePane(CMainFrame::kViewPane);
    doc().SetCurrentPanel(doc().m_manager.FindPanel(100));
    doc().SetCurrentObject(doc().m_manager.FindObject(101));
    ASSERT_TRUE(frame()->ExecuteCommand(ID_NUDGE_RIGHT));
    EXPECT_EQ(Title(), "8_marked.dat* - Vireo Editor");
    ui.m_nCheckAnswer = IDOK; // no template: "Save Anyway"
    ASSERT_TRUE(frame()->ExecuteCommand(ID_FILE_SAVE));
    EXPECT_EQ(Title(), "8_marked.dat - Vireo Editor");
}

TEST_F(MainFrameTest, TheActivePaneIsFramedAndNamedInTheStatusBar)
{
    Start({QString::fromStdString(Write("10_panes.dat"))});
    const QColor highlight = frame()->palette().color(QPalette::Active, QPalette::Highlight);
    struct Expect
    {
        int pane;
        const char* name;
    };
    for (Expect e :
         {Expect{CMainFrame::kTreePane, "Tree"}, Expect{CMainFrame::kTemplPane, "Template view"},
          Expect{CMainFrame::kViewPane, "Panel view"}}) {
        frame()->SetActivePane(e.pane);
        QApplication::processEvents();
        EXPECT_EQ(frame()->ActivePaneLabel()->text().toStdString(), e.name);
        for (int i = CMainFrame::kTreePane; i <= CMainFrame::kTemplPane; ++i) {
            // The frame is drawn over the pane's edge, on the active pane only.
            QWidget* pane = frame()->PaneWidget(i);
            const QImage shot = pane->grab().toImage();
            const QColor edge = shot.pixelColor(0, shot.height() / 2);
            EXPECT_EQ(edge == highlight, i == e.pane) << e.name << " pane " << i;
            EXPECT_EQ(frame()->PaneMark(i)->isVisible(), i == e.pane);
        }
    }

    // A click (focus) in a pane makes it the active one, as F6 does.
    frame()->GetTree()->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    if (QApplication::focusWidget() == frame()->GetTree()) {
        EXPECT_EQ(frame()->GetActivePaneIndex(), CMainFrame::kTreePane);
        EXPECT_EQ(frame()->ActivePaneLabel()->text(), QStringLiteral("Tree"));
        EXPECT_TRUE(frame()->PaneMark(CMainFrame::kTreePane)->isVisible());
    }
}

TEST_F(MainFrameTest, TheIdPaneFollowsTheCurrentRecordInEveryPane)
{
    Start({QString::fromStdString(Write("10_ids.dat"))});
    for (int pane : {CMainFrame::kTreePane, CMainFrame::kTemplPane, CMainFrame::kViewPane}) {
        frame()->SetActivePane(pane);
        doc().SetCurrentPanel(doc().m_manager.FindPanel(100));
        doc().SetCurrentObject(doc().m_manager.FindObject(101));
        frame()->UpdateCommandUI();
        EXPECT_EQ(Pane(ID_INDICATOR_ID), QStringLiteral("ID: 101")) << pane;
        doc().SetCurrentObject(doc().m_manager.FindButtonView(1));
        frame()->UpdateCommandUI();
        EXPECT_EQ(Pane(ID_INDICATOR_ID), QStringLiteral("ID: 1")) << pane;
    }
    // With no record the pane keeps the last id, in every pane as in the panel view.
    for (int pane : {CMainFrame::kTreePane, CMainFrame::kTemplPane, CMainFrame::kViewPane}) {
        frame()->SetActivePane(pane);
        doc().SetCurrentObject(nullptr);
        frame()->UpdateCommandUI();
        EXPECT_EQ(Pane(ID_INDICATOR_ID), QStringLiteral("ID: 1")) << pane;
    }
}

TEST_F(MainFrameTest, TheDeleteKeyDeletesAsEditDeleteDoes)
{
    Start({QString::fromStdString(Write("10_delete.dat"))});
    if (QApplication::activeWindow() != frame())
        GTEST_SKIP() << "the platform does not activate windows";
    EXPECT_EQ(frame()->Action(ID_EDIT_CLEAR)->shortcut(), QKeySequence(Qt::Key_Delete));
    CCPPanel* panel = doc().m_manager.FindPanel(100);

    // A sound shares light 101's id but is not on the panel: Delete is off, nothing goes.
    frame()->SetActivePane(CMainFrame::kViewPane);
    doc().SetCurrentPanel(panel);
    doc().SetCurrentObject(doc().m_manager.FindSound(101));
    PressShortcut(frame()->GetPanelView(), Qt::Key_Delete);
    EXPECT_EQ(panel->m_anObjects, std::vector<int>{101});
    EXPECT_FALSE(doc().IsModified());

    // The panel's own light goes, from the panel view as from the tree.
    doc().SetCurrentObject(doc().m_manager.FindObject(101));
    EXPECT_TRUE(PressShortcut(frame()->GetPanelView(), Qt::Key_Delete));
    EXPECT_TRUE(panel->m_anObjects.empty());
    EXPECT_TRUE(doc().IsModified());
    frame()->SetActivePane(CMainFrame::kTreePane);
    doc().SetCurrentObject(doc().m_manager.FindButtonView(1));
    EXPECT_TRUE(PressShortcut(frame()->GetTree(), Qt::Key_Delete));
    EXPECT_TRUE(panel->m_anButtonViews.empty());

    // In the template view Edit > Delete is off, and so is the key.
    panel->m_anObjects = {101};
    frame()->SetActivePane(CMainFrame::kTemplPane);
    doc().SetCurrentObject(doc().m_manager.FindObject(101));
    PressShortcut(frame()->GetTemplView(), Qt::Key_Delete);
    EXPECT_EQ(panel->m_anObjects, std::vector<int>{101});

    // While a label is being edited in the tree, Delete edits the text.
    frame()->SetActivePane(CMainFrame::kTreePane);
    CCPTree* tree = frame()->GetTree();
    tree->edit(tree->FindItem(panel));
    auto* edit = tree->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr);
    EXPECT_FALSE(PressShortcut(edit, Qt::Key_Delete));
    EXPECT_EQ(panel->m_anObjects, std::vector<int>{101});
}

TEST_F(MainFrameTest, TheEditMenuListsFindWithItsKeys)
{
    Start({QString::fromStdString(Write("10_find.dat"))});
    QMenu* edit = nullptr;
    for (QAction* menu : frame()->menuBar()->actions())
        if (menu->text() == QStringLiteral("&Edit"))
            edit = menu->menu();
    ASSERT_NE(edit, nullptr);
    QMap<QString, QAction*> byText;
    for (QAction* a : edit->actions())
        byText[a->text()] = a;
    ASSERT_TRUE(byText.contains(QStringLiteral("&Find...")));
    EXPECT_EQ(byText[QStringLiteral("&Find...")]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
    EXPECT_EQ(byText[QStringLiteral("Find &Next")]->shortcut(), QKeySequence(Qt::Key_F3));
    EXPECT_EQ(byText[QStringLiteral("Find &Previous")]->shortcut(),
              QKeySequence(Qt::SHIFT | Qt::Key_F3));

    // Chosen from the menu, Find selects the field's text for typing over.
    auto* pane = qobject_cast<CCPTreePane*>(frame()->GetTree()->parentWidget());
    ASSERT_NE(pane, nullptr);
    pane->GetFindField()->setText(QStringLiteral("light"));
    frame()->SetActivePane(CMainFrame::kViewPane);
    byText[QStringLiteral("&Find...")]->trigger();
    EXPECT_EQ(pane->GetFindField()->selectedText(), QStringLiteral("light"));
    if (QApplication::activeWindow() == frame()) {
        EXPECT_TRUE(pane->GetFindField()->hasFocus());
    }
}

TEST_F(MainFrameTest, LayoutAndZoomAreKeptBetweenRuns)
{
    // The first start leaves the tree room for its labels.
    Start({QString::fromStdString(ExamplePath("10_demo.dat"))});
    CCPTree* tree = frame()->GetTree();
    tree->expandAll();
    QApplication::processEvents();
    const int room = tree->viewport()->width();
    int checked = 0;
    // Roots, panels and the instruments panel's records.
    std::vector<QModelIndex> shown;
    QAbstractItemModel* model = tree->model();
    for (int i = 0; i < model->rowCount(); ++i) {
        const QModelIndex top = model->index(i, 0);
        shown.push_back(top);
        for (int j = 0; j < model->rowCount(top); ++j) {
            const QModelIndex panel = model->index(j, 0, top);
            shown.push_back(panel);
            if (panel == tree->FindItem(doc().m_manager.FindPanel(200)))
                for (int k = 0; k < model->rowCount(panel); ++k)
                    shown.push_back(model->index(k, 0, panel));
        }
    }
    for (const QModelIndex& index : shown) {
        const QRect rc = tree->visualRect(index);
        const QString text = index.data().toString();
        const int needed =
            rc.left() + tree->iconSize().width() + 6 + tree->fontMetrics().horizontalAdvance(text);
        EXPECT_LE(needed, room) << text.toStdString();
        ++checked;
    }
    EXPECT_GT(checked, 20);

    // What the user set up comes back on the next start.
    frame()->resize(900, 650);
    QApplication::processEvents();
    frame()->GetSplitter()->setSizes({260, 400, 200});
    const QList<int> sizes = frame()->GetSplitter()->sizes();
    frame()->SetActivePane(CMainFrame::kViewPane);
    ASSERT_TRUE(frame()->ExecuteCommand(ID_ZOOM_IN));
    ASSERT_TRUE(frame()->ExecuteCommand(ID_ZOOM_IN));
    frame()->ExecuteCommand(ID_VIEW_STATUS_BAR);
    ASSERT_TRUE(frame()->close());
    app.reset();

    Start();
    EXPECT_EQ(frame()->size(), QSize(900, 650));
    EXPECT_EQ(frame()->GetSplitter()->sizes(), sizes);
    EXPECT_EQ(frame()->GetPanelView()->m_fZoom, 1.5f);
    EXPECT_TRUE(frame()->statusBar()->isHidden());
    // Kept with the recent files.
    QSettings settings(QStringLiteral("Orvanta"), QStringLiteral("Vireo"));
    EXPECT_TRUE(settings.childGroups().contains(QStringLiteral("Layout")));
    EXPECT_TRUE(settings.childGroups().contains(QStringLiteral("Recent File List")));
}

TEST_F(MainFrameTest, SaveAsElsewhereOffersToCopyThePicturesThatWouldBeLost)
{
    CTempDir there;
    const std::string source = CopyPicturesCockpit(dir);
    Start({QString::fromStdString(source)});
    ASSERT_TRUE(ui.m_aBoxes.empty()) << ui.m_aBoxes.front().text;
    const std::vector<std::string> pictures{"tmpl.png", "art\\back.png"};

    // Cancel saves nothing.
    prompts.m_strSave = there.File("10_copy.dat");
    prompts.m_nCopyAnswer = IFramePrompts::Cancel;
    frame()->ExecuteCommand(ID_FILE_SAVE_AS);
    ASSERT_EQ(prompts.m_aCopyAsked.size(), 1u);
    EXPECT_EQ(prompts.m_aCopyAsked[0], pictures);
    EXPECT_EQ(prompts.m_aCopyFolders[0], there.Path() + "/");
    EXPECT_FALSE(std::filesystem::exists(there.File("10_copy.dat")));
    EXPECT_EQ(doc().GetPathName(), source);

    // No saves the cockpit alone.
    prompts.m_nCopyAnswer = IFramePrompts::No;
    frame()->ExecuteCommand(ID_FILE_SAVE_AS);
    EXPECT_TRUE(std::filesystem::exists(there.File("10_copy.dat")));
    EXPECT_FALSE(std::filesystem::exists(there.File("tmpl.png")));

    // Yes copies them under the names the file gives them; the copy then opens whole.
    prompts.m_strSave = there.File("10_whole.dat");
    prompts.m_nCopyAnswer = IFramePrompts::Yes;
    frame()->ExecuteCommand(ID_FILE_SAVE_AS);
    EXPECT_TRUE(std::filesystem::exists(there.File("tmpl.png")));
    EXPECT_TRUE(std::filesystem::exists(there.File("art/back.png")));
    EXPECT_EQ(doc().GetPathName(), there.File("10_whole.dat"));
    ui.m_aBoxes.clear();
    ASSERT_TRUE(app->OpenDocumentFile(there.File("10_whole.dat")));
    doc().SetCurrentPanel(doc().m_manager.FindPanel(100));
    frame()->GetPanelView()->viewport()->repaint();
    QApplication::processEvents();
    EXPECT_TRUE(ui.m_aBoxes.empty()) << ui.m_aBoxes.front().text;
    EXPECT_FALSE(doc().m_manager.m_bmpTemplate.IsNull());

    // Saving where the pictures are found asks nothing.
    const size_t asked = prompts.m_aCopyAsked.size();
    prompts.m_strSave = there.File("10_again.dat");
    frame()->ExecuteCommand(ID_FILE_SAVE_AS);
    EXPECT_TRUE(std::filesystem::exists(there.File("10_again.dat")));
    EXPECT_EQ(prompts.m_aCopyAsked.size(), asked);
}

TEST_F(MainFrameTest, NewStartsCleanAndNewPanelsHaveNoNeighbours)
{
    const std::string source = CopyPicturesCockpit(dir);
    Start({QString::fromStdString(source)});
    ASSERT_EQ(frame()->GetTemplView()->GetTotalSize(), QSize(32, 16));

    ASSERT_TRUE(frame()->ExecuteCommand(ID_FILE_NEW));
    EXPECT_EQ(Title(), "Untitled - Vireo Editor");
    EXPECT_EQ(frame()->GetTemplView()->GetTotalSize(), QSize(100, 100));
    EXPECT_TRUE(doc().m_manager.m_bmpTemplate.IsNull());

    // Edit > Add Panel: the panel adds no neighbour messages to the check.
    frame()->SetActivePane(CMainFrame::kViewPane);
    ASSERT_TRUE(frame()->ExecuteCommand(ID_ADD_PANEL));
    ASSERT_EQ(doc().m_manager.m_aPanels.size(), 1u);
    EXPECT_EQ(doc().m_manager.m_aPanels[0]->m_anAdjPanels,
              (std::array<int, 8>{-1, -1, -1, -1, -1, -1, -1, -1}));
    CCheckMessageArray messages;
    doc().m_manager.Check(messages, true);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.front().m_strMessage, "Manager, No template file");
    for (const CCheckMessage& m : messages)
        EXPECT_EQ(m.m_strMessage.find("adjacent"), std::string::npos) << m.m_strMessage;

    // The new cockpit's file names nothing of the old one.
    prompts.m_strSave = dir.File("10_fresh.dat");
    ui.m_nCheckAnswer = IDOK;
    ASSERT_TRUE(frame()->ExecuteCommand(ID_FILE_SAVE));
    const std::string saved = dir.Read("10_fresh.dat");
    EXPECT_EQ(saved.find("Pictures Beside"), std::string::npos);
    EXPECT_EQ(saved.find("tmpl.png"), std::string::npos);
}

} // namespace
