#pragma once

#include "crect.h"

#include <cstdint>
#include <string>
#include <vector>

class CBitmap;

// 24-bit colour 0xRRGGBB as used for drawing (the alpha of a record's colour is ignored).
using Rgb = uint32_t;
inline Rgb RgbOf(uint32_t argb)
{
    return argb & 0x00ffffffu;
}
inline Rgb MakeRgb(int r, int g, int b)
{
    return (Rgb(r & 0xff) << 16) | (Rgb(g & 0xff) << 8) | Rgb(b & 0xff);
}

struct Pen
{
    enum Style
    {
        Solid,
        Dash,
        Null
    };
    Style style = Solid;
    Rgb color = 0x000000;
    int width = 1;
    bool operator==(const Pen&) const = default;
};

struct Brush
{
    bool null = false;
    Rgb color = 0xffffff;
    bool operator==(const Brush&) const = default;
};

struct Font
{
    std::string face = "Courier New"; // a fixed-pitch face; the canvas maps it to what exists
    int height = 12;                  // character cell height in pixels
    bool bold = false;
    bool operator==(const Font&) const = default;
};

// The drawing surface records paint on. It keeps a selected pen, brush and font like a device
// context: shapes use them, Select* returns what was selected before so callers can restore it.
// The default pen is solid black one pixel wide, the default brush solid white.
// Rectangles follow the usual raster convention: right and bottom are outside.
class Canvas
{
public:
    virtual ~Canvas() = default;

    virtual Pen SelectPen(const Pen& pen) = 0;
    virtual Brush SelectBrush(const Brush& brush) = 0;
    virtual Font SelectFont(const Font& font) = 0;

    // One-pixel frame just inside rc, in the given colour (independent of the selected pen).
    virtual void FrameRect(const CRect& rc, Rgb color) = 0;
    // Fills rc in the given colour (independent of the selected brush).
    virtual void FillRect(const CRect& rc, Rgb color) = 0;
    // A line with the selected pen from (x1, y1) up to, but not including, (x2, y2).
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
    // Closed polygon: filled with the selected brush, outlined with the selected pen.
    virtual void Polygon(const std::vector<CPoint>& points) = 0;
    // Ellipse inside rc: filled with the selected brush, outlined with the selected pen.
    virtual void Ellipse(const CRect& rc) = 0;
    // Text with the selected font, its top-left at (x, y), on a transparent background.
    virtual void TextOut(int x, int y, const std::string& latin1, Rgb color) = 0;

    // Copies src (pixels of bmp) onto dest, stretching with nearest-neighbour sampling.
    // With keyBlue, pure blue pixels of the source leave the destination as it was.
    virtual void StretchBlt(const CBitmap& bmp, const CRect& src, const CRect& dest,
                            bool keyBlue) = 0;
    // As StretchBlt, then the picture turned by degrees (counter-clockwise) about the centre of
    // clip and kept within clip. A canvas that cannot turn or clip copies it upright.
    virtual void TurnedBlt(const CBitmap& bmp, const CRect& src, const CRect& dest,
                           const CRect& clip, double degrees, bool keyBlue)
    {
        (void)clip;
        (void)degrees;
        StretchBlt(bmp, src, dest, keyBlue);
    }
};
