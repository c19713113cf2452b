#include "ccppanelpage.h"

#include "ccppanel.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

CCPPanelPage::CCPPanelPage(CCPPanel* record, QWidget* parent)
    : CCPPage(QStringLiteral("Panel Properties"), parent), m_bDoGeometry(record->m_bDoGeometry),
      m_nCursorId(record->m_nCursorId), m_nHudFont(record->m_nHudFont),
      m_nDedFont(record->m_nDedFont), m_nMfdFont(record->m_nMfdFont),
      m_nMaskTop(record->m_nMaskTop), m_fPan(record->m_fPan), m_fTilt(record->m_fTilt),
      m_pRecord(record)
{
    QFormLayout* form = MakeForm();
    form->addRow(QString(), m_dx.Check(m_bDoGeometry, QStringLiteral("Do Geometry")));
    form->addRow(QStringLiteral("Cursor"), m_dx.Int(m_nCursorId, QStringLiteral("Cursor")));
    form->addRow(QStringLiteral("Mask Top"), m_dx.Int(m_nMaskTop, QStringLiteral("Mask Top")));
    form->addRow(QStringLiteral("Pan"), m_dx.Float(m_fPan, QStringLiteral("Pan")));
    form->addRow(QStringLiteral("Tilt"), m_dx.Float(m_fTilt, QStringLiteral("Tilt")));

    auto* fonts = new QGroupBox(QStringLiteral("Fonts"));
    QFormLayout* fontForm = MakeForm();
    fonts->setLayout(fontForm);
    fontForm->addRow(QStringLiteral("Hud"), m_dx.Int(m_nHudFont, QStringLiteral("Hud")));
    fontForm->addRow(QStringLiteral("Ded"), m_dx.Int(m_nDedFont, QStringLiteral("Ded")));
    fontForm->addRow(QStringLiteral("Mfd"), m_dx.Int(m_nMfdFont, QStringLiteral("Mfd")));

    CCPPanel* p = record;
    QGroupBox* areas = ButtonBox(
        QStringLiteral("Areas"),
        {MakeButton(QStringLiteral("MouseBounds"), [this, p] { EditArea(p->m_rcMouseBounds); }),
         MakeButton(QStringLiteral("Hud"), [this, p] { EditArea(p->m_rcHud); }),
         MakeButton(QStringLiteral("RWR"), [this, p] { EditArea(p->m_rcRwr); }),
         MakeButton(QStringLiteral("Left MFD"), [this, p] { EditArea(p->m_rcMfdLeft); }),
         MakeButton(QStringLiteral("Right Mfd"), [this, p] { EditArea(p->m_rcMfdRight); }),
         MakeButton(QStringLiteral("Offset"), [this, p] { EditPoint(p->m_ptOffset); })});

    auto* top = new QHBoxLayout;
    top->addLayout(form);
    top->addSpacing(16);
    top->addWidget(fonts, 0, Qt::AlignTop);
    top->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(areas);
    layout->addStretch(1);
    UpdateData(false);
}

void CCPPanelPage::OnOK()
{
    m_pRecord->m_bDoGeometry = m_bDoGeometry;
    m_pRecord->m_nCursorId = m_nCursorId;
    m_pRecord->m_nHudFont = m_nHudFont;
    m_pRecord->m_nDedFont = m_nDedFont;
    m_pRecord->m_nMfdFont = m_nMfdFont;
    m_pRecord->m_nMaskTop = m_nMaskTop;
    m_pRecord->m_fPan = m_fPan;
    m_pRecord->m_fTilt = m_fTilt;
}
