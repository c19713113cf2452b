#include "panelmappaint.h"

#include "ccpmanager.h"
#include "ccppanel.h"
#include "cqtcanvas.h"
#include "panelpaint.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
const QColor kBackground(64, 68, 74);
const QColor kPaper(226, 228, 232);
const QColor kLinkColour(200, 204, 210);
const QColor kBrokenColour(230, 30, 30);
const QColor kCurrentColour(255, 200, 0);

void Arrow(QPainter& p, const QLineF& line, const QColor& colour)
{
    p.setPen(QPen(colour, 2));
    p.drawLine(line);
    if (line.length() < 1)
        return;
    const double angle = std::atan2(line.dy(), line.dx());
    const QPointF tip = line.p2();
    const double size = 9, spread = 0.45;
    QPainterPath head(tip);
    head.lineTo(tip - QPointF(std::cos(angle - spread), std::sin(angle - spread)) * size);
    head.lineTo(tip - QPointF(std::cos(angle + spread), std::sin(angle + spread)) * size);
    head.closeSubpath();
    p.fillPath(head, colour);
}

double DistanceToSegment(QPointF p, const QLineF& s)
{
    const QPointF d = s.p2() - s.p1();
    const double len2 = d.x() * d.x() + d.y() * d.y();
    double t = len2 > 0 ? QPointF::dotProduct(p - s.p1(), d) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const QPointF q = s.p1() + d * t;
    return std::hypot(p.x() - q.x(), p.y() - q.y());
}
} // namespace

CPanelMapGeometry::CPanelMapGeometry(PanelMapLayout map, int screenWidth, int screenHeight)
    : m_map(std::move(map)),
      m_nThumbHeight(screenWidth > 0 && screenHeight > 0
                         ? std::clamp(kThumbWidth * screenHeight / screenWidth, 16, 4 * kThumbWidth)
                         : kThumbWidth * 3 / 4)
{
}

QSize CPanelMapGeometry::Size() const
{
    const int cols = std::max(0, m_map.Columns()), rows = std::max(0, m_map.Rows());
    return {2 * kMargin + cols * kThumbWidth + std::max(0, cols - 1) * kGap,
            2 * kMargin + rows * (kLabel + m_nThumbHeight) + std::max(0, rows - 1) * kGap};
}

QRectF CPanelMapGeometry::PanelRect(size_t i) const
{
    const MapCell& c = m_map.cells[i];
    const double x = kMargin + (c.col - m_map.minCol) * (kThumbWidth + kGap);
    const double y = kMargin + (c.row - m_map.minRow) * (kLabel + m_nThumbHeight + kGap) + kLabel;
    return {x, y, double(kThumbWidth), double(m_nThumbHeight)};
}

namespace {
QPointF SidePoint(const QRectF& r, int direction)
{
    return r.center() +
           QPointF(DirectionDx(direction) * r.width() / 2, DirectionDy(direction) * r.height() / 2);
}
} // namespace

QLineF CPanelMapGeometry::LinkLine(const MapLink& link) const
{
    const QPointF from = SidePoint(PanelRect(link.from), link.direction);
    if (link.kind == MapLink::Dangling) // a stub out into the gap
        return {from, from + QPointF(DirectionDx(link.direction), DirectionDy(link.direction)) *
                                 (kGap * 0.8)};
    return {from, SidePoint(PanelRect(link.to), OppositeDirection(link.direction))};
}

int CPanelMapGeometry::PanelAt(QPointF p) const
{
    for (size_t i = 0; i < m_map.cells.size(); ++i)
        if (PanelRect(i).contains(p))
            return int(i);
    return -1;
}

int CPanelMapGeometry::LinkAt(QPointF p, double tolerance) const
{
    int best = -1;
    double bestDistance = tolerance;
    for (size_t i = 0; i < m_map.links.size(); ++i) {
        const double d = DistanceToSegment(p, LinkLine(m_map.links[i]));
        // Of a pair drawn on one line, the red one says what is wrong.
        if (d < bestDistance ||
            (d <= bestDistance && best >= 0 && m_map.links[i].kind != MapLink::Mutual)) {
            best = int(i);
            bestDistance = d;
        }
    }
    return best;
}

