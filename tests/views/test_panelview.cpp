#include "test_viewfixture.h"

#include "ccommandroute.h"
#include "crecttracker.h"
#include "cvireoview.h"

#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace viewtest;

namespace {

class PanelViewTest : public ViewTest<CVireoView>
{
protected:
    // Exactly 2, scrolled to the top left.
    void Zoom2()
    {
        view->m_fZoom = 2.0f;
        view->UpdateScrollSizes();
        view->ScrollToPosition(CPoint{0, 0});
    }
};

TEST_F(PanelViewTest, PaintsButtonViewsThenObjectsThenTheTrackerOutsideTheRecord)
{
    // Nothing at all without a current panel.
    QImage empty = Shot();
    EXPECT_NE(empty.pixel(15, 15), kRed);

    Show(100);
    EXPECT_EQ(At(15, 15), kRed);   // button view alone
    EXPECT_EQ(At(25, 25), kGreen); // the object is drawn over the button view
    EXPECT_EQ(At(35, 35), kGreen);
    EXPECT_NE(At(45, 45), kGreen);

    view->OnCommand(ID_SHOW_OBJECTS);
    EXPECT_FALSE(State(ID_SHOW_OBJECTS).m_bChecked);
    EXPECT_EQ(At(25, 25), kRed);
    view->OnCommand(ID_SHOW_OBJECTS);
    view->OnCommand(ID_SHOW_BUTTONS);
    EXPECT_NE(At(15, 15), kRed);
    EXPECT_EQ(At(25, 25), kGreen);
    view->OnCommand(ID_SHOW_BUTTONS);

    // The current record gets its highlight and the tracker, whose handles lie outside it.
    c.doc.SetCurrentObject(c.Light(101));
    QImage shot = Shot();
    EXPECT_EQ(shot.pixel(16, 16), qRgb(0, 0, 0)); // top-left handle, over the button view
    EXPECT_EQ(shot.pixel(28, 16), qRgb(0, 0, 0)); // top handle
    EXPECT_EQ(shot.pixel(30, 30), kGreen);        // inside stays the record's picture
    EXPECT_EQ(view->m_rcSelection, CRect(14, 14, 47, 47));

    // At zoom 2 everything doubles.
    Zoom2();
    shot = Shot();
    EXPECT_EQ(shot.pixel(30, 30), kRed);
    EXPECT_EQ(shot.pixel(60, 60), kGreen);
    EXPECT_EQ(shot.pixel(78, 78), kGreen);
}

TEST_F(PanelViewTest, PicksButtonViewsBeforeObjectsAndKeepsTheRecordOnAMiss)
{
    // Without a current panel a click does nothing.
    Click(vp(), QPoint(25, 25));
    EXPECT_EQ(c.doc.m_pCurrentObject, nullptr);

    Show(100);
    Click(vp(), QPoint(25, 25));
    EXPECT_EQ(c.doc.m_pCurrentObject, c.View(1)); // though the object is drawn above it
    Click(vp(), QPoint(35, 35));
    EXPECT_EQ(c.doc.m_pCurrentObject, c.Light(101));
    Click(vp(), QPoint(5, 5));
    EXPECT_EQ(c.doc.m_pCurrentObject, c.Light(101)); // a miss keeps the record
    Click(vp(), QPoint(30, 30));                     // right and bottom edges are outside
    EXPECT_EQ(c.doc.m_pCurrentObject, c.Light(101));
    Click(vp(), QPoint(29, 29));
    EXPECT_EQ(c.doc.m_pCurrentObject, c.View(1));

    view->OnCommand(ID_SHOW_BUTTONS);
    Click(vp(), QPoint(25, 25));
    EXPECT_EQ(c.doc.m_pCurrentObject, c.Light(101));
    Click(vp(), QPoint(15, 15));
    EXPECT_EQ(c.doc.m_pCurrentObject, c.Light(101)); // hidden button views are not picked
    view->OnCommand(ID_SHOW_BUTTONS);

    // At zoom 2 the record rectangles are doubled.
    Zoom2();
    Click(vp(), QPoint(70, 70));
    EXPECT_EQ(c.doc.m_pCurrentObject, c.Light(101));
    Click(vp(), QPoint(25, 25));
    EXPECT_EQ(c.doc.m_pCurrentObject, c.View(1));
}

TEST_F(PanelViewTest, ShiftDragMovesAndResizesTheRecordAtTheZoom)
{
    Show(100, c.Light(101));
    // A plain drag on the tracker moves too, once past the drag distance; a click on it, or a
    // shorter drag, picks as before (the button view under the point).
    Drag(vp(), QPoint(25, 25), QPoint(35, 35));
    EXPECT_EQ(Dest(c.Light(101)), CRect(30, 30, 50, 50));
    EXPECT_EQ(c.doc.m_pCurrentObject, c.Light(101));
    ASSERT_TRUE(c.doc.Undo());
    EXPECT_FALSE(c.doc.IsModified());
    Drag(vp(), QPoint(25, 25), QPoint(26, 25));
    EXPECT_EQ(c.doc.m_pCurrentObject, c.View(1));
    EXPECT_EQ(Dest(c.Light(101)), CRect(20, 20, 40, 40));
    EXPECT_FALSE(c.doc.IsModified());

    c.doc.SetCurrentObject(c.Light(101));
    CHintRecorder others;
    c.doc.AddObserver(&others);
    Drag(vp(), QPoint(30, 30), QPoint(35, 33), Qt::ShiftModifier);
    EXPECT_EQ(Dest(c.Light(101)), CRect(25, 23, 45, 43));
    EXPECT_TRUE(c.doc.IsModified());
    EXPECT_EQ(others.m_aHints, std::vector<Hint>{Hint::Refresh});
    c.doc.RemoveObserver(&others);

    // Zoom 2: the tracker works in screen pixels; a move goes the nearest whole distance, a
    // moved edge keeps half of the pixels, truncated.
    Zoom2();
    Drag(vp(), QPoint(60, 60), QPoint(65, 63), Qt::ShiftModifier); // (50,46,90,86) -> +5,+3
    EXPECT_EQ(Dest(c.Light(101)), CRect(28, 25, 48, 45));          // 2.5 and 1.5 round up
    // The bottom-right handle sits outside the corner (96,90): it resizes.
    Drag(vp(), QPoint(96, 90), QPoint(107, 101), Qt::ShiftModifier);
    EXPECT_EQ(Dest(c.Light(101)), CRect(28, 25, 53, 50)); // 107/2, 101/2
    EXPECT_EQ(c.doc.m_pCurrentObject, c.Light(101));
}

TEST_F(PanelViewTest, ShiftClickOnTheTrackerNeverPicksButOutsideItPicks)
{
    Show(100, c.Light(101));
    c.doc.MarkSaved();
    // Over the button view as well, but inside the tracker: nothing changes.
    Click(vp(), QPoint(25, 25), Qt::ShiftModifier);
    EXPECT_EQ(c.doc.m_pCurrentObject, c.Light(101));
    EXPECT_FALSE(c.doc.IsModified());

    // A drag cancelled with Escape changes nothing and picks nothing either.
    Mouse(vp(), QEvent::MouseButtonPress, QPoint(25, 25), Qt::ShiftModifier);
    Mouse(vp(), QEvent::MouseMove, QPoint(60, 60), Qt::ShiftModifier);
    Key(view.get(), Qt::Key_Escape);
    Mouse(vp(), QEvent::MouseButtonRelease, QPoint(60, 60), Qt::ShiftModifier);
    EXPECT_EQ(Dest(c.Light(101)), CRect(20, 20, 40, 40));
    EXPECT_EQ(c.doc.m_pCurrentObject, c.Light(101));
    EXPECT_FALSE(c.doc.IsModified());

    Click(vp(), QPoint(12, 12), Qt::ShiftModifier);
    EXPECT_EQ(c.doc.m_pCurrentObject, c.View(1));
}

TEST_F(PanelViewTest, ZoomStepsMultiplyBetweenAFloorAndACeiling)
{
    EXPECT_EQ(Pane(ID_INDICATOR_ZOOM), "100%");
    // Each step a good part more than the last: from x1 to x3 in a few presses.
    std::vector<float> zooms{view->m_fZoom};
    while (Enabled(ID_ZOOM_IN) && zooms.size() < 50) {
        view->OnCommand(ID_ZOOM_IN);
        zooms.push_back(view->m_fZoom);
    }
    EXPECT_EQ(zooms.back(), kMaxZoom);
    EXPECT_EQ(Pane(ID_INDICATOR_ZOOM), "1600%");
    const auto toThree = std::find_if(zooms.begin(), zooms.end(), [](float z) { return z >= 3; });
    EXPECT_LE(toThree - zooms.begin(), 5);
    EXPECT_EQ(*toThree, 3.0f);
    for (size_t i = 1; i < zooms.size(); ++i) {
        EXPECT_GE(zooms[i] / zooms[i - 1], 1.1f) << i;
        EXPECT_LE(zooms[i] / zooms[i - 1], 2.0f) << i;
    }
    // The ceiling: Zoom In is disabled and changes nothing.
    view->OnCommand(ID_ZOOM_IN);
    EXPECT_EQ(view->m_fZoom, kMaxZoom);
    // The scroll extent is the screen size at the zoom, not the template.
    EXPECT_EQ(view->GetTotalSize(), QSize(1024 * 16, 768 * 16));

    // Zoom Out comes back the same way, past x1 down to the floor.
    std::vector<float> back{view->m_fZoom};
    while (Enabled(ID_ZOOM_OUT) && back.size() < 50) {
        view->OnCommand(ID_ZOOM_OUT);
        back.push_back(view->m_fZoom);
    }
    EXPECT_EQ(back.back(), kMinZoom);
    EXPECT_EQ(Pane(ID_INDICATOR_ZOOM), "10%");
    EXPECT_TRUE(std::find(back.begin(), back.end(), 0.5f) != back.end());
    EXPECT_TRUE(std::find(back.begin(), back.end(), 1.0f) != back.end());
    std::reverse(back.begin(), back.end());
    EXPECT_TRUE(std::equal(zooms.begin(), zooms.end(), back.end() - long(zooms.size())));
    EXPECT_EQ(view->GetTotalSize(), QSize(102, 76));

    view->OnCommand(ID_ZOOM_ACTUAL);
    EXPECT_EQ(view->m_fZoom, 1.0f);
    EXPECT_EQ(view->GetTotalSize(), QSize(1024, 768));

    // A zoom between steps (fitted, or kept by an older version) goes to the next step each way.
    view->m_fZoom = 1.1f;
    view->OnCommand(ID_ZOOM_IN);
    EXPECT_EQ(Pane(ID_INDICATOR_ZOOM), "125%");
    view->m_fZoom = 1.1f;
    view->OnCommand(ID_ZOOM_OUT);
    EXPECT_EQ(Pane(ID_INDICATOR_ZOOM), "100%");
}

TEST_F(PanelViewTest, ZoomCommandsCentreTheCurrentRecordAndUpdatesCentreItWhenHidden)
{
    Show(100, c.Light(102)); // at 600,500 - 610,510, out of a 400 x 300 view
    const QSize page = vp()->size();
    CPoint pos = view->GetScrollPosition();
    EXPECT_EQ(pos.x, 605 - page.width() / 2);
    EXPECT_EQ(pos.y, 505 - page.height() / 2);

    // A record already in sight does not scroll the view.
    view->ScrollToPosition(CPoint{0, 0});
    c.doc.SetCurrentObject(c.Light(101));
    EXPECT_EQ(view->GetScrollPosition(), (CPoint{0, 0}));

    // Zoom In centres the record even when it was in sight: (600,500)-(610,510) at 1.25 is
    // (750,625)-(762,637).
    c.doc.SetCurrentObject(c.Light(102));
    view->ScrollToPosition(CPoint{600 - 20, 500 - 20});
    view->OnCommand(ID_ZOOM_IN);
    ASSERT_EQ(view->m_fZoom, 1.25f);
    pos = view->GetScrollPosition();
    EXPECT_EQ(pos.x, 756 - page.width() / 2);
    EXPECT_EQ(pos.y, 631 - page.height() / 2);

    // Without a record on the panel the middle of the view stays where it is.
    c.doc.SetCurrentObject(nullptr);
    view->ScrollToPosition(CPoint{300, 200});
    const CPoint middle{300 + page.width() / 2, 200 + page.height() / 2}; // at 1.25
    view->OnCommand(ID_ZOOM_IN);                                          // to 1.5
    pos = view->GetScrollPosition();
    EXPECT_NEAR(pos.x + page.width() / 2, middle.x * 1.5 / 1.25, 1);
    EXPECT_NEAR(pos.y + page.height() / 2, middle.y * 1.5 / 1.25, 1);
}

TEST_F(PanelViewTest, CtrlWheelZoomsAboutThePointerAndAPlainWheelScrolls)
{
    Show(100);
    c.doc.MarkSaved();
    // The pointer over the light's top-left corner (20, 20), next to the button view's red.
    ASSERT_EQ(At(20, 20), kGreen);
    ASSERT_EQ(At(19, 19), kRed);
    ASSERT_NE(At(42, 42), kGreen);
    Wheel(vp(), QPoint(20, 20), 120, Qt::ControlModifier);
    EXPECT_EQ(view->m_fZoom, 1.25f);
    EXPECT_EQ(view->GetScrollPosition(), (CPoint{5, 5}));
    EXPECT_EQ(At(20, 20), kGreen); // the corner is still under the pointer
    EXPECT_EQ(At(19, 19), kRed);
    EXPECT_EQ(At(42, 42), kGreen);                 // and the light larger
    EXPECT_EQ(Pane(ID_INDICATOR_MOUSE), "25, 25"); // at the new zoom, without moving the mouse

    // Further in, the record pixel under the pointer stays there.
    const QPoint at(150, 100);
    CPoint pos = view->GetScrollPosition();
    const double x = (pos.x + at.x()) / double(view->m_fZoom);
    const double y = (pos.y + at.y()) / double(view->m_fZoom);
    for (int notch = 0; notch < 3; ++notch)
        Wheel(vp(), at, 120, Qt::ControlModifier);
    EXPECT_EQ(view->m_fZoom, 3.0f);
    pos = view->GetScrollPosition();
    EXPECT_NEAR((pos.x + at.x()) / 3.0, x, 0.5);
    EXPECT_NEAR((pos.y + at.y()) / 3.0, y, 0.5);

    // A touchpad's half notches add up to one step; the wheel turned back zooms out.
    Wheel(vp(), at, -60, Qt::ControlModifier);
    EXPECT_EQ(view->m_fZoom, 3.0f);
    Wheel(vp(), at, -60, Qt::ControlModifier);
    EXPECT_EQ(view->m_fZoom, 2.0f);
    pos = view->GetScrollPosition();
    EXPECT_NEAR((pos.x + at.x()) / 2.0, x, 0.5);

    // Without Ctrl the wheel scrolls and leaves the zoom.
    Wheel(vp(), at, -120);
    EXPECT_EQ(view->m_fZoom, 2.0f);
    EXPECT_GT(view->GetScrollPosition().y, pos.y);
    EXPECT_EQ(view->GetScrollPosition().x, pos.x);

    // Looking closer changes nothing in the cockpit and is no step to undo.
    EXPECT_FALSE(c.doc.IsModified());
    EXPECT_FALSE(c.doc.CanUndo());
}

TEST_F(PanelViewTest, FitToWindowShowsTheWholeScreenAndZoomGoesOnFromThere)
{
    Show(100);
    view->OnCommand(ID_ZOOM_FIT);
    // 1024 x 768 into about 400 x 300: as large as it fits, and no scroll bars are left.
    const QSize room = view->maximumViewportSize();
    const QSize shown = view->GetTotalSize();
    EXPECT_LE(shown.width(), room.width());
    EXPECT_LE(shown.height(), room.height());
    EXPECT_TRUE(shown.width() >= room.width() - 1 || shown.height() >= room.height() - 1);
    EXPECT_EQ(view->GetScrollPosition(), (CPoint{0, 0}));
    QApplication::processEvents();
    EXPECT_FALSE(view->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(view->verticalScrollBar()->isVisible());
    EXPECT_EQ(Pane(ID_INDICATOR_ZOOM),
              std::to_string(int(std::lround(view->m_fZoom * 100.0))) + "%");
    // The button view is painted where it is at that zoom: (15, 15) lies on it, not on the
    // light.
    const int onButton = int(15 * view->m_fZoom);
    EXPECT_EQ(At(onButton, onButton), kRed);

    // From a zoom between steps, Zoom In and Zoom Out take the nearest step on that side.
    const float fitted = view->m_fZoom; // about 0.37
    view->OnCommand(ID_ZOOM_IN);
    EXPECT_EQ(view->m_fZoom, 0.5f);
    view->OnCommand(ID_ZOOM_FIT);
    EXPECT_EQ(view->m_fZoom, fitted);
    view->OnCommand(ID_ZOOM_OUT);
    EXPECT_EQ(view->m_fZoom, 1.0f / 3);

    // A view larger than the screen fits it larger than life.
    view->resize(2100, 1600);
    view->OnCommand(ID_ZOOM_FIT);
    EXPECT_GT(view->m_fZoom, 1.9f);
    EXPECT_LE(view->GetTotalSize().width(), view->maximumViewportSize().width());
}

TEST_F(PanelViewTest, NudgesMoveOnePixelWithinTheScreen)
{
    CCPLight* light = c.Light(101);
    EXPECT_FALSE(Enabled(ID_NUDGE_LEFT)); // no current record
    EXPECT_TRUE(Enabled(ID_NUDGE_RIGHT)); // the handler guards instead

    Show(100, light);
    CRect rc(0, 0, 1024, 768);
    light->SetDestRect(&rc);
    c.doc.MarkSaved();
    for (int id : {ID_NUDGE_LEFT, ID_NUDGE_RIGHT, ID_NUDGE_UP, ID_NUDGE_DOWN})
        view->OnCommand(id);
    EXPECT_EQ(Dest(light), rc);
    EXPECT_FALSE(c.doc.IsModified());

    rc = CRect(10, 20, 30, 40);
    light->SetDestRect(&rc);
    Zoom2(); // nudges ignore the zoom
    view->OnCommand(ID_NUDGE_RIGHT);
    view->OnCommand(ID_NUDGE_DOWN);
    view->OnCommand(ID_NUDGE_DOWN);
    EXPECT_EQ(Dest(light), CRect(11, 22, 31, 42));
    view->OnCommand(ID_NUDGE_LEFT);
    view->OnCommand(ID_NUDGE_UP);
    EXPECT_EQ(Dest(light), CRect(10, 21, 30, 41));
    EXPECT_TRUE(c.doc.IsModified());

    // A sound has no place on the panel: nothing moves, nothing breaks.
    c.doc.SetCurrentObject(c.Sound(101));
    EXPECT_FALSE(Enabled(ID_NUDGE_LEFT));
    view->OnCommand(ID_NUDGE_RIGHT);
}

TEST_F(PanelViewTest, StatusPanesShowZoomIdAndMouse)
{
    EXPECT_FALSE(State(ID_INDICATOR_ID).m_bTextSet); // no record: the pane keeps its text
    Show(100, c.Light(101));
    EXPECT_EQ(Pane(ID_INDICATOR_ID), "ID: 101");

    Zoom2();
    EXPECT_EQ(Pane(ID_INDICATOR_ZOOM), "200%");
    Mouse(vp(), QEvent::MouseMove, QPoint(200, 100));
    EXPECT_EQ(Pane(ID_INDICATOR_MOUSE), "200, 100"); // record pixel (100, 50) at zoom 2
    view->ScrollToPosition(CPoint{30, 40});
    Mouse(vp(), QEvent::MouseMove, QPoint(200, 100));
    EXPECT_EQ(Pane(ID_INDICATOR_MOUSE), "230, 140");
}

TEST_F(PanelViewTest, EnablingRulesOfTheEditingCommands)
{
    EXPECT_FALSE(Enabled(ID_ADD_OBJECT)); // until a panel is chosen
    EXPECT_TRUE(Enabled(ID_ADD_PANEL));
    EXPECT_TRUE(Enabled(ID_ADD_SOUND));
    EXPECT_TRUE(Enabled(ID_ADD_BUTTON));
    EXPECT_FALSE(Enabled(ID_DUPLICATE));
    EXPECT_FALSE(Enabled(ID_EDIT_CLEAR));
    EXPECT_TRUE(Enabled(ID_PROPERTIES));
    EXPECT_TRUE(Enabled(ID_NEXT_STATE));
    EXPECT_TRUE(Enabled(ID_VIEW_REFRESH));
    // The document's commands are not the panel view's.
    for (int id : {ID_EDIT_UNDO, ID_CHECK_COCKPIT}) {
        CCmdUI ui(id);
        EXPECT_FALSE(view->OnUpdateCommand(ui)) << id;
    }

    Show(100, c.Panel(100));
    EXPECT_TRUE(Enabled(ID_ADD_OBJECT));
    EXPECT_TRUE(Enabled(ID_DUPLICATE));
    EXPECT_FALSE(Enabled(ID_EDIT_CLEAR)); // a panel
    EXPECT_FALSE(Enabled(ID_SAME_SIZE));

    // Delete only takes what the current panel holds.
    c.doc.SetCurrentObject(c.Light(101));
    EXPECT_TRUE(Enabled(ID_EDIT_CLEAR));
    EXPECT_TRUE(Enabled(ID_SAME_SIZE));
    c.doc.SetCurrentObject(c.View(1));
    EXPECT_TRUE(Enabled(ID_EDIT_CLEAR));
    c.doc.SetCurrentObject(c.Panel(100)->m_aSurfaces.front().get());
    EXPECT_TRUE(Enabled(ID_EDIT_CLEAR));
    EXPECT_FALSE(Enabled(ID_SAME_SIZE));  // a destination but no source rectangle
    c.doc.SetCurrentObject(c.Sound(101)); // its id is listed by the panel, as an object's
    EXPECT_FALSE(Enabled(ID_EDIT_CLEAR));
    c.doc.SetCurrentObject(c.doc.m_manager.FindButton(1001));
    EXPECT_FALSE(Enabled(ID_EDIT_CLEAR));
    c.doc.SetCurrentObject(c.View(2)); // another panel's
    EXPECT_FALSE(Enabled(ID_EDIT_CLEAR));
    c.doc.SetCurrentObject(c.Light(201));
    EXPECT_FALSE(Enabled(ID_EDIT_CLEAR));
    c.doc.SetCurrentObject(&c.doc.m_manager);
    EXPECT_FALSE(Enabled(ID_EDIT_CLEAR));

    // A disabled Delete never runs, whatever route it takes.
    CCommandRoute route;
    route.SetTargets({view.get()});
    c.doc.SetCurrentObject(c.Sound(101));
    EXPECT_FALSE(route.Execute(ID_EDIT_CLEAR));
    EXPECT_EQ(c.Panel(100)->m_anObjects, (std::vector<int>{101, 102}));
}

TEST_F(PanelViewTest, DeleteTakesThePictureOffThePanelAtOnce)
{
    Show(100, c.Light(101));
    EXPECT_EQ(At(35, 35), kGreen);
    CCommandRoute route;
    route.SetTargets({view.get()});
    EXPECT_TRUE(route.Execute(ID_EDIT_CLEAR));
    EXPECT_EQ(c.doc.m_pCurrentObject, nullptr);
    EXPECT_EQ(c.Panel(100)->m_anObjects, std::vector<int>{102});
    EXPECT_NE(c.doc.m_manager.FindObject(101), nullptr); // still in the cockpit
    EXPECT_NE(At(35, 35), kGreen);
    EXPECT_EQ(At(25, 25), kRed);
    EXPECT_TRUE(c.doc.IsModified());
}

TEST_F(PanelViewTest, NextStatePropertiesAndSameSize)
{
    Show(100, c.Light(101));
    CHintRecorder others;
    c.doc.AddObserver(&others);

    view->OnCommand(ID_NEXT_STATE); // state 1 -> 0 (of two)
    EXPECT_EQ(c.Light(101)->m_nCurrentState, 0);
    EXPECT_EQ(others.m_aHints, std::vector<Hint>{Hint::Refresh});
    EXPECT_FALSE(c.doc.IsModified());
    EXPECT_NE(At(35, 35), kGreen); // state 0 is the panel's own picture
    EXPECT_EQ(At(25, 25), kRed);
    Mouse(vp(), QEvent::MouseButtonDblClick, QPoint(35, 35));
    EXPECT_EQ(c.Light(101)->m_nCurrentState, 1);
    EXPECT_FALSE(c.doc.IsModified());

    c.editor.m_nAnswer = IDCANCEL;
    view->OnCommand(ID_PROPERTIES);
    EXPECT_EQ(c.editor.m_nCalls, 1);
    EXPECT_FALSE(c.doc.IsModified());
    c.editor.m_nAnswer = IDOK;
    view->OnCommand(ID_PROPERTIES);
    EXPECT_TRUE(c.doc.IsModified());

    c.doc.MarkSaved();
    view->OnCommand(ID_SAME_SIZE); // 20 x 20 on the panel from a 16 x 16 piece
    EXPECT_EQ(Dest(c.Light(101)).Width(), Src(c.Light(101)).Width());
    EXPECT_EQ(Dest(c.Light(101)).Height(), Src(c.Light(101)).Height());
    EXPECT_TRUE(c.doc.IsModified());
    c.doc.RemoveObserver(&others);
}

TEST_F(PanelViewTest, PrintsThePanelFittedToThePageWithoutTracker)
{
    Show(100, c.Light(101));
    QImage page(512, 384, QImage::Format_RGB32); // half the 1024 x 768 screen
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        view->PaintPage(painter, QRect(0, 0, 512, 384));
    }
    EXPECT_EQ(page.pixel(6, 6), kRed);
    EXPECT_EQ(page.pixel(16, 16), kGreen);
    EXPECT_EQ(page.pixel(8, 8), kRed); // where the tracker's handle is on screen

    // Print Direct goes to the printer without a dialog.
    QTemporaryDir dir;
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("panel.pdf")));
    view->SetPrinter(&printer);
    EXPECT_TRUE(Enabled(ID_FILE_PRINT_DIRECT));
    EXPECT_TRUE(view->OnCommand(ID_FILE_PRINT_DIRECT));
    EXPECT_GT(QFileInfo(printer.outputFileName()).size(), 0);
}

