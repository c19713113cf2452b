#include "ccpdial.h"
#include "dialangles.h"
#include "readcockpit.h"
#include "recordtest.h"
#include "testdata.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace recordtest;

TEST(DialAngles, DegreesAndRadiansConvertBothWays)
{
    EXPECT_DOUBLE_EQ(DegreesFromRadians(0.0f), 0.0);
    EXPECT_NEAR(DegreesFromRadians(3.14159265f), 180.0, 1e-5);
    EXPECT_NEAR(DegreesFromRadians(-1.5707964f), -90.0, 1e-5);
    EXPECT_EQ(RadiansFromDegrees(90.0), 1.5707964f);
    EXPECT_EQ(RadiansFromDegrees(-180.0), -3.14159274f);
    EXPECT_EQ(RadiansFromDegrees(0.0), 0.0f);
    // Every angle a file can hold comes back to the same float through degrees held exactly.
    for (float r : {0.1f, 1.2345678f, -2.9f, 3.1415925f, 1e-7f, 6.0f})
        EXPECT_EQ(RadiansFromDegrees(DegreesFromRadians(r)), r) << r;
}

TEST(DialAngles, AClickPointsWhereThePaintedNeedleWould)
{
    // A needle drawn at a known angle ends at a pixel; the angle of that pixel seen from the
    // needle's centre is the angle again (within the pixel's truncation).
    CFixture f;
    CCPDial dial(&f.manager);
    dial.m_rcSrc = CRect(40, 60, 140, 160);
    dial.m_anRadius = {0, 45, 5};
    double cx = 0;
    double cy = 0;
    dial.NeedleCentre(cx, cy);
    EXPECT_EQ(cx, 90.0);
    EXPECT_EQ(cy, 110.0);
    for (float angle : {0.0f, 0.6f, 1.5707964f, 2.5f, -0.7f, -2.0f, 3.1f}) {
        CRecordingCanvas dc;
        dial.DrawNeedle(dc, 1.0f, angle);
        ASSERT_EQ(dc.m_aPolygons.size(), 2u);
        const CPoint tip = dc.m_aPolygons[0].points[1]; // at radius 1
        EXPECT_NEAR(AngleOfPoint(cx, cy, tip.x, tip.y), angle, 0.03) << angle;
    }
    // Straight right, up, left and down of the centre.
    EXPECT_FLOAT_EQ(AngleOfPoint(cx, cy, 120, 110), 0.0f);
    EXPECT_FLOAT_EQ(AngleOfPoint(cx, cy, 90, 50), float(std::numbers::pi / 2));
    EXPECT_FLOAT_EQ(AngleOfPoint(cx, cy, 10, 110), float(std::numbers::pi));
    EXPECT_FLOAT_EQ(AngleOfPoint(cx, cy, 90, 170), float(-std::numbers::pi / 2));
    EXPECT_EQ(AngleOfPoint(cx, cy, cx, cy), 0.0f);
}

TEST(DialAngles, TheDigitsOfAFilesTableSurviveASave)
{
    // Dial 104 keeps its angles with more digits than "%g" writes.
    const std::string file = TestData("making_strips_dials.dat");
    CReadCockpit read(file);
    EXPECT_EQ(read.Saved(), file);

    auto& oil = static_cast<CCPDial&>(*read.manager.FindObject(104));
    const std::string before = "points =  1.57079632679 0.261799387799 -1.0471975512;";
    ASSERT_NE(file.find(before), std::string::npos);
    // A changed entry is written as "%g"; the others keep their text, also when they move.
    oil.m_afPoints = {oil.m_afPoints[2], 0.785398f, oil.m_afPoints[0]};
    oil.m_afValues = {100.0f, 50.0f, 0.0f};
    const std::string saved = read.Saved();
    EXPECT_NE(saved.find("points =  -1.0471975512 0.785398 1.57079632679;"), std::string::npos)
        << saved;
    EXPECT_NE(saved.find("values =  100 50 0;"), std::string::npos);

    // A read copy keeps the texts; an entry that differs by a bit does not take one.
    CReadCockpit again(saved);
    auto& copy = static_cast<CCPDial&>(*again.manager.FindObject(104));
    copy.m_afPoints[0] = std::nextafter(copy.m_afPoints[0], 0.0f);
    const std::string nudged = again.Saved();
    EXPECT_EQ(nudged.find("-1.0471975512 "), std::string::npos) << nudged;
    EXPECT_NE(nudged.find(" 0.785398 1.57079632679;"), std::string::npos) << nudged;
}
