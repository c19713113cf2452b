// Calibrate on an indicator: its tape's Min Val and Max Val positions clicked on the template,
// where the whole tape is in sight (the panel shows only the window's part of it).
#include "ctemplview.h"

#include "ccpindicator.h"
#include "cvireodoc.h"
#include "strformat.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QStatusTipEvent>

#include <algorithm>
#include <cmath>

namespace {
const QColor kMark(255, 0, 255);

bool TapeSource(const CCPIndicator& indicator, int tape, CRect& src)
{
    if (tape < 0 || tape >= indicator.GetTapeCount())
        return false;
    src = indicator.m_arcSrc[size_t(tape)];
    return !src.IsRectEmpty();
}
} // namespace

bool CTemplView::CanCalibrateTape() const
{
    const CCPObject* cur = m_pDoc->m_pCurrentObject;
    if (m_pTapeRecord || !cur || cur->GetTypeCode() != kIndicatorType || m_pDoc->IsStepOpen())
        return false;
    const auto& indicator = static_cast<const CCPIndicator&>(*cur);
    CRect src;
    return TapeSource(indicator, indicator.m_nCurrentTape, src);
}

void CTemplView::StartTapeCalibration()
{
    if (!CanCalibrateTape())
        return;
    m_pTapeRecord = static_cast<CCPIndicator*>(m_pDoc->m_pCurrentObject);
    m_nTape = m_pTapeRecord->m_nCurrentTape;
    m_anTapeClicks.clear();
    m_tracker.Cancel();
    m_press = Press::None;
    m_bBand = false;
    CRect src;
    TapeSource(*m_pTapeRecord, m_nTape, src);
    CenterOnPoint(CPoint{int((src.left + src.right) / 2 * m_fZoom),
                         int((src.top + src.bottom) / 2 * m_fZoom)});
    viewport()->setCursor(Qt::CrossCursor);
    setFocus();
    QStatusTipEvent tip(TapeHint());
    QApplication::sendEvent(window(), &tip);
    viewport()->update();
}

void CTemplView::EndTapeCalibration()
{
    if (!m_pTapeRecord)
        return;
    m_pTapeRecord = nullptr;
    m_anTapeClicks.clear();
    viewport()->unsetCursor();
    QStatusTipEvent tip{QString()};
    QApplication::sendEvent(window(), &tip);
    viewport()->update();
}

QString CTemplView::TapeHint() const
{
    if (!m_pTapeRecord)
        return {};
    const bool first = m_anTapeClicks.empty();
    const float value = first ? m_pTapeRecord->m_fMinVal : m_pTapeRecord->m_fMaxVal;
    return QString::fromStdString(
        StrFormat("Calibrate tape %d: click where it shows %g (%s). %sEsc: cancel", m_nTape + 1,
                  double(value), first ? "Min Val" : "Max Val",
                  first ? "" : "Backspace: click Min Val again, "));
}

void CTemplView::OnTapeClick(CPoint pt)
{
    CRect src;
    if (!TapeSource(*m_pTapeRecord, m_nTape, src))
        return;
    const CPoint scroll = GetScrollPosition();
    const auto edge = [this](int at) { return int(std::lround(at / double(m_fZoom))); };
    // As Play reads them: up a vertical tape from its bottom, across a horizontal one from
    // its left.
    const bool vertical = m_pTapeRecord->m_nOrientation != 0;
    const int along =
        vertical ? src.bottom - edge(pt.y + scroll.y) : edge(pt.x + scroll.x) - src.left;
    m_anTapeClicks.push_back(std::clamp(along, 0, vertical ? src.Height() : src.Width()));
    if (m_anTapeClicks.size() < 2) {
        QStatusTipEvent tip(TapeHint());
        QApplication::sendEvent(window(), &tip);
        viewport()->update();
        return;
    }
    CCPIndicator* record = m_pTapeRecord;
    const int tape = m_nTape;
    const int minPos = m_anTapeClicks[0];
    const int maxPos = m_anTapeClicks[1];
    // The mode ends first: the step's update must not find it running.
    EndTapeCalibration();
    m_pDoc->CalibrateTape(record, tape, minPos, maxPos);
}

void CTemplView::DrawTapeCalibration(QPainter& painter) const
{
    CRect src;
    if (!m_pTapeRecord || !TapeSource(*m_pTapeRecord, m_nTape, src))
        return;
    const bool vertical = m_pTapeRecord->m_nOrientation != 0;
    const double z = m_fZoom;
    painter.save();
    painter.setPen(QPen(kMark, 0));
    for (size_t i = 0; i < m_anTapeClicks.size(); ++i) {
        const int at = m_anTapeClicks[i];
        const QString label = i == 0 ? QStringLiteral("Min") : QStringLiteral("Max");
        if (vertical) {
            const double y = (src.bottom - at) * z;
            painter.drawLine(QPointF(src.left * z - 6, y), QPointF(src.right * z + 6, y));
            painter.drawText(QPointF(src.right * z + 8, y + 4), label);
        } else {
            const double x = (src.left + at) * z;
            painter.drawLine(QPointF(x, src.top * z - 6), QPointF(x, src.bottom * z + 6));
            painter.drawText(QPointF(x + 3, src.top * z - 8), label);
        }
    }
    painter.restore();
}
