#include "cvireoview.h"

#include "ccppanel.h"
#include "cqtcanvas.h"
#include "cvireodoc.h"
#include "iuserinterface.h"
#include "panelpaint.h"
#include "strformat.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStatusTipEvent>

#include <algorithm>
#include <cstdlib>

namespace {
CPoint Centre(const CRect& rc)
{
    return CPoint{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}
} // namespace

CVireoView::CVireoView(CVireoDoc* doc, QWidget* parent)
    : CScrollView(parent), m_pDoc(doc), m_edit(doc)
{
    viewport()->setMouseTracking(true);
    m_pDoc->AddObserver(this);
}

CVireoView::~CVireoView()
{
    m_pDoc->RemoveObserver(this);
}

void CVireoView::OnInitialUpdate()
{
    OnUpdate(nullptr, Hint::Refresh, nullptr);
    UpdateScrollSizes();
    // Another cockpit starts at its top-left corner.
    ScrollToPosition(CPoint{0, 0});
}

QSize CVireoView::ContentSize() const
{
    const CCPManager& m = m_pDoc->m_manager;
    return QSize(m.m_nScreenWidth, m.m_nScreenHeight);
}

bool CVireoView::ZoomFocus(CPoint& pt) const
{
    // The current record's middle at the zoom.
    CCPObject* cur = m_pDoc->m_pCurrentObject;
    CRect rc;
    if (!cur || !cur->GetDestRect(&rc))
        return false;
    pt = Centre(ScaledRect(rc, m_fZoom));
    return true;
}

void CVireoView::CenterOnCurrent()
{
    CPoint centre;
    if (ZoomFocus(centre) && !IsPointVisible(centre))
        CenterOnPoint(centre);
}

void CVireoView::OnUpdate(IDocObserver*, Hint, CCPObject*)
{
    CenterOnCurrent();
    viewport()->update();
}

void CVireoView::OnPreviewChanged(CCPObject*)
{
    // A dial page's preview sweeps the needle while its sheet is open.
    viewport()->update();
}

int CVireoView::ShownLayers() const
{
    return (m_bShowButtons ? kButtonViewLayer : 0) | (m_bShowObjects ? kObjectLayer : 0);
}

void CVireoView::DrawRecords(QPainter& painter, float zoom)
{
    CQtCanvas dc(painter);
    PaintPanel(
        m_pDoc->m_manager, *m_pDoc->m_pCurrentPanel, dc, zoom, ShownLayers(),
        m_pDoc->m_pCurrentObject,
        [&preview = m_pDoc->GetDialPreview()](CCPObject& record, Canvas& canvas, float scale) {
            return preview.Draw(&record, canvas, scale);
        });
}

void CVireoView::OnDraw(QPainter& painter)
{
    if (!m_pDoc->m_pCurrentPanel)
        return;
    CDeferredMessages::CScope noBoxesWhilePainting(m_paintMessages, m_pDoc->m_manager);
    DrawRecords(painter, m_fZoom);

    if (!m_tracker.IsTracking())
        m_tracker.SetEmpty();
    if (!m_pDoc->m_pCurrentObject)
        return;
    CRect rc;
    if (m_tracker.IsTracking() || CurrentTrackerRect(rc)) {
        if (!m_tracker.IsTracking())
            m_tracker.m_rect = rc;
        // The tracker lives in device coordinates.
        painter.save();
        painter.resetTransform();
        m_tracker.Draw(painter);
        painter.restore();
        m_rcSelection = m_tracker.GetTrueRect();
    } else {
        m_rcSelection = CRect();
    }
}

void CVireoView::PaintPage(QPainter& painter, const QRect& page)
{
    if (!m_pDoc->m_pCurrentPanel)
        return;
    CDeferredMessages::CScope noBoxesWhilePainting(m_paintMessages, m_pDoc->m_manager);
    // The whole screen area of the cockpit, as large as the page allows.
    const CCPManager& m = m_pDoc->m_manager;
    const double sx = double(page.width()) / std::max(1, m.m_nScreenWidth);
    const double sy = double(page.height()) / std::max(1, m.m_nScreenHeight);
    painter.save();
    painter.translate(page.topLeft());
    painter.scale(std::min(sx, sy), std::min(sx, sy));
    painter.setClipRect(0, 0, m.m_nScreenWidth, m.m_nScreenHeight);
    DrawRecords(painter, 1.0f);
    painter.restore();
}

QPrinter* CVireoView::GetPrinter()
{
    if (m_pPrinter)
        return m_pPrinter;
    if (!m_pOwnPrinter)
        m_pOwnPrinter = std::make_unique<QPrinter>();
    return m_pOwnPrinter.get();
}

void CVireoView::OnFilePrint(bool askFirst)
{
    QPrinter* printer = GetPrinter();
    if (askFirst) {
        QPrintDialog dialog(printer, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
    }
    QPainter painter;
    if (!painter.begin(printer))
        return;
    // The painter's origin is the top-left of the printable area.
    const QRect page = printer->pageLayout().paintRectPixels(printer->resolution());
    PaintPage(painter, QRect(QPoint(0, 0), page.size()));
}

void CVireoView::OnFilePrintPreview()
{
    QPrintPreviewDialog preview(GetPrinter(), this);
    QObject::connect(
        &preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) {
            QPainter painter(printer);
            const QRect page = printer->pageLayout().paintRectPixels(printer->resolution());
            PaintPage(painter, QRect(QPoint(0, 0), page.size()));
        });
    preview.exec();
}

bool CVireoView::CurrentTrackerRect(CRect& rc) const
{
    CCPObject* cur = m_pDoc->m_pCurrentObject;
    if (!cur || !cur->GetDestRect(&rc))
        return false;
    ScaleRect(rc, m_fZoom);
    rc = LogicalToDevice(rc);
    return true;
}

bool CVireoView::OnUpdateCommand(CCmdUI& ui)
{
    CCPObject* cur = m_pDoc->m_pCurrentObject;
    CRect rc;
    switch (ui.m_nID) {
    case ID_SHOW_OBJECTS:
        ui.Enable();
        ui.SetCheck(m_bShowObjects);
        return true;
    case ID_SHOW_BUTTONS:
        ui.Enable();
        ui.SetCheck(m_bShowButtons);
        return true;
    case ID_NEXT_STATE:
    case ID_PROPERTIES:
    case ID_NUDGE_RIGHT:
    case ID_NUDGE_UP:
    case ID_NUDGE_DOWN:
    case ID_VIEW_REFRESH:
    case ID_FILE_PRINT:
    case ID_FILE_PRINT_PREVIEW:
    case ID_FILE_PRINT_DIRECT:
        ui.Enable();
        return true;
    case ID_NUDGE_LEFT:
        ui.Enable(cur && cur->GetDestRect(&rc));
        return true;
    case ID_SAME_SIZE:
        ui.Enable(cur && cur->GetDestRect(&rc) && cur->GetSrcRect(&rc));
        return true;
    case ID_INDICATOR_ID:
        ui.Enable();
        if (cur)
            ui.SetText(StrFormat("ID: %d", cur->m_nId));
        return true;
    case ID_INDICATOR_MOUSE:
        ui.Enable();
        ui.SetText(StrFormat("%d, %d", m_ptMouse.x, m_ptMouse.y));
        return true;
    default:
        return OnUpdateZoomCommand(ui) || m_edit.OnUpdateCommand(ui);
    }
}

bool CVireoView::OnCommand(int id)
{
    CPoint step;
    if (NudgeStep(id, step)) {
        Nudge(step);
        return true;
    }
    CCPObject* cur = m_pDoc->m_pCurrentObject;
    switch (id) {
    case ID_SHOW_OBJECTS:
        m_bShowObjects = !m_bShowObjects;
        viewport()->update();
        return true;
    case ID_SHOW_BUTTONS:
        m_bShowButtons = !m_bShowButtons;
        viewport()->update();
        return true;
    case ID_NEXT_STATE:
        OnNextState();
        return true;
    case ID_PROPERTIES:
        m_pDoc->EditRecordProperties(cur);
        return true;
    case ID_SAME_SIZE:
        m_pDoc->MakeSameSize(cur);
        return true;
    case ID_VIEW_REFRESH:
        m_pDoc->Refresh();
        return true;
    case ID_FILE_PRINT:
        OnFilePrint(true);
        return true;
    case ID_FILE_PRINT_DIRECT:
        OnFilePrint(false);
        return true;
    case ID_FILE_PRINT_PREVIEW:
        OnFilePrintPreview();
        return true;
    default:
        return OnZoomCommand(id) || m_edit.OnCommand(id);
    }
}

void CVireoView::OnNextState()
{
    CCPObject* cur = m_pDoc->m_pCurrentObject;
    if (!cur)
        return;
    cur->NextState();
    m_pDoc->UpdateAllViews(this, Hint::Refresh);
    if (m_rcSelection.IsRectEmpty())
        viewport()->update();
    else
        InvalidateDevice(m_rcSelection);
}

void CVireoView::Nudge(CPoint step)
{
    CCPObject* cur = m_pDoc->m_pCurrentObject;
    CRect rc;
    if (!cur || !cur->GetDestRect(&rc) ||
        !NudgeWithin(rc, step, m_pDoc->m_manager.m_nScreenWidth, m_pDoc->m_manager.m_nScreenHeight))
        return;
    m_pDoc->NudgeRecord(cur, false, rc);
}

void CVireoView::OnLButtonDown(Qt::KeyboardModifiers keys, CPoint pt)
{
    CCPPanel* panel = m_pDoc->m_pCurrentPanel;
    if (!panel)
        return;
    CRect rc;
    if ((keys & Qt::ShiftModifier) && CurrentTrackerRect(rc)) {
        m_tracker.m_rect = rc;
        // A Shift+click on the tracker moves or resizes; it never picks, even when the drag
        // ends without a change.
        if (m_tracker.Begin(pt))
            return;
    }
    // Without Shift a press on the tracker may start a drag: decided once the mouse has moved
    // past the drag distance; a click without it picks as before.
    if (!(keys & Qt::ShiftModifier) && CurrentTrackerRect(rc)) {
        m_tracker.m_rect = rc;
        if (m_tracker.HitTest(pt) != CRectTracker::hitNothing) {
            m_bPressOnTracker = true;
            m_ptPress = pt;
            return;
        }
    }
    Pick(pt);
}

void CVireoView::Pick(CPoint pt)
{
    CCPPanel* panel = m_pDoc->m_pCurrentPanel;
    if (!panel)
        return;
    CRect rc;
    const CPoint scroll = GetScrollPosition();
    pt.x += scroll.x;
    pt.y += scroll.y;
    if (CCPObject* hit =
            WalkPanel(m_pDoc->m_manager, *panel, ShownLayers(), [&](CCPObject& record) {
                return record.GetDestRect(&rc) && ScaledRect(rc, m_fZoom).PtInRect(pt);
            }))
        m_pDoc->SetCurrentObject(hit);
}

void CVireoView::OnLButtonUp(CPoint pt)
{
    if (m_bPressOnTracker) {
        m_bPressOnTracker = false;
        Pick(m_ptPress);
        return;
    }
    if (!m_tracker.IsTracking())
        return;
    m_tracker.TrackTo(pt);
    const bool changed = m_tracker.End();
    CCPObject* cur = m_pDoc->m_pCurrentObject;
    CRect from;
    if (changed && cur && cur->GetDestRect(&from)) {
        // A drag may not put the record where a nudge could not bring it back.
        const CCPManager& m = m_pDoc->m_manager;
        m_pDoc->SetRecordDestRect(cur,
                                  DragWithin(from, DeviceToContent(m_tracker.m_rect),
                                             m.m_nScreenWidth, m.m_nScreenHeight),
                                  this);
    }
    viewport()->update();
}

void CVireoView::OnLButtonDblClk(CPoint)
{
    if (CCPObject* cur = m_pDoc->m_pCurrentObject) {
        cur->NextState();
        InvalidateDevice(m_rcSelection);
    }
}

void CVireoView::OnMouseMove(Qt::KeyboardModifiers keys, CPoint pt)
{
    const CPoint scroll = GetScrollPosition();
    m_ptMouse = CPoint{pt.x + scroll.x, pt.y + scroll.y};
    if (m_bPressOnTracker && std::abs(pt.x - m_ptPress.x) + std::abs(pt.y - m_ptPress.y) >=
                                 QApplication::startDragDistance()) {
        m_bPressOnTracker = false;
        m_tracker.Begin(m_ptPress);
    }
    if (m_tracker.IsTracking()) {
        m_tracker.TrackTo(pt);
        viewport()->update();
        return;
    }
    UpdateCursor(keys, pt);
}

void CVireoView::UpdateCursor(Qt::KeyboardModifiers keys, CPoint pt)
{
    // Over the current record's tracker the cursor shows what a drag does, and the status bar
    // says so.
    CRectTracker probe = m_tracker;
    const bool over = CurrentTrackerRect(probe.m_rect) && probe.SetCursor(viewport(), pt);
    if (!over)
        viewport()->unsetCursor();
    if (over != m_bOverTracker) {
        m_bOverTracker = over;
        QStatusTipEvent tip(over ? QStringLiteral("Drag to move, handles to resize") : QString());
        QApplication::sendEvent(window(), &tip);
    }
    (void)keys;
}

bool CVireoView::OnCancelMode()
{
    m_bPressOnTracker = false;
    if (!m_tracker.IsTracking())
        return false;
    m_tracker.Cancel();
    viewport()->update();
    return true;
}

void CVireoView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Shift) {
        const QPoint p = viewport()->mapFromGlobal(QCursor::pos());
        UpdateCursor(event->modifiers() | Qt::ShiftModifier, CPoint{p.x(), p.y()});
    }
    CScrollView::keyPressEvent(event);
}

void CVireoView::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Shift)
        viewport()->unsetCursor();
    CScrollView::keyReleaseEvent(event);
}

void CVireoView::contextMenuEvent(QContextMenuEvent* event)
{
    if (!m_pContextMenu)
        return;
    QPoint at = event->globalPos();
    if (event->reason() == QContextMenuEvent::Keyboard) {
        at = viewport()->mapToGlobal(QPoint(5, 5));
    } else {
        // The menu acts on the record under the pointer, as a left click would pick it; a
        // click on the current record's frame keeps it.
        const QPoint p = viewport()->mapFromGlobal(event->globalPos());
        const CPoint pt{p.x(), p.y()};
        CRectTracker probe = m_tracker;
        if (!CurrentTrackerRect(probe.m_rect) || probe.HitTest(pt) == CRectTracker::hitNothing)
            Pick(pt);
    }
    m_pContextMenu->exec(at);
}
