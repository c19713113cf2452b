#include "cvireoview.h"

#include "ccalibrationmode.h"
#include "ccpdial.h"
#include "ccppanel.h"
#include "cqtcanvas.h"
#include "cvireodoc.h"
#include "iuserinterface.h"
#include "outlinepaint.h"
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
#include <cmath>
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
    viewport()->setAcceptDrops(true); // record types from the palette, pieces of the template
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
    // The dial left the panel (undo, delete, another panel): nothing to calibrate.
    if (m_pCalibration && !m_pDoc->PanelHolds(m_pDoc->m_pCurrentPanel, &m_pCalibration->GetDial()))
        EndCalibration(false);
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
    PaintPanel(m_pDoc->m_manager, *m_pDoc->m_pCurrentPanel, dc, zoom, ShownLayers(),
               m_pDoc->m_pCurrentObject,
               [&values = m_pDoc->GetInstrumentValues(), lit = m_bLightEverything && !m_pPlay](
                   CCPObject& record, Canvas& canvas, float scale) {
                   return values.Draw(record, canvas, scale) ||
                          (lit && DrawLastState(record, canvas, scale));
               });
}

void CVireoView::OnDraw(QPainter& painter)
{
    if (!m_pDoc->m_pCurrentPanel)
        return;
    CDeferredMessages::CScope noBoxesWhilePainting(m_paintMessages, m_pDoc->m_manager);
    DrawRecords(painter, m_fZoom);
    if (m_pPlay)
        return; // the pilot's view: the panel alone
    DrawDrawingAids(painter);
    DrawGrid(painter);

    // The selection, the tracker and the guides live in device coordinates.
    painter.save();
    painter.resetTransform();
    DrawSelection(painter);
    if (!m_tracker.IsTracking())
        m_tracker.SetEmpty();
    CRect rc;
    if (m_pDoc->m_pCurrentObject && (m_tracker.IsTracking() || CurrentTrackerRect(rc))) {
        if (!m_tracker.IsTracking())
            m_tracker.m_rect = rc;
        m_tracker.Draw(painter);
        m_rcSelection = m_tracker.GetTrueRect();
    } else {
        m_rcSelection = CRect();
    }
    if (m_pCalibration)
        m_pCalibration->Draw(painter);
    painter.restore();
}

CRect CVireoView::ContentToDevice(CRect rc) const
{
    ScaleRect(rc, m_fZoom);
    return LogicalToDevice(rc);
}

void CVireoView::DrawSelection(QPainter& painter)
{
    const QColor kOthers(0, 120, 215); // the key record has the tracker; the others this frame
    const QColor kGuide(255, 0, 255);
    const bool moving =
        m_drag == Drag::Group ||
        (m_drag == Drag::Tracker && m_tracker.HitTest(m_ptPress) == CRectTracker::hitMiddle);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kOthers, 1));
    for (CCPObject* r : m_pDoc->GetSelection().Records()) {
        CRect rc;
        if ((r == m_pDoc->m_pCurrentObject && m_drag != Drag::Group) || !r->GetDestRect(&rc))
            continue;
        if (moving)
            rc.OffsetRect(m_ptMoved.x, m_ptMoved.y);
        rc = ContentToDevice(rc);
        painter.drawRect(rc.left, rc.top, rc.Width() - 1, rc.Height() - 1);
    }
    if (m_drag == Drag::Band) {
        painter.setPen(QPen(kOthers, 1, Qt::DashLine));
        for (CCPObject* r : m_aBand) {
            CRect rc;
            r->GetDestRect(&rc);
            rc = ContentToDevice(rc);
            painter.drawRect(rc.left, rc.top, rc.Width() - 1, rc.Height() - 1);
        }
        painter.setPen(QPen(kOthers, 1, Qt::DotLine));
        painter.setBrush(QColor(0, 120, 215, 40));
        const QRect band =
            QRect(QPoint(m_ptPress.x, m_ptPress.y), QPoint(m_ptMouseDevice.x, m_ptMouseDevice.y))
                .normalized();
        painter.drawRect(band);
        painter.setBrush(Qt::NoBrush);
    }
    painter.setPen(QPen(kGuide, 1, Qt::DashLine));
    const CRect screen = ContentToDevice(
        CRect(0, 0, m_pDoc->m_manager.m_nScreenWidth, m_pDoc->m_manager.m_nScreenHeight));
    int at = 0;
    if (GuideX(at)) {
        const int x = ContentToDevice(CRect(at, 0, at, 0)).left;
        painter.drawLine(x, screen.top, x, screen.bottom);
    }
    if (GuideY(at)) {
        const int y = ContentToDevice(CRect(0, at, 0, at)).top;
        painter.drawLine(screen.left, y, screen.right, y);
    }
}

