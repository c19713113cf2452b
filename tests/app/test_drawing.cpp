// The Records palette, the template's piece taken to the panel, and View > Outlines and View >
// Light Everything, as the user reaches them in the window.
#include "mainframefixture.h"

#include "ccptreeicons.h"
#include "crecorddrag.h"
#include "crecordspalette.h"
#include "cselecttypedlg.h"
#include "dragdrop.h"

#include <QComboBox>
#include <QMenu>
#include <QMenuBar>

#include <memory>

namespace {

class DrawingFrameTest : public MainFrameTest
{
protected:
    // tests/data/frame_panel_light_sound.dat on a 1024 x 768 screen, panel 100 shown: button
    // view 1 and light 101.
    void StartOnPanel()
    {
        StartOn("frame_panel_light_sound.dat", "10_draw.dat");
        doc().SetCurrentPanel(doc().m_manager.FindPanel(100));
    }
    CRecordsPalette* palette() { return frame()->GetRecordsPalette(); }
    CVireoView* view() { return frame()->GetPanelView(); }
    QListWidgetItem* Entry(const QString& name)
    {
        return palette()->GetList()->findItems(name, Qt::MatchExactly).value(0);
    }
    QStringList ViewMenu()
    {
        QStringList texts;
        for (QAction* menu : frame()->menuBar()->actions())
            if (menu->text() == QStringLiteral("&View"))
                for (const QAction* action : menu->menu()->actions())
                    texts << action->text();
        return texts;
    }
};

} // namespace

TEST_F(DrawingFrameTest, ThePaletteListsWhatAddObjectOffersWithTheTreesIcons)
{
    Start();
    ASSERT_TRUE(palette());
    EXPECT_FALSE(palette()->isVisible()) << "the panes keep their room until it is asked for";
    EXPECT_EQ(palette()->windowTitle(), QStringLiteral("Records"));
    EXPECT_TRUE(ViewMenu().contains(QStringLiteral("&Records")));
    palette()->toggleViewAction()->trigger();
    EXPECT_TRUE(palette()->isVisible());

    // The very list Add Object's dialog offers, in its order.
    CSelectTypeDlg dlg;
    QStringList offered;
    for (int i = 0; i < dlg.GetList()->count(); ++i)
        offered << dlg.GetList()->itemText(i);
    QStringList listed;
    for (int i = 0; i < palette()->GetList()->count(); ++i)
        listed << palette()->GetList()->item(i)->text();
    EXPECT_EQ(listed, offered);

    QListWidgetItem* light = Entry(QStringLiteral("Light"));
    ASSERT_TRUE(light);
    EXPECT_EQ(light->icon().pixmap(16, 16).toImage(),
              CCPTreeIcons::Icon(CCPLight(nullptr).GetImageIndex()).pixmap(16, 16).toImage());
    // Buffer is there to say where buffers come from; it cannot be dragged.
    QListWidgetItem* buffer = Entry(QStringLiteral("Buffer"));
    ASSERT_TRUE(buffer);
    EXPECT_FALSE(buffer->flags() & Qt::ItemIsEnabled);
    EXPECT_FALSE(buffer->flags() & Qt::ItemIsDragEnabled);
    EXPECT_TRUE(buffer->toolTip().contains(QStringLiteral("Surface")));

    // Nothing to put records on yet: the palette says so and waits.
    EXPECT_FALSE(palette()->GetList()->isEnabled());
    EXPECT_TRUE(palette()->findChild<QLabel*>(QStringLiteral("recordsHint"))->isVisible());
    ASSERT_TRUE(frame()->ExecuteCommand(ID_ADD_PANEL));
    EXPECT_TRUE(palette()->GetList()->isEnabled());
    EXPECT_FALSE(palette()->findChild<QLabel*>(QStringLiteral("recordsHint"))->isVisible());
}

