// Drawing a piece of the template: a rubber band outside the current record's tracker, snapped
// to the picture's opaque edges, and the piece drawn taken to the panel view.
#include "ctemplview.h"

#include "cbitmap.h"
#include "crecorddrag.h"
#include "cvireodoc.h"
#include "pieceedges.h"

#include <QApplication>
#include <QDrag>
#include <QImage>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {
// Within this many screen pixels a band's edge snaps, as the panel view's records do.
constexpr int kSnapPixels = 6;
// The picture a drag of the piece carries is at most this large.
constexpr int kDragPictureSize = 160;
} // namespace

CPoint CTemplView::EdgePoint(CPoint device) const
{
    const CPoint scroll = GetScrollPosition();
    const auto edge = [this](int at, int size) {
        return std::clamp(int(std::lround(at / double(m_fZoom))), 0, size);
    };
    return CPoint{edge(device.x + scroll.x, m_sizeTemplate.width()),
                  edge(device.y + scroll.y, m_sizeTemplate.height())};
}

CRect CTemplView::BandTo(CPoint device, Qt::KeyboardModifiers keys) const
{
    const CPoint a = EdgePoint(m_ptPress), b = EdgePoint(device);
    const CRect band(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x),
                     std::max(a.y, b.y));
    // Alt places freely, as it does on the panel.
    if (!m_fnSnap || !m_fnSnap() || (keys & Qt::AltModifier))
        return band;
    const int tolerance = std::max(1, int(std::lround(kSnapPixels / double(m_fZoom))));
    return SnapToOpaqueEdges(m_pDoc->m_manager.m_bmpTemplate, band, tolerance);
}

bool CTemplView::GetBand(CRect& band) const
{
    band = m_rcBand;
    return m_bBand;
}

bool CTemplView::OnPiece(CPoint device) const
{
    const std::optional<CRect>& piece = m_pDoc->GetTemplatePiece();
    return piece && LogicalToDevice(ScaledRect(*piece, m_fZoom)).PtInRect(device);
}

bool CTemplView::MovePress(Qt::KeyboardModifiers keys, CPoint pt)
{
    if (m_press == Press::None)
        return false;
    if (!m_bBand && std::abs(pt.x - m_ptPress.x) + std::abs(pt.y - m_ptPress.y) <
                        QApplication::startDragDistance())
        return true;
    if (m_press == Press::Piece) {
        m_press = Press::None;
        StartPieceDrag();
        return true;
    }
    m_bBand = true;
    m_rcBand = BandTo(pt, keys);
    viewport()->update();
    return true;
}

void CTemplView::EndPress()
{
    const Press press = std::exchange(m_press, Press::None);
    if (std::exchange(m_bBand, false)) {
        // A band with no area (drawn along a line) leaves the piece there was.
        if (!m_rcBand.IsRectEmpty())
            m_pDoc->SetTemplatePiece(m_rcBand);
        viewport()->update();
        return;
    }
    if (press == Press::None)
        return;
    // A click: a click beside the piece lets it go, as a click beside a selection does.
    if (press == Press::Band && m_pDoc->GetTemplatePiece())
        m_pDoc->SetTemplatePiece(std::nullopt);
    viewport()->update();
    Pick(m_ptPress);
}

void CTemplView::StartPieceDrag()
{
    const std::optional<CRect> piece = m_pDoc->GetTemplatePiece();
    if (!piece)
        return;
    auto mime = std::unique_ptr<QMimeData>(MakeTemplatePieceMime(*piece));
    if (m_fnStartDrag) {
        m_fnStartDrag(std::move(mime));
        return;
    }
    auto* drag = new QDrag(this);
    drag->setMimeData(mime.release());
    // The piece itself follows the pointer, its top-left where the record's will land.
    const CBitmap& bmp = m_pDoc->m_manager.m_bmpTemplate;
    const QRect shown = QRect(piece->left, piece->top, piece->Width(), piece->Height())
                            .intersected(QRect(0, 0, bmp.Width(), bmp.Height()));
    if (!bmp.IsNull() && !shown.isEmpty()) {
        const QImage all(reinterpret_cast<const uchar*>(bmp.KeyedBits()), bmp.Width(), bmp.Height(),
                         bmp.Width() * 4, QImage::Format_ARGB32_Premultiplied);
        QImage picture = all.copy(shown);
        const int zoomed = int(std::max(shown.width(), shown.height()) * m_fZoom);
        if (zoomed > kDragPictureSize)
            picture = picture.scaled(kDragPictureSize, kDragPictureSize, Qt::KeepAspectRatio);
        else
            picture = picture.scaled(picture.size() * m_fZoom);
        drag->setPixmap(QPixmap::fromImage(picture));
        drag->setHotSpot(QPoint(0, 0));
    }
    drag->exec(Qt::CopyAction);
}

void CTemplView::keyPressEvent(QKeyEvent* event)
{
    // Enter takes the piece drawn to the panel: a click there puts it down.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        event->modifiers() == Qt::NoModifier && m_pDoc->GetTemplatePiece() && m_fnPlace) {
        m_fnPlace();
        return;
    }
    CScrollView::keyPressEvent(event);
}

void CTemplView::DrawPiece(QPainter& painter)
{
    CRect rc;
    if (m_bBand)
        rc = m_rcBand;
    else if (const std::optional<CRect>& piece = m_pDoc->GetTemplatePiece())
        rc = *piece;
    else
        return;
    rc = ScaledRect(rc, m_fZoom);
    // Seen on light and dark pictures alike: magenta dashes over white.
    painter.save();
    painter.setBrush(QColor(255, 0, 255, 40));
    painter.setPen(QPen(Qt::white, 0));
    const QRect frame(rc.left, rc.top, rc.Width() - 1, rc.Height() - 1);
    painter.drawRect(frame);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 0, 255), 0, Qt::DashLine));
    painter.drawRect(frame);
    painter.restore();
}
