#include "ccptextpage.h"

#include "ccptext.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CCPTextPage::CCPTextPage(CCPText* record, QWidget* parent)
    : CCPPage(QStringLiteral("Text Properties"), parent), m_nCallbackSlot(record->m_nCallbackSlot),
      m_strCycleBits(HexText(record->m_nCycleBits)), m_nNumStrings(record->m_nNumStrings),
      m_pRecord(record)
{
    QFormLayout* form = MakeForm();
    form->addRow(QStringLiteral("Callback"), m_dx.Int(m_nCallbackSlot, QStringLiteral("Callback")));
    form->addRow(QStringLiteral("Cycle Bits"),
                 m_dx.Text(m_strCycleBits, QStringLiteral("Cycle Bits")));
    form->addRow(QStringLiteral("Num Strings"),
                 m_dx.Int(m_nNumStrings, QStringLiteral("Num Strings")));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(
        ButtonBox(QStringLiteral("Areas"),
                  {MakeButton(QStringLiteral("Dest"), [this] { EditArea(m_pRecord->m_rcDest); })}));
    layout->addStretch(1);
    UpdateData(false);
}

void CCPTextPage::OnOK()
{
    m_pRecord->m_nCallbackSlot = m_nCallbackSlot;
    ReadHex(m_strCycleBits, m_pRecord->m_nCycleBits);
    m_pRecord->m_nNumStrings = m_nNumStrings;
}
