// Playing the cockpit: buttons stepped, panels walked, instruments fed through their slots,
// and nothing of it left in the document.
#include "canvas.h"
#include "cbitmap.h"
#include "ccpadi.h"
#include "ccpbuttonview.h"
#include "ccpdial.h"
#include "ccplight.h"
#include "ccppanel.h"
#include "cplaysession.h"
#include "testcockpit.h"
#include "testdata.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

// Keeps what a record's drawing copied and the needles it drew.
class CBlitCanvas : public Canvas
{
public:
    struct Blit
    {
        CRect src;
        CRect dest;
        CRect clip;
        double degrees = 0;
    };
    std::vector<Blit> m_aBlits;
    std::vector<std::vector<CPoint>> m_aPolygons;
    std::vector<std::pair<CPoint, CPoint>> m_aLines;

    Pen SelectPen(const Pen& pen) override { return pen; }
    Brush SelectBrush(const Brush& brush) override { return brush; }
    Font SelectFont(const Font& font) override { return font; }
    void FrameRect(const CRect&, Rgb) override {}
    void FillRect(const CRect&, Rgb) override {}
    void Line(int x1, int y1, int x2, int y2) override
    {
        m_aLines.emplace_back(CPoint{x1, y1}, CPoint{x2, y2});
    }
    void Polygon(const std::vector<CPoint>& points) override { m_aPolygons.push_back(points); }
    void Ellipse(const CRect&) override {}
    void TextOut(int, int, const std::string&, Rgb) override {}
    void StretchBlt(const CBitmap&, const CRect& src, const CRect& dest, bool) override
    {
        m_aBlits.push_back({src, dest, dest, 0});
    }
    void TurnedBlt(const CBitmap&, const CRect& src, const CRect& dest, const CRect& clip,
                   double degrees, bool) override
    {
        m_aBlits.push_back({src, dest, clip, degrees});
    }
};

// tests/data/play_cockpit.dat: panel 100 (Front) has a neighbour in each of the eight
// directions and the instruments; the Gear Handle button has a view on Front and one on
// Overhead (200), whose east neighbour 999 does not exist.
class PlayTest : public ::testing::Test
{
protected:
    CTestCockpit c{TestData("play_cockpit.dat")};
    std::string original;

    void SetUp() override
    {
        c.doc.m_manager.m_bmpTemplate = CBitmap(1024, 1024);
        c.doc.SetCurrentPanel(Panel(100));
        original = c.Saved();
    }
    CCPPanel* Panel(int id) { return c.doc.m_manager.FindPanel(id); }
    CCPObject* Object(int id) { return c.doc.m_manager.FindObject(id); }
    CCPButtonView* View(int id)
    {
        for (const auto& v : c.doc.m_manager.m_aButtonViews)
            if (v->m_nId == id)
                return v.get();
        return nullptr;
    }
    // What the record looks like at the values fed now (nothing: it draws itself).
    std::optional<CBlitCanvas> Drawn(int id)
    {
        CBlitCanvas dc;
        if (!c.doc.GetInstrumentValues().Draw(*Object(id), dc, 1.0f))
            return std::nullopt;
        return dc;
    }
    static const CPlaySession::Input* Row(const std::vector<CPlaySession::Input>& rows, int slot,
                                          InputChannel channel = InputChannel::Value)
    {
        for (const CPlaySession::Input& r : rows)
            if (r.slot == slot && r.channel == channel)
                return &r;
        return nullptr;
    }
};