void CVireoView::DrawGrid(QPainter& painter)
{
    // Faint, and only where the lines are far enough apart to see the panel between them.
    const float step = m_nGridSize * m_fZoom;
    if (!m_bSnapGrid || m_nGridSize < 2 || step < 8)
        return;
    const CCPManager& m = m_pDoc->m_manager;
    painter.save();
    painter.setPen(QPen(QColor(128, 128, 128, 60), 0));
    const QRect visible = painter.transform().inverted().mapRect(viewport()->rect());
    const int first = std::max(0, int(visible.left() / m_fZoom) / m_nGridSize * m_nGridSize);
    const int last = std::min(m.m_nScreenWidth, int(visible.right() / m_fZoom) + 1);
    for (int x = first; x <= last; x += m_nGridSize)
        painter.drawLine(QPointF(x * m_fZoom, 0),
                         QPointF(x * m_fZoom, m.m_nScreenHeight * m_fZoom));
    const int top = std::max(0, int(visible.top() / m_fZoom) / m_nGridSize * m_nGridSize);
    const int bottom = std::min(m.m_nScreenHeight, int(visible.bottom() / m_fZoom) + 1);
    for (int y = top; y <= bottom; y += m_nGridSize)
        painter.drawLine(QPointF(0, y * m_fZoom), QPointF(m.m_nScreenWidth * m_fZoom, y * m_fZoom));
    painter.restore();
}

bool CVireoView::GuideX(int& x) const
{
    x = m_ptGuide.x;
    return m_bGuideX && (m_drag == Drag::Tracker || m_drag == Drag::Group);
}

bool CVireoView::GuideY(int& y) const
{
    y = m_ptGuide.y;
    return m_bGuideY && (m_drag == Drag::Tracker || m_drag == Drag::Group);
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
        ui.Enable(!m_pDoc->PlacedSelection().empty() || (cur && cur->GetDestRect(&rc)));
        return true;
    case ID_EDIT_SELECT_ALL:
        ui.Enable(m_pDoc->m_pCurrentPanel && (!m_pDoc->m_pCurrentPanel->m_anObjects.empty() ||
                                              !m_pDoc->m_pCurrentPanel->m_anButtonViews.empty()));
        return true;
    case ID_SAME_SIZE:
        ui.Enable(cur && cur->GetDestRect(&rc) && cur->GetSrcRect(&rc));
        return true;
    case ID_CALIBRATE:
        ui.Enable(CanCalibrate());
        return true;
    case ID_INDICATOR_ID: {
        ui.Enable();
        const auto placed = m_pDoc->PlacedSelection();
        if (placed.size() > 1) {
            // How many, and where the selection lies: left, top and its size.
            std::vector<CRect> frames(placed.size());
            for (size_t i = 0; i < placed.size(); ++i)
                placed[i]->GetDestRect(&frames[i]);
            const CRect b = BoundsOf(frames);
            ui.SetText(StrFormat("%zu selected: %d, %d, %d x %d", placed.size(), b.left, b.top,
                                 b.Width(), b.Height()));
        } else if (cur) {
            ui.SetText(StrFormat("ID: %d", cur->m_nId));
        }
        return true;
    }
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
    case ID_CALIBRATE:
        StartCalibration();
        return true;
    case ID_EDIT_SELECT_ALL:
        m_pDoc->SelectAll();
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
    // Every selected record steps on; the current record also when it is no panel record.
    std::vector<CCPObject*> records = m_pDoc->GetSelection().Records();
    if (records.empty())
        records.push_back(cur);
    for (CCPObject* r : records)
        r->NextState();
    m_pDoc->UpdateAllViews(this, Hint::Refresh);
    viewport()->update();
}

void CVireoView::Nudge(CPoint step)
{
    if (m_pDoc->GetSelection().Count() > 1) {
        m_pDoc->NudgeSelection(step);
        return;
    }
    CCPObject* cur = m_pDoc->m_pCurrentObject;
    CRect rc;
    if (!cur || !cur->GetDestRect(&rc) ||
        !NudgeWithin(rc, step, m_pDoc->m_manager.m_nScreenWidth, m_pDoc->m_manager.m_nScreenHeight))
        return;
    m_pDoc->NudgeRecord(cur, false, rc);
}

