#include "ccpdial.h"
#include "recordtest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace recordtest;

namespace {

// A needle along the positive x axis: the scale 0..100 turns clockwise from angle 0.
std::unique_ptr<CCPDial> Needle(CFixture& f)
{
    auto dial = std::make_unique<CCPDial>(&f.manager);
    dial->m_afPoints = {0.0f, 3.14159f};
    dial->m_afValues = {0.0f, 100.0f};
    dial->m_rcSrc = CRect(0, 0, 100, 100);
    dial->m_rcDest = CRect(200, 200, 300, 290); // the needle follows the source, not this
    dial->m_anRadius = {-10, 40, 10};
    dial->m_aColors = {0xff0000ffu, 0xff00ff00u, 0xffff0000u};
    return dial;
}

} // namespace

TEST(Dial, NewAndFullRecordsSurviveAReadAndWrite)
{
    CFixture f;
    CCPDial fresh(&f.manager);
    fresh.m_nId = 4;
    const std::string empty =
        "\n#4 DIAL\n\tcyclebits = 0xffff;\n\tnumendpoints = 0;\n\tpoints = ;\n\tvalues = ;\n"
        "\tradius0 = 0;\n\tradius1 = 0;\n\tradius2 = 0;\n\tcolor0 = 0xff000000;\n"
        "\tcolor1 = 0xff000000;\n\tcolor2 = 0xff000000;\n\tsrcloc = 0 0 10 10;\n"
        "\tdestloc = 0 0 10 10;\n\tcallbackslot = -1;\n\tpersistant = 0;\n#end\n";
    EXPECT_EQ(Written(fresh), empty);
    EXPECT_EQ(RoundTrip(f, fresh), empty);

    const std::string full =
        "\n#31 DIAL\n\tcyclebits = 0x1f;\n\tnumendpoints = 3;\n\tpoints =  0 1.5 3;\n"
        "\tvalues =  -10 0 250.5;\n\tradius0 = -5;\n\tradius1 = 40;\n\tradius2 = 6;\n"
        "\tcolor0 = 0xff0000ff;\n\tcolor1 = 0xff00ff00;\n\tcolor2 = 0xffff0000;\n"
        "\tsrcloc = 0 0 100 100;\n\tdestloc = 20 30 120 130;\n\tbsrcloc = 1 2 3 4;\n"
        "\tbdestloc = 5 6 7 8;\n\tbsurface = 9;\n\tcallbackslot = 3;\n\tpersistant = 1;\n#end\n";
    auto dial = f.Read<CCPDial>(Body(full), 31);
    EXPECT_TRUE(f.ui.m_aBoxes.empty());
    EXPECT_EQ(Written(*dial), full);

    // Without persistant the background lines come back cleared: they precede its line.
    dial->m_nPersistent = 0;
    EXPECT_EQ(RoundTrip(f, *dial).find("\tb"), std::string::npos);
}

TEST(Dial, CalibrationLinesAppendEveryNumber)
{
    CFixture f;
    auto dial = f.Read<CCPDial>("points = 1, 2 3;\nnumendpoints = 9;\npoints = x 4.5 -1e1 ;\n"
                                "values = 1 2\nValues=3\nradius3 = 1;\n");
    EXPECT_EQ(dial->m_afPoints, (std::vector<float>{1.0f, 2.0f, 3.0f, 4.5f, -10.0f}));
    EXPECT_EQ(dial->m_afValues, (std::vector<float>{1.0f, 2.0f, 3.0f}));
    EXPECT_EQ(f.ui.Texts(),
              std::vector<std::string>{"Error in file at line 7,  Dial Bad string 'radius3'"});
    // Each number is written as the file had it.
    EXPECT_NE(Written(*dial).find("\tnumendpoints = 5;\n\tpoints =  1 2 3 4.5 -1e1;\n"),
              std::string::npos);
}

