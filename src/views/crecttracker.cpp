#include "crecttracker.h"

#include <QPainter>
#include <QWidget>

#include <algorithm>

CRect CRectTracker::GetHandleRect(int hit) const
{
    CRect rc = m_rect;
    rc.NormalizeRect();
    const int s = m_nHandleSize;
    const bool outside = (m_nStyle & resizeOutside) != 0;
    // Handles sit just outside the edges, or just inside them.
    const int x0 = outside ? rc.left - s : rc.left;
    const int x2 = outside ? rc.right : rc.right - s;
    const int y0 = outside ? rc.top - s : rc.top;
    const int y2 = outside ? rc.bottom : rc.bottom - s;
    const int x1 = (rc.left + rc.right) / 2 - s / 2;
    const int y1 = (rc.top + rc.bottom) / 2 - s / 2;
    int x = 0, y = 0;
    switch (hit) {
    case hitTopLeft:
        x = x0, y = y0;
        break;
    case hitTopRight:
        x = x2, y = y0;
        break;
    case hitBottomRight:
        x = x2, y = y2;
        break;
    case hitBottomLeft:
        x = x0, y = y2;
        break;
    case hitTop:
        x = x1, y = y0;
        break;
    case hitRight:
        x = x2, y = y1;
        break;
    case hitBottom:
        x = x1, y = y2;
        break;
    case hitLeft:
        x = x0, y = y1;
        break;
    default:
        return CRect();
    }
    return CRect(x, y, x + s, y + s);
}

CRect CRectTracker::GetTrueRect() const
{
    CRect rc = m_rect;
    rc.NormalizeRect();
    if (m_nStyle & resizeOutside) {
        rc.left -= m_nHandleSize;
        rc.top -= m_nHandleSize;
        rc.right += m_nHandleSize;
        rc.bottom += m_nHandleSize;
    }
    // The dotted frame is drawn on the last row and column as well.
    rc.right += 1;
    rc.bottom += 1;
    return rc;
}

int CRectTracker::HitTest(CPoint pt) const
{
    if (IsEmpty())
        return hitNothing;
    for (int hit = hitTopLeft; hit <= hitLeft; ++hit)
        if (GetHandleRect(hit).PtInRect(pt))
            return hit;
    CRect rc = m_rect;
    rc.NormalizeRect();
    return rc.PtInRect(pt) ? hitMiddle : hitNothing;
}

Qt::CursorShape CRectTracker::CursorFor(int hit) const
{
    switch (hit) {
    case hitTopLeft:
    case hitBottomRight:
        return Qt::SizeFDiagCursor;
    case hitTopRight:
    case hitBottomLeft:
        return Qt::SizeBDiagCursor;
    case hitTop:
    case hitBottom:
        return Qt::SizeVerCursor;
    case hitLeft:
    case hitRight:
        return Qt::SizeHorCursor;
    case hitMiddle:
        return Qt::SizeAllCursor;
    default:
        return Qt::ArrowCursor;
    }
}

bool CRectTracker::SetCursor(QWidget* w, CPoint pt) const
{
    const int hit = HitTest(pt);
    if (hit == hitNothing) {
        w->unsetCursor();
        return false;
    }
    w->setCursor(CursorFor(hit));
    return true;
}

void CRectTracker::Draw(QPainter& painter) const
{
    if (IsEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    CRect rc = m_rect;
    rc.NormalizeRect();
    QPen pen(Qt::black, 0, (m_nStyle & dottedLine) ? Qt::DotLine : Qt::SolidLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rc.left, rc.top, rc.Width(), rc.Height());
    if (m_nStyle & (resizeOutside | resizeInside))
        for (int hit = hitTopLeft; hit <= hitLeft; ++hit) {
            // Black with a white rim, so that handles show on dark panels too.
            const CRect h = GetHandleRect(hit);
            painter.fillRect(h.left, h.top, h.Width(), h.Height(), Qt::white);
            painter.fillRect(h.left + 1, h.top + 1, h.Width() - 2, h.Height() - 2, Qt::black);
        }
    painter.restore();
}

bool CRectTracker::Begin(CPoint pt)
{
    const int hit = HitTest(pt);
    if (hit == hitNothing)
        return false;
    m_nTrackHit = hit;
    m_ptStart = pt;
    m_rect.NormalizeRect();
    m_rectStart = m_rect;
    return true;
}

void CRectTracker::TrackTo(CPoint pt)
{
    if (!IsTracking())
        return;
    const int dx = pt.x - m_ptStart.x;
    const int dy = pt.y - m_ptStart.y;
    CRect rc = m_rectStart;
    if (m_nTrackHit == hitMiddle) {
        rc.OffsetRect(dx, dy);
        m_rect = rc;
        return;
    }
    const bool left =
        m_nTrackHit == hitTopLeft || m_nTrackHit == hitBottomLeft || m_nTrackHit == hitLeft;
    const bool right =
        m_nTrackHit == hitTopRight || m_nTrackHit == hitBottomRight || m_nTrackHit == hitRight;
    const bool top =
        m_nTrackHit == hitTopLeft || m_nTrackHit == hitTopRight || m_nTrackHit == hitTop;
    const bool bottom =
        m_nTrackHit == hitBottomLeft || m_nTrackHit == hitBottomRight || m_nTrackHit == hitBottom;
    // No inversion: an edge stops at the minimum size from the opposite edge (or at the
    // starting size, for a rectangle that was smaller to begin with).
    const int minW = std::min(m_nMinSize, m_rectStart.Width());
    const int minH = std::min(m_nMinSize, m_rectStart.Height());
    if (left)
        rc.left = std::min(rc.left + dx, rc.right - minW);
    if (right)
        rc.right = std::max(rc.right + dx, rc.left + minW);
    if (top)
        rc.top = std::min(rc.top + dy, rc.bottom - minH);
    if (bottom)
        rc.bottom = std::max(rc.bottom + dy, rc.top + minH);
    m_rect = rc;
}

bool CRectTracker::End()
{
    if (!IsTracking())
        return false;
    m_nTrackHit = hitNothing;
    return !(m_rect == m_rectStart);
}

void CRectTracker::Cancel()
{
    if (!IsTracking())
        return;
    m_nTrackHit = hitNothing;
    m_rect = m_rectStart;
}