void CVireoView::OnLButtonDown(Qt::KeyboardModifiers keys, CPoint pt)
{
    if (!m_pDoc->m_pCurrentPanel)
        return;
    if (m_pCalibration) {
        m_pCalibration->OnClick(pt);
        return;
    }
    if (m_bPlacing) {
        PlacePiece(pt, viewport()->mapToGlobal(QPoint(pt.x, pt.y)));
        return;
    }
    m_ptPress = pt;
    m_ptMouseDevice = pt;
    m_pressKeys = keys;
    m_ptMoved = CPoint{};
    m_aBand.clear();
    m_drag = Drag::Pending;
    CRect rc;
    const bool onTracker = CurrentTrackerRect(rc) && [&] {
        m_tracker.m_rect = rc;
        return m_tracker.HitTest(pt) != CRectTracker::hitNothing;
    }();
    if (keys & Qt::ControlModifier) {
        // Ctrl: a click adds or removes one record, a drag adds what its band holds.
        m_press = Press::Outside;
    } else if (onTracker) {
        m_press = Press::Tracker;
        // A Shift+press on the tracker moves or resizes at once and never picks; without Shift
        // the drag begins once the mouse has moved past the drag distance.
        if (keys & Qt::ShiftModifier)
            BeginDrag(pt, keys);
    } else {
        m_press = OnSelectedRecord(pt) ? Press::Selection : Press::Outside;
    }
}

CCPObject* CVireoView::HitRecord(CPoint pt) const
{
    CCPPanel* panel = m_pDoc->m_pCurrentPanel;
    if (!panel)
        return nullptr;
    CRect rc;
    const CPoint scroll = GetScrollPosition();
    pt.x += scroll.x;
    pt.y += scroll.y;
    return WalkPanel(m_pDoc->m_manager, *panel, ShownLayers(), [&](CCPObject& record) {
        return record.GetDestRect(&rc) && ScaledRect(rc, m_fZoom).PtInRect(pt);
    });
}

void CVireoView::Pick(CPoint pt)
{
    if (CCPObject* hit = HitRecord(pt))
        m_pDoc->SetCurrentObject(hit);
}

bool CVireoView::OnSelectedRecord(CPoint pt) const
{
    for (CCPObject* r : m_pDoc->PlacedSelection()) {
        CRect rc;
        r->GetDestRect(&rc);
        if (ContentToDevice(rc).PtInRect(pt))
            return true;
    }
    return false;
}

void CVireoView::BeginDrag(CPoint pt, Qt::KeyboardModifiers keys)
{
    if (m_press == Press::Outside) {
        m_drag = Drag::Band;
        DragTo(pt, keys);
        return;
    }
    CCPObject* key = m_pDoc->m_pCurrentObject;
    if (m_press == Press::Tracker) {
        if (!key || !key->GetDestRect(&m_rcKeyStart) || !m_tracker.Begin(pt)) {
            m_drag = Drag::None;
            return;
        }
        m_nTrackHit = m_tracker.HitTest(pt);
        m_drag = Drag::Tracker;
    } else {
        m_drag = Drag::Group;
    }
    // What the selection snaps to: every other record the view shows, and the screen.
    std::vector<CRect> others;
    CRect rc;
    WalkPanel(m_pDoc->m_manager, *m_pDoc->m_pCurrentPanel, ShownLayers(), [&](CCPObject& record) {
        if (record.GetDestRect(&rc) && !m_pDoc->IsSelected(&record) && &record != key)
            others.push_back(rc);
        return false;
    });
    m_snap.Build(others, m_pDoc->m_manager.m_nScreenWidth, m_pDoc->m_manager.m_nScreenHeight);
}

namespace {

// Rounds a device distance to content units at zoom.
int ToContent(int device, float zoom)
{
    return int(std::lround(device / double(zoom)));
}

} // namespace

