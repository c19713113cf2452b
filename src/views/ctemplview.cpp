#include "ctemplview.h"

#include "ccpdigits.h"
#include "ccplight.h"
#include "ccppanel.h"
#include "cqtcanvas.h"
#include "cvireodoc.h"
#include "panelpaint.h"
#include "strformat.h"

#include <QPainter>

#include <cmath>
#include <utility>

CTemplView::CTemplView(CVireoDoc* doc, QWidget* parent) : CScrollView(parent), m_pDoc(doc)
{
    viewport()->setMouseTracking(true);
    m_pDoc->AddObserver(this);
}

CTemplView::~CTemplView()
{
    m_pDoc->RemoveObserver(this);
}

void CTemplView::OnInitialUpdate()
{
    OnUpdate(nullptr, Hint::Refresh, nullptr);
    TakeTemplateSize();
    ScrollToPosition(CPoint{0, 0});
}

void CTemplView::TakeTemplateSize()
{
    const CCPManager& m = m_pDoc->m_manager;
    m_sizeTemplate = QSize(m.m_nTemplateWidth, m.m_nTemplateHeight);
    if (m_sizeTemplate.width() == 0 || m_sizeTemplate.height() == 0)
        m_sizeTemplate = QSize(100, 100);
    UpdateScrollSizes();
}

bool CTemplView::CurrentSrcRect(CRect& rc) const
{
    CCPObject* cur = m_pDoc->m_pCurrentObject;
    if (!cur || !cur->GetSrcRect(&rc))
        return false;
    ScaleRect(rc, m_fZoom);
    return true;
}

