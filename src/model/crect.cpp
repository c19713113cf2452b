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

static int ScaleValue(int v, float scale)
{
    // Single precision as in every preview: the product is a float, then truncated.
    const float p = static_cast<float>(v) * scale;
    if (!(p > -2147483648.0f))
        return p != p ? 0 : INT_MIN;
    if (!(p < 2147483648.0f))
        return INT_MAX;
    return static_cast<int>(p);
}

void ScaleRect(CRect& rc, float scale)
{
    rc.left = ScaleValue(rc.left, scale);
    rc.top = ScaleValue(rc.top, scale);
    rc.right = ScaleValue(rc.right, scale);
    rc.bottom = ScaleValue(rc.bottom, scale);
}

CRect ScaledRect(CRect rc, float scale)
{
    ScaleRect(rc, scale);
    return rc;
}