CPoint CVireoView::MoveDelta(CPoint pt, Qt::KeyboardModifiers keys)
{
    CPoint d{ToContent(pt.x - m_ptPress.x, m_fZoom), ToContent(pt.y - m_ptPress.y, m_fZoom)};
    m_bGuideX = m_bGuideY = false;
    if (keys & Qt::AltModifier)
        return d;
    std::vector<CRect> frames;
    for (CCPObject* r : m_pDoc->PlacedSelection()) {
        frames.emplace_back();
        r->GetDestRect(&frames.back());
    }
    if (frames.empty())
        frames.push_back(m_rcKeyStart);
    CRect moved = BoundsOf(frames);
    moved.OffsetRect(d.x, d.y);
    const int tolerance = std::max(1, ToContent(kSnapPixels, m_fZoom));
    if (m_bSnapObjects) {
        const int xs[] = {moved.left, (moved.left + moved.right) / 2, moved.right};
        const int ys[] = {moved.top, (moved.top + moved.bottom) / 2, moved.bottom};
        if (const auto x = m_snap.SnapX(xs, tolerance); x.snapped) {
            d.x += x.delta;
            m_bGuideX = true;
            m_ptGuide.x = x.line;
        }
        if (const auto y = m_snap.SnapY(ys, tolerance); y.snapped) {
            d.y += y.delta;
            m_bGuideY = true;
            m_ptGuide.y = y.line;
        }
    }
    if (m_bSnapGrid) {
        if (!m_bGuideX)
            d.x += SnapToGrid(moved.left, m_nGridSize) - moved.left;
        if (!m_bGuideY)
            d.y += SnapToGrid(moved.top, m_nGridSize) - moved.top;
    }
    return d;
}

CRect CVireoView::ResizedRect(Qt::KeyboardModifiers keys)
{
    CRect rc = DeviceToContent(m_tracker.m_rect);
    m_bGuideX = m_bGuideY = false;
    if (keys & Qt::AltModifier)
        return rc;
    const int hit = m_nTrackHit;
    const bool left = hit == CRectTracker::hitTopLeft || hit == CRectTracker::hitBottomLeft ||
                      hit == CRectTracker::hitLeft;
    const bool right = hit == CRectTracker::hitTopRight || hit == CRectTracker::hitBottomRight ||
                       hit == CRectTracker::hitRight;
    const bool top = hit == CRectTracker::hitTopLeft || hit == CRectTracker::hitTopRight ||
                     hit == CRectTracker::hitTop;
    const bool bottom = hit == CRectTracker::hitBottomLeft || hit == CRectTracker::hitBottomRight ||
                        hit == CRectTracker::hitBottom;
    const int tolerance = std::max(1, ToContent(kSnapPixels, m_fZoom));
    // Only the edges the handle moves snap; an edge never passes the one opposite.
    const auto snapEdge = [&](bool horizontal, int& edge, int opposite, bool low) {
        int to = edge;
        bool guided = false;
        if (m_bSnapObjects) {
            const int c[] = {edge};
            const auto s = horizontal ? m_snap.SnapX(c, tolerance) : m_snap.SnapY(c, tolerance);
            if (s.snapped) {
                to = s.line;
                guided = true;
            }
        }
        if (!guided && m_bSnapGrid)
            to = SnapToGrid(edge, m_nGridSize);
        if (low ? to >= opposite : to <= opposite)
            return;
        edge = to;
        if (guided) {
            (horizontal ? m_bGuideX : m_bGuideY) = true;
            (horizontal ? m_ptGuide.x : m_ptGuide.y) = to;
        }
    };
    if (left)
        snapEdge(true, rc.left, rc.right, true);
    if (right)
        snapEdge(true, rc.right, rc.left, false);
    if (top)
        snapEdge(false, rc.top, rc.bottom, true);
    if (bottom)
        snapEdge(false, rc.bottom, rc.top, false);
    return rc;
}

std::vector<CCPObject*> CVireoView::RecordsInBand() const
{
    std::vector<CCPObject*> inside;
    const CRect band(
        std::min(m_ptPress.x, m_ptMouseDevice.x), std::min(m_ptPress.y, m_ptMouseDevice.y),
        std::max(m_ptPress.x, m_ptMouseDevice.x), std::max(m_ptPress.y, m_ptMouseDevice.y));
    CRect rc;
    WalkPanel(m_pDoc->m_manager, *m_pDoc->m_pCurrentPanel, ShownLayers(), [&](CCPObject& record) {
        if (record.GetDestRect(&rc)) {
            rc = ContentToDevice(rc);
            if (rc.left >= band.left && rc.top >= band.top && rc.right <= band.right &&
                rc.bottom <= band.bottom)
                inside.push_back(&record);
        }
        return false;
    });
    return inside;
}

