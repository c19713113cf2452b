#pragma once

#include <array>
#include <string>
#include <vector>

class CCPManager;

// The panels laid out on a grid by their links, for the Panel Map and `vireo-cli map`: the
// first panel in the middle, each neighbour in its compass direction, breadth first.

// Compass directions in the order a panel keeps its neighbours.
enum MapDirection
{
    kNorth,
    kNorthEast,
    kEast,
    kSouthEast,
    kSouth,
    kSouthWest,
    kWest,
    kNorthWest,
    kDirections
};

// "north", "north-east", ...
const char* DirectionName(int direction);
int OppositeDirection(int direction);
// One grid step in the direction: x to the east, y to the south.
int DirectionDx(int direction);
int DirectionDy(int direction);

// What the layout needs of a panel.
struct MapPanel
{
    int id = 0;
    std::array<int, 8> adj{}; // N ... NW, -1 for none
};

struct MapLink
{
    enum Kind
    {
        Mutual,   // the neighbour links back the opposite way
        OneWay,   // the neighbour does not link back
        Dangling, // no panel has that id
    };
    size_t from = 0; // index of the panel that holds the entry
    int direction = 0;
    int toId = 0;
    size_t to = 0; // index of the neighbour, when there is one
    Kind kind = Mutual;
};

struct MapCell
{
    int col = 0, row = 0;
    bool reachable = true; // false: in the row below the linked panels
};

struct PanelMapLayout
{
    std::vector<MapPanel> panels;
    std::vector<MapCell> cells; // one per panel, same order
    std::vector<MapLink> links; // every entry that is not -1, panel by panel, N to NW
    int minCol = 0, maxCol = -1, minRow = 0, maxRow = -1;

    int Columns() const { return maxCol - minCol + 1; }
    int Rows() const { return maxRow - minRow + 1; }
    // The panel at a cell, or -1.
    int PanelAt(int col, int row) const;
    // The links drawn in red, each said in a sentence ("Panel 3 links east to panel 7, which does
    // not link back west."), in link order.
    std::vector<std::string> Problems() const;
};

std::string LinkProblem(const PanelMapLayout& map, const MapLink& link);

// Lays out panels in the given order (the first is the start). A panel id that appears
// twice is linked to at its first panel, as lookups by id find it.
PanelMapLayout LayOutPanels(std::vector<MapPanel> panels);
PanelMapLayout LayOutPanels(const CCPManager& manager);