TEST_F(PlayTest, PlayingLeavesTheDocumentAsItWasAndGivesBackWhatTheEditorShowed)
{
    c.doc.Select({View(1), Object(101)}, Object(101));
    View(1)->m_nCurrentState = 2; // stepped with Next State while editing
    auto* light = static_cast<CCPLight*>(Object(104));
    light->m_nCurrentState = 0;
    const size_t steps = c.doc.GetHistory().Count();
    {
        CPlaySession play(c.doc);
        EXPECT_EQ(c.doc.m_pCurrentObject, nullptr) << "the pilot sees no selection";
        EXPECT_TRUE(c.doc.GetSelection().Empty());
        play.StepButton(*View(1), false);
        play.StepButton(*View(3), true);
        play.SetInput(84, InputChannel::Value, 250.0f);
        play.SetInput(31, InputChannel::Roll, 20.0f);
        std::string status;
        ASSERT_TRUE(play.Go(kNorth, status));
        play.StepButton(*View(2), false);
        EXPECT_EQ(c.Saved(), original);
    }
    EXPECT_EQ(c.Saved(), original);
    EXPECT_EQ(c.doc.GetHistory().Count(), steps);
    EXPECT_FALSE(c.doc.IsModified());
    EXPECT_EQ(c.doc.m_pCurrentPanel, Panel(100));
    EXPECT_EQ(c.doc.m_pCurrentObject, Object(101));
    EXPECT_EQ(c.doc.GetSelection().Records(), (std::vector<CCPObject*>{View(1), Object(101)}));
    EXPECT_EQ(View(1)->m_nCurrentState, 2);
    EXPECT_EQ(View(2)->m_nCurrentState, 0);
    EXPECT_EQ(light->m_nCurrentState, 0);
    EXPECT_FALSE(Drawn(101)) << "the dial draws itself again";
}

TEST_F(PlayTest, AClickStepsTheButtonAndEveryViewOfItFollows)
{
    CPlaySession play(c.doc);
    // Each starts in its button's initial state.
    EXPECT_EQ(View(1)->m_nCurrentState, 1);
    EXPECT_EQ(View(2)->m_nCurrentState, 1);
    EXPECT_EQ(View(3)->m_nCurrentState, 0);

    EXPECT_EQ(play.ButtonViewAt(CPoint{110, 110}), View(1));
    EXPECT_EQ(play.ButtonViewAt(CPoint{150, 110}), nullptr);
    const std::string said = play.StepButton(*View(1), false);
    EXPECT_NE(said.find("Gear Handle"), std::string::npos) << said;
    EXPECT_NE(said.find("Gear Front"), std::string::npos) << said;
    EXPECT_NE(said.find("state 2 of 0..2"), std::string::npos) << said;
    EXPECT_EQ(View(2)->m_nCurrentState, 2) << "the view on the other panel follows";
    play.StepButton(*View(1), false);
    EXPECT_EQ(View(1)->m_nCurrentState, 0) << "round to the first state";
    play.StepButton(*View(2), true);
    EXPECT_EQ(View(1)->m_nCurrentState, 2) << "a right click steps back, round the end";
    EXPECT_EQ(View(2)->m_nCurrentState, 2);
    EXPECT_EQ(View(3)->m_nCurrentState, 0) << "another button's view stays";
}

TEST_F(PlayTest, ThePilotWalksToEachNeighbourAndNowhereElse)
{
    CPlaySession play(c.doc);
    const int expected[] = {200, 300, 400, 500, 600, 700, 800, 900};
    for (int d = kNorth; d <= kNorthWest; ++d) {
        std::string status;
        ASSERT_TRUE(play.Go(MapDirection(d), status)) << d;
        EXPECT_EQ(c.doc.m_pCurrentPanel->m_nId, expected[d]);
        EXPECT_FALSE(status.empty());
        c.doc.SetCurrentPanel(Panel(100));
    }
    std::string status;
    ASSERT_TRUE(play.Go(kNorth, status));
    EXPECT_NE(status.find("Overhead"), std::string::npos) << status;
    EXPECT_FALSE(play.Go(kWest, status));
    EXPECT_EQ(status, "No panel to the west");
    EXPECT_FALSE(play.Go(kEast, status)) << "999 names no panel";
    EXPECT_NE(status.find("999"), std::string::npos) << status;
    EXPECT_EQ(c.doc.m_pCurrentPanel, Panel(200));
    EXPECT_TRUE(play.Go(kSouth, status));
    EXPECT_EQ(c.doc.m_pCurrentPanel, Panel(100));
}

