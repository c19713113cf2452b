#include "ccpbuttonpage.h"

#include "ccpbutton.h"
#include "ccpmanager.h"
#include "ccpsound.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CCPButtonPage::CCPButtonPage(CCPButton* record, QWidget* parent)
    : CCPPage(QStringLiteral("Button Properties"), parent),
      m_nCallbackSlot(record->m_nCallbackSlot), m_nCursorId(record->m_nCursorId),
      m_nDelay(record->m_nDelay), m_nInitState(record->m_nInitState),
      m_nNumViews(record->m_nNumViews), m_nStates(record->m_nStates), m_nSound1(record->m_nSound1),
      m_nSound2(record->m_nSound2), m_pRecord(record)
{
    QFormLayout* form = MakeForm();
    form->addRow(QStringLiteral("CallBack Slot"),
                 m_dx.Int(m_nCallbackSlot, QStringLiteral("CallBack Slot")));
    form->addRow(QStringLiteral("Cursor"), m_dx.Int(m_nCursorId, QStringLiteral("Cursor")));
    form->addRow(QStringLiteral("Delay"), m_dx.Int(m_nDelay, QStringLiteral("Delay")));
    form->addRow(QStringLiteral("Initial State"),
                 m_dx.Int(m_nInitState, QStringLiteral("Initial State")));
    form->addRow(QStringLiteral("NViews"), m_dx.Int(m_nNumViews, QStringLiteral("NViews")));
    form->addRow(QStringLiteral("NStates"), m_dx.Int(m_nStates, QStringLiteral("NStates")));

    auto* sounds = new QGroupBox(QStringLiteral("Sounds"));
    auto* grid = new QGridLayout(sounds);
    // The buttons open the sound the page last took in, as the page holds it.
    grid->addWidget(MakeButton(QStringLiteral("Sound 1"), [this] { OpenSound(m_nSound1); }), 0, 0);
    grid->addWidget(m_dx.Int(m_nSound1, QStringLiteral("Sound 1 Id")), 0, 1);
    grid->addWidget(MakeButton(QStringLiteral("Sound 2"), [this] { OpenSound(m_nSound2); }), 1, 0);
    grid->addWidget(m_dx.Int(m_nSound2, QStringLiteral("Sound 2 Id")), 1, 1);
    grid->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(sounds);
    layout->addStretch(1);
    UpdateData(false);
}

void CCPButtonPage::OpenSound(int id)
{
    if (!m_pRecord->m_pManager)
        return;
    if (CCPSound* sound = m_pRecord->m_pManager->FindSound(id))
        sound->EditProperties();
}

void CCPButtonPage::OnOK()
{
    m_pRecord->m_nCallbackSlot = m_nCallbackSlot;
    m_pRecord->m_nCursorId = m_nCursorId;
    m_pRecord->m_nDelay = m_nDelay;
    m_pRecord->m_nInitState = m_nInitState;
    m_pRecord->m_nNumViews = m_nNumViews;
    m_pRecord->m_nStates = m_nStates;
    m_pRecord->m_nSound1 = m_nSound1;
    m_pRecord->m_nSound2 = m_nSound2;
}
