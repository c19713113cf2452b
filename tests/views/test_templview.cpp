#include "../sheets/sheettesting.h"
#include "test_viewfixture.h"

#include "ccommandroute.h"
#include "ccpadi.h"
#include "ccpdigits.h"
#include "ccpindicator.h"
#include "cqtimageloader.h"
#include "cqtrecordeditor.h"
#include "ctemplview.h"
#include "cvireoview.h"
#include "testcockpit.h"

#include <cmath>
#include <memory>
#include <string>

using namespace viewtest;

namespace {

using TemplViewTest = ViewTest<CTemplView>;

TEST_F(TemplViewTest, FrameColourTellsTheKindOfRecord)
{
    CCPManager* m = &c.doc.m_manager;
    EXPECT_EQ(CTemplView::FrameColour(CCPButtonView(m)), MakeRgb(0, 255, 0));
    EXPECT_EQ(CTemplView::FrameColour(CCPDigits(m)), MakeRgb(0, 0, 255));
    EXPECT_EQ(CTemplView::FrameColour(CCPLight(m)), MakeRgb(255, 255, 0));
    EXPECT_EQ(CTemplView::FrameColour(CCPAdi(m)), MakeRgb(255, 0, 0));
}

TEST_F(TemplViewTest, PaintsTheTemplateOneToOneAndFramesTheCurrentPiece)
{
    const QImage plain = Shot();
    QImage shot = plain;
    EXPECT_EQ(shot.pixel(8, 8), kRed);
    EXPECT_EQ(shot.pixel(40, 8), kGrey);
    EXPECT_EQ(shot.pixel(8, 24), kWhite);
    EXPECT_EQ(view->GetTotalSize(), QSize(64, 32));

    Show(100, c.Light(101)); // state 1: the green square
    shot = Shot();
    int yellow = 0;
    for (int x = 16; x < 32; ++x)
        yellow += shot.pixel(x, 0) == kYellow;
    EXPECT_GT(yellow, 0);                         // the frame, partly under the dotted tracker
    EXPECT_EQ(shot.pixel(24, 8), kGreen);         // inside is the template
    EXPECT_EQ(shot.pixel(34, 17), qRgb(0, 0, 0)); // a handle outside the bottom-right corner

    // Next State in the panel view moves the frame to state 0's piece (white, below red).
    CVireoView panelView(&c.doc);
    panelView.OnCommand(ID_NEXT_STATE);
    shot = Shot();
    yellow = 0;
    for (int x = 0; x < 16; ++x)
        yellow += shot.pixel(x, 16) == kYellow;
    int yellowBefore = 0;
    for (int x = 17; x < 31; ++x)
        yellowBefore += shot.pixel(x, 0) == kYellow;
    EXPECT_GT(yellow, 0);
    EXPECT_EQ(yellowBefore, 0);

    // With the button view as key record the light stays selected, and its piece framed.
    c.doc.Select({c.Light(101), c.View(1)}, c.View(1));
    shot = Shot();
    yellow = 0;
    for (int x = 0; x < 16; ++x)
        yellow += shot.pixel(x, 16) == kYellow;
    EXPECT_GT(yellow, 0);

    // A surface entry has no piece of the template: no frame at all.
    c.doc.SetCurrentObject(c.Panel(100)->m_aSurfaces.front().get());
    EXPECT_EQ(Shot(), plain);
}

TEST_F(TemplViewTest, AnEmptyTemplateGivesAHundredSquareExtent)
{
    c.doc.m_manager.m_nTemplateWidth = 0;
    view->OnInitialUpdate();
    EXPECT_EQ(view->GetTotalSize(), QSize(100, 100));
}

TEST_F(TemplViewTest, ShowsTheTemplateTheManagersSheetNamesAtOnce)
{
    CTempDir dir;
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(QString::fromStdString(dir.File("front.png"))));
    CQtImageLoader loader;
    c.doc.m_manager.SetImageLoader(&loader);
    c.doc.m_manager.SetFolder(dir.Path() + "/");
    CQtRecordEditor editor;
    c.doc.SetRecordEditor(&editor);
    ASSERT_EQ(At(8, 8), kRed);

