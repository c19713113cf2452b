#include "mainframefixture.h"

#include "cshownpanels.h"

#include <QMenuBar>
#include <QTreeView>

namespace {

class ZoomAndOpenTest : public MainFrameTest
{
protected:
    // tests/data/open_two_panels.dat under name, beside its background picture (red).
    std::string WriteTwoPanels(const std::string& name)
    {
        WritePicture("open_back.png", Qt::red);
        return Write(name, TestData("open_two_panels.dat"));
    }

    CCPPanel* Panel(int id) { return doc().m_manager.FindPanel(id); }

    // What the panel view shows at a point of its viewport.
    QRgb ViewPixel(int x, int y)
    {
        QApplication::processEvents();
        return frame()->GetPanelView()->viewport()->grab().toImage().pixel(x, y);
    }

    // The panel is shown as after a click on its row: current in the document and in the
    // tree, its branch open.
    void ExpectShown(int id)
    {
        CCPTree* tree = frame()->GetTree();
        const QModelIndex row = tree->FindItem(Panel(id));
        ASSERT_TRUE(row.isValid());
        EXPECT_EQ(doc().m_pCurrentPanel, Panel(id));
        EXPECT_EQ(doc().m_pCurrentObject, Panel(id));
        EXPECT_EQ(tree->currentIndex(), row);
        EXPECT_EQ(tree->SelectedItem(), row);
        EXPECT_TRUE(tree->isExpanded(row.parent()));
        EXPECT_TRUE(tree->isExpanded(row));
        // The picture is on the front panel at 10..30, on the left one at 60..80.
        EXPECT_EQ(ViewPixel(20, 20) == qRgb(255, 0, 0), id == 100);
        EXPECT_EQ(ViewPixel(70, 70) == qRgb(255, 0, 0), id == 200);
    }

    void ClickRow(const QModelIndex& row)
    {
        CCPTree* tree = frame()->GetTree();
        tree->scrollTo(row);
        const QRect rc = tree->visualRect(row);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(rc.left() + 30, rc.center().y()));
    }

    float ViewZoom() const { return app->GetMainFrame()->GetPanelView()->m_fZoom; }
    float TemplZoom() const { return app->GetMainFrame()->GetTemplView()->m_fZoom; }
};

TEST_F(ZoomAndOpenTest, TheViewMenuZoomsThePanelUnlessTheTemplateIsThePaneInUse)
{
    StartOn("frame_panel_light_sound.dat", "10_zoom.dat");
    QMenu* view = nullptr;
    for (QAction* menu : frame()->menuBar()->actions())
        if (menu->text() == QStringLiteral("&View"))
            view = menu->menu();
    ASSERT_NE(view, nullptr);
    QStringList texts;
    for (QAction* action : view->actions())
        texts << action->text();
    for (const char* text :
         {"Zoom In\tAlt+I", "Zoom Out\tAlt+O", "Actual Size\tCtrl+0", "Fit to Window"})
        EXPECT_TRUE(texts.contains(QString::fromLatin1(text))) << text;

    // From the tree the commands zoom the panel, and the pane shows the panel's zoom.
    frame()->SetActivePane(CMainFrame::kTreePane);
    EXPECT_TRUE(frame()->ExecuteCommand(ID_ZOOM_IN));
    EXPECT_EQ(ViewZoom(), 1.25f);
    EXPECT_EQ(Pane(ID_INDICATOR_ZOOM), QStringLiteral("125%"));
    EXPECT_TRUE(frame()->ExecuteCommand(ID_ZOOM_FIT));
    EXPECT_LE(frame()->GetPanelView()->GetTotalSize().width(),
              frame()->GetPanelView()->maximumViewportSize().width());

    // The template view zooms its own picture and leaves the panel's zoom alone.
    const float panelZoom = ViewZoom();
    frame()->SetActivePane(CMainFrame::kTemplPane);
    EXPECT_TRUE(frame()->ExecuteCommand(ID_ZOOM_OUT));
    EXPECT_EQ(TemplZoom(), 0.75f);
    EXPECT_EQ(Pane(ID_INDICATOR_ZOOM), QStringLiteral("75%"));
    EXPECT_EQ(ViewZoom(), panelZoom);

    frame()->SetActivePane(CMainFrame::kViewPane);
    EXPECT_TRUE(frame()->ExecuteCommand(ID_ZOOM_ACTUAL));
    EXPECT_EQ(ViewZoom(), 1.0f);
    EXPECT_EQ(Pane(ID_INDICATOR_ZOOM), QStringLiteral("100%"));
    EXPECT_EQ(TemplZoom(), 0.75f);

    // Looking closer is no edit: nothing to undo, nothing to save.
    EXPECT_FALSE(doc().IsModified());
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
}

