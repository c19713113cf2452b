#include "cqtcanvas.h"

#include "cbitmap.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <QRectF>

#include <cstdlib>

static QColor ToQColor(Rgb c)
{
    return QColor(int((c >> 16) & 0xff), int((c >> 8) & 0xff), int(c & 0xff));
}

CQtCanvas::CQtCanvas(QPainter& painter) : m_painter(painter)
{
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, false);
}

CQtCanvas::~CQtCanvas()
{
    m_painter.restore();
}

Pen CQtCanvas::SelectPen(const Pen& pen)
{
    Pen old = m_pen;
    m_pen = pen;
    return old;
}

Brush CQtCanvas::SelectBrush(const Brush& brush)
{
    Brush old = m_brush;
    m_brush = brush;
    return old;
}

Font CQtCanvas::SelectFont(const Font& font)
{
    Font old = m_font;
    m_font = font;
    if (!(old == font))
        m_bFontMade = false;
    return old;
}

void CQtCanvas::MakeFont()
{
    m_qFont = QFont(QString::fromStdString(m_font.face));
    m_qFont.setStyleHint(QFont::TypeWriter);
    m_qFont.setFixedPitch(true);
    m_qFont.setPixelSize(m_font.height > 0 ? m_font.height : 12);
    m_qFont.setBold(m_font.bold);
    m_nAscent = QFontMetrics(m_qFont).ascent();
    m_bFontMade = true;
}

void CQtCanvas::ApplyPenAndBrush()
{
    if (m_pen.style == Pen::Null) {
        m_painter.setPen(Qt::NoPen);
    } else {
        QPen p(ToQColor(m_pen.color));
        p.setWidth(m_pen.width <= 1 ? 0 : m_pen.width);
        p.setStyle(m_pen.style == Pen::Dash ? Qt::DashLine : Qt::SolidLine);
        m_painter.setPen(p);
    }
    m_painter.setBrush(m_brush.null ? QBrush(Qt::NoBrush) : QBrush(ToQColor(m_brush.color)));
}

namespace {
// Rectangles held to a range no canvas reaches, so that Qt's own sums (right = left + width
// - 1) stay inside int: what shows on any canvas is unchanged.
constexpr int kFar = 1 << 24;

bool Near(const CRect& rc)
{
    for (int v : {rc.left, rc.top, rc.right, rc.bottom})
        if (v < -kFar || v > kFar)
            return false;
    return true;
}

QRect Bounded(const CRect& rc)
{
    const auto hold = [](int v) { return v < -kFar ? -kFar : v > kFar ? kFar : v; };
    const int l = hold(rc.left), t = hold(rc.top);
    return QRect(l, t, hold(rc.right) - l, hold(rc.bottom) - t);
}
} // namespace

void CQtCanvas::FrameRect(const CRect& rc, Rgb color)
{
    if (rc.IsRectEmpty())
        return;
    const QColor c = ToQColor(color);
    const QRect r = Bounded(rc);
    m_painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), c);
    m_painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), c);
    m_painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), c);
    m_painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), c);
}

void CQtCanvas::FillRect(const CRect& rc, Rgb color)
{
    if (rc.IsRectEmpty())
        return;
    m_painter.fillRect(Bounded(rc), ToQColor(color));
}

void CQtCanvas::Line(int x1, int y1, int x2, int y2)
{
    if (m_pen.style == Pen::Null || (x1 == x2 && y1 == y2))
        return;
    // The end point is not drawn: stop one pixel short along the major axis. Wide sums: the
    // ends may lie anywhere in the int range.
    const long long dx = (long long)x2 - x1, dy = (long long)y2 - y1;
    int ex, ey;
    if (std::llabs(dx) >= std::llabs(dy)) {
        ex = int(x2 - (dx > 0 ? 1 : -1));
        ey = ClampToInt(y1 + (long long)(double((long long)ex - x1) * double(dy) / double(dx) +
                                         (dy >= 0 ? 0.5 : -0.5)));
    } else {
        ey = int(y2 - (dy > 0 ? 1 : -1));
        ex = ClampToInt(x1 + (long long)(double((long long)ey - y1) * double(dx) / double(dy) +
                                         (dx >= 0 ? 0.5 : -0.5)));
    }
    ApplyPenAndBrush();
    m_painter.drawLine(x1, y1, ex, ey);
}

void CQtCanvas::Polygon(const std::vector<CPoint>& points)
{
    if (points.size() < 2)
        return;
    QPolygon poly;
    for (const CPoint& p : points)
        poly << QPoint(p.x, p.y);
    ApplyPenAndBrush();
    m_painter.drawPolygon(poly);
}

void CQtCanvas::Ellipse(const CRect& rc)
{
    if (rc.IsRectEmpty())
        return;
    ApplyPenAndBrush();
    if (Near(rc))
        m_painter.drawEllipse(QRect(rc.left, rc.top, rc.Width() - 1, rc.Height() - 1));
    else // far beyond any canvas: exact in floating point, where int sums would overflow
        m_painter.drawEllipse(QRectF(rc.left, rc.top, double((long long)rc.right - rc.left) - 1,
                                     double((long long)rc.bottom - rc.top) - 1));
}

void CQtCanvas::TextOut(int x, int y, const std::string& latin1, Rgb color)
{
    if (!m_bFontMade)
        MakeFont();
    m_painter.setFont(m_qFont);
    m_painter.setPen(ToQColor(color));
    m_painter.drawText(x, ClampToInt((long long)y + m_nAscent),
                       QString::fromLatin1(latin1.data(), qsizetype(latin1.size())));
}

void CQtCanvas::StretchBlt(const CBitmap& bmp, const CRect& src, const CRect& dest, bool keyBlue)
{
    if (bmp.IsNull() || src.IsRectEmpty() || dest.IsRectEmpty())
        return;
    // Wraps the pixels without copying them.
    const QImage img(reinterpret_cast<const uchar*>(keyBlue ? bmp.KeyedBits() : bmp.Bits()),
                     bmp.Width(), bmp.Height(), bmp.Width() * 4,
                     keyBlue ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    // In floating point, as Qt takes integer rectangles too, but without int sums that overflow.
    const auto rect = [](const CRect& r) {
        return QRectF(r.left, r.top, double((long long)r.right - r.left),
                      double((long long)r.bottom - r.top));
    };
    m_painter.drawImage(rect(dest), img, rect(src));
}
