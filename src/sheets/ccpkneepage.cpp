#include "ccpkneepage.h"

#include "ccpknee.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CCPKneePage::CCPKneePage(CCPKnee* record, QWidget* parent)
    : CCPPage(QStringLiteral("Knee Properties"), parent),
      m_strCycleBits(HexText(record->m_nCycleBits)), m_pRecord(record)
{
    QFormLayout* form = MakeForm();
    form->addRow(QStringLiteral("Cycle Bits"),
                 m_dx.Text(m_strCycleBits, QStringLiteral("Cycle Bits")));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(
        ButtonBox(QStringLiteral("Areas"),
                  {MakeButton(QStringLiteral("Dest"), [this] { EditArea(m_pRecord->m_rcDest); })}));
    layout->addStretch(1);
    UpdateData(false);
}

void CCPKneePage::OnOK()
{
    ReadHex(m_strCycleBits, m_pRecord->m_nCycleBits);
}