QRegion CVireoView::DragMarks() const
{
    // A pixel more on every side: frames and dotted lines may reach one past a rectangle.
    const auto device = [](CRect rc) {
        rc.NormalizeRect();
        return QRect(rc.left - 1, rc.top - 1, rc.Width() + 3, rc.Height() + 3);
    };
    QRegion marks;
    if (m_drag == Drag::Tracker && !m_tracker.IsEmpty())
        marks += device(m_tracker.GetTrueRect());
    const bool moving =
        m_drag == Drag::Group ||
        (m_drag == Drag::Tracker && m_tracker.HitTest(m_ptPress) == CRectTracker::hitMiddle);
    if (moving) {
        // Many frames make one area: a region of thousands of rectangles costs more than the
        // paint it saves.
        QRect frames;
        for (CCPObject* r : m_pDoc->GetSelection().Records()) {
            CRect rc;
            if (!r->GetDestRect(&rc))
                continue;
            rc.OffsetRect(m_ptMoved.x, m_ptMoved.y);
            frames |= device(ContentToDevice(rc));
        }
        marks += frames;
    }
    if (m_drag == Drag::Band) // the records inside are framed inside it
        marks += device(CRect(m_ptPress.x, m_ptPress.y, m_ptMouseDevice.x, m_ptMouseDevice.y));
    const CRect screen = ContentToDevice(
        CRect(0, 0, m_pDoc->m_manager.m_nScreenWidth, m_pDoc->m_manager.m_nScreenHeight));
    int at = 0;
    if (GuideX(at)) {
        const int x = ContentToDevice(CRect(at, 0, at, 0)).left;
        marks += device(CRect(x, screen.top, x, screen.bottom));
    }
    if (GuideY(at)) {
        const int y = ContentToDevice(CRect(0, at, 0, at)).top;
        marks += device(CRect(screen.left, y, screen.right, y));
    }
    return marks;
}

void CVireoView::DragTo(CPoint pt, Qt::KeyboardModifiers keys)
{
    const QRegion before = DragMarks();
    m_ptMouseDevice = pt;
    switch (m_drag) {
    case Drag::Band:
        m_aBand = RecordsInBand();
        break;
    case Drag::Group:
        m_ptMoved = MoveDelta(pt, keys);
        break;
    case Drag::Tracker:
        m_tracker.TrackTo(pt);
        if (m_nTrackHit == CRectTracker::hitMiddle) {
            m_ptMoved = MoveDelta(pt, keys);
            CRect rc = m_rcKeyStart;
            rc.OffsetRect(m_ptMoved.x, m_ptMoved.y);
            m_tracker.m_rect = ContentToDevice(rc);
        } else {
            m_rcResized = ResizedRect(keys);
            m_tracker.m_rect = ContentToDevice(m_rcResized);
        }
        break;
    default:
        return;
    }
    viewport()->update(before | DragMarks());
}

void CVireoView::EndDrag(CPoint pt)
{
    const Drag drag = m_drag;
    m_drag = Drag::None;
    CCPObject* key = m_pDoc->m_pCurrentObject;
    const CCPManager& m = m_pDoc->m_manager;
    switch (drag) {
    case Drag::Pending:
        // A click.
        if (m_pressKeys & Qt::ControlModifier) {
            if (CCPObject* hit = HitRecord(pt))
                m_pDoc->ToggleSelected(hit);
        } else {
            Pick(m_ptPress);
        }
        break;
    case Drag::Band: {
        std::vector<CCPObject*> records;
        if (m_pressKeys & Qt::ControlModifier)
            records = m_pDoc->GetSelection().Records();
        records.insert(records.end(), m_aBand.begin(), m_aBand.end());
        m_aBand.clear();
        if (records.empty())
            m_pDoc->ClearSelection();
        else
            m_pDoc->Select(records, m_pDoc->IsSelected(key) ? key : nullptr);
        break;
    }
    case Drag::Group:
        m_pDoc->MoveSelection(m_ptMoved.x, m_ptMoved.y, this);
        break;
    case Drag::Tracker: {
        const bool changed = m_tracker.End();
        if (!changed || !key)
            break;
        if (m_nTrackHit == CRectTracker::hitMiddle && !m_pDoc->PlacedSelection().empty()) {
            m_pDoc->MoveSelection(m_ptMoved.x, m_ptMoved.y, this);
        } else {
            // A drag may not put the record where a nudge could not bring it back.
            const CRect to = m_nTrackHit == CRectTracker::hitMiddle
                                 ? DeviceToContent(m_tracker.m_rect)
                                 : m_rcResized;
            m_pDoc->SetRecordDestRect(
                key, DragWithin(m_rcKeyStart, to, m.m_nScreenWidth, m.m_nScreenHeight), this);
        }
        break;
    }
    default:
        break;
    }
    m_bGuideX = m_bGuideY = false;
    m_ptMoved = CPoint{};
    viewport()->update();
}