TEST(PlayDirections, MouseBorderEdgesAndCornersAndArrowChords)
{
    using P = CPlaySession;
    const auto at = [](int x, int y) { return P::BorderDirection(8, 1024, 768, CPoint{x, y}); };
    EXPECT_EQ(at(0, 300), kWest);
    EXPECT_EQ(at(7, 300), kWest);
    EXPECT_EQ(at(8, 300), std::nullopt);
    EXPECT_EQ(at(1016, 300), kEast);
    EXPECT_EQ(at(1015, 300), std::nullopt);
    EXPECT_EQ(at(500, 7), kNorth);
    EXPECT_EQ(at(500, 760), kSouth);
    EXPECT_EQ(at(500, 759), std::nullopt);
    EXPECT_EQ(at(3, 3), kNorthWest);
    EXPECT_EQ(at(1020, 2), kNorthEast);
    EXPECT_EQ(at(1020, 765), kSouthEast);
    EXPECT_EQ(at(2, 765), kSouthWest);
    EXPECT_EQ(P::BorderDirection(0, 1024, 768, CPoint{0, 0}), std::nullopt)
        << "no border, no panning by clicks";

    EXPECT_EQ(P::ArrowDirection(true, false, false, false), kNorth);
    EXPECT_EQ(P::ArrowDirection(true, true, false, false), kNorthEast);
    EXPECT_EQ(P::ArrowDirection(false, false, true, true), kSouthWest);
    EXPECT_EQ(P::ArrowDirection(true, false, true, false), std::nullopt);
    EXPECT_EQ(P::ArrowDirection(true, false, true, true), kWest);
    EXPECT_EQ(P::ArrowDirection(false, false, false, false), std::nullopt);
}

TEST_F(PlayTest, InputRangesComeFromTheInstrumentsOfThePanelShown)
{
    CPlaySession play(c.doc);
    const std::vector<CPlaySession::Input> rows = play.Inputs();
    ASSERT_EQ(rows.size(), 8u) << "the light without a slot takes no input";
    for (size_t i = 1; i < rows.size(); ++i)
        EXPECT_LE(rows[i - 1].slot, rows[i].slot);

    const auto* airspeed = Row(rows, 84);
    ASSERT_TRUE(airspeed);
    EXPECT_EQ(airspeed->min, -100.0f) << "both dials' tables together";
    EXPECT_EQ(airspeed->max, 500.0f);
    EXPECT_EQ(airspeed->records, (std::vector<std::string>{"Airspeed", "Standby Airspeed"}));
    EXPECT_EQ(airspeed->value, 0.0f);

    ASSERT_TRUE(Row(rows, 85));
    EXPECT_EQ(Row(rows, 85)->min, -5.0f);
    EXPECT_EQ(Row(rows, 85)->max, 35.0f);
    ASSERT_TRUE(Row(rows, 86));
    EXPECT_EQ(Row(rows, 86)->max, 999.0f) << "three digit places";
    ASSERT_TRUE(Row(rows, 87));
    EXPECT_EQ(Row(rows, 87)->max, 2.0f);
    EXPECT_EQ(Row(rows, 87)->value, 1.0f) << "the light starts in its initial state";
    ASSERT_TRUE(Row(rows, 31) && Row(rows, 31, InputChannel::Roll));
    EXPECT_EQ(Row(rows, 31)->min, -90.0f);
    EXPECT_EQ(Row(rows, 31, InputChannel::Roll)->max, 180.0f);
    ASSERT_TRUE(Row(rows, 82));
    EXPECT_EQ(Row(rows, 82)->max, 360.0f);
    ASSERT_TRUE(Row(rows, 81));
    EXPECT_EQ(Row(rows, 81)->max, 800.0f);

    play.SetInput(84, InputChannel::Value, 120.0f);
    EXPECT_EQ(Row(play.Inputs(), 84)->value, 120.0f);
    std::string status;
    ASSERT_TRUE(play.Go(kNorth, status));
    EXPECT_TRUE(play.Inputs().empty()) << "Overhead has no instruments";
}

