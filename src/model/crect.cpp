#include "crect.h"

#include <algorithm>
#include <utility>

void CRect::NormalizeRect()
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
}

bool CRect::Intersects(const CRect& o) const
{
    const int l = std::max(left, o.left);
    const int r = std::min(right, o.right);
    const int t = std::max(top, o.top);
    const int b = std::min(bottom, o.bottom);
    return l < r && t < b;
}

void ScaleRect(CRect& rc, float scale)
{
    // Single precision as in every preview: the product is a float, then truncated.
    rc.left = static_cast<int>(static_cast<float>(rc.left) * scale);
    rc.top = static_cast<int>(static_cast<float>(rc.top) * scale);
    rc.right = static_cast<int>(static_cast<float>(rc.right) * scale);
    rc.bottom = static_cast<int>(static_cast<float>(rc.bottom) * scale);
}

CRect ScaledRect(CRect rc, float scale)
{
    ScaleRect(rc, scale);
    return rc;
}