TEST_F(DrawingFrameTest, ATypeDraggedFromThePaletteOrDoubleClickedLandsOnThePanel)
{
    StartOnPanel();
    frame()->SetActivePane(CMainFrame::kTreePane);
    const std::string original = doc().Store();
    const std::unique_ptr<QMimeData> mime(
        palette()->GetList()->mimeData({Entry(QStringLiteral("Dial"))}));
    ASSERT_TRUE(mime);
    ASSERT_TRUE(DropOn(view()->viewport(), QPoint(100, 60), *mime));
    CCPObject* dial = doc().m_pCurrentObject;
    ASSERT_TRUE(dial && dial->GetTypeCode() == kDialType);
    EXPECT_EQ(Dest(dial), CRect(100, 60, 110, 70));
    EXPECT_EQ(doc().UndoName(), "Add Dial 102");
    EXPECT_TRUE(WaitFor([this] { return frame()->GetActivePaneIndex() == CMainFrame::kViewPane; }))
        << "the panel view takes the keys for the new record";

    // A double-click puts one in the middle of what the panel view shows.
    frame()->SetActivePane(CMainFrame::kTreePane);
    emit palette()->GetList()->itemDoubleClicked(Entry(QStringLiteral("Light")));
    CCPObject* light = doc().m_pCurrentObject;
    ASSERT_TRUE(light && light->GetTypeCode() == kLightType);
    const CRect rc = Dest(light);
    const CPoint centre = view()->VisibleCentre();
    EXPECT_EQ((rc.left + rc.right) / 2, centre.x);
    EXPECT_EQ((rc.top + rc.bottom) / 2, centre.y);
    EXPECT_EQ(frame()->GetActivePaneIndex(), CMainFrame::kViewPane);
    emit palette()->GetList()->itemDoubleClicked(Entry(QStringLiteral("Buffer")));
    EXPECT_EQ(doc().m_pCurrentObject, light);
    // Enter on the entry chosen does the same.
    palette()->GetList()->setCurrentItem(Entry(QStringLiteral("Text")));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(palette()->GetList(), &enter);
    ASSERT_TRUE(doc().m_pCurrentObject && doc().m_pCurrentObject->GetTypeCode() == kTextType);

    // Three records, three steps: all undone, the cockpit is as it was.
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(frame()->ExecuteCommand(ID_EDIT_UNDO));
    EXPECT_EQ(doc().Store(), original);
    EXPECT_FALSE(doc().IsModified());
}

TEST_F(DrawingFrameTest, EnterInTheTemplateThenAClickOnThePanelMakesTheRecord)
{
    StartOnPanel();
    view()->m_fnChoosePieceType = [](const QPoint&) { return int(kLightType); };
    doc().SetTemplatePiece(CRect(0, 16, 16, 32));
    frame()->SetActivePane(CMainFrame::kTemplPane);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(frame()->GetTemplView(), &enter);
    EXPECT_EQ(frame()->GetActivePaneIndex(), CMainFrame::kViewPane);
    ASSERT_TRUE(view()->IsPlacingPiece());
    EXPECT_EQ(ui.m_aStatus.back(),
              "Click on the panel where the piece of the template goes (Escape cancels).");

    const QPoint at(200, 150);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(type, QPointF(at), QPointF(view()->viewport()->mapToGlobal(at)),
                      Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, {});
        QApplication::sendEvent(view()->viewport(), &e);
    }
    CCPObject* light = doc().m_pCurrentObject;
    ASSERT_TRUE(light && light->GetTypeCode() == kLightType);
    EXPECT_EQ(Dest(light), CRect(200, 150, 216, 166));
    EXPECT_EQ(doc().UndoName(), "Add Light 102");
    EXPECT_FALSE(view()->IsPlacingPiece());
}

TEST_F(DrawingFrameTest, OutlinesIsKeptBetweenRunsAndLightEverythingIsNot)
{
    StartOnPanel();
    QStringList menu = ViewMenu();
    EXPECT_TRUE(menu.contains(QStringLiteral("&Outlines\tCtrl+Shift+O")));
    EXPECT_TRUE(menu.contains(QStringLiteral("&Light Everything")));
    EXPECT_TRUE(frame()->Action(ID_VIEW_OUTLINES)->isCheckable());
    EXPECT_TRUE(frame()->Action(ID_VIEW_LIGHT_EVERYTHING)->isCheckable());
    EXPECT_FALSE(view()->m_bOutlines);

    EXPECT_TRUE(PressShortcut(view(), Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier));
    EXPECT_TRUE(view()->m_bOutlines);
    frame()->UpdateCommandUI();
    EXPECT_TRUE(frame()->Action(ID_VIEW_OUTLINES)->isChecked());
    // Whichever pane is active.
    frame()->SetActivePane(CMainFrame::kTreePane);
    EXPECT_TRUE(Enabled(ID_VIEW_LIGHT_EVERYTHING));
    ASSERT_TRUE(frame()->ExecuteCommand(ID_VIEW_LIGHT_EVERYTHING));
    EXPECT_TRUE(view()->m_bLightEverything);
    EXPECT_TRUE(frame()->Action(ID_VIEW_LIGHT_EVERYTHING)->isChecked());
    EXPECT_FALSE(doc().IsModified());
    EXPECT_FALSE(doc().CanUndo());

    app.reset();
    StartOnPanel();
    EXPECT_TRUE(view()->m_bOutlines);
    EXPECT_FALSE(view()->m_bLightEverything) << "every run starts with the panel as it flies";
    ASSERT_TRUE(frame()->ExecuteCommand(ID_VIEW_OUTLINES));
    app.reset();
    StartOnPanel();
    EXPECT_FALSE(view()->m_bOutlines);
}
