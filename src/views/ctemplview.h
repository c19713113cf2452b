#pragma once

#include "ccommandtarget.h"
#include "crecttracker.h"
#include "cscrollview.h"
#include "idocobserver.h"

#include <functional>
#include <memory>

class CVireoDoc;
class QMimeData;

// The template view: the whole template image at the zoom (at first its natural size) with
// the current record's source rectangle framed in the colour of its kind. The frame is moved
// and resized with the tracker (no key needed) or nudged; a click picks the current panel's
// record that shows that piece of the template.
class CTemplView : public CScrollView, public IDocObserver, public CCommandTarget
{
public:
    CPoint m_ptMouse; // in template pixels
    QSize m_sizeTemplate{100, 100};
    CRectTracker m_tracker{CRect(), CRectTracker::dottedLine | CRectTracker::resizeOutside};

    explicit CTemplView(CVireoDoc* doc, QWidget* parent = nullptr);
    ~CTemplView() override;

    void OnInitialUpdate() override;
    void OnUpdate(IDocObserver* sender, Hint hint, CCPObject* record) override;
    void OnDraw(QPainter& painter) override;

    bool OnUpdateCommand(CCmdUI& ui) override;
    bool OnCommand(int id) override;

    void OnLButtonDown(Qt::KeyboardModifiers keys, CPoint pt) override;
    void OnLButtonUp(CPoint pt) override;
    void OnMouseMove(Qt::KeyboardModifiers keys, CPoint pt) override;
    bool OnCancelMode() override;
    void Nudge(CPoint step);
    QSize ContentSize() const override { return m_sizeTemplate; }

    // The colour the frame of a record's source rectangle is drawn in (0xRRGGBB).
    static unsigned FrameColour(const CCPObject& record);

    // --- drawing a piece of the template (ctemplviewpiece.cpp) ---
    // A drag outside the current record's tracker draws a piece (the document keeps it); a drag
    // that starts on the piece takes it to the panel view, and so do Enter and a click there.
    // Whether the band snaps to the picture's opaque edges (Snap to Objects; whole pixels else).
    void SetSnapSource(std::function<bool()> snap) { m_fnSnap = std::move(snap); }
    // Enter with a piece drawn: the frame lets the panel view place it.
    void SetPlaceHandler(std::function<void()> place) { m_fnPlace = std::move(place); }
    // Starts the drag of the piece with its data; tests take the data instead.
    std::function<void(std::unique_ptr<QMimeData>)> m_fnStartDrag;
    // The band being drawn, in template pixels; false while none is.
    bool GetBand(CRect& band) const;

protected:
    bool ZoomFocus(CPoint& pt) const override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The template's declared size (100 x 100 without one) is the extent to scroll.
    void TakeTemplateSize();
    // The current record's source rectangle at the zoom (logical coordinates).
    bool CurrentSrcRect(CRect& rc) const;
    bool CurrentTrackerRect(CRect& rc) const;
    void Pick(CPoint pt);
    // What a press outside the tracker does as the mouse moves and comes up: true when it
    // took the event.
    bool MovePress(Qt::KeyboardModifiers keys, CPoint pt);
    void EndPress();
    // The template pixel edge nearest to a viewport point, within the template.
    CPoint EdgePoint(CPoint device) const;
    CRect BandTo(CPoint device, Qt::KeyboardModifiers keys) const;
    bool OnPiece(CPoint device) const;
    void StartPieceDrag();
    void DrawPiece(QPainter& painter);

    CVireoDoc* m_pDoc;
    CPoint m_ptPress; // where a tracker drag began, picked from when it changes nothing
    enum class Press
    {
        None,
        Band,  // outside the tracker and the piece: a click picks, a drag draws a piece
        Piece, // on the piece drawn: a drag takes it to the panel
    };
    Press m_press = Press::None;
    bool m_bBand = false; // the band is being drawn
    CRect m_rcBand;       // template pixels
    std::function<bool()> m_fnSnap;
    std::function<void()> m_fnPlace;
};
