#pragma once

#include "crect.h"
#include "screenbounds.h"

#include <QAbstractScrollArea>

class CCmdUI;

// The one-pixel step of a nudge command id; false for any other command.
bool NudgeStep(int id, CPoint& step);

// The zoom range of the views; Zoom In and Zoom Out step through fixed factors inside it.
inline constexpr float kMinZoom = 0.1f;
inline constexpr float kMaxZoom = 16.0f;
// The next factor above (below) zoom, which need not be a step itself; zoom when there is
// none.
float NextZoomIn(float zoom);
float NextZoomOut(float zoom);

// A view over a logical area (the scroll extent), one logical unit per pixel. Painting gets a
// painter in logical coordinates; mouse points arrive in client (device) coordinates.
//
// The view shows its content (ContentSize, in the content's own units) at the zoom m_fZoom:
// the scroll extent is the content at the zoom, and the view scales what it draws and picks.
class CScrollView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    float m_fZoom = 1.0f;

    explicit CScrollView(QWidget* parent = nullptr);

    void SetScrollSizes(int width, int height);
    QSize GetTotalSize() const { return m_sizeTotal; }
    CPoint GetScrollPosition() const;
    void ScrollToPosition(CPoint pt);
    // Scrolls so that the logical point lies in the middle of the view (as far as the extent
    // allows).
    void CenterOnPoint(CPoint pt);
    bool IsPointVisible(CPoint pt) const;

    // Logical and device coordinates differ by the scroll position.
    CRect LogicalToDevice(CRect rc) const;
    CRect DeviceToLogical(CRect rc) const;
    // A device rectangle (a tracker's) in the content's own units: scroll and zoom undone.
    CRect DeviceToContent(CRect rc) const;
    void InvalidateDevice(const CRect& rc);

    // The size of the content at zoom 1.
    virtual QSize ContentSize() const = 0;
    // The scroll extent: the content at the zoom.
    void UpdateScrollSizes();
    // Sets the zoom (kept within the zoom range) so that the content under the device point
    // anchor stays under it.
    void ZoomAbout(float zoom, CPoint anchor);
    // Zoom In, Zoom Out, Actual Size, Fit to Window and the zoom pane; false for other ids.
    bool OnUpdateZoomCommand(CCmdUI& ui) const;
    bool OnZoomCommand(int id);

    // Paints the logical area the way the view does on screen.
    virtual void OnDraw(QPainter& painter) = 0;

    // The left button and the mouse in client coordinates, as the widget events bring them.
    virtual void OnLButtonDown(Qt::KeyboardModifiers, CPoint) {}
    virtual void OnLButtonUp(CPoint) {}
    virtual void OnLButtonDblClk(CPoint) {}
    virtual void OnMouseMove(Qt::KeyboardModifiers, CPoint) {}
    // Escape: true when it ended something (a drag), which then uses the key up.
    virtual bool OnCancelMode() { return false; }

signals:
    // The zoom or the point under the mouse changed: what the zoom commands and the status
    // panes show.
    void StateChanged();

protected:
    // The logical point (at the zoom) a zoom command centres the view on; false keeps the
    // middle of the view where it is.
    virtual bool ZoomFocus(CPoint& /*pt*/) const { return false; }

    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void UpdateBars();

    QSize m_sizeTotal{100, 100};
    int m_nWheelZoom = 0; // Ctrl+wheel turned less than a notch so far
};
