#include "slicing.h"

#include <gtest/gtest.h>

#include <vector>

TEST(SliceRect, EvenStripsCutIntoEqualPiecesInOrder)
{
    // Ten digits of 12 x 20 side by side.
    const auto across = SliceRect(CRect(100, 40, 220, 60), 10, SliceDirection::Across);
    ASSERT_EQ(across.size(), 10u);
    for (size_t i = 0; i < across.size(); ++i)
        EXPECT_EQ(across[i], CRect(100 + 12 * int(i), 40, 112 + 12 * int(i), 60)) << i;

    // Three light states stacked.
    EXPECT_EQ(SliceRect(CRect(5, 0, 25, 30), 3, SliceDirection::Down),
              (std::vector<CRect>{{5, 0, 25, 10}, {5, 10, 25, 20}, {5, 20, 25, 30}}));
    // One piece is the whole strip.
    EXPECT_EQ(SliceRect(CRect(1, 2, 3, 4), 1, SliceDirection::Down),
              (std::vector<CRect>{{1, 2, 3, 4}}));
}

TEST(SliceRect, SparePixelsGoToTheFirstPiecesAndTheStripIsFilled)
{
    // 32 pixels in 5: 7, 7, 6, 6, 6.
    EXPECT_EQ(SliceRect(CRect(0, 0, 32, 9), 5, SliceDirection::Across),
              (std::vector<CRect>{
                  {0, 0, 7, 9}, {7, 0, 14, 9}, {14, 0, 20, 9}, {20, 0, 26, 9}, {26, 0, 32, 9}}));
    // Down, from a negative top: 11 in 3 is 4, 4, 3.
    EXPECT_EQ(SliceRect(CRect(0, -5, 8, 6), 3, SliceDirection::Down),
              (std::vector<CRect>{{0, -5, 8, -1}, {0, -1, 8, 3}, {0, 3, 8, 6}}));
    // As many pieces as pixels: one pixel each.
    const auto thin = SliceRect(CRect(0, 0, 4, 2), 4, SliceDirection::Across);
    ASSERT_EQ(thin.size(), 4u);
    EXPECT_EQ(thin.back(), CRect(3, 0, 4, 2));
}

TEST(SliceRect, RefusesWhatCannotBeCut)
{
    EXPECT_TRUE(SliceRect(CRect(0, 0, 4, 2), 5, SliceDirection::Across).empty())
        << "a piece under a pixel";
    EXPECT_TRUE(SliceRect(CRect(0, 0, 40, 20), 0, SliceDirection::Down).empty());
    EXPECT_TRUE(SliceRect(CRect(0, 0, 40, 20), -3, SliceDirection::Down).empty());
    EXPECT_TRUE(SliceRect(CRect(0, 0, 5000, 20), kMaxSlices + 1, SliceDirection::Across).empty());
    EXPECT_TRUE(SliceRect(CRect(10, 10, 10, 30), 1, SliceDirection::Down).empty()) << "no width";
    EXPECT_TRUE(SliceRect(CRect(10, 30, 20, 10), 2, SliceDirection::Down).empty()) << "upside down";
    // The widest strip an int can hold still cuts without overflowing.
    const auto wide = SliceRect(CRect(INT_MIN, 0, INT_MAX, 1), 2, SliceDirection::Across);
    ASSERT_EQ(wide.size(), 2u);
    EXPECT_EQ(wide[0].left, INT_MIN);
    EXPECT_EQ(wide[0].right, wide[1].left);
    EXPECT_EQ(wide[1].right, INT_MAX);
}

TEST(SliceRect, BoundsOfPiecesSkipsEmptyOnes)
{
    EXPECT_EQ(BoundsOfPieces({}), CRect());
    EXPECT_EQ(BoundsOfPieces({CRect(), CRect(5, 5, 5, 9)}), CRect());
    EXPECT_EQ(BoundsOfPieces({CRect(10, 20, 22, 40), CRect(), CRect(30, 25, 42, 45)}),
              CRect(10, 20, 42, 45));
}
