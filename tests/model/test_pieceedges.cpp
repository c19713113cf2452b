// The edges a band drawn on the template snaps to.
#include "cbitmap.h"
#include "pieceedges.h"

#include <gtest/gtest.h>

namespace {

const uint32_t kKeyBlue = 0xff0000ffu;
const uint32_t kLamp = 0xffc0a020u;

// A 40 x 20 template of key blue with a lamp at 10,5 - 20,15, a strip along the right border
// at 34,0 - 40,20, a small piece at 0,0 - 6,2 above the rest, and pixels of alpha 0 at
// 22,5 - 26,15.
CBitmap Template()
{
    CBitmap bmp(40, 20, kKeyBlue);
    const auto fill = [&bmp](int l, int t, int r, int b, uint32_t argb) {
        for (int y = t; y < b; ++y)
            for (int x = l; x < r; ++x)
                bmp.SetPixel(x, y, argb);
    };
    fill(10, 5, 20, 15, kLamp);
    fill(34, 0, 40, 20, kLamp);
    fill(0, 0, 6, 2, kLamp);
    fill(22, 5, 26, 15, 0x00ff0000u);
    return bmp;
}

} // namespace

TEST(PieceEdgesTest, ABandSnapsToTheOpaqueEdgesNearItAndOnlyToThose)
{
    const CBitmap bmp = Template();
    EXPECT_EQ(SnapToOpaqueEdges(bmp, CRect(8, 3, 22, 17), 3), CRect(10, 5, 20, 15));
    EXPECT_EQ(SnapToOpaqueEdges(bmp, CRect(22, 17, 8, 3), 3), CRect(10, 5, 20, 15))
        << "drawn the other way round";
    EXPECT_EQ(SnapToOpaqueEdges(bmp, CRect(8, 3, 22, 17), 1), CRect(8, 3, 22, 17))
        << "edges farther than the tolerance stay where they were drawn";
    // Pixels of alpha 0 are see-through like key blue: the edge is the lamp's.
    EXPECT_EQ(SnapToOpaqueEdges(bmp, CRect(11, 5, 24, 15), 4), CRect(10, 5, 20, 15));
    // The picture's border ends a piece that reaches it.
    EXPECT_EQ(SnapToOpaqueEdges(bmp, CRect(33, 2, 42, 18), 3), CRect(34, 0, 40, 20));
    // Only the band's own rows count: the piece above it does not pull its left edge.
    EXPECT_EQ(SnapToOpaqueEdges(bmp, CRect(4, 6, 9, 14), 2), CRect(4, 6, 10, 14));
}

TEST(PieceEdgesTest, ABandNeverTurnsInsideOutOrLeavesWhereThereIsNothingToSnapTo)
{
    const CBitmap bmp = Template();
    // Both side edges would snap to the lamp's left edge: they stay (top and bottom snap).
    EXPECT_EQ(SnapToOpaqueEdges(bmp, CRect(9, 6, 11, 14), 3), CRect(9, 5, 11, 15));
    EXPECT_EQ(SnapToOpaqueEdges(CBitmap(), CRect(8, 3, 22, 17), 3), CRect(8, 3, 22, 17));
    EXPECT_EQ(SnapToOpaqueEdges(bmp, CRect(8, 3, 22, 17), 0), CRect(8, 3, 22, 17));
    const CRect far(2000000000, 5, 2000000010, 15);
    EXPECT_EQ(SnapToOpaqueEdges(bmp, far, 3), far);
    // A picture without see-through pixels has edges only at its border.
    EXPECT_EQ(SnapToOpaqueEdges(CBitmap(40, 20, kLamp), CRect(2, 3, 30, 19), 3),
              CRect(0, 0, 30, 20));
}
