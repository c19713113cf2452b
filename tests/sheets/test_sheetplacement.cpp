#include "csheetplacement.h"

#include <gtest/gtest.h>

namespace {
const QRect kScreen(0, 0, 1280, 900);
const QSize kSheet(500, 400);
} // namespace

TEST(SheetPlacement, ASheetStandsBesideTheRecordItWouldCover)
{
    // Already clear of the record: where the window system would put it.
    EXPECT_EQ(PlaceClearOf(kSheet, QRect(50, 50, 100, 100), kScreen, QPoint(390, 250)),
              QPoint(390, 250));
    // Over it: on the right, level with the record's top as far as the screen allows.
    const QRect dial(300, 600, 160, 160);
    EXPECT_EQ(PlaceClearOf(kSheet, dial, kScreen, QPoint(390, 250)), QPoint(472, 500));
    // No room on the right: the left.
    const QRect right(900, 100, 200, 200);
    EXPECT_EQ(PlaceClearOf(kSheet, right, kScreen, QPoint(800, 100)), QPoint(388, 100));
    // A record across the whole width: below it, else above it.
    EXPECT_EQ(PlaceClearOf(kSheet, QRect(0, 50, 1280, 200), kScreen, QPoint(390, 100)),
              QPoint(0, 262));
    EXPECT_EQ(PlaceClearOf(kSheet, QRect(0, 600, 1280, 200), kScreen, QPoint(390, 500)),
              QPoint(0, 188));
    // Nowhere with room: left where it was; nothing to keep clear: the same.
    EXPECT_EQ(PlaceClearOf(kSheet, QRect(0, 0, 1280, 900), kScreen, QPoint(390, 250)),
              QPoint(390, 250));
    EXPECT_EQ(PlaceClearOf(kSheet, QRect(), kScreen, QPoint(390, 250)), QPoint(390, 250));
    for (const QRect& keep : {dial, right}) {
        const QRect placed(PlaceClearOf(kSheet, keep, kScreen, QPoint(390, 250)), kSheet);
        EXPECT_TRUE(kScreen.contains(placed));
        EXPECT_FALSE(placed.intersects(keep));
    }
}
