#include "ccpadipage.h"

#include "ccpadi.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CCPAdiPage::CCPAdiPage(CCPAdi* record, QWidget* parent)
    : CCPPage(QStringLiteral("Adi Properties"), parent), m_nCallbackSlot(record->m_nCallbackSlot),
      m_strCycleBits(HexText(record->m_nCycleBits)), m_nPersistent(record->m_nPersistent),
      m_bTransparent(record->m_bTransparent), m_pRecord(record)
{
    for (size_t i = 0; i < m_astrColors.size(); ++i)
        m_astrColors[i] = HexText(record->m_aColors[i], true);

    QFormLayout* form = MakeForm();
    AddSlotAndBitsRows(form, m_nCallbackSlot, m_strCycleBits);
    form->addRow(QString(), m_dx.Check(m_nPersistent, QStringLiteral("Persistent")));
    form->addRow(QString(), m_dx.Check(m_bTransparent, QStringLiteral("Transparent")));

    auto* colours = new QGroupBox(QStringLiteral("Colors"));
    QFormLayout* colourForm = MakeForm();
    colours->setLayout(colourForm);
    for (size_t i = 0; i < m_astrColors.size(); ++i)
        AddColourRow(colourForm, m_astrColors[i], QStringLiteral("Color%1").arg(i));

    QGroupBox* areas = ButtonBox(
        QStringLiteral("Areas"),
        {MakeButton(QStringLiteral("Source"), [this] { EditArea(m_pRecord->m_rcSrc); }),
         MakeButton(QStringLiteral("Dest"), [this] { EditArea(m_pRecord->m_rcDest); }),
         MakeButton(QStringLiteral("ILS limits"), [this] { EditArea(m_pRecord->m_rcIlsLimits); })},
        1);

    auto* left = new QVBoxLayout;
    left->addLayout(form);
    left->addWidget(areas);
    left->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(colours, 0, Qt::AlignTop);
    UpdateData(false);
}

void CCPAdiPage::OnOK()
{
    m_pRecord->m_bTransparent = m_bTransparent;
    m_pRecord->m_nPersistent = m_nPersistent;
    m_pRecord->m_nCallbackSlot = m_nCallbackSlot;
    ReadHex(m_strCycleBits, m_pRecord->m_nCycleBits);
    for (size_t i = 0; i < m_astrColors.size(); ++i)
        ReadHex(m_astrColors[i], m_pRecord->m_aColors[i]);
}
