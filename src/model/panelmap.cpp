#include "panelmap.h"

#include "ccpmanager.h"
#include "ccppanel.h"
#include "strformat.h"

#include <deque>
#include <map>
#include <unordered_map>

namespace {
constexpr int kDx[kDirections] = {0, 1, 1, 1, 0, -1, -1, -1};
constexpr int kDy[kDirections] = {-1, -1, 0, 1, 1, 1, 0, -1};
constexpr const char* kNames[kDirections] = {"north", "north-east", "east", "south-east",
                                             "south", "south-west", "west", "north-west"};
} // namespace

const char* DirectionName(int direction)
{
    return direction >= 0 && direction < kDirections ? kNames[direction] : "";
}

int OppositeDirection(int direction)
{
    return (direction + 4) % kDirections;
}

int DirectionDx(int direction)
{
    return kDx[direction];
}

int DirectionDy(int direction)
{
    return kDy[direction];
}

int PanelMapLayout::PanelAt(int col, int row) const
{
    for (size_t i = 0; i < cells.size(); ++i)
        if (cells[i].col == col && cells[i].row == row)
            return int(i);
    return -1;
}

std::string LinkProblem(const PanelMapLayout& map, const MapLink& link)
{
    const int from = map.panels[link.from].id;
    const char* dir = DirectionName(link.direction);
    if (link.kind == MapLink::Dangling)
        return StrFormat("Panel %d links %s to panel %d, which does not exist.", from, dir,
                         link.toId);
    if (link.kind == MapLink::OneWay)
        return StrFormat("Panel %d links %s to panel %d, which does not link back %s.", from, dir,
                         link.toId, DirectionName(OppositeDirection(link.direction)));
    return std::string();
}

std::vector<std::string> PanelMapLayout::Problems() const
{
    std::vector<std::string> out;
    for (const MapLink& link : links)
        if (link.kind != MapLink::Mutual)
            out.push_back(LinkProblem(*this, link));
    return out;
}

PanelMapLayout LayOutPanels(std::vector<MapPanel> panels)
{
    PanelMapLayout map;
    map.panels = std::move(panels);
    const size_t n = map.panels.size();
    map.cells.resize(n);
    if (n == 0)
        return map;

    std::unordered_map<int, size_t> byId; // the first panel of each id
    for (size_t i = 0; i < n; ++i)
        byId.emplace(map.panels[i].id, i);

    for (size_t i = 0; i < n; ++i)
        for (int d = 0; d < kDirections; ++d) {
            const int to = map.panels[i].adj[size_t(d)];
            if (to == -1)
                continue;
            MapLink link;
            link.from = i;
            link.direction = d;
            link.toId = to;
            const auto found = byId.find(to);
            if (found == byId.end()) {
                link.kind = MapLink::Dangling;
            } else {
                link.to = found->second;
                const int back = map.panels[link.to].adj[size_t(OppositeDirection(d))];
                link.kind = back == map.panels[i].id ? MapLink::Mutual : MapLink::OneWay;
            }
            map.links.push_back(link);
        }

    // Breadth first from the first panel; a taken cell sends the panel further the same way.
    std::map<std::pair<int, int>, size_t> taken;
    std::vector<bool> placed(n, false);
    std::deque<size_t> queue{0};
    placed[0] = true;
    taken[{0, 0}] = 0;
    while (!queue.empty()) {
        const size_t i = queue.front();
        queue.pop_front();
        for (int d = 0; d < kDirections; ++d) {
            const auto found = byId.find(map.panels[i].adj[size_t(d)]);
            if (map.panels[i].adj[size_t(d)] == -1 || found == byId.end() || placed[found->second])
                continue;
            const size_t j = found->second;
            int col = map.cells[i].col + kDx[d], row = map.cells[i].row + kDy[d];
            while (taken.count({col, row})) {
                col += kDx[d];
                row += kDy[d];
            }
            map.cells[j] = {col, row, true};
            taken[{col, row}] = j;
            placed[j] = true;
            queue.push_back(j);
        }
    }
    map.minCol = map.maxCol = map.minRow = map.maxRow = 0;
    for (const auto& [cell, i] : taken) {
        map.minCol = std::min(map.minCol, cell.first);
        map.maxCol = std::max(map.maxCol, cell.first);
        map.minRow = std::min(map.minRow, cell.second);
        map.maxRow = std::max(map.maxRow, cell.second);
    }
    // The rest in a row of their own, below, in list order.
    const int row = map.maxRow + 1;
    int col = map.minCol;
    for (size_t i = 0; i < n; ++i)
        if (!placed[i]) {
            map.cells[i] = {col, row, false};
            map.maxCol = std::max(map.maxCol, col);
            map.maxRow = row;
            ++col;
        }
    return map;
}

PanelMapLayout LayOutPanels(const CCPManager& manager)
{
    std::vector<MapPanel> panels;
    panels.reserve(manager.m_aPanels.size());
    for (const auto& panel : manager.m_aPanels)
        panels.push_back({panel->m_nId, panel->m_anAdjPanels});
    return LayOutPanels(std::move(panels));
}
