#include "pieceedges.h"

#include "cbitmap.h"

#include <algorithm>
#include <cstdlib>

namespace {

bool Opaque(uint32_t argb)
{
    return !IsKeyBlue(argb) && (argb >> 24) != 0;
}

// Whether line (a column when vertical, else a row) has an opaque pixel between from and to
// across it.
bool Taken(const CBitmap& bmp, bool vertical, int line, int from, int to)
{
    const int length = vertical ? bmp.Width() : bmp.Height();
    const int across = vertical ? bmp.Height() : bmp.Width();
    if (line < 0 || line >= length)
        return false;
    from = std::max(from, 0);
    to = std::min(to, across);
    for (int i = from; i < to; ++i)
        if (Opaque(vertical ? bmp.Pixel(line, i) : bmp.Pixel(i, line)))
            return true;
    return false;
}

// The edge nearest to at within tolerance (the nearer side first when two are as near).
int NearestEdge(const CBitmap& bmp, bool vertical, int at, int from, int to, int tolerance)
{
    const auto edge = [&](int x) {
        return Taken(bmp, vertical, x - 1, from, to) != Taken(bmp, vertical, x, from, to);
    };
    for (int d = 0; d <= tolerance; ++d) {
        if (edge(at - d))
            return at - d;
        if (d > 0 && edge(at + d))
            return at + d;
    }
    return at;
}

} // namespace

CRect SnapToOpaqueEdges(const CBitmap& picture, const CRect& band, int tolerance)
{
    CRect rc = band;
    rc.NormalizeRect();
    if (picture.IsNull() || tolerance <= 0 || rc.IsRectEmpty())
        return rc;
    // Far from the picture nothing is taken; the sums below stay inside int.
    const int far = std::max(picture.Width(), picture.Height()) + tolerance + 1;
    if (std::abs((long long)rc.left) > far || std::abs((long long)rc.right) > far ||
        std::abs((long long)rc.top) > far || std::abs((long long)rc.bottom) > far)
        return rc;
    CRect snapped(NearestEdge(picture, true, rc.left, rc.top, rc.bottom, tolerance),
                  NearestEdge(picture, false, rc.top, rc.left, rc.right, tolerance),
                  NearestEdge(picture, true, rc.right, rc.top, rc.bottom, tolerance),
                  NearestEdge(picture, false, rc.bottom, rc.left, rc.right, tolerance));
    if (snapped.right <= snapped.left) {
        snapped.left = rc.left;
        snapped.right = rc.right;
    }
    if (snapped.bottom <= snapped.top) {
        snapped.top = rc.top;
        snapped.bottom = rc.bottom;
    }
    return snapped;
}
