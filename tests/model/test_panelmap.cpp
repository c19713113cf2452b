#include "panelmap.h"
#include "readcockpit.h"
#include "testdata.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace {
// Where each panel id was put.
std::map<int, std::pair<int, int>> Cells(const PanelMapLayout& map)
{
    std::map<int, std::pair<int, int>> cells;
    for (size_t i = 0; i < map.panels.size(); ++i)
        cells[map.panels[i].id] = {map.cells[i].col, map.cells[i].row};
    return cells;
}
} // namespace

TEST(PanelMapLayout, NeighboursGoTheirWayAndTheUnreachedGoBelow)
{
    CReadCockpit c(TestData("map_compass.dat"));
    const PanelMapLayout map = LayOutPanels(c.manager);
    const auto cells = Cells(map);
    using Cell = std::pair<int, int>;
    // The first panel in the middle, its eight neighbours round it, north up and east right.
    EXPECT_EQ(cells.at(1), Cell(0, 0));
    EXPECT_EQ(cells.at(2), Cell(0, -1));
    EXPECT_EQ(cells.at(3), Cell(1, -1));
    EXPECT_EQ(cells.at(4), Cell(1, 0));
    EXPECT_EQ(cells.at(5), Cell(1, 1));
    EXPECT_EQ(cells.at(6), Cell(0, 1));
    EXPECT_EQ(cells.at(7), Cell(-1, 1));
    EXPECT_EQ(cells.at(8), Cell(-1, 0));
    EXPECT_EQ(cells.at(9), Cell(-1, -1));
    // East of 2 is where 3 already is: 10 goes on east to the next free cell.
    EXPECT_EQ(cells.at(10), Cell(2, -1));
    // 20 and 21 link to each other and to 1, but nothing links to them: a row of their own.
    EXPECT_EQ(cells.at(20), Cell(-1, 2));
    EXPECT_EQ(cells.at(21), Cell(0, 2));
    for (size_t i = 0; i < map.panels.size(); ++i)
        EXPECT_EQ(map.cells[i].reachable, map.panels[i].id < 20) << map.panels[i].id;
    EXPECT_EQ(map.Columns(), 4);
    EXPECT_EQ(map.Rows(), 4);
    EXPECT_EQ(map.PanelAt(2, -1), 9); // the tenth panel of the file
    EXPECT_EQ(map.PanelAt(2, 2), -1);

    // The same cockpit laid out again gives the same places.
    EXPECT_EQ(Cells(LayOutPanels(c.manager)), cells);
}

TEST(PanelMapLayout, MarksExactlyTheOneWayAndDanglingLinks)
{
    CReadCockpit c(TestData("map_compass.dat"));
    const PanelMapLayout map = LayOutPanels(c.manager);
    EXPECT_EQ(map.Problems(),
              (std::vector<std::string>{
                  "Panel 4 links north to panel 3, which does not link back south.",
                  "Panel 6 links south to panel 99, which does not exist.",
                  "Panel 20 links north to panel 1, which does not link back south.",
              }));
    int mutual = 0;
    for (const MapLink& link : map.links)
        if (link.kind == MapLink::Mutual) {
            ++mutual;
            EXPECT_EQ(map.panels[link.to].adj[size_t(OppositeDirection(link.direction))],
                      map.panels[link.from].id);
        }
    // 1 with its eight and back, 2 with 10 and back, 20 with 21 and back.
    EXPECT_EQ(mutual, 16 + 2 + 2);
}

TEST(PanelMapLayout, FirstPanelOfTheFileStartsAndEmptyCockpitHasNoCells)
{
    // A cockpit whose file lists 6 first: the layout starts there, as the check does.
    CReadCockpit c(TestData("map_compass.dat"));
    auto& panels = c.manager.m_aPanels;
    std::swap(panels[0], panels[5]);
    const auto cells = Cells(LayOutPanels(c.manager));
    EXPECT_EQ(cells.at(6), std::make_pair(0, 0));
    EXPECT_EQ(cells.at(1), std::make_pair(0, -1));

    const PanelMapLayout none = LayOutPanels(std::vector<MapPanel>{});
    EXPECT_TRUE(none.cells.empty());
    EXPECT_EQ(none.Columns(), 0);
    EXPECT_EQ(none.Rows(), 0);
}
