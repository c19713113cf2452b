#include "ccpmanagerpage2.h"

#include "ccpmanager.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

CCPManagerPage2::CCPManagerPage2(CCPManager* record, QWidget* parent)
    : CCPPage(QStringLiteral("Manager Font Properties"), parent), m_nDedFont(record->m_nDedFont),
      m_nHudFont(record->m_nHudFont), m_nMfdFont(record->m_nMfdFont),
      m_nPopupFont(record->m_nPopupFont), m_nSaBoxFont(record->m_nSaBoxFont),
      m_nKneeFont(record->m_nKneeFont), m_nGeneralFont(record->m_nGeneralFont),
      m_nLabelFont(record->m_nLabelFont), m_pRecord(record)
{
    const std::pair<const char*, int*> fonts[] = {
        {"Ded Font", &m_nDedFont},         {"Hud Font", &m_nHudFont},
        {"Mfd Font", &m_nMfdFont},         {"Popup Font", &m_nPopupFont},
        {"SA Font", &m_nSaBoxFont},        {"Knee Font", &m_nKneeFont},
        {"General Font", &m_nGeneralFont}, {"Label Font", &m_nLabelFont}};
    QFormLayout* columns[2] = {MakeForm(), MakeForm()};
    int i = 0;
    for (const auto& [label, member] : fonts) {
        const QString name = QString::fromLatin1(label);
        QLineEdit* edit = m_dx.Int(*member, name);
        edit->setMaximumWidth(80);
        columns[i++ / 4]->addRow(name, edit);
    }
    auto* row = new QHBoxLayout;
    row->addLayout(columns[0]);
    row->addSpacing(24);
    row->addLayout(columns[1]);
    row->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addStretch(1);
    UpdateData(false);
}

void CCPManagerPage2::OnOK()
{
    m_pRecord->m_nDedFont = m_nDedFont;
    m_pRecord->m_nHudFont = m_nHudFont;
    m_pRecord->m_nMfdFont = m_nMfdFont;
    m_pRecord->m_nPopupFont = m_nPopupFont;
    m_pRecord->m_nSaBoxFont = m_nSaBoxFont;
    m_pRecord->m_nKneeFont = m_nKneeFont;
    m_pRecord->m_nGeneralFont = m_nGeneralFont;
    m_pRecord->m_nLabelFont = m_nLabelFont;
}