TEST_F(ZoomAndOpenTest, TheUsualZoomKeysWorkWhicheverPaneHasTheFocus)
{
    StartOn("frame_panel_light_sound.dat", "10_keys.dat");
    if (QApplication::activeWindow() != frame())
        GTEST_SKIP() << "the platform does not activate windows";
    QWidget* panelView = frame()->GetPanelView();
    frame()->SetActivePane(CMainFrame::kViewPane);
    EXPECT_TRUE(PressShortcut(panelView, Qt::Key_Equal, Qt::ControlModifier));
    EXPECT_EQ(ViewZoom(), 1.25f);
    EXPECT_TRUE(PressShortcut(panelView, Qt::Key_Plus, Qt::ControlModifier));
    EXPECT_EQ(ViewZoom(), 1.5f);
    EXPECT_TRUE(PressShortcut(panelView, Qt::Key_Minus, Qt::ControlModifier));
    EXPECT_EQ(ViewZoom(), 1.25f);
    EXPECT_TRUE(PressShortcut(panelView, Qt::Key_O, Qt::AltModifier));
    EXPECT_EQ(ViewZoom(), 1.0f);
    EXPECT_TRUE(PressShortcut(panelView, Qt::Key_I, Qt::AltModifier));
    EXPECT_EQ(ViewZoom(), 1.25f);
    EXPECT_TRUE(PressShortcut(panelView, Qt::Key_0, Qt::ControlModifier));
    EXPECT_EQ(ViewZoom(), 1.0f);

    // In the tree the keys still zoom the panel.
    frame()->SetActivePane(CMainFrame::kTreePane);
    QWidget* tree = frame()->GetTree();
    tree->setFocus();
    EXPECT_TRUE(PressShortcut(tree, Qt::Key_Equal, Qt::ControlModifier));
    EXPECT_EQ(ViewZoom(), 1.25f);
    EXPECT_TRUE(PressShortcut(tree, Qt::Key_Minus, Qt::ControlModifier));
    EXPECT_TRUE(PressShortcut(tree, Qt::Key_Minus, Qt::ControlModifier));
    EXPECT_EQ(ViewZoom(), 0.75f);

    // In the template view they zoom the template.
    frame()->SetActivePane(CMainFrame::kTemplPane);
    EXPECT_TRUE(PressShortcut(frame()->GetTemplView(), Qt::Key_Equal, Qt::ControlModifier));
    EXPECT_EQ(TemplZoom(), 1.25f);
    EXPECT_EQ(ViewZoom(), 0.75f);
}

TEST_F(ZoomAndOpenTest, BothZoomsAreKeptBetweenRunsAlsoBetweenSteps)
{
    {
        // An older version kept a zoom that is no step now.
        QSettings settings(QStringLiteral("Orvanta"), QStringLiteral("Vireo"));
        settings.setValue(QStringLiteral("Layout/Zoom"), 1.1);
    }
    Start();
    EXPECT_EQ(ViewZoom(), 1.1f);
    EXPECT_EQ(Pane(ID_INDICATOR_ZOOM), QStringLiteral("110%"));
    EXPECT_EQ(frame()->GetPanelView()->GetTotalSize(), QSize(1126, 844));
    ASSERT_TRUE(frame()->ExecuteCommand(ID_ZOOM_IN));
    EXPECT_EQ(ViewZoom(), 1.25f);
    frame()->SetActivePane(CMainFrame::kTemplPane);
    ASSERT_TRUE(frame()->ExecuteCommand(ID_ZOOM_IN));
    ASSERT_TRUE(frame()->ExecuteCommand(ID_ZOOM_IN));
    ASSERT_TRUE(frame()->close());
    app.reset();

    Start();
    EXPECT_EQ(ViewZoom(), 1.25f);
    EXPECT_EQ(TemplZoom(), 1.5f);
    EXPECT_EQ(frame()->GetTemplView()->GetTotalSize(), QSize(150, 150));
    ASSERT_TRUE(frame()->close());
    app.reset();

    // What cannot be shown is not taken.
    {
        QSettings settings(QStringLiteral("Orvanta"), QStringLiteral("Vireo"));
        settings.setValue(QStringLiteral("Layout/Zoom"), 1e9);
        settings.setValue(QStringLiteral("Layout/TemplateZoom"), -2.0);
    }
    Start();
    EXPECT_EQ(ViewZoom(), 1.0f);
    EXPECT_EQ(TemplZoom(), 1.0f);
}

