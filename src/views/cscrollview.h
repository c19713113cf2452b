#pragma once

#include "crect.h"

#include <QAbstractScrollArea>

// A view over a logical area (the scroll extent), one logical unit per pixel. Painting gets a
// painter in logical coordinates; mouse points arrive in client (device) coordinates.
class CScrollView : public QAbstractScrollArea
{
public:
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
    void InvalidateDevice(const CRect& rc);

    // Paints the logical area the way the view does on screen.
    virtual void OnDraw(QPainter& painter) = 0;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void UpdateBars();

    QSize m_sizeTotal{100, 100};
};
