#include "cscrollview.h"

#include "ccommandtarget.h"
#include "strformat.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>

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

namespace {
// Each step about a third or a half more than the last, as in other editors.
const float kZoomSteps[] = {kMinZoom, 0.125f, 1.0f / 6, 0.25f, 1.0f / 3, 0.5f,
                            2.0f / 3, 0.75f,  1.0f,     1.25f, 1.5f,     2.0f,
                            3.0f,     4.0f,   6.0f,     8.0f,  12.0f,    kMaxZoom};
// A zoom this close to a step counts as that step (a remembered or a fitted zoom).
constexpr float kSameZoom = 1e-3f;
} // namespace

float NextZoomIn(float zoom)
{
    for (float step : kZoomSteps)
        if (step > zoom * (1 + kSameZoom))
            return step;
    return zoom;
}

float NextZoomOut(float zoom)
{
    for (auto it = std::rbegin(kZoomSteps); it != std::rend(kZoomSteps); ++it)
        if (*it < zoom * (1 - kSameZoom))
            return *it;
    return zoom;
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

void CScrollView::UpdateScrollSizes()
{
    const QSize size = ContentSize();
    SetScrollSizes(int(float(size.width()) * m_fZoom), int(float(size.height()) * m_fZoom));
    emit StateChanged(); // every change of the zoom comes through here
}

void CScrollView::ZoomAbout(float zoom, CPoint anchor)
{
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    // Read before the extent changes: a smaller extent pulls the scroll position in.
    const CPoint pos = GetScrollPosition();
    const double ratio = double(zoom) / double(m_fZoom);
    m_fZoom = zoom;
    UpdateScrollSizes();
    ScrollToPosition(CPoint{int(std::lround((pos.x + anchor.x) * ratio)) - anchor.x,
                            int(std::lround((pos.y + anchor.y) * ratio)) - anchor.y});
    viewport()->update();
}

bool CScrollView::OnUpdateZoomCommand(CCmdUI& ui) const
{
    switch (ui.m_nID) {
    case ID_ZOOM_IN:
        ui.Enable(NextZoomIn(m_fZoom) != m_fZoom);
        return true;
    case ID_ZOOM_OUT:
        ui.Enable(NextZoomOut(m_fZoom) != m_fZoom);
        return true;
    case ID_ZOOM_ACTUAL:
    case ID_ZOOM_FIT:
        ui.Enable();
        return true;
    case ID_INDICATOR_ZOOM:
        ui.Enable();
        ui.SetText(StrFormat("%ld%%", std::lround(double(m_fZoom) * 100)));
        return true;
    default:
        return false;
    }
}

bool CScrollView::OnZoomCommand(int id)
{
    const QSize page = viewport()->size();
    const CPoint middle{page.width() / 2, page.height() / 2};
    switch (id) {
    case ID_ZOOM_IN:
        ZoomAbout(NextZoomIn(m_fZoom), middle);
        break;
    case ID_ZOOM_OUT:
        ZoomAbout(NextZoomOut(m_fZoom), middle);
        break;
    case ID_ZOOM_ACTUAL:
        ZoomAbout(1.0f, middle);
        break;
    case ID_ZOOM_FIT: {
        // The room without scroll bars: once it fits, they go.
        const QSize room = maximumViewportSize();
        const QSize content = ContentSize();
        ZoomAbout(float(std::min(double(room.width()) / std::max(1, content.width()),
                                 double(room.height()) / std::max(1, content.height()))),
                  middle);
        return true;
    }
    default:
        return false;
    }
    CPoint focus;
    if (ZoomFocus(focus))
        CenterOnPoint(focus);
    return true;
}

void CScrollView::UpdateBars()
{
    QSize page = viewport()->size();
    // What fits the pane without scroll bars needs none, even while they take room from it.
    if (const QSize room = maximumViewportSize();
        m_sizeTotal.width() <= room.width() && m_sizeTotal.height() <= room.height())
        page = room;
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

CRect CScrollView::DeviceToContent(CRect rc) const
{
    rc = DeviceToLogical(rc);
    ScaleRect(rc, float(1.0 / double(m_fZoom)));
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
    emit StateChanged();
}

void CScrollView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && OnCancelMode())
        return;
    QAbstractScrollArea::keyPressEvent(event);
}

void CScrollView::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        m_nWheelZoom = 0;
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    // Ctrl+wheel zooms about the pointer, one step a notch; a touchpad sends parts of notches.
    m_nWheelZoom += event->angleDelta().y();
    const QPoint at = event->position().toPoint();
    while (std::abs(m_nWheelZoom) >= QWheelEvent::DefaultDeltasPerStep) {
        const bool in = m_nWheelZoom > 0;
        m_nWheelZoom += in ? -QWheelEvent::DefaultDeltasPerStep : QWheelEvent::DefaultDeltasPerStep;
        ZoomAbout(in ? NextZoomIn(m_fZoom) : NextZoomOut(m_fZoom), CPoint{at.x(), at.y()});
    }
    // What lies under the pointer now (the mouse pane) is another point of the content.
    OnMouseMove(event->modifiers(), CPoint{at.x(), at.y()});
    event->accept();
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