void CVireoView::OnLButtonUp(CPoint pt)
{
    if (m_drag != Drag::None)
        EndDrag(pt);
}

void CVireoView::OnLButtonDblClk(CPoint)
{
    if (m_pCalibration)
        return;
    if (CCPObject* cur = m_pDoc->m_pCurrentObject) {
        cur->NextState();
        InvalidateDevice(m_rcSelection);
    }
}

void CVireoView::OnMouseMove(Qt::KeyboardModifiers keys, CPoint pt)
{
    const CPoint scroll = GetScrollPosition();
    m_ptMouse = CPoint{pt.x + scroll.x, pt.y + scroll.y};
    if (m_pPlay) {
        PlayHover(pt);
        return;
    }
    if (m_pCalibration)
        return; // clicks add points: no tracker to take
    if (m_drag == Drag::Pending && std::abs(pt.x - m_ptPress.x) + std::abs(pt.y - m_ptPress.y) >=
                                       QApplication::startDragDistance())
        BeginDrag(m_ptPress, keys);
    if (m_drag != Drag::None && m_drag != Drag::Pending) {
        DragTo(pt, keys);
        return;
    }
    UpdateCursor(keys, pt);
}

void CVireoView::UpdateCursor(Qt::KeyboardModifiers keys, CPoint pt)
{
    if (m_bPlacing) {
        viewport()->setCursor(Qt::CrossCursor);
        return;
    }
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
    if (m_bPlacing) {
        EndPlacingPiece();
        return true;
    }
    if (m_drag != Drag::None) {
        if (m_tracker.IsTracking())
            m_tracker.Cancel();
        m_drag = Drag::None;
        m_aBand.clear();
        m_bGuideX = m_bGuideY = false;
        m_ptMoved = CPoint{};
        viewport()->update();
        return true;
    }
    // Escape lets the selection go.
    if (m_pDoc->GetSelection().Empty())
        return false;
    m_pDoc->ClearSelection();
    return true;
}

void CVireoView::keyPressEvent(QKeyEvent* event)
{
    if (m_pPlay && PlayKey(event, true))
        return;
    if (m_pCalibration && m_pCalibration->OnKey(event))
        return;
    if (event->key() == Qt::Key_Shift) {
        const QPoint p = viewport()->mapFromGlobal(QCursor::pos());
        UpdateCursor(event->modifiers() | Qt::ShiftModifier, CPoint{p.x(), p.y()});
    }
    CScrollView::keyPressEvent(event);
}

void CVireoView::keyReleaseEvent(QKeyEvent* event)
{
    if (m_pPlay && PlayKey(event, false))
        return;
    if (event->key() == Qt::Key_Shift)
        viewport()->unsetCursor();
    CScrollView::keyReleaseEvent(event);
}

void CVireoView::contextMenuEvent(QContextMenuEvent* event)
{
    if (!m_pContextMenu || m_pPlay)
        return;
    QPoint at = event->globalPos();
    if (event->reason() == QContextMenuEvent::Keyboard) {
        at = viewport()->mapToGlobal(QPoint(5, 5));
    } else {
        // The menu acts on the record under the pointer, as a left click would pick it; a
        // click on the current record's frame or on another selected record keeps the
        // selection.
        const QPoint p = viewport()->mapFromGlobal(event->globalPos());
        const CPoint pt{p.x(), p.y()};
        CRectTracker probe = m_tracker;
        const bool onTracker =
            CurrentTrackerRect(probe.m_rect) && probe.HitTest(pt) != CRectTracker::hitNothing;
        if (!onTracker && !OnSelectedRecord(pt))
            Pick(pt);
    }
    m_pContextMenu->exec(at);
}