TEST(RectTracker, HandlesOutsideTheRectangleMoveAndResizeWithoutInversion)
{
    CRectTracker t(CRect(20, 20, 60, 40), CRectTracker::dottedLine | CRectTracker::resizeOutside);
    EXPECT_EQ(t.HitTest({17, 17}), CRectTracker::hitTopLeft);
    EXPECT_EQ(t.HitTest({62, 42}), CRectTracker::hitBottomRight);
    EXPECT_EQ(t.HitTest({38, 17}), CRectTracker::hitTop);
    EXPECT_EQ(t.HitTest({17, 29}), CRectTracker::hitLeft);
    EXPECT_EQ(t.HitTest({40, 30}), CRectTracker::hitMiddle);
    EXPECT_EQ(t.HitTest({70, 30}), CRectTracker::hitNothing);
    EXPECT_EQ(t.GetTrueRect(), CRect(14, 14, 67, 47));

    // A move that comes back to where it started is no change.
    ASSERT_TRUE(t.Begin({40, 30}));
    t.TrackTo({50, 35});
    t.TrackTo({40, 30});
    EXPECT_FALSE(t.End());

    // Dragging the left edge past the right one stops at the minimum width.
    ASSERT_TRUE(t.Begin({17, 29}));
    t.TrackTo({100, 29});
    EXPECT_TRUE(t.End());
    EXPECT_EQ(t.m_rect, CRect(60 - t.m_nMinSize, 20, 60, 40));

    // Cancel puts the rectangle back.
    const CRect before = t.m_rect;
    ASSERT_TRUE(t.Begin({before.left + 1, 30}));
    t.TrackTo({0, 0});
    t.Cancel();
    EXPECT_EQ(t.m_rect, before);
    EXPECT_FALSE(t.IsTracking());

    // An empty tracker is never hit.
    t.SetEmpty();
    EXPECT_EQ(t.HitTest({0, 0}), CRectTracker::hitNothing);
    EXPECT_FALSE(t.Begin({0, 0}));
}

} // namespace
