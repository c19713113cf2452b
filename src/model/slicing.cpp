#include "slicing.h"

#include <algorithm>

std::vector<CRect> SliceRect(const CRect& outer, int count, SliceDirection direction)
{
    const bool across = direction == SliceDirection::Across;
    const long long low = across ? outer.left : outer.top;
    const long long length =
        across ? (long long)outer.right - outer.left : (long long)outer.bottom - outer.top;
    if (outer.IsRectEmpty() || count < 1 || count > kMaxSlices || length < count)
        return {};
    const long long piece = length / count;
    const long long spare = length % count;
    std::vector<CRect> pieces;
    long long at = low;
    for (int i = 0; i < count; ++i) {
        const long long next = at + piece + (i < spare ? 1 : 0);
        CRect rc = outer;
        if (across) {
            rc.left = int(at);
            rc.right = int(next);
        } else {
            rc.top = int(at);
            rc.bottom = int(next);
        }
        pieces.push_back(rc);
        at = next;
    }
    return pieces;
}

CRect BoundsOfPieces(const std::vector<CRect>& list)
{
    CRect bounds;
    bool any = false;
    for (const CRect& rc : list) {
        if (rc.IsRectEmpty())
            continue;
        if (!any) {
            bounds = rc;
            any = true;
            continue;
        }
        bounds.left = std::min(bounds.left, rc.left);
        bounds.top = std::min(bounds.top, rc.top);
        bounds.right = std::max(bounds.right, rc.right);
        bounds.bottom = std::max(bounds.bottom, rc.bottom);
    }
    return bounds;
}
