#pragma once

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

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    // Empty: no area (right <= left or bottom <= top).
    bool IsRectEmpty() const { return right <= left || bottom <= top; }
    // Null: all four values zero; such a rectangle is not written to the file.
    bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    bool PtInRect(CPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
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

// Multiplies each coordinate by the zoom and truncates toward zero.
void ScaleRect(CRect& rc, float scale);
CRect ScaledRect(CRect rc, float scale);