    CScriptedRunner runner;
    runner.Then([](QDialog& sheet) {
        SetText(sheet, "Template", "front.png");
        SetText(sheet, "Template Width", "40");
        SetText(sheet, "Template Height", "20");
        sheet.accept();
    });
    ASSERT_EQ(c.doc.EditRecordProperties(&c.doc.m_manager), IDOK);
    EXPECT_EQ(view->GetTotalSize(), QSize(40, 20));
    EXPECT_EQ(At(8, 8), qRgb(0, 0, 255));
    EXPECT_EQ(At(39, 19), qRgb(0, 0, 255));

    // Undone, the template has no name again: its picture goes and the old extent is back.
    ASSERT_TRUE(c.doc.Undo());
    EXPECT_EQ(view->GetTotalSize(), QSize(64, 32));
    EXPECT_NE(At(8, 8), qRgb(0, 0, 255));
    EXPECT_TRUE(c.ui.m_aBoxes.empty()) << c.ui.m_aBoxes.front().text;
}

TEST_F(TemplViewTest, PicksTheCurrentPanelsRecordsByTheirPieces)
{
    Click(vp(), QPoint(8, 8)); // no current panel
    EXPECT_EQ(c.doc.m_pCurrentObject, nullptr);

    c.doc.SetCurrentPanel(c.Panel(100));
    // Button view 1 and light 102 both show the red square: the button view wins.
    Click(vp(), QPoint(8, 8));
    EXPECT_EQ(c.doc.m_pCurrentObject, c.View(1));
    Click(vp(), QPoint(20, 4));
    EXPECT_EQ(c.doc.m_pCurrentObject, c.Light(101));
    Click(vp(), QPoint(8, 28)); // white: nobody's piece
    EXPECT_EQ(c.doc.m_pCurrentObject, c.Light(101));

    // Panel 200's button view uses the red square too, but only panel 200's records count.
    c.doc.SetCurrentPanel(c.Panel(200));
    c.View(2)->m_nCurrentState = 0;
    c.doc.SetCurrentObject(nullptr);
    Click(vp(), QPoint(8, 8));
    EXPECT_EQ(c.doc.m_pCurrentObject, c.View(2));
    c.doc.SetCurrentObject(nullptr);
    c.doc.SetCurrentPanel(c.Panel(100));
    c.View(1)->m_nCurrentState = 0; // now grey: light 102 is the only one on red
    Click(vp(), QPoint(8, 8));
    EXPECT_EQ(c.doc.m_pCurrentObject, c.Light(102));
}

TEST_F(TemplViewTest, DraggingTheFrameMovesTheSourceAndAPlainClickOnItPicks)
{
    Show(100, c.Light(102)); // shares the red square with button view 1
    c.doc.MarkSaved();
    // No key needed; a click without movement falls through to picking.
    Click(vp(), QPoint(8, 8));
    EXPECT_EQ(c.doc.m_pCurrentObject, c.View(1));
    EXPECT_FALSE(c.doc.IsModified());

    CHintRecorder others;
    c.doc.AddObserver(&others);
    Drag(vp(), QPoint(8, 8), QPoint(12, 10));
    EXPECT_EQ(Src(c.View(1)), CRect(4, 2, 20, 18));
    EXPECT_EQ(c.View(1)->m_arcSrc[0], CRect(32, 0, 48, 16)); // only the current state's piece
    EXPECT_TRUE(c.doc.IsModified());
    EXPECT_EQ(others.m_aHints, std::vector<Hint>{Hint::Refresh});
    c.doc.RemoveObserver(&others);

    // Resize by the right handle (just outside x = 20).
    Drag(vp(), QPoint(22, 10), QPoint(30, 10));
    EXPECT_EQ(Src(c.View(1)), CRect(4, 2, 28, 18));
}

