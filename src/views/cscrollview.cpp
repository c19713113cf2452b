#include "cscrollview.h"

#include "ccommandtarget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

bool NudgeStep(int id, CPoint& step)
{
    switch (id) {
    case ID_NUDGE_LEFT:
        step = CPoint{-1, 0};
        return true;
    case ID_NUDGE_RIGHT:
        step = CPoint{1, 0};
        return true;
    case ID_NUDGE_UP:
        step = CPoint{0, -1};
        return true;
    case ID_NUDGE_DOWN:
        step = CPoint{0, 1};
        return true;
    default:
        return false;
    }
}

bool NudgeWithin(CRect& rc, CPoint step, int width, int height)
{
    const bool moves = (step.x < 0 && rc.left > 0) || (step.x > 0 && rc.right < width) ||
                       (step.y < 0 && rc.top > 0) || (step.y > 0 && rc.bottom < height);
    if (moves)
        rc.OffsetRect(step.x, step.y);
    return moves;
}

CRect DragWithin(const CRect& from, CRect to, int width, int height)
{
    if (width <= 0 || height <= 0)
        return to; // no picture, no bounds to keep to
    const auto lowest = [](int was, int limit) { return std::min(was, limit); };
    const auto highest = [](int was, int limit) { return std::max(was, limit); };
    if (to.Width() == from.Width() && to.Height() == from.Height()) {
        int dx = to.left - from.left;
        int dy = to.top - from.top;
        if (dx > 0)
            dx = std::min(dx, std::max(0, width - from.right));
        else if (dx < 0)
            dx = std::max(dx, -std::max(0, from.left));
        if (dy > 0)
            dy = std::min(dy, std::max(0, height - from.bottom));
        else if (dy < 0)
            dy = std::max(dy, -std::max(0, from.top));
        to = from;
        to.OffsetRect(dx, dy);
        return to;
    }
    if (to.left < from.left)
        to.left = std::max(to.left, lowest(from.left, 0));
    if (to.top < from.top)
        to.top = std::max(to.top, lowest(from.top, 0));
    if (to.right > from.right)
        to.right = std::min(to.right, highest(from.right, width));
    if (to.bottom > from.bottom)
        to.bottom = std::min(to.bottom, highest(from.bottom, height));
    return to;
}

CScrollView::CScrollView(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    UpdateBars();
}

void CScrollView::SetScrollSizes(int width, int height)
{
    m_sizeTotal = QSize(std::max(0, width), std::max(0, height));
    UpdateBars();
    viewport()->update();
}

void CScrollView::UpdateBars()
{
    const QSize page = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, m_sizeTotal.width() - page.width()));
    verticalScrollBar()->setRange(0, std::max(0, m_sizeTotal.height() - page.height()));
    horizontalScrollBar()->setPageStep(std::max(1, page.width()));
    verticalScrollBar()->setPageStep(std::max(1, page.height()));
    horizontalScrollBar()->setSingleStep(std::max(1, m_sizeTotal.width() / 100));
    verticalScrollBar()->setSingleStep(std::max(1, m_sizeTotal.height() / 100));
}

CPoint CScrollView::GetScrollPosition() const
{
    return CPoint{horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void CScrollView::ScrollToPosition(CPoint pt)
{
    horizontalScrollBar()->setValue(pt.x);
    verticalScrollBar()->setValue(pt.y);
}

void CScrollView::CenterOnPoint(CPoint pt)
{
    const QSize page = viewport()->size();
    ScrollToPosition(CPoint{pt.x - page.width() / 2, pt.y - page.height() / 2});
}

bool CScrollView::IsPointVisible(CPoint pt) const
{
    const CPoint pos = GetScrollPosition();
    const QSize page = viewport()->size();
    return CRect(pos.x, pos.y, pos.x + page.width(), pos.y + page.height()).PtInRect(pt);
}

CRect CScrollView::LogicalToDevice(CRect rc) const
{
    const CPoint pos = GetScrollPosition();
    rc.OffsetRect(-pos.x, -pos.y);
    return rc;
}

CRect CScrollView::DeviceToLogical(CRect rc) const
{
    const CPoint pos = GetScrollPosition();
    rc.OffsetRect(pos.x, pos.y);
    return rc;
}

void CScrollView::InvalidateDevice(const CRect& rc)
{
    if (!rc.IsRectEmpty())
        viewport()->update(rc.left, rc.top, rc.Width(), rc.Height());
}

namespace {
CPoint ClientPoint(const QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    return CPoint{p.x(), p.y()};
}
} // namespace

void CScrollView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnLButtonDown(event->modifiers(), ClientPoint(event));
}

void CScrollView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnLButtonUp(ClientPoint(event));
}

void CScrollView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnLButtonDblClk(ClientPoint(event));
}

void CScrollView::mouseMoveEvent(QMouseEvent* event)
{
    OnMouseMove(event->modifiers(), ClientPoint(event));
}

void CScrollView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && OnCancelMode())
        return;
    QAbstractScrollArea::keyPressEvent(event);
}

void CScrollView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const CPoint pos = GetScrollPosition();
    painter.translate(-pos.x, -pos.y);
    OnDraw(painter);
}

void CScrollView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateBars();
}

void CScrollView::scrollContentsBy(int, int)
{
    viewport()->update();
}