int CPanelMapGeometry::SideAt(size_t i, QPointF p, double band) const
{
    const QRectF r = PanelRect(i);
    if (!r.contains(p) || r.adjusted(band, band, -band, -band).contains(p))
        return -1;
    // The compass sector of p seen from the centre, the picture's shape taken out.
    const double nx = (p.x() - r.center().x()) / (r.width() / 2);
    const double ny = (p.y() - r.center().y()) / (r.height() / 2);
    const double angle = std::atan2(nx, -ny); // 0 north, clockwise
    const double eighth = std::numbers::pi / 4;
    int d = int(std::lround(angle / eighth));
    return (d % kDirections + kDirections) % kDirections;
}

void PaintPanelMap(QPainter& p, const CPanelMapGeometry& g,
                   const std::function<QImage(size_t)>& thumbnail, int current,
                   const QRectF& visible)
{
    // A map of hundreds of panels is mostly out of sight: those parts are not drawn at all.
    const QRectF shown = visible.isNull() ? QRectF(QPointF(), QSizeF(g.Size())) : visible;
    auto seen = [&shown](const QRectF& r) { return r.intersects(shown); };
    const PanelMapLayout& map = g.Map();
    p.save();
    p.fillRect(shown.intersected(QRectF(QPointF(), QSizeF(g.Size()))), kPaper);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    QFont font = p.font();
    font.setPixelSize(11);
    p.setFont(font);
    for (size_t i = 0; i < map.panels.size(); ++i) {
        const QRectF r = g.PanelRect(i);
        if (!seen(r.adjusted(0, -CPanelMapGeometry::kLabel, 0, 0)))
            continue;
        const QImage image = thumbnail(i);
        p.fillRect(r, kBackground);
        if (image.isNull()) {
            p.setPen(QPen(QColor(120, 124, 130), 1, Qt::DashLine));
            p.drawRect(r.adjusted(4, 4, -4, -4));
        } else {
            p.drawImage(r, image);
        }
        p.setPen(QColor(40, 40, 40));
        // Clear of the frame round the current panel.
        p.drawText(QRectF(r.left(), r.top() - CPanelMapGeometry::kLabel, r.width(),
                          CPanelMapGeometry::kLabel - 6),
                   Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Panel %1").arg(map.panels[i].id));
        p.setPen(QPen(QColor(30, 30, 30), 1));
        p.drawRect(r);
    }
    // Red last, so that a broken link is not hidden under a good one drawn on the same line.
    for (int pass = 0; pass < 2; ++pass)
        for (const MapLink& link : map.links) {
            if ((link.kind != MapLink::Mutual) != (pass == 1))
                continue;
            const QLineF line = g.LinkLine(link);
            if (!seen(QRectF(line.p1(), line.p2()).normalized().adjusted(-20, -20, 40, 20)))
                continue;
            Arrow(p, line, pass ? kBrokenColour : kLinkColour.darker(180));
            if (link.kind == MapLink::Dangling) {
                p.setPen(kBrokenColour);
                p.drawText(line.p2() + QPointF(3, -3), QStringLiteral("%1?").arg(link.toId));
            }
        }
    if (current >= 0 && size_t(current) < map.panels.size()) {
        p.setPen(QPen(kCurrentColour, 4));
        p.setBrush(Qt::NoBrush);
        p.drawRect(g.PanelRect(size_t(current)).adjusted(-3, -3, 3, 3));
    }
    p.restore();
}

QImage PaintPanelThumbnail(CCPManager& m, CCPPanel& panel, QSize size)
{
    const int w = m.m_nScreenWidth, h = m.m_nScreenHeight;
    if (w <= 0 || h <= 0 || (long long)w * h > 64LL * 1024 * 1024 || size.isEmpty())
        return QImage();
    // Painted whole and then scaled smoothly: painting small would drop whole pixel rows.
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    image.fill(kBackground);
    {
        QPainter painter(&image);
        CQtCanvas canvas(painter);
        PaintPanel(m, panel, canvas, 1.0f, kAllLayers, nullptr);
    }
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
