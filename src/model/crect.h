#pragma once

#include <climits>

// A wide value held inside the int range: coordinates from a file may lie anywhere in it.
inline int ClampToInt(long long v)
{
    return v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : int(v);
}

// Integer rectangle kept as left, top, right, bottom; the file order (top, left, bottom, right)
// is handled by the reader and writer helpers.
struct CPoint
{
    int x = 0;
    int y = 0;
    bool operator==(const CPoint&) const = default;
};

struct CRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    CRect() = default;
    CRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}

    // Held inside the int range for rectangles wider or higher than it.
    int Width() const { return ClampToInt((long long)right - left); }
    int Height() const { return ClampToInt((long long)bottom - top); }
    // Empty: no area (right <= left or bottom <= top).
    bool IsRectEmpty() const { return right <= left || bottom <= top; }
    // Null: all four values zero; such a rectangle is not written to the file.
    bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    bool PtInRect(CPoint p) const
    {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    void OffsetRect(int dx, int dy)
    {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    void NormalizeRect();
    // Non-empty intersection (rects that only touch do not intersect).
    bool Intersects(const CRect& o) const;
    bool operator==(const CRect&) const = default;
};

// Multiplies each coordinate by the zoom and truncates toward zero; a product beyond the int
// range is held at its end.
void ScaleRect(CRect& rc, float scale);
CRect ScaledRect(CRect rc, float scale);
