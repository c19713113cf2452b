#pragma once

#include "ccommandtarget.h"
#include "crecttracker.h"
#include "cscrollview.h"
#include "idocobserver.h"

class CVireoDoc;

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

protected:
    bool ZoomFocus(CPoint& pt) const override;

private:
    // The template's declared size (100 x 100 without one) is the extent to scroll.
    void TakeTemplateSize();
    // The current record's source rectangle at the zoom (logical coordinates).
    bool CurrentSrcRect(CRect& rc) const;
    bool CurrentTrackerRect(CRect& rc) const;
    void Pick(CPoint pt);

    CVireoDoc* m_pDoc;
    CPoint m_ptPress; // where a tracker drag began, picked from when it changes nothing
};
