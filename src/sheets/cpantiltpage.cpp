#include "cpantiltpage.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

CPanTiltPage::CPanTiltPage(const QString& title, float& pan, float& tilt, int& panLabel,
                           int& tiltLabel, QWidget* parent)
    : CCPPage(title, parent), m_fPan(pan), m_fTilt(tilt), m_nPanLabel(panLabel),
      m_nTiltLabel(tiltLabel), m_rPan(pan), m_rTilt(tilt), m_rPanLabel(panLabel),
      m_rTiltLabel(tiltLabel)
{
    QFormLayout* form = MakeForm();
    form->addRow(QStringLiteral("Pan"), m_dx.Float(m_fPan, QStringLiteral("Pan")));
    form->addRow(QStringLiteral("Pan Label"), m_dx.Int(m_nPanLabel, QStringLiteral("Pan Label")));
    form->addRow(QStringLiteral("Tilt"), m_dx.Float(m_fTilt, QStringLiteral("Tilt")));
    form->addRow(QStringLiteral("Tilt Label"),
                 m_dx.Int(m_nTiltLabel, QStringLiteral("Tilt Label")));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch(1);
    UpdateData(false);
}

void CPanTiltPage::OnOK()
{
    m_rPan = m_fPan;
    m_rTilt = m_fTilt;
    m_rPanLabel = m_nPanLabel;
    m_rTiltLabel = m_nTiltLabel;
}
