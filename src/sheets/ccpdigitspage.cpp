#include "ccpdigitspage.h"

#include "ccpdigits.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CCPDigitsPage::CCPDigitsPage(CCPDigits* record, QWidget* parent)
    : CCPPage(QStringLiteral("Digits Properties"), parent),
      m_nCallbackSlot(record->m_nCallbackSlot), m_strCycleBits(HexText(record->m_nCycleBits)),
      m_nPersistent(record->m_nPersistent), m_pRecord(record)
{
    QFormLayout* form = MakeForm();
    AddSlotAndBitsRows(form, m_nCallbackSlot, m_strCycleBits);
    form->addRow(QString(), m_dx.Check(m_nPersistent, QStringLiteral("Persistent")));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(ButtonBox(
        QStringLiteral("Areas"),
        {MakeButton(QStringLiteral("Dest"), [this] { EditRectList(m_pRecord->m_arcDest); }),
         MakeButton(QStringLiteral("Source"),
                    [this] { EditRectList(m_pRecord->m_arcSrc, true); })}));
    layout->addStretch(1);
    UpdateData(false);
}

void CCPDigitsPage::OnOK()
{
    m_pRecord->m_nCallbackSlot = m_nCallbackSlot;
    ReadHex(m_strCycleBits, m_pRecord->m_nCycleBits);
    m_pRecord->m_nPersistent = m_nPersistent;
}
