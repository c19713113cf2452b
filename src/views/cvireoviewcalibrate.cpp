#include "ccalibrationmode.h"
#include "ccpdial.h"
#include "cvireodoc.h"
#include "cvireoview.h"

#include <QApplication>
#include <QStatusTipEvent>

#include <utility>

#include <algorithm>

bool CVireoView::CanCalibrate() const
{
    const CCPObject* cur = m_pDoc->m_pCurrentObject;
    return !m_pCalibration && cur && cur->GetTypeCode() == kDialType && !m_pDoc->IsStepOpen() &&
           m_pDoc->PanelHolds(m_pDoc->m_pCurrentPanel, cur);
}

void CVireoView::StartCalibration()
{
    if (!CanCalibrate())
        return;
    EndPlacingPiece(); // one mode at a time: the clicks now add points
    m_pCalibration = new CCalibrationMode(*this, static_cast<CCPDial&>(*m_pDoc->m_pCurrentObject));
    viewport()->setCursor(Qt::CrossCursor);
    m_bOverTracker = false;
    setFocus();
    QStatusTipEvent tip(CCalibrationMode::Hint());
    QApplication::sendEvent(window(), &tip);
    viewport()->update();
}

void CVireoView::EndCalibration(bool commit)
{
    if (!m_pCalibration)
        return;
    // The mode goes first: the step's update must not find it still running.
    CCalibrationMode* mode = std::exchange(m_pCalibration, nullptr);
    mode->deleteLater();
    viewport()->unsetCursor();
    setFocus();
    QStatusTipEvent tip{QString()};
    QApplication::sendEvent(window(), &tip);
    viewport()->update();
    if (!commit || mode->Points().empty())
        return;
    std::vector<float> points;
    std::vector<float> values;
    for (const CCalibrationMode::Point& p : mode->Points()) {
        points.push_back(p.angle);
        values.push_back(p.value);
    }
    m_pDoc->CalibrateDial(&mode->GetDial(), std::move(points), std::move(values));
}

QRect CVireoView::RecordOnScreen(const CCPObject& record) const
{
    CRect rc;
    if (!isVisible() || !m_pDoc->PanelHolds(m_pDoc->m_pCurrentPanel, &record) ||
        !record.GetDestRect(&rc))
        return {};
    CRect src;
    if (record.GetTypeCode() == kDialType && record.GetSrcRect(&src) && !src.IsRectEmpty()) {
        // The needle turns over the middle of the source.
        rc.left = std::min(rc.left, src.left);
        rc.top = std::min(rc.top, src.top);
        rc.right = std::max(rc.right, src.right);
        rc.bottom = std::max(rc.bottom, src.bottom);
    }
    rc = ContentToDevice(rc);
    const QRect local = QRect(QPoint(rc.left, rc.top), QPoint(rc.right - 1, rc.bottom - 1))
                            .intersected(viewport()->rect());
    if (local.isEmpty())
        return {};
    return QRect(viewport()->mapToGlobal(local.topLeft()), local.size());
}