TEST_F(TemplViewTest, NudgesStayInsideTheTemplate)
{
    for (int id : {ID_NUDGE_LEFT, ID_NUDGE_RIGHT, ID_NUDGE_UP, ID_NUDGE_DOWN})
        EXPECT_FALSE(State(id).m_bEnabled) << id;
    Show(100, c.Light(101));
    CRect rc(48, 16, 64, 32); // touches the right and bottom edges
    c.Light(101)->SetSrcRect(&rc);
    c.doc.MarkSaved();
    view->OnCommand(ID_NUDGE_RIGHT);
    view->OnCommand(ID_NUDGE_DOWN);
    EXPECT_EQ(Src(c.Light(101)), rc);
    EXPECT_FALSE(c.doc.IsModified());
    view->OnCommand(ID_NUDGE_LEFT);
    view->OnCommand(ID_NUDGE_UP);
    EXPECT_EQ(Src(c.Light(101)), CRect(47, 15, 63, 31));
    EXPECT_TRUE(c.doc.IsModified());
    EXPECT_EQ(Dest(c.Light(101)), CRect(20, 20, 40, 40)); // the panel side does not move

    rc = CRect(0, 0, 16, 16);
    c.Light(101)->SetSrcRect(&rc);
    view->OnCommand(ID_NUDGE_LEFT);
    view->OnCommand(ID_NUDGE_UP);
    EXPECT_EQ(Src(c.Light(101)), rc);

    c.doc.SetCurrentObject(c.Panel(100)->m_aSurfaces.front().get());
    EXPECT_FALSE(State(ID_NUDGE_LEFT).m_bEnabled);
}

TEST_F(TemplViewTest, OnlyRefreshNudgesZoomAndItsPanesAreHandledHere)
{
    Show(100, c.Light(101));
    CCommandRoute route;
    route.SetTargets({view.get()});
    for (int id : {ID_ADD_OBJECT, ID_ADD_PANEL, ID_DUPLICATE, ID_EDIT_CLEAR, ID_PROPERTIES,
                   ID_NEXT_STATE, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_SAME_SIZE}) {
        CCmdUI ui(id);
        EXPECT_FALSE(route.Update(ui)) << id;
        EXPECT_FALSE(ui.m_bEnabled) << id;
        EXPECT_FALSE(route.Execute(id)) << id;
    }
    EXPECT_EQ(c.Panel(100)->m_anObjects.size(), 2u);
    EXPECT_TRUE(State(ID_VIEW_REFRESH).m_bEnabled);

    Mouse(vp(), QEvent::MouseMove, QPoint(20, 10));
    EXPECT_EQ(State(ID_INDICATOR_MOUSE).m_strText, "20, 10");
    // The template has a zoom of its own.
    for (int id : {ID_ZOOM_IN, ID_ZOOM_OUT, ID_ZOOM_ACTUAL, ID_ZOOM_FIT})
        EXPECT_TRUE(route.Execute(id)) << id;
    EXPECT_EQ(State(ID_INDICATOR_ZOOM).m_strText,
              std::to_string(int(std::lround(view->m_fZoom * 100.0))) + "%");
}

TEST_F(TemplViewTest, AtAZoomPaintsPicksMovesAndShowsTemplatePixels)
{
    Show(100, c.Light(101)); // state 1: the green square, 16,0 - 32,16
    c.doc.MarkSaved();
    while (view->m_fZoom < 2.0f && Enabled(ID_ZOOM_IN))
        view->OnCommand(ID_ZOOM_IN);
    ASSERT_EQ(view->m_fZoom, 2.0f);
    EXPECT_EQ(State(ID_INDICATOR_ZOOM).m_strText, "200%");
    EXPECT_EQ(view->GetTotalSize(), QSize(128, 64));
    EXPECT_EQ(view->GetScrollPosition(), (CPoint{0, 0}));

    // Every template pixel is two on screen, the frame and the tracker with them.
    QImage shot = Shot();
    EXPECT_EQ(shot.pixel(40, 8), kGreen); // template 20, 4
    EXPECT_EQ(shot.pixel(70, 20), kGrey); // template 35, 10
    EXPECT_EQ(shot.pixel(16, 40), kWhite);
    int yellow = 0;
    for (int x = 32; x < 64; ++x)
        yellow += shot.pixel(x, 31) == kYellow;
    EXPECT_GT(yellow, 0);                         // the frame's bottom edge
    EXPECT_EQ(shot.pixel(66, 33), qRgb(0, 0, 0)); // the handle outside the bottom-right corner

    Mouse(vp(), QEvent::MouseMove, QPoint(41, 9));
    EXPECT_EQ(State(ID_INDICATOR_MOUSE).m_strText, "20, 4");

    // Clicks pick by the template pixel under them.
    Click(vp(), QPoint(8, 8));
    EXPECT_EQ(c.doc.m_pCurrentObject, c.View(1));
    Click(vp(), QPoint(40, 8));
    EXPECT_EQ(c.doc.m_pCurrentObject, c.Light(101));

    // A drag of 10 screen pixels moves the piece by 5 template pixels.
    Drag(vp(), QPoint(48, 16), QPoint(58, 26));
    EXPECT_EQ(Src(c.Light(101)), CRect(21, 5, 37, 21));
    ASSERT_TRUE(c.doc.Undo());
    EXPECT_EQ(Src(c.Light(101)), CRect(16, 0, 32, 16));
    // Nudges still move by one template pixel.
    view->OnCommand(ID_NUDGE_RIGHT);
    EXPECT_EQ(Src(c.Light(101)), CRect(17, 0, 33, 16));

    // Zooming itself is no edit.
    c.doc.MarkSaved();
    view->OnCommand(ID_ZOOM_FIT); // 64 x 32 into about 400 x 300: the width decides
    EXPECT_GT(view->m_fZoom, 6.0f);
    EXPECT_LE(view->GetTotalSize().width(), view->maximumViewportSize().width());
    Wheel(vp(), QPoint(10, 10), -120, Qt::ControlModifier);
    EXPECT_EQ(view->m_fZoom, 6.0f);
    view->OnCommand(ID_ZOOM_ACTUAL);
    EXPECT_EQ(view->GetTotalSize(), QSize(64, 32));
    EXPECT_FALSE(c.doc.IsModified());
    EXPECT_EQ(c.doc.GetHistory().Current(), 1u); // the nudge only
}

