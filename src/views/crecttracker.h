#pragma once

#include "crect.h"

#include <Qt>

class QPainter;
class QWidget;

// A rectangle with a dotted frame and eight resize handles outside it, in device (client)
// coordinates. It hit-tests its parts and follows the mouse to move or resize the rectangle;
// the owner decides what the new rectangle means.
class CRectTracker
{
public:
    enum Style
    {
        solidLine = 1,
        dottedLine = 2,
        resizeInside = 4,
        resizeOutside = 8
    };
    enum TrackerHit
    {
        hitNothing = -1,
        hitTopLeft = 0,
        hitTopRight = 1,
        hitBottomRight = 2,
        hitBottomLeft = 3,
        hitTop = 4,
        hitRight = 5,
        hitBottom = 6,
        hitLeft = 7,
        hitMiddle = 8
    };

    CRect m_rect;
    int m_nStyle = dottedLine | resizeOutside;
    int m_nHandleSize = 6;
    int m_nMinSize = 4; // a resize never makes the rectangle smaller or inverts it

    CRectTracker() = default;
    CRectTracker(const CRect& rc, int style) : m_rect(rc), m_nStyle(style) {}

    void SetEmpty() { m_rect = CRect(); }
    bool IsEmpty() const { return m_rect.IsRectNull(); }

    // The part under pt, handles first; hitNothing when the rectangle is empty.
    int HitTest(CPoint pt) const;
    // The rectangle together with its handles.
    CRect GetTrueRect() const;
    CRect GetHandleRect(int hit) const;
    Qt::CursorShape CursorFor(int hit) const;
    // Gives w the cursor of the part under pt; the default cursor (and false) off the tracker.
    bool SetCursor(QWidget* w, CPoint pt) const;
    void Draw(QPainter& painter) const;

    // Interactive move/resize: begins on a hit part, follows the mouse until End reports
    // whether the rectangle changed, or Cancel puts it back.
    bool Begin(CPoint pt);
    void TrackTo(CPoint pt);
    bool End();
    void Cancel();
    bool IsTracking() const { return m_nTrackHit != hitNothing; }

private:
    int m_nTrackHit = hitNothing;
    CPoint m_ptStart;
    CRect m_rectStart;
};
