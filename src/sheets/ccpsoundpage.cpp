#include "ccpsoundpage.h"

#include "ccpsound.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

CCPSoundPage::CCPSoundPage(CCPSound* record, QWidget* parent)
    : CCPPage(QStringLiteral("Sound Properties"), parent), m_nEntry(record->m_nEntry),
      m_pRecord(record)
{
    QFormLayout* form = MakeForm();
    form->addRow(QStringLiteral("Sound Index"), m_dx.Int(m_nEntry, QStringLiteral("Sound Index")));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch(1);
    UpdateData(false);
}

void CCPSoundPage::OnOK()
{
    m_pRecord->m_nEntry = m_nEntry;
}