TEST_F(ZoomAndOpenTest, ACockpitOpensOntoItsFirstPanelWithItsBranchOpen)
{
    Start({QString::fromStdString(WriteTwoPanels("10_first.dat"))});
    ExpectShown(100);
    frame()->UpdateCommandUI();
    EXPECT_EQ(Pane(ID_INDICATOR_ID), QStringLiteral("ID: 100"));
    EXPECT_FALSE(doc().IsModified());
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
    EXPECT_TRUE(ui.Texts().empty());

    // A cockpit without panels opens with nothing chosen; New shows nothing either.
    ASSERT_TRUE(app->OpenDocumentFile(Write("10_sounds.dat", TestData("sounds_entries.dat"))));
    EXPECT_EQ(doc().m_pCurrentPanel, nullptr);
    EXPECT_EQ(doc().m_pCurrentObject, nullptr);
    ASSERT_TRUE(frame()->ExecuteCommand(ID_FILE_NEW));
    EXPECT_EQ(doc().m_pCurrentPanel, nullptr);
}

TEST_F(ZoomAndOpenTest, ACockpitOpensOntoThePanelItShowedWhenLastClosed)
{
    const std::string first = WriteTwoPanels("10_first.dat");
    const std::string second = Write("10_second.dat", TestData("open_two_panels.dat"));
    Start({QString::fromStdString(first)});
    ClickRow(frame()->GetTree()->FindItem(Panel(200)));
    ASSERT_EQ(doc().m_pCurrentPanel, Panel(200));
    ASSERT_TRUE(frame()->close());
    app.reset();

    // The next run.
    Start({QString::fromStdString(first)});
    ExpectShown(200);

    // Each file keeps its own panel: the second was never on the left panel.
    ASSERT_TRUE(app->OpenDocumentFile(second));
    ExpectShown(100);
    ASSERT_TRUE(frame()->ExecuteCommand(ID_FILE_MRU_FILE1 + 1));
    EXPECT_EQ(doc().GetPathName(), first);
    ExpectShown(200);

    // A remembered panel that the file no longer has: the first panel.
    CShownPanels::Remember(second, 999);
    ASSERT_TRUE(app->OpenDocumentFile(second));
    ExpectShown(100);
}

TEST_F(ZoomAndOpenTest, OnlyTheNewestFilesKeepTheirPanel)
{
    const auto file = [](int i) { return "/cockpits/" + std::to_string(i) + "_c.dat"; };
    const int count = CShownPanels::kMaxFiles + 5;
    for (int i = 0; i < count; ++i)
        CShownPanels::Remember(file(i), 100 + i);
    // Seen again: it becomes the newest, once.
    CShownPanels::Remember(file(10), 300);

    // The five oldest are forgotten.
    int id = 0;
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(CShownPanels::Recall(file(i), id)) << i;
    EXPECT_TRUE(CShownPanels::Recall(file(5), id));
    EXPECT_EQ(id, 105);
    EXPECT_TRUE(CShownPanels::Recall(file(10), id));
    EXPECT_EQ(id, 300);
    EXPECT_TRUE(CShownPanels::Recall(file(count - 1), id));
    EXPECT_EQ(id, 100 + count - 1);
    EXPECT_FALSE(CShownPanels::Recall(std::string(), id));

    QSettings settings(QStringLiteral("Orvanta"), QStringLiteral("Vireo"));
    EXPECT_EQ(settings.beginReadArray(QStringLiteral("Shown Panels")), CShownPanels::kMaxFiles);
    settings.endArray();
}

} // namespace