TEST(Dial, CheckReportsSizesOnlyInFullAndTheTableAlways)
{
    CFixture f;
    auto dial = Needle(f);
    dial->m_nId = 11;
    dial->m_afValues.push_back(200.0f);
    EXPECT_EQ(CheckTexts(*dial, false),
              std::vector<std::string>{"Dial Id 11, points/values mismatch 2/3"});
    EXPECT_EQ(CheckTexts(*dial, true),
              (std::vector<std::string>{"Dial Id 11, destloc different size to src",
                                        "Dial Id 11, points/values mismatch 2/3"}));
    dial->m_afValues.pop_back();
    dial->m_rcDest = CRect(0, 0, 100, 100);
    bool ok = false;
    EXPECT_TRUE(CheckTexts(*dial, true, &ok).empty());
    EXPECT_TRUE(ok);
}

TEST(Dial, NeedleAtTheValueZero)
{
    CFixture f;
    auto dial = Needle(f);
    CRecordingCanvas dc;
    const Pen outline{Pen::Solid, 0x445566, 1};
    dc.SelectPen(outline);
    dial->Draw(dc, 2.0f);
    ASSERT_EQ(dc.m_aPolygons.size(), 2u);
    EXPECT_EQ(dc.m_aPolygons[0].points, (std::vector<CPoint>{{80, 100}, {180, 100}, {114, 85}}));
    EXPECT_EQ(dc.m_aPolygons[0].brush, (Brush{false, 0x00ff00}));
    EXPECT_EQ(dc.m_aPolygons[0].pen, outline);
    EXPECT_EQ(dc.m_aPolygons[1].points, (std::vector<CPoint>{{80, 100}, {180, 100}, {114, 114}}));
    EXPECT_EQ(dc.m_aPolygons[1].brush, (Brush{false, 0xff0000}));
    EXPECT_EQ(dc.m_aPolygons[1].pen.style, Pen::Null); // filled only
    EXPECT_EQ(dc.m_pen, outline);
    EXPECT_EQ(dc.m_brush, Brush{});

    // Pointing up: the first point is the angle of the first value.
    dial->m_afPoints = {1.5708f, 0.0f};
    dial->m_afValues = {0.0f, 90.0f};
    CRecordingCanvas up;
    dial->Draw(up, 1.0f);
    ASSERT_EQ(up.m_aPolygons.size(), 2u);
    EXPECT_EQ(up.m_aPolygons[0].points[1], (CPoint{49, 10}));
}

TEST(Dial, NoNeedleWithoutAUsableTable)
{
    CFixture f;
    auto dial = Needle(f);
    const std::vector<std::pair<std::vector<float>, std::vector<float>>> tables = {
        {{}, {}},                     // a new dial
        {{0.0f}, {0.0f, 1.0f}},       // one point
        {{0.0f, 1.0f}, {5.0f}},       // one value
        {{0.0f, 1.0f}, {5.0f, 5.0f}}, // equal first values
        {{3e38f, -3e38f}, {0.0f, 1.0f}},
    };
    for (const auto& [points, values] : tables) {
        dial->m_afPoints = points;
        dial->m_afValues = values;
        CRecordingCanvas dc;
        dial->Draw(dc, 1.0f);
        EXPECT_TRUE(dc.m_aPolygons.empty()) << points.size() << "/" << values.size();
    }
}

#ifdef VIREO_TEST_QT // painted through Qt
TEST(Dial, SelectionFrameAndGeometry)
{
    CFixture f;
    CCPDial dial(&f.manager);
    dial.m_rcSrc = CRect(50, 50, 60, 60);
    const CRect taller(0, 0, 10, 16);
    dial.SetDestRect(&taller);
    EXPECT_EQ(dial.m_rcSrc, CRect(50, 50, 60, 66));
    const QImage img = Paint(40, 40, [&](Canvas& dc) { dial.DrawSelected(dc, 2.0f); });
    EXPECT_EQ(At(img, 19, 31), 0xff0000u);
    EXPECT_EQ(Count(img, 0xff0000u), 2 * 20 + 2 * 30);
}
#endif

