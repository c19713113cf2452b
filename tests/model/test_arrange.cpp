#include "arrange.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const int kW = 1024;
const int kH = 768;

std::vector<CRect> Row()
{
    // A key-less row of three buttons of unequal sizes, out of order.
    return {CRect(300, 40, 340, 60), CRect(100, 20, 120, 50), CRect(10, 30, 70, 45)};
}

} // namespace

TEST(ArrangeFrames, AlignsToTheKeyRecordOrElseToTheBounds)
{
    const auto row = Row();
    auto left = ArrangeFrames(ArrangeCommand::AlignLeft, row, 1, kW, kH);
    for (const CRect& rc : left)
        EXPECT_EQ(rc.left, 100);
    EXPECT_EQ(left[0], CRect(100, 40, 140, 60)) << "a move keeps the size";

    auto bottom = ArrangeFrames(ArrangeCommand::AlignBottom, row, -1, kW, kH);
    for (const CRect& rc : bottom)
        EXPECT_EQ(rc.bottom, 60) << "without a key, the selection's bounds";

    auto right = ArrangeFrames(ArrangeCommand::AlignRight, row, -1, kW, kH);
    EXPECT_EQ(right[2], CRect(280, 30, 340, 45));

    auto top = ArrangeFrames(ArrangeCommand::AlignTop, row, 2, kW, kH);
    EXPECT_EQ(top[1], CRect(100, 30, 120, 60));
}

TEST(ArrangeFrames, CentresOfOddAndEvenSizesLineUp)
{
    const std::vector<CRect> frames{CRect(0, 0, 11, 7), CRect(50, 50, 54, 60)};
    auto h = ArrangeFrames(ArrangeCommand::AlignCentresHorizontally, frames, 0, kW, kH);
    EXPECT_EQ(h[1], CRect(3, 50, 7, 60)) << "centre x 5 of 0..11 and of 3..7";
    EXPECT_EQ(h[0], frames[0]);
    auto v = ArrangeFrames(ArrangeCommand::AlignCentresVertically, frames, -1, kW, kH);
    // Bounds 0..60: centre 30.
    EXPECT_EQ(v[0], CRect(0, 27, 11, 34));
    EXPECT_EQ(v[1], CRect(50, 25, 54, 35));
}

TEST(ArrangeFrames, DistributionKeepsTheOutermostAndMakesGapsEqual)
{
    const auto row = Row();
    auto out = ArrangeFrames(ArrangeCommand::DistributeHorizontally, row, 1, kW, kH);
    EXPECT_EQ(out[2], row[2]) << "the leftmost stays";
    EXPECT_EQ(out[0], row[0]) << "the rightmost stays";
    // Span 10..340 holds 60 + 20 + 40 = 120 of frames and 210 of gaps: two gaps of 105.
    EXPECT_EQ(out[1].left - out[2].right, 105);
    EXPECT_EQ(out[0].left - out[1].right, 105);
    EXPECT_EQ(out[1].Width(), 20);
    EXPECT_EQ(out[1].top, row[1].top) << "only the distributed direction moves";

    // An uneven remainder: gaps of 3 and 4 pixels, the first gap the smaller.
    const std::vector<CRect> col{CRect(0, 0, 10, 10), CRect(0, 11, 10, 21), CRect(0, 27, 10, 37)};
    auto v = ArrangeFrames(ArrangeCommand::DistributeVertically, col, -1, kW, kH);
    EXPECT_EQ(v[1].top - v[0].bottom, 3);
    EXPECT_EQ(v[2].top - v[1].bottom, 4);
    EXPECT_EQ(v[2], col[2]);
}

TEST(ArrangeFrames, SizesComeFromTheKeyAndKeepTheTopLeftCorner)
{
    const auto row = Row();
    auto size = ArrangeFrames(ArrangeCommand::SameSize, row, 2, kW, kH);
    EXPECT_EQ(size[0], CRect(300, 40, 360, 55));
    EXPECT_EQ(size[1], CRect(100, 20, 160, 35));
    auto width = ArrangeFrames(ArrangeCommand::SameWidth, row, 0, kW, kH);
    EXPECT_EQ(width[1], CRect(100, 20, 140, 50));
    auto height = ArrangeFrames(ArrangeCommand::SameHeight, row, 1, kW, kH);
    EXPECT_EQ(height[2], CRect(10, 30, 70, 60));
    EXPECT_EQ(ArrangeFrames(ArrangeCommand::SameSize, row, -1, kW, kH), row)
        << "sizes need a key record";
}

TEST(ArrangeFrames, TooFewFramesChangeNothingAndTheScreenHoldsThemIn)
{
    const std::vector<CRect> one{CRect(5, 5, 10, 10)};
    EXPECT_EQ(ArrangeFrames(ArrangeCommand::AlignLeft, one, 0, kW, kH), one);
    const std::vector<CRect> two{CRect(5, 5, 10, 10), CRect(50, 5, 60, 10)};
    EXPECT_EQ(ArrangeFrames(ArrangeCommand::DistributeHorizontally, two, 0, kW, kH), two);

    // Aligning to a key that lies partly outside moves the others only up to the border.
    const std::vector<CRect> edge{CRect(1000, 10, 1040, 20), CRect(100, 100, 140, 110)};
    auto right = ArrangeFrames(ArrangeCommand::AlignRight, edge, 0, kW, kH);
    EXPECT_EQ(right[1], CRect(984, 100, 1024, 110));
    EXPECT_EQ(right[0], edge[0]) << "a record already beyond the border is not pulled in";
    // A size taken from a wide key stops at the border.
    auto wide =
        ArrangeFrames(ArrangeCommand::SameWidth,
                      std::vector<CRect>{CRect(0, 0, 500, 10), CRect(900, 0, 910, 10)}, 0, kW, kH);
    EXPECT_EQ(wide[1], CRect(900, 0, 1024, 10));
}

TEST(SnapLines, FindsTheNearestEdgeOrCentreWithinTheTolerance)
{
    CSnapLines lines;
    const std::vector<CRect> others{CRect(100, 100, 140, 120), CRect(300, 10, 320, 30)};
    lines.Build(others, kW, kH);
    // A frame at 143..163: its left is 3 from the first record's right; nothing else is nearer.
    const int xs[] = {143, 153, 163};
    auto x = lines.SnapX(xs, 6);
    ASSERT_TRUE(x.snapped);
    EXPECT_EQ(x.delta, -3);
    EXPECT_EQ(x.line, 140);
    const int far[] = {200, 210, 220};
    EXPECT_FALSE(lines.SnapX(far, 6).snapped);
    // The screen's centre and edges are lines too.
    const int ys[] = {380, 390};
    auto y = lines.SnapY(ys, 6);
    ASSERT_TRUE(y.snapped);
    EXPECT_EQ(y.line, 384);
    EXPECT_EQ(y.delta, 4) << "the smaller of the two moves wins";
    const int bottom[] = {770};
    EXPECT_EQ(lines.SnapY(bottom, 6).line, kH);
}

TEST(SnapToGrid, RoundsToTheNearestLineOnBothSidesOfZero)
{
    EXPECT_EQ(SnapToGrid(11, 8), 8);
    EXPECT_EQ(SnapToGrid(12, 8), 16);
    EXPECT_EQ(SnapToGrid(-3, 8), 0);
    EXPECT_EQ(SnapToGrid(-5, 8), -8);
    EXPECT_EQ(SnapToGrid(7, 1), 7);
}
