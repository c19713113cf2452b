#include "screenbounds.h"

#include "ccpmanager.h"
#include "ccppanel.h"
#include "panelpaint.h"
#include "strformat.h"

#include <algorithm>
#include <unordered_set>

namespace {

// "bottom at 772 of 768, left at -4": the edges that lie beyond the screen; for a rectangle
// wholly beyond one side, the edge nearest to the screen.
std::string EdgesOutside(const CRect& rc, int width, int height)
{
    std::string out;
    const auto add = [&out](const std::string& edge) {
        if (!out.empty())
            out += ", ";
        out += edge;
    };
    if (rc.left < 0)
        add(rc.right <= 0 ? StrFormat("right at %d", rc.right) : StrFormat("left at %d", rc.left));
    if (rc.top < 0)
        add(rc.bottom <= 0 ? StrFormat("bottom at %d", rc.bottom) : StrFormat("top at %d", rc.top));
    if (rc.right > width)
        add(rc.left >= width ? StrFormat("left at %d of %d", rc.left, width)
                             : StrFormat("right at %d of %d", rc.right, width));
    if (rc.bottom > height)
        add(rc.top >= height ? StrFormat("top at %d of %d", rc.top, height)
                             : StrFormat("bottom at %d of %d", rc.bottom, height));
    return out;
}

// The distance to move [low, high) so that it lies within [0, size); 0 when it does.
long long Shift(long long low, long long high, long long size)
{
    if (low < 0)
        return -low;
    if (high > size)
        return size - high;
    return 0;
}

} // namespace

void FindOutsideScreen(CCPManager& m, CCheckMessageArray& messages)
{
    const int width = m.m_nScreenWidth, height = m.m_nScreenHeight;
    if (width <= 0 || height <= 0)
        return;
    const CRect screen(0, 0, width, height);
    std::unordered_set<const CCPObject*> seen; // a record several panels show is one finding
    for (const auto& panel : m.m_aPanels)
        WalkPanel(m, *panel, kAllLayers, [&](CCPObject& record) {
            CRect rc;
            if (!seen.insert(&record).second || !record.GetDestRect(&rc))
                return false;
            const std::string edges = EdgesOutside(rc, width, height);
            if (edges.empty())
                return false;
            record.AddMessage(messages, CheckKind::OutsideScreen,
                              StrFormat("%s %d lies %soutside the screen (%s)",
                                        record.GetTypeName().c_str(), record.m_nId,
                                        rc.Intersects(screen) ? "partly " : "", edges.c_str()));
            return false;
        });
}

bool MoveInsideScreen(const CRect& rc, int width, int height, CRect& moved)
{
    const long long w = (long long)rc.right - rc.left, h = (long long)rc.bottom - rc.top;
    if (w < 0 || h < 0 || w > width || h > height)
        return false;
    const long long dx = Shift(rc.left, rc.right, width), dy = Shift(rc.top, rc.bottom, height);
    moved = CRect(int(rc.left + dx), int(rc.top + dy), int(rc.right + dx), int(rc.bottom + dy));
    return true;
}

bool NudgeWithin(CRect& rc, CPoint step, int width, int height)
{
    const bool moves = (step.x < 0 && rc.left > 0) || (step.x > 0 && rc.right < width) ||
                       (step.y < 0 && rc.top > 0) || (step.y > 0 && rc.bottom < height);
    if (moves)
        rc.OffsetRect(step.x, step.y);
    return moves;
}

CRect DragWithin(const CRect& from, CRect to, int width, int height)
{
    if (width <= 0 || height <= 0)
        return to; // no picture, no bounds to keep to
    const auto lowest = [](int was, int limit) { return std::min(was, limit); };
    const auto highest = [](int was, int limit) { return std::max(was, limit); };
    if (to.Width() == from.Width() && to.Height() == from.Height()) {
        int dx = to.left - from.left;
        int dy = to.top - from.top;
        if (dx > 0)
            dx = std::min(dx, std::max(0, width - from.right));
        else if (dx < 0)
            dx = std::max(dx, -std::max(0, from.left));
        if (dy > 0)
            dy = std::min(dy, std::max(0, height - from.bottom));
        else if (dy < 0)
            dy = std::max(dy, -std::max(0, from.top));
        to = from;
        to.OffsetRect(dx, dy);
        return to;
    }
    if (to.left < from.left)
        to.left = std::max(to.left, lowest(from.left, 0));
    if (to.top < from.top)
        to.top = std::max(to.top, lowest(from.top, 0));
    if (to.right > from.right)
        to.right = std::min(to.right, highest(from.right, width));
    if (to.bottom > from.bottom)
        to.bottom = std::min(to.bottom, highest(from.bottom, height));
    return to;
}