// Calibrate on an indicator over tests/data/calibrate_tapes.dat (no template picture: the view
// scrolls over 100 x 100). Tape 2 of indicator 201 runs down from 10,40; indicator 202's one
// tape runs across from 10,60.
TEST(TemplViewTape, TwoClicksAlongTheTapeSetItsPositionsAsOneStep)
{
    CRecordingUI ui;
    CVireoDoc doc;
    doc.SetUserInterface(&ui);
    doc.Load(TestData("calibrate_tapes.dat"));
    CTemplView view(&doc);
    view.resize(300, 300);
    view.show();
    view.OnInitialUpdate();
    QApplication::processEvents();
    QWidget* vp = view.viewport();
    doc.SetCurrentPanel(doc.m_manager.FindPanel(100));
    auto* altitude = static_cast<CCPIndicator*>(doc.m_manager.FindObject(201));
    altitude->m_nCurrentTape = 1;
    doc.SetCurrentObject(altitude);
    ASSERT_TRUE(view.CanCalibrateTape());
    view.StartTapeCalibration();
    ASSERT_TRUE(view.IsCalibratingTape());
    EXPECT_FALSE(view.CanCalibrateTape()) << "one calibration at a time";
    const CPoint scroll = view.GetScrollPosition();
    const auto at = [&](int x, int y) { return QPoint(x - scroll.x, y - scroll.y); };

    // Positions count up from the tape's bottom; a click above the tape counts as its top.
    // Backspace takes the first click back.
    Click(vp, at(45, 2));
    EXPECT_EQ(view.TapeClicks(), std::vector<int>{80});
    Key(vp, Qt::Key_Backspace);
    EXPECT_TRUE(view.TapeClicks().empty());
    Click(vp, at(45, 14));
    EXPECT_EQ(doc.GetHistory().Count(), 0u);
    Click(vp, at(45, 81));
    EXPECT_FALSE(view.IsCalibratingTape());
    EXPECT_EQ(altitude->m_anMinPos, (std::vector<int>{5, 76}));
    EXPECT_EQ(altitude->m_anMaxPos, (std::vector<int>{75, 9}));
    EXPECT_EQ(doc.GetHistory().Count(), 1u);

    // A horizontal tape is clicked across; Escape ends without a change.
    auto* heading = static_cast<CCPIndicator*>(doc.m_manager.FindObject(202));
    doc.SetCurrentObject(heading);
    view.StartTapeCalibration();
    Click(vp, at(30, 65));
    Key(vp, Qt::Key_Escape);
    EXPECT_FALSE(view.IsCalibratingTape());
    EXPECT_EQ(doc.GetHistory().Count(), 1u);
    view.StartTapeCalibration();
    Click(vp, at(30, 65));
    Click(vp, at(88, 65));
    EXPECT_EQ(heading->m_anMinPos, std::vector<int>{20});
    EXPECT_EQ(heading->m_anMaxPos, std::vector<int>{78});

    // Picking another record ends a calibration under way.
    view.StartTapeCalibration();
    doc.SetCurrentObject(altitude);
    EXPECT_FALSE(view.IsCalibratingTape());
}

} // namespace
