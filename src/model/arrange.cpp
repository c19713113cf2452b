#include "arrange.h"

#include "screenbounds.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

namespace {

// Halves round toward minus infinity so that centres of odd sizes agree in both directions.
int Centre(int low, int high)
{
    const long long sum = (long long)low + high;
    return ClampToInt(sum >= 0 ? sum / 2 : (sum - 1) / 2);
}

CRect Moved(const CRect& rc, long long dx, long long dy)
{
    return CRect(ClampToInt(rc.left + dx), ClampToInt(rc.top + dy), ClampToInt(rc.right + dx),
                 ClampToInt(rc.bottom + dy));
}

void Align(ArrangeCommand command, const CRect& to, std::vector<CRect>& out)
{
    for (CRect& rc : out) {
        long long dx = 0, dy = 0;
        switch (command) {
        case ArrangeCommand::AlignLeft:
            dx = (long long)to.left - rc.left;
            break;
        case ArrangeCommand::AlignRight:
            dx = (long long)to.right - rc.right;
            break;
        case ArrangeCommand::AlignTop:
            dy = (long long)to.top - rc.top;
            break;
        case ArrangeCommand::AlignBottom:
            dy = (long long)to.bottom - rc.bottom;
            break;
        case ArrangeCommand::AlignCentresHorizontally:
            dx = (long long)Centre(to.left, to.right) - Centre(rc.left, rc.right);
            break;
        default:
            dy = (long long)Centre(to.top, to.bottom) - Centre(rc.top, rc.bottom);
            break;
        }
        rc = Moved(rc, dx, dy);
    }
}

void Distribute(bool horizontal, std::vector<CRect>& out)
{
    const auto low = [horizontal](const CRect& rc) { return horizontal ? rc.left : rc.top; };
    const auto size = [horizontal](const CRect& rc) {
        return (long long)(horizontal ? rc.Width() : rc.Height());
    };
    std::vector<size_t> order(out.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return low(out[a]) < low(out[b]); });
    const CRect& first = out[order.front()];
    const CRect& last = out[order.back()];
    const long long span = (long long)(horizontal ? last.right : last.bottom) - low(first);
    long long sizes = 0;
    for (const CRect& rc : out)
        sizes += size(rc);
    const long long free = span - sizes;
    const long long gaps = (long long)out.size() - 1;
    std::vector<CRect> result = out;
    long long before = 0;
    for (size_t i = 0; i < order.size(); ++i) {
        const CRect& rc = out[order[i]];
        // Floor of free * i / gaps, so the last lands exactly where it was.
        const long long share = free * (long long)i;
        const long long gap = share >= 0 ? share / gaps : -((-share + gaps - 1) / gaps);
        const long long to = low(first) + before + gap;
        result[order[i]] = horizontal ? Moved(rc, to - rc.left, 0) : Moved(rc, 0, to - rc.top);
        before += size(rc);
    }
    out = std::move(result);
}

} // namespace

CRect BoundsOf(std::span<const CRect> frames)
{
    if (frames.empty())
        return CRect();
    CRect bounds = frames.front();
    for (const CRect& rc : frames) {
        bounds.left = std::min(bounds.left, rc.left);
        bounds.top = std::min(bounds.top, rc.top);
        bounds.right = std::max(bounds.right, rc.right);
        bounds.bottom = std::max(bounds.bottom, rc.bottom);
    }
    return bounds;
}

std::vector<CRect> ArrangeFrames(ArrangeCommand command, std::span<const CRect> frames, int key,
                                 int width, int height)
{
    std::vector<CRect> out(frames.begin(), frames.end());
    const bool hasKey = key >= 0 && key < int(frames.size());
    switch (command) {
    case ArrangeCommand::DistributeHorizontally:
    case ArrangeCommand::DistributeVertically:
        if (frames.size() < 3)
            return out;
        Distribute(command == ArrangeCommand::DistributeHorizontally, out);
        break;
    case ArrangeCommand::SameWidth:
    case ArrangeCommand::SameHeight:
    case ArrangeCommand::SameSize:
        if (!hasKey)
            return out;
        for (CRect& rc : out) {
            if (command != ArrangeCommand::SameHeight)
                rc.right = ClampToInt((long long)rc.left + frames[key].Width());
            if (command != ArrangeCommand::SameWidth)
                rc.bottom = ClampToInt((long long)rc.top + frames[key].Height());
        }
        break;
    default:
        if (frames.size() < 2)
            return out;
        Align(command, hasKey ? frames[key] : BoundsOf(frames), out);
        break;
    }
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = DragWithin(frames[i], out[i], width, height);
    return out;
}

namespace {

void AddLines(std::vector<int>& lines, int low, int high)
{
    lines.push_back(low);
    lines.push_back(Centre(low, high));
    lines.push_back(high);
}

CSnapLines::Snap Nearest(const std::vector<int>& lines, std::span<const int> candidates,
                         int tolerance)
{
    CSnapLines::Snap best;
    long long bestDistance = (long long)tolerance + 1;
    for (const int c : candidates) {
        const auto it = std::lower_bound(lines.begin(), lines.end(), c);
        for (auto at : {it, it == lines.begin() ? it : std::prev(it)}) {
            if (at == lines.end())
                continue;
            const long long distance = std::llabs((long long)*at - c);
            if (distance < bestDistance) {
                bestDistance = distance;
                best = {true, ClampToInt((long long)*at - c), *at};
            }
        }
    }
    return best;
}

} // namespace

void CSnapLines::Build(std::span<const CRect> others, int width, int height)
{
    m_x.clear();
    m_y.clear();
    m_x.reserve(others.size() * 3 + 3);
    m_y.reserve(others.size() * 3 + 3);
    for (const CRect& rc : others) {
        AddLines(m_x, rc.left, rc.right);
        AddLines(m_y, rc.top, rc.bottom);
    }
    if (width > 0 && height > 0) {
        AddLines(m_x, 0, width);
        AddLines(m_y, 0, height);
    }
    std::sort(m_x.begin(), m_x.end());
    std::sort(m_y.begin(), m_y.end());
    m_x.erase(std::unique(m_x.begin(), m_x.end()), m_x.end());
    m_y.erase(std::unique(m_y.begin(), m_y.end()), m_y.end());
}

CSnapLines::Snap CSnapLines::SnapX(std::span<const int> candidates, int tolerance) const
{
    return Nearest(m_x, candidates, tolerance);
}

CSnapLines::Snap CSnapLines::SnapY(std::span<const int> candidates, int tolerance) const
{
    return Nearest(m_y, candidates, tolerance);
}

int SnapToGrid(int value, int size)
{
    if (size < 2)
        return value;
    const long long v = value;
    const long long below = v >= 0 ? v / size * size : -((-v + size - 1) / size * size);
    return ClampToInt(v - below < size - (v - below) ? below : below + size);
}
