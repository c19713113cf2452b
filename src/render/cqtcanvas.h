#pragma once

#include "canvas.h"

#include <QFont>

class QPainter;

// Canvas over a QPainter: no antialiasing, nearest-neighbour stretching, one logical unit
// per pixel.
class CQtCanvas : public Canvas
{
public:
    explicit CQtCanvas(QPainter& painter);
    ~CQtCanvas() override;

    Pen SelectPen(const Pen& pen) override;
    Brush SelectBrush(const Brush& brush) override;
    Font SelectFont(const Font& font) override;
    void FrameRect(const CRect& rc, Rgb color) override;
    void FillRect(const CRect& rc, Rgb color) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void Polygon(const std::vector<CPoint>& points) override;
    void Ellipse(const CRect& rc) override;
    void TextOut(int x, int y, const std::string& latin1, Rgb color) override;
    void StretchBlt(const CBitmap& bmp, const CRect& src, const CRect& dest, bool keyBlue) override;

private:
    void ApplyPenAndBrush();
    void MakeFont();

    QPainter& m_painter;
    Pen m_pen;
    Brush m_brush;
    Font m_font;
    // The selected font as Qt has it, made for the first text after it is selected rather than
    // for every text.
    QFont m_qFont;
    int m_nAscent = 0;
    bool m_bFontMade = false;
};