TEST_F(PlayTest, FedValuesMoveNeedlesTapesDigitsLightsAndTheBall)
{
    EXPECT_FALSE(Drawn(101)) << "not playing: the editing picture";
    CPlaySession play(c.doc);
    const auto tip = [&](float v) {
        play.SetInput(84, InputChannel::Value, v);
        const auto dc = Drawn(101);
        return dc && !dc->m_aPolygons.empty() ? dc->m_aPolygons[0][0] : CPoint{-1, -1};
    };
    // Needle ends are truncated: within a pixel of the exact point.
    const auto near = [](CPoint a, CPoint b) {
        return std::abs(a.x - b.x) <= 1 && std::abs(a.y - b.y) <= 1;
    };
    EXPECT_TRUE(near(tip(0), CPoint{350, 310}));
    EXPECT_TRUE(near(tip(250), CPoint{390, 350}));
    EXPECT_TRUE(near(tip(500), CPoint{350, 390}));
    EXPECT_TRUE(near(tip(900), CPoint{350, 390}))
        << "beyond the table the needle rests on the stop";

    const auto tape = [&](float v) {
        play.SetInput(85, InputChannel::Value, v);
        return Drawn(102)->m_aBlits.at(0).src;
    };
    // Positions count up from the strip's bottom: the least value shows low on the strip.
    EXPECT_EQ(tape(-5), CRect(100, 300, 120, 400));
    EXPECT_EQ(tape(15), CRect(100, 150, 120, 250));
    EXPECT_EQ(tape(35), CRect(100, 0, 120, 100));
    EXPECT_EQ(tape(99), CRect(100, 0, 120, 100));

    play.SetInput(86, InputChannel::Value, 407.0f);
    auto digits = Drawn(103)->m_aBlits;
    ASSERT_EQ(digits.size(), 3u);
    EXPECT_EQ(digits[0].src.top, 40);
    EXPECT_EQ(digits[1].src.top, 0);
    EXPECT_EQ(digits[2].src.top, 70);
    EXPECT_EQ(digits[2].dest, CRect(120, 600, 130, 610));
    play.SetInput(86, InputChannel::Value, 12345.0f);
    digits = Drawn(103)->m_aBlits;
    for (const auto& b : digits)
        EXPECT_EQ(b.src.top, 90) << "more than three places show: all nines";

    play.SetInput(87, InputChannel::Value, 2.0f);
    ASSERT_EQ(Drawn(104)->m_aBlits.size(), 1u);
    EXPECT_EQ(Drawn(104)->m_aBlits[0].src, CRect(40, 40, 60, 60));
    play.SetInput(87, InputChannel::Value, 0.0f);
    EXPECT_TRUE(Drawn(104)->m_aBlits.empty()) << "state 0 shows the panel's own picture";

    // Pitch: the ball's picture spans -90..90 over its 200 pixels.
    const auto ball = Drawn(105)->m_aBlits.at(0);
    EXPECT_EQ(ball.src, CRect(0, 650, 100, 750));
    EXPECT_EQ(ball.degrees, 0.0);
    play.SetInput(31, InputChannel::Value, 45.0f);
    play.SetInput(31, InputChannel::Roll, -30.0f);
    const auto pitched = Drawn(105)->m_aBlits.at(0);
    EXPECT_EQ(pitched.src, CRect(0, 600, 100, 700));
    EXPECT_EQ(pitched.dest, CRect(500, 500, 600, 600));
    EXPECT_EQ(pitched.clip, CRect(500, 500, 600, 600));
    EXPECT_EQ(pitched.degrees, -30.0);
    play.SetInput(31, InputChannel::Value, 90.0f);
    EXPECT_EQ(Drawn(105)->m_aBlits.at(0).dest, CRect(500, 550, 600, 650))
        << "past the picture's top the picture moves down the window";

    play.SetInput(82, InputChannel::Value, 90.0f);
    const auto card = Drawn(106)->m_aBlits.at(0);
    EXPECT_EQ(card.src, CRect(800, 0, 900, 100));
    EXPECT_EQ(card.degrees, 90.0);

    // The airspeed needle sweeps clockwise from straight up over three quarters of a turn.
    const auto needle = [&](float v) {
        play.SetInput(81, InputChannel::Value, v);
        return Drawn(109)->m_aLines.at(0);
    };
    EXPECT_EQ(needle(0).first, (CPoint{850, 350}));
    EXPECT_TRUE(near(needle(0).second, CPoint{850, 310}));
    EXPECT_TRUE(near(needle(400).second, CPoint{878, 378}));
    EXPECT_TRUE(near(needle(800).second, CPoint{810, 350}));
    EXPECT_TRUE(near(needle(2000).second, CPoint{810, 350})) << "it stops at the end";
}

} // namespace
