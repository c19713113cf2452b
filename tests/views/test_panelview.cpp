#include "test_viewfixture.h"

#include "ccommandroute.h"
#include "crecttracker.h"
#include "cvireoview.h"

#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QTemporaryDir>

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
    EXPECT_EQ(others.m_aHints, std::vector<int>{HINT_REFRESH});
    c.doc.RemoveObserver(&others);

    // Zoom 2: the tracker works in screen pixels, the record keeps half of them, truncated.
    Zoom2();
    Drag(vp(), QPoint(60, 60), QPoint(65, 63), Qt::ShiftModifier); // (50,46,90,86) -> +5,+3
    EXPECT_EQ(Dest(c.Light(101)), CRect(27, 24, 47, 44));          // 27.5, 24.5, 47.5, 44.5
    // The bottom-right handle sits outside the corner (94,88): it resizes.
    Drag(vp(), QPoint(96, 90), QPoint(107, 101), Qt::ShiftModifier);
    EXPECT_EQ(Dest(c.Light(101)), CRect(27, 24, 52, 49)); // 105/2, 99/2
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

TEST_F(PanelViewTest, ZoomStepsInSinglePrecisionWithAFloor)
{
    EXPECT_EQ(Pane(ID_INDICATOR_ZOOM), "x 1");
    const std::vector<std::string> expected = {"x 0.9", "x 0.8", "x 0.7", "x 0.6",      "x 0.5",
                                               "x 0.4", "x 0.3", "x 0.2", "x 0.0999999"};
    std::vector<std::string> shown;
    for (int i = 0; i < 9; ++i) {
        view->OnCommand(ID_ZOOM_OUT);
        shown.push_back(Pane(ID_INDICATOR_ZOOM));
    }
    EXPECT_EQ(shown, expected);
    const float floor = view->m_fZoom;
    view->OnCommand(ID_ZOOM_OUT);
    EXPECT_EQ(view->m_fZoom, floor);
    EXPECT_TRUE(Enabled(ID_ZOOM_OUT)); // always enabled, it just does nothing

    view->m_fZoom = 1.0f;
    for (int i = 0; i < 25; ++i)
        view->OnCommand(ID_ZOOM_IN);
    EXPECT_EQ(Pane(ID_INDICATOR_ZOOM), "x 3.5");
    // The scroll extent is the screen size at the zoom, not the template.
    EXPECT_EQ(view->GetTotalSize(), QSize(int(1024 * view->m_fZoom), int(768 * view->m_fZoom)));
    EXPECT_GT(view->GetTotalSize().width(), 3500);
}

TEST_F(PanelViewTest, ZoomCentresTheCurrentRecordAndUpdatesCentreItWhenHidden)
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

    view->OnCommand(ID_ZOOM_IN); // centres even a visible record: (33, 33) at 1.1
    pos = view->GetScrollPosition();
    EXPECT_EQ(pos.x, std::max(0, 33 - page.width() / 2));
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
    // The tree's clipboard commands are not the panel view's.
    for (int id : {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_UNDO, ID_CHECK_COCKPIT}) {
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
    EXPECT_EQ(others.m_aHints, std::vector<int>{HINT_REFRESH});
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
