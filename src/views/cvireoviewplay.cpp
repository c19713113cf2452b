// The panel view while the cockpit is played: clicks step buttons, the arrow keys and the
// mouse border walk the panels.
#include "cvireoview.h"

#include "ccpbuttonview.h"
#include "cplaysession.h"
#include "cvireodoc.h"
#include "iuserinterface.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <utility>

namespace {
enum ArrowBit
{
    kUp = 1,
    kRight = 2,
    kDown = 4,
    kLeft = 8
};

int ArrowBitOf(int key)
{
    switch (key) {
    case Qt::Key_Up:
        return kUp;
    case Qt::Key_Right:
        return kRight;
    case Qt::Key_Down:
        return kDown;
    case Qt::Key_Left:
        return kLeft;
    default:
        return 0;
    }
}

CPoint ViewportPoint(const QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    return CPoint{p.x(), p.y()};
}
} // namespace

void CVireoView::SetPlaySession(CPlaySession* session)
{
    if (session && m_pCalibration)
        EndCalibration(false);
    if (session)
        EndPlacingPiece(); // the pilot's clicks press buttons
    m_pPlay = session;
    m_nArrowsHeld = 0;
    m_nArrowsChord = 0;
    m_drag = Drag::None;
    m_tracker.SetEmpty();
    viewport()->unsetCursor();
    viewport()->update();
}

void CVireoView::mousePressEvent(QMouseEvent* event)
{
    if (!m_pPlay) {
        CScrollView::mousePressEvent(event);
        return;
    }
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)
        PlayClick(ViewportPoint(event), event->button() == Qt::RightButton);
}

void CVireoView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second click of a quick pair is a click of its own for the pilot.
    if (m_pPlay)
        mousePressEvent(event);
    else
        CScrollView::mouseDoubleClickEvent(event);
}

void CVireoView::PlayClick(CPoint device, bool back)
{
    const CPoint pt = ContentPoint(device);
    const CCPManager& m = m_pDoc->m_manager;
    std::string status;
    if (const auto dir = CPlaySession::BorderDirection(m.m_nMouseBorder, m.m_nScreenWidth,
                                                       m.m_nScreenHeight, pt)) {
        m_pPlay->Go(*dir, status);
    } else if (CCPButtonView* view = m_pPlay->ButtonViewAt(pt)) {
        status = m_pPlay->StepButton(*view, back);
    } else {
        return;
    }
    PlayStatus(status);
    viewport()->update();
}

void CVireoView::PlayHover(CPoint device)
{
    const CPoint pt = ContentPoint(device);
    const CCPButtonView* view = m_pPlay->ButtonViewAt(pt);
    viewport()->setCursor(view ? Qt::PointingHandCursor : Qt::ArrowCursor);
    PlayStatus(view ? m_pPlay->Describe(*view) : std::string());
}

bool CVireoView::PlayKey(QKeyEvent* event, bool press)
{
    const int bit = ArrowBitOf(event->key());
    if (!bit || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    if (event->isAutoRepeat())
        return true;
    if (press) {
        m_nArrowsHeld |= bit;
        m_nArrowsChord |= bit;
        return true;
    }
    m_nArrowsHeld &= ~bit;
    if (m_nArrowsHeld)
        return true; // the move goes when the last key of the chord is let go
    const int chord = std::exchange(m_nArrowsChord, 0);
    const auto dir =
        CPlaySession::ArrowDirection(chord & kUp, chord & kRight, chord & kDown, chord & kLeft);
    if (!dir)
        return true;
    std::string status;
    m_pPlay->Go(*dir, status);
    PlayStatus(status);
    viewport()->update();
    return true;
}

void CVireoView::PlayStatus(const std::string& text)
{
    if (IUserInterface* ui = m_pDoc->GetUserInterface())
        ui->StatusMessage(text);
}
