#include "ccplightpage.h"

#include "ccplight.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CCPLightPage::CCPLightPage(CCPLight* record, QWidget* parent)
    : CCPPage(QStringLiteral("Light Properties"), parent), m_nCallbackSlot(record->m_nCallbackSlot),
      m_nNumStates(int(record->m_arcSrc.size())), m_nCursorId(record->m_nCursorId),
      m_nInitState(record->m_nInitState), m_strCycleBits(HexText(record->m_nCycleBits)),
      m_bTransparent(record->m_bTransparent), m_nPersistent(record->m_nPersistent),
      m_pRecord(record)
{
    m_pNumStates = m_dx.Int(m_nNumStates, QStringLiteral("Number State"));
    m_pNumStates->setReadOnly(true);

    QFormLayout* form = MakeForm();
    form->addRow(QStringLiteral("CallBack Slot"),
                 m_dx.Int(m_nCallbackSlot, QStringLiteral("CallBack Slot")));
    form->addRow(QStringLiteral("Number State"), m_pNumStates);
    form->addRow(QStringLiteral("Cursor ID"), m_dx.Int(m_nCursorId, QStringLiteral("Cursor ID")));
    form->addRow(QStringLiteral("Initial State"),
                 m_dx.Int(m_nInitState, QStringLiteral("Initial State")));
    form->addRow(QStringLiteral("Cycle Bits"),
                 m_dx.Text(m_strCycleBits, QStringLiteral("Cycle Bits")));
    form->addRow(QString(), m_dx.Check(m_bTransparent, QStringLiteral("Transparent")));

    QGroupBox* state = m_dx.Radio(m_nPersistent, QStringLiteral("State"),
                                  {QStringLiteral("Non Persistent"), QStringLiteral("Persistent"),
                                   QStringLiteral("Electrical")});
    QGroupBox* areas = ButtonBox(
        QStringLiteral("Areas"),
        {MakeButton(QStringLiteral("Source"),
                    [this] {
                        EditRectList(m_pRecord->m_arcSrc, true);
                        // The count follows the list; it is not stored.
                        m_pNumStates->setText(QString::number(m_pRecord->m_arcSrc.size()));
                    }),
         MakeButton(QStringLiteral("Dest"), [this] { EditArea(m_pRecord->m_rcDest); })});
    auto* row = new QHBoxLayout;
    row->addWidget(state);
    row->addWidget(areas, 0, Qt::AlignTop);
    row->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(row);
    layout->addStretch(1);
    UpdateData(false);
}

void CCPLightPage::OnOK()
{
    m_pRecord->m_nCallbackSlot = m_nCallbackSlot;
    m_pRecord->m_nCursorId = m_nCursorId;
    m_pRecord->m_nInitState = m_nInitState;
    ReadHex(m_strCycleBits, m_pRecord->m_nCycleBits);
    m_pRecord->m_bTransparent = m_bTransparent;
    m_pRecord->m_nPersistent = m_nPersistent;
}
