// Making records by drawing on the panel view: a record type from the Records palette or a piece
// of the template dropped here, or the template's drawn piece put here with a click; and the
// outlines over the panel.
#include "cvireoview.h"

#include "ccppanel.h"
#include "ccptreeicons.h"
#include "cqtcanvas.h"
#include "crecorddrag.h"
#include "cvireodoc.h"
#include "iuserinterface.h"
#include "outlinepaint.h"
#include "recordplacing.h"
#include "recordtypes.h"

#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QStyle>

#include <algorithm>

CPoint CVireoView::ContentPoint(CPoint device) const
{
    const CRect rc = DeviceToContent(CRect(device.x, device.y, device.x, device.y));
    return CPoint{rc.left, rc.top};
}

CPoint CVireoView::VisibleCentre() const
{
    // The screen area may be smaller than the pane: the middle of the part of it in view.
    const CCPManager& m = m_pDoc->m_manager;
    const CRect shown = DeviceToContent(CRect(0, 0, viewport()->width(), viewport()->height()));
    const int left = std::max(shown.left, 0), right = std::min(shown.right, m.m_nScreenWidth);
    const int top = std::max(shown.top, 0), bottom = std::min(shown.bottom, m.m_nScreenHeight);
    return CPoint{(left + std::max(left, right)) / 2, (top + std::max(top, bottom)) / 2};
}

CRect CVireoView::DropPreview(const QMimeData* mime, CPoint device) const
{
    const CCPManager& m = m_pDoc->m_manager;
    const CPoint at = ContentPoint(device);
    if (const std::optional<CRect> piece = DroppedTemplatePiece(mime))
        return PlaceAt(CRect(0, 0, piece->Width(), piece->Height()), at, m.m_nScreenWidth,
                       m.m_nScreenHeight);
    // Where a record of the type would land, from one made for the purpose only.
    CRect rc;
    if (const std::optional<int> code = DroppedRecordType(mime))
        if (auto record = CreateRecordOfType(*code, nullptr);
            record && PlaceNewRecord(*record, at, m.m_nScreenWidth, m.m_nScreenHeight))
            record->GetDestRect(&rc);
    return rc;
}

void CVireoView::dragEnterEvent(QDragEnterEvent* event)
{
    const QMimeData* mime = event->mimeData();
    if (!m_pDoc->m_pCurrentPanel || (!DroppedRecordType(mime) && !DroppedTemplatePiece(mime))) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    const QPoint p = event->position().toPoint();
    m_rcDropPreview = DropPreview(mime, CPoint{p.x(), p.y()});
    viewport()->update();
}

void CVireoView::dragMoveEvent(QDragMoveEvent* event)
{
    const QPoint p = event->position().toPoint();
    const CRect preview = DropPreview(event->mimeData(), CPoint{p.x(), p.y()});
    if (!(preview == m_rcDropPreview)) {
        m_rcDropPreview = preview;
        viewport()->update();
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void CVireoView::dragLeaveEvent(QDragLeaveEvent*)
{
    m_rcDropPreview = CRect();
    viewport()->update();
}

void CVireoView::dropEvent(QDropEvent* event)
{
    m_rcDropPreview = CRect();
    viewport()->update();
    const QMimeData* mime = event->mimeData();
    const QPoint p = event->position().toPoint();
    const CPoint at = ContentPoint(CPoint{p.x(), p.y()});
    const std::optional<int> code = DroppedRecordType(mime);
    const std::optional<CRect> piece = DroppedTemplatePiece(mime);
    if (!m_pDoc->m_pCurrentPanel || (!code && !piece)) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    CCPObject* added = nullptr;
    if (code) {
        added = m_pDoc->AddRecordAt(*code, at);
    } else if (const int type = ChoosePieceType(viewport()->mapToGlobal(p)); type >= 0) {
        added = m_pDoc->AddPieceAt(type, *piece, at);
    }
    // The new record is worked on here next: nudges, Delete, Properties.
    if (added)
        setFocus(Qt::OtherFocusReason);
}

int CVireoView::ChoosePieceType(const QPoint& global)
{
    if (m_fnChoosePieceType)
        return m_fnChoosePieceType(global);
    QMenu menu(this);
    const QString title = QStringLiteral("Make a record of this piece");
    menu.addSection(title);
    // Wide enough for its title: the type names are shorter.
    menu.setMinimumWidth(menu.fontMetrics().horizontalAdvance(title) +
                         4 * menu.style()->pixelMetric(QStyle::PM_MenuHMargin) + 24);
    for (int code : PieceTypeCodes()) {
        const CRecordType* type = FindRecordTypeOfCode(code);
        QAction* action =
            menu.addAction(CCPTreeIcons::Icon(type->image), QString::fromLatin1(type->name));
        action->setData(code);
    }
    const QAction* chosen = menu.exec(global);
    return chosen ? chosen->data().toInt() : -1;
}

bool CVireoView::BeginPlacingPiece()
{
    if (!m_pDoc->m_pCurrentPanel || !m_pDoc->GetTemplatePiece() || m_pCalibration || m_pPlay)
        return false;
    m_bPlacing = true;
    viewport()->setCursor(Qt::CrossCursor);
    if (IUserInterface* ui = m_pDoc->GetUserInterface())
        ui->StatusMessage("Click on the panel where the piece of the template goes "
                          "(Escape cancels).");
    return true;
}

void CVireoView::EndPlacingPiece()
{
    if (!m_bPlacing)
        return;
    m_bPlacing = false;
    viewport()->unsetCursor();
    if (IUserInterface* ui = m_pDoc->GetUserInterface())
        ui->StatusMessage(std::string());
}

void CVireoView::PlacePiece(CPoint device, const QPoint& global)
{
    const std::optional<CRect> piece = m_pDoc->GetTemplatePiece();
    EndPlacingPiece();
    if (!piece)
        return;
    if (const int type = ChoosePieceType(global); type >= 0)
        m_pDoc->AddPieceAt(type, *piece, ContentPoint(device));
}

void CVireoView::DrawDrawingAids(QPainter& painter)
{
    if (m_bOutlines) {
        CQtCanvas dc(painter);
        PaintOutlines(m_pDoc->m_manager, *m_pDoc->m_pCurrentPanel, dc, m_fZoom, ShownLayers());
    }
    if (!m_rcDropPreview.IsRectEmpty()) {
        const CRect rc = ScaledRect(m_rcDropPreview, m_fZoom);
        painter.save();
        painter.setPen(QPen(QColor(0, 120, 215), 0, Qt::DashLine));
        painter.setBrush(QColor(0, 120, 215, 40));
        painter.drawRect(rc.left, rc.top, rc.Width() - 1, rc.Height() - 1);
        painter.restore();
    }
}