TEST(Dial, NeedleAngleRunsThroughTheWholeTable)
{
    CFixture f;
    auto dial = Needle(f);
    // Up at 0, right at 100, down at 1000 and round through left back up at 1100: the
    // steps differ, so each part of the table has its own slope.
    dial->m_afPoints = {1.5708f, 0.0f, -1.5708f, 1.5708f};
    dial->m_afValues = {0.0f, 100.0f, 1000.0f, 1100.0f};
    const std::vector<std::pair<float, float>> expected = {
        {0.0f, 1.5708f},     {50.0f, 0.7854f},    {100.0f, 0.0f},     {550.0f, -0.7854f},
        {1000.0f, -1.5708f}, {1050.0f, -3.1416f}, {1100.0f, -4.7124f}};
    for (const auto& [value, want] : expected) {
        float a = 99.0f;
        ASSERT_TRUE(dial->NeedleAngle(value, a)) << value;
        // The same direction, whichever turn it is written in.
        EXPECT_NEAR(std::cos(a), std::cos(want), 1e-4) << value;
        EXPECT_NEAR(std::sin(a), std::sin(want), 1e-4) << value;
    }

    // Beyond the table the needle rests on the nearer stop.
    auto needle = Needle(f);
    float a = 99.0f;
    ASSERT_TRUE(needle->NeedleAngle(150.0f, a));
    EXPECT_EQ(a, 3.14159f);
    ASSERT_TRUE(needle->NeedleAngle(-50.0f, a));
    EXPECT_EQ(a, 0.0f);
    // Within the first two entries it agrees with the needle drawn at 0.
    float zero = 0.0f;
    ASSERT_TRUE(needle->ZeroAngle(zero));
    ASSERT_TRUE(needle->NeedleAngle(0.0f, a));
    EXPECT_NEAR(a, zero, 1e-6);

    // Falling values, and a step without width that is passed over.
    needle->m_afValues = {100.0f, 0.0f};
    ASSERT_TRUE(needle->NeedleAngle(50.0f, a));
    EXPECT_NEAR(a, -1.5708f, 1e-4);
    needle->m_afPoints = {1.0f, 2.0f, 0.0f};
    needle->m_afValues = {0.0f, 0.0f, 10.0f};
    ASSERT_TRUE(needle->NeedleAngle(5.0f, a));
    EXPECT_NEAR(a, 1.0f, 1e-6);
}

TEST(Dial, NoPreviewedNeedleWithoutAUsableTable)
{
    CFixture f;
    auto dial = Needle(f);
    const std::vector<std::pair<std::vector<float>, std::vector<float>>> tables = {
        {{}, {}},
        {{0.0f}, {0.0f, 1.0f}},
        {{0.0f, 1.0f, 2.0f}, {5.0f}},
        {{0.0f, 1.0f, 2.0f}, {5.0f, 5.0f, 5.0f}}, // every value the same
        {{3e38f, -3e38f}, {0.0f, 1.0f}},
    };
    for (const auto& [points, values] : tables) {
        dial->m_afPoints = points;
        dial->m_afValues = values;
        float a = 0.0f;
        EXPECT_FALSE(dial->NeedleAngle(0.5f, a)) << points.size() << "/" << values.size();
    }
    dial = Needle(f);
    float a = 0.0f;
    EXPECT_FALSE(dial->NeedleAngle(std::numeric_limits<float>::quiet_NaN(), a));
}

TEST(Dial, NeedleDrawnAtAPreviewedValue)
{
    CFixture f;
    auto dial = Needle(f);
    float a = 0.0f;
    ASSERT_TRUE(dial->NeedleAngle(50.0f, a)); // halfway round: straight down
    CRecordingCanvas dc;
    dial->DrawNeedle(dc, 2.0f, a);
    ASSERT_EQ(dc.m_aPolygons.size(), 2u);
    const std::vector<CPoint>& p = dc.m_aPolygons[0].points;
    // Centre 50, 50 at zoom 2: the tip (radius 40) below it, the tail (-10) above.
    EXPECT_NEAR(p[1].x, 100, 1);
    EXPECT_NEAR(p[1].y, 180, 1);
    EXPECT_NEAR(p[0].x, 100, 1);
    EXPECT_NEAR(p[0].y, 80, 1);
    EXPECT_EQ(dc.m_aPolygons[0].brush, (Brush{false, 0x00ff00}));
    EXPECT_EQ(dc.m_aPolygons[1].brush, (Brush{false, 0xff0000}));
    // The record itself still shows the value 0.
    CRecordingCanvas still;
    dial->Draw(still, 2.0f);
    EXPECT_EQ(still.m_aPolygons[0].points[1], (CPoint{180, 100}));
}