bool CTemplView::ZoomFocus(CPoint& pt) const
{
    CRect rc;
    if (!CurrentSrcRect(rc))
        return false;
    pt = CPoint{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    return true;
}

void CTemplView::OnUpdate(IDocObserver*, Hint hint, CCPObject*)
{
    if (hint == Hint::Pictures)
        TakeTemplateSize();
    CPoint centre;
    if (ZoomFocus(centre) && !IsPointVisible(centre))
        CenterOnPoint(centre);
    viewport()->update();
}

unsigned CTemplView::FrameColour(const CCPObject& record)
{
    if (record.IsButtonView())
        return MakeRgb(0, 255, 0);
    if (dynamic_cast<const CCPDigits*>(&record))
        return MakeRgb(0, 0, 255);
    if (dynamic_cast<const CCPLight*>(&record))
        return MakeRgb(255, 255, 0);
    return MakeRgb(255, 0, 0);
}

void CTemplView::OnDraw(QPainter& painter)
{
    CQtCanvas dc(painter);
    const CRect all(0, 0, m_sizeTemplate.width(), m_sizeTemplate.height());
    m_pDoc->m_manager.BlitOpaque(all.left, all.top, all.right, all.bottom, all, dc, m_fZoom);

    // The other selected records' sources get their frames; the key record adds the tracker.
    for (CCPObject* r : m_pDoc->GetSelection().Records()) {
        CRect src;
        if (r != m_pDoc->m_pCurrentObject && r->GetSrcRect(&src))
            dc.FrameRect(ScaledRect(src, m_fZoom), FrameColour(*r));
    }
    DrawPiece(painter);
    if (!m_tracker.IsTracking())
        m_tracker.SetEmpty();
    CRect rc;
    if (!CurrentSrcRect(rc))
        return;
    dc.FrameRect(rc, FrameColour(*m_pDoc->m_pCurrentObject));
    if (!m_tracker.IsTracking())
        m_tracker.m_rect = LogicalToDevice(rc);
    painter.save();
    painter.resetTransform();
    m_tracker.Draw(painter);
    painter.restore();
}

bool CTemplView::CurrentTrackerRect(CRect& rc) const
{
    if (!CurrentSrcRect(rc))
        return false;
    rc = LogicalToDevice(rc);
    return true;
}

bool CTemplView::OnUpdateCommand(CCmdUI& ui)
{
    CCPObject* cur = m_pDoc->m_pCurrentObject;
    CRect rc;
    switch (ui.m_nID) {
    case ID_VIEW_REFRESH:
        ui.Enable();
        return true;
    case ID_NUDGE_LEFT:
    case ID_NUDGE_RIGHT:
    case ID_NUDGE_UP:
    case ID_NUDGE_DOWN:
        ui.Enable(cur && cur->GetSrcRect(&rc));
        return true;
    case ID_INDICATOR_MOUSE:
        ui.Enable();
        ui.SetText(StrFormat("%d, %d", m_ptMouse.x, m_ptMouse.y));
        return true;
    default:
        return OnUpdateZoomCommand(ui);
    }
}

bool CTemplView::OnCommand(int id)
{
    CPoint step;
    if (NudgeStep(id, step)) {
        Nudge(step);
        return true;
    }
    switch (id) {
    case ID_VIEW_REFRESH:
        m_pDoc->Refresh();
        return true;
    default:
        return OnZoomCommand(id);
    }
}

void CTemplView::Nudge(CPoint step)
{
    CCPObject* cur = m_pDoc->m_pCurrentObject;
    CRect rc;
    // Bounded by the template picture, not by the screen.
    if (!cur || !cur->GetSrcRect(&rc) ||
        !NudgeWithin(rc, step, m_pDoc->m_manager.m_nTemplateWidth,
                     m_pDoc->m_manager.m_nTemplateHeight))
        return;
    m_pDoc->NudgeRecord(cur, true, rc);
}

void CTemplView::OnLButtonDown(Qt::KeyboardModifiers, CPoint pt)
{
    // Decided when the button comes up or the mouse moves.
    m_ptPress = pt;
    CRect rc;
    if (m_pDoc->m_pCurrentPanel && CurrentTrackerRect(rc)) {
        m_tracker.m_rect = rc;
        // A change moves the frame, no change picks.
        if (m_tracker.Begin(pt))
            return;
    }
    // A click picks, a drag draws a piece or takes the piece drawn to the panel.
    m_press = OnPiece(pt) ? Press::Piece : Press::Band;
}

void CTemplView::OnLButtonUp(CPoint pt)
{
    if (!m_tracker.IsTracking()) {
        EndPress();
        return;
    }
    m_tracker.TrackTo(pt);
    const bool changed = m_tracker.End();
    CCPObject* cur = m_pDoc->m_pCurrentObject;
    CRect from;
    if (changed && cur && cur->GetSrcRect(&from)) {
        // The same bounds as a nudge: the template's size.
        const CCPManager& m = m_pDoc->m_manager;
        m_pDoc->SetRecordSrcRect(cur,
                                 DragWithin(from, DeviceToContent(m_tracker.m_rect),
                                            m.m_nTemplateWidth, m.m_nTemplateHeight),
                                 this);
        viewport()->update();
        return;
    }
    viewport()->update();
    if (m_pDoc->m_pCurrentPanel)
        Pick(m_ptPress);
}

void CTemplView::Pick(CPoint pt)
{
    CCPPanel* panel = m_pDoc->m_pCurrentPanel;
    if (!panel)
        return;
    const CPoint scroll = GetScrollPosition();
    pt.x += scroll.x;
    pt.y += scroll.y;
    CRect rc;
    // The switches of the panel view do not apply here.
    if (CCPObject* hit = WalkPanel(m_pDoc->m_manager, *panel, kAllLayers, [&](CCPObject& record) {
            return record.GetSrcRect(&rc) && ScaledRect(rc, m_fZoom).PtInRect(pt);
        }))
        m_pDoc->SetCurrentObject(hit);
}

void CTemplView::OnMouseMove(Qt::KeyboardModifiers keys, CPoint pt)
{
    // The template pixel under the mouse, whatever the zoom: what srcloc needs.
    const CPoint scroll = GetScrollPosition();
    m_ptMouse = CPoint{int(std::floor((pt.x + scroll.x) / double(m_fZoom))),
                       int(std::floor((pt.y + scroll.y) / double(m_fZoom)))};
    if (m_tracker.IsTracking()) {
        m_tracker.TrackTo(pt);
        viewport()->update();
        return;
    }
    if (MovePress(keys, pt))
        return;
    // No key is needed here: the tracker is live whenever it is shown.
    CRectTracker probe = m_tracker;
    if (CurrentTrackerRect(probe.m_rect) && probe.SetCursor(viewport(), pt))
        return;
    if (OnPiece(pt))
        viewport()->setCursor(Qt::OpenHandCursor);
    else
        viewport()->unsetCursor();
}

bool CTemplView::OnCancelMode()
{
    if (!m_tracker.IsTracking()) {
        // A band being drawn goes, else the piece drawn.
        const bool band = std::exchange(m_bBand, false);
        m_press = Press::None;
        if (!band && !m_pDoc->GetTemplatePiece())
            return false;
        if (!band)
            m_pDoc->SetTemplatePiece(std::nullopt);
        viewport()->update();
        return true;
    }
    // A cancelled drag changed nothing, so the click picks as any other.
    m_tracker.Cancel();
    viewport()->update();
    if (m_pDoc->m_pCurrentPanel)
        Pick(m_ptPress);
    return true;
}
