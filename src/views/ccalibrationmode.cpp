#include "ccalibrationmode.h"

#include "ccpdial.h"
#include "cscanner.h"
#include "cvireoview.h"
#include "dialangles.h"
#include "strformat.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>

#include <algorithm>
#include <cmath>

namespace {
const QColor kTick(255, 0, 255);
} // namespace

CCalibrationMode::CCalibrationMode(CVireoView& view, CCPDial& dial)
    : QObject(&view), m_view(view), m_dial(dial), m_pField(new QLineEdit(view.viewport()))
{
    m_pField->setObjectName(QStringLiteral("Calibration value"));
    m_pField->setToolTip(QStringLiteral("The value at this point; Enter takes it"));
    m_pField->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("\\s*[+-]?\\d*\\.?\\d*([eE][+-]?\\d*)?\\s*")), m_pField));
    m_pField->setFixedWidth(m_pField->fontMetrics().horizontalAdvance(QStringLiteral("-0000.000")) +
                            12);
    m_pField->hide();
    m_pField->installEventFilter(this);
}

CCalibrationMode::~CCalibrationMode()
{
    // The field may be the one whose key ended the mode.
    if (m_pField) {
        m_pField->hide();
        m_pField->deleteLater();
    }
}

QLineEdit* CCalibrationMode::ValueField() const
{
    return m_pField->isVisible() ? m_pField : nullptr;
}

QString CCalibrationMode::Hint()
{
    return QStringLiteral("Calibrate: click on the dial's face for each point and type its value. "
                          "Enter: done, Backspace: remove the last point, Esc: cancel");
}

void CCalibrationMode::Centre(double& x, double& y) const
{
    m_dial.NeedleCentre(x, y);
    const CPoint scroll = m_view.GetScrollPosition();
    x = x * m_view.m_fZoom - scroll.x;
    y = y * m_view.m_fZoom - scroll.y;
}

double CCalibrationMode::TickRadius() const
{
    // Where the needle's tip reaches, else the edge of the dial's picture.
    const int needle = std::max({std::abs(m_dial.m_anRadius[0]), std::abs(m_dial.m_anRadius[1])});
    const int face = std::min(m_dial.m_rcSrc.Width(), m_dial.m_rcSrc.Height()) / 2;
    return std::max(12, needle > 0 ? needle : face) * double(m_view.m_fZoom);
}

bool CCalibrationMode::OnClick(CPoint pt)
{
    if (m_pField->isVisible() && !TakeValue())
        return false;
    double cx = 0;
    double cy = 0;
    Centre(cx, cy);
    // The same angle at any zoom: both the centre and the click are scaled alike.
    const float angle = AngleOfPoint(cx, cy, pt.x, pt.y);
    // The next value one more step of the last two; the first 0.
    float value = 0.0f;
    const size_t n = m_aPoints.size();
    if (n == 1)
        value = m_aPoints[0].value;
    else if (n > 1)
        value = m_aPoints[n - 1].value + (m_aPoints[n - 1].value - m_aPoints[n - 2].value);
    m_aPoints.push_back(Point{angle, value});
    OpenField(pt);
    m_view.viewport()->update();
    return true;
}

void CCalibrationMode::OpenField(CPoint pt)
{
    m_pField->setText(QString::fromStdString(FormatG(m_aPoints.back().value)));
    const QSize room = m_view.viewport()->size();
    const int x = std::clamp(pt.x + 10, 0, std::max(0, room.width() - m_pField->width()));
    const int y = std::clamp(pt.y + 10, 0, std::max(0, room.height() - m_pField->height()));
    m_pField->move(x, y);
    m_pField->show();
    m_pField->raise();
    m_pField->setFocus();
    m_pField->selectAll();
}

bool CCalibrationMode::TakeValue()
{
    float value = 0.0f;
    if (!ScanFloat(m_pField->text().trimmed().toStdString(), value) || !std::isfinite(value))
        return false;
    m_aPoints.back().value = value;
    m_pField->hide();
    m_view.setFocus();
    m_view.viewport()->update();
    return true;
}

void CCalibrationMode::RemoveLast()
{
    if (!m_aPoints.empty())
        m_aPoints.pop_back();
    m_pField->hide();
    m_view.setFocus();
    m_view.viewport()->update();
}

bool CCalibrationMode::OnKey(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_view.EndCalibration(true);
        return true;
    case Qt::Key_Escape:
        m_view.EndCalibration(false);
        return true;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        RemoveLast();
        return true;
    default:
        return false;
    }
}

bool CCalibrationMode::eventFilter(QObject* watched, QEvent* event)
{
    // The type first: while the field is being destroyed it is no QLineEdit any more, and
    // comparing it with the guarded pointer would look at it as one.
    if (event->type() != QEvent::KeyPress || watched != m_pField)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        TakeValue(); // a text that is no number stays to be corrected
        return true;
    case Qt::Key_Escape:
        m_view.EndCalibration(false);
        return true;
    case Qt::Key_Backspace:
        // An emptied field takes its point along.
        if (m_pField->text().isEmpty()) {
            RemoveLast();
            return true;
        }
        return false;
    default:
        return false;
    }
}

void CCalibrationMode::Draw(QPainter& painter) const
{
    double cx = 0;
    double cy = 0;
    Centre(cx, cy);
    const double r = TickRadius();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(cx, cy);
    painter.setPen(QPen(kTick, 1));
    painter.drawLine(centre - QPointF(4, 0), centre + QPointF(4, 0));
    painter.drawLine(centre - QPointF(0, 4), centre + QPointF(0, 4));
    painter.setPen(QPen(kTick, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, r, r);
    for (size_t i = 0; i < m_aPoints.size(); ++i) {
        // The file's angles turn counter-clockwise with y growing downwards.
        const double a = m_aPoints[i].angle;
        const QPointF dir(std::cos(a), -std::sin(a));
        painter.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(centre + dir * (r * 0.75), centre + dir * (r + 6));
        painter.setPen(QPen(kTick, 2, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(centre + dir * (r * 0.75), centre + dir * (r + 6));
        const bool pending = i + 1 == m_aPoints.size() && m_pField->isVisible();
        if (pending)
            continue;
        const QString label = QString::fromStdString(FormatG(m_aPoints[i].value));
        const QPointF at = centre + dir * (r + 16);
        const QRectF box(at.x() - 40, at.y() - 9, 80, 18);
        painter.setPen(Qt::white);
        painter.drawText(box.translated(1, 1), Qt::AlignCenter, label);
        painter.setPen(kTick);
        painter.drawText(box, Qt::AlignCenter, label);
    }
    painter.restore();
}
