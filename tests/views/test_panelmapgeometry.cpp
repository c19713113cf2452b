#include "panelmappaint.h"
#include "readcockpit.h"
#include "testdata.h"

#include <gtest/gtest.h>

// What a press on the map means: which picture, which of its sides (the way a drag links),
// which link.
TEST(PanelMapGeometry, SidesCornersAndLinksUnderThePointer)
{
    CReadCockpit c(TestData("map_compass.dat"));
    const CPanelMapGeometry g(LayOutPanels(c.manager), 800, 600);
    const QRectF r = g.PanelRect(0); // panel 1, in the middle
    EXPECT_EQ(g.PanelAt(r.center()), 0);
    EXPECT_EQ(g.PanelAt(r.topLeft() - QPointF(CPanelMapGeometry::kGap / 2, 0)), -1);

    const double band = 10;
    struct
    {
        double fx, fy; // share of the picture's width and height
        int side;
    } cases[] = {{0.5, 0.01, kNorth}, {0.99, 0.01, kNorthEast},
                 {0.99, 0.5, kEast},  {0.99, 0.99, kSouthEast},
                 {0.5, 0.99, kSouth}, {0.01, 0.99, kSouthWest},
                 {0.01, 0.5, kWest},  {0.01, 0.01, kNorthWest},
                 {0.5, 0.5, -1},      {0.3, 0.4, -1}};
    for (const auto& k : cases)
        EXPECT_EQ(
            g.SideAt(0, QPointF(r.left() + r.width() * k.fx, r.top() + r.height() * k.fy), band),
            k.side)
            << k.fx << ", " << k.fy;
    // Outside the picture there is no side of it.
    EXPECT_EQ(g.SideAt(0, r.topLeft() - QPointF(2, 2), band), -1);

    // Each link leaves its panel on the side of its direction and ends on the neighbour's
    // opposite side; the pointer finds it there.
    const PanelMapLayout& map = g.Map();
    for (size_t i = 0; i < map.links.size(); ++i) {
        const MapLink& link = map.links[i];
        const QLineF line = g.LinkLine(link);
        EXPECT_TRUE(g.PanelRect(link.from).adjusted(-1, -1, 1, 1).contains(line.p1()));
        if (link.kind != MapLink::Dangling) {
            EXPECT_TRUE(g.PanelRect(link.to).adjusted(-1, -1, 1, 1).contains(line.p2()));
        }
        const int found = g.LinkAt(line.pointAt(0.5), 3);
        ASSERT_GE(found, 0);
        // A pair drawn on one line answers with either of its two; a red one always itself.
        const MapLink& hit = map.links[size_t(found)];
        if (link.kind != MapLink::Mutual) {
            EXPECT_EQ(size_t(found), i) << LinkProblem(map, link);
        } else {
            EXPECT_TRUE(hit.from == link.from || hit.from == link.to);
        }
    }
}
