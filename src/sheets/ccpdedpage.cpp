#include "ccpdedpage.h"

#include "ccpded.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CCPDedPage::CCPDedPage(CCPDed* record, QWidget* parent)
    : CCPPage(QStringLiteral("DED Properties"), parent), m_nCallbackSlot(record->m_nCallbackSlot),
      m_strCycleBits(HexText(record->m_nCycleBits)), m_strColor0(HexText(record->m_nColor0, true)),
      m_nDedType(record->m_nDedType), m_pRecord(record)
{
    QFormLayout* form = MakeForm();
    AddSlotAndBitsRows(form, m_nCallbackSlot, m_strCycleBits);
    AddColourRow(form, m_strColor0, QStringLiteral("Color"));

    QGroupBox* type = m_dx.Radio(m_nDedType, QStringLiteral("Ded Type"),
                                 {QStringLiteral("Ded"), QStringLiteral("Pfl")});
    auto* row = new QHBoxLayout;
    row->addWidget(type);
    row->addWidget(
        ButtonBox(QStringLiteral("Areas"),
                  {MakeButton(QStringLiteral("Dest"), [this] { EditArea(m_pRecord->m_rcDest); })}),
        0, Qt::AlignTop);
    row->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(row);
    layout->addStretch(1);
    UpdateData(false);
}

void CCPDedPage::OnOK()
{
    m_pRecord->m_nCallbackSlot = m_nCallbackSlot;
    ReadHex(m_strCycleBits, m_pRecord->m_nCycleBits);
    ReadHex(m_strColor0, m_pRecord->m_nColor0);
    m_pRecord->m_nDedType = m_nDedType;
}
