#include "ccpmachasipage.h"

#include "ccpmachasi.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CCPMachAsiPage::CCPMachAsiPage(CCPMachAsi* record, QWidget* parent)
    : CCPPage(QStringLiteral("Mach Hsi Properties"), parent),
      m_nCallbackSlot(record->m_nCallbackSlot), m_strCycleBits(HexText(record->m_nCycleBits)),
      m_nSurface(record->m_background.m_nSurface), m_nPersistent(record->m_nPersistent),
      m_bTransparent(record->m_bTransparent), m_nNeedleRadius(record->m_nNeedleRadius),
      m_fArcLength(record->m_fArcLength), m_fStartAngle(record->m_fStartAngle),
      m_fEndAngle(record->m_fEndAngle), m_fEndLength(record->m_fEndLength),
      m_fMaxVal(record->m_fMaxVal),
      m_fMinVal(record->m_fMinVal), m_astrColors{HexText(record->m_aColors[0]),
                                                 HexText(record->m_aColors[1])},
      m_pRecord(record)
{
    QFormLayout* form = MakeForm();
    form->addRow(QStringLiteral("Callback"), m_dx.Int(m_nCallbackSlot, QStringLiteral("Callback")));
    form->addRow(QStringLiteral("Cycle"), m_dx.Text(m_strCycleBits, QStringLiteral("Cycle")));
    form->addRow(QStringLiteral("Surface"), m_dx.Int(m_nSurface, QStringLiteral("Surface")));
    form->addRow(QString(), m_dx.Check(m_nPersistent, QStringLiteral("Persistent")));
    form->addRow(QString(), m_dx.Check(m_bTransparent, QStringLiteral("Transparent")));
    AddColourRow(form, m_astrColors[0], QStringLiteral("Color 1"));
    AddColourRow(form, m_astrColors[1], QStringLiteral("Color 2"));

    auto* dial = new QGroupBox(QStringLiteral("Dial"));
    QFormLayout* dialForm = MakeForm();
    dial->setLayout(dialForm);
    dialForm->addRow(QStringLiteral("Need Radius"),
                     m_dx.Int(m_nNeedleRadius, QStringLiteral("Need Radius")));
    const std::pair<const char*, float*> floats[] = {
        {"Dial Arc Length", &m_fArcLength}, {"Dial Start Angle", &m_fStartAngle},
        {"Dial End Angle", &m_fEndAngle},   {"Dial End Radius", &m_fEndLength},
        {"Max Dial Value", &m_fMaxVal},     {"Min Dial Value", &m_fMinVal}};
    for (const auto& [label, member] : floats) {
        const QString name = QString::fromLatin1(label);
        dialForm->addRow(name, m_dx.Float(*member, name));
    }

    auto* left = new QVBoxLayout;
    left->addLayout(form);
    left->addWidget(ButtonBox(QStringLiteral("Areas"), {MakeButton(QStringLiteral("Dest"), [this] {
                                  EditArea(m_pRecord->m_rcDest);
                              })}));
    left->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(dial, 0, Qt::AlignTop);
    UpdateData(false);
}

void CCPMachAsiPage::OnOK()
{
    m_pRecord->m_nCallbackSlot = m_nCallbackSlot;
    ReadHex(m_strCycleBits, m_pRecord->m_nCycleBits);
    m_pRecord->m_background.m_nSurface = m_nSurface;
    m_pRecord->m_nPersistent = m_nPersistent;
    m_pRecord->m_bTransparent = m_bTransparent;
    m_pRecord->m_nNeedleRadius = m_nNeedleRadius;
    m_pRecord->m_fArcLength = m_fArcLength;
    m_pRecord->m_fStartAngle = m_fStartAngle;
    m_pRecord->m_fEndAngle = m_fEndAngle;
    m_pRecord->m_fEndLength = m_fEndLength;
    m_pRecord->m_fMaxVal = m_fMaxVal;
    m_pRecord->m_fMinVal = m_fMinVal;
    ReadHex(m_astrColors[0], m_pRecord->m_aColors[0]);
    ReadHex(m_astrColors[1], m_pRecord->m_aColors[1]);
}
