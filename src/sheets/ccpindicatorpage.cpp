#include "ccpindicatorpage.h"

#include "ccpindicator.h"
#include "reportlist.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

CCPIndicatorPage::CCPIndicatorPage(CCPIndicator* record, QWidget* parent)
    : CCPPage(QStringLiteral("Indicator Properties"), parent),
      m_nCallbackSlot(record->m_nCallbackSlot), m_strCycleBits(HexText(record->m_nCycleBits)),
      m_nCalibrationVal(record->m_nCalibrationVal), m_nPersistant(record->m_nPersistant),
      m_nOrientation(record->m_nOrientation), m_fMaxVal(record->m_fMaxVal),
      m_fMinVal(record->m_fMinVal), m_pRecord(record)
{
    QFormLayout* form = MakeForm();
    AddSlotAndBitsRows(form, m_nCallbackSlot, m_strCycleBits);
    form->addRow(QStringLiteral("Calibration val"),
                 m_dx.Int(m_nCalibrationVal, QStringLiteral("Calibration val")));
    form->addRow(QStringLiteral("Max Val"), m_dx.Float(m_fMaxVal, QStringLiteral("Max Val")));
    form->addRow(QStringLiteral("Min Val"), m_dx.Float(m_fMinVal, QStringLiteral("Min Val")));
    form->addRow(QString(), m_dx.Check(m_nPersistant, QStringLiteral("Persistant")));
    form->addRow(QString(), m_dx.Check(m_nOrientation, QStringLiteral("Vertical")));

    // One row per minpos entry, with the maxpos entry of the same index when there is one.
    m_pTable =
        MakeReportList(QStringLiteral("Positions"), {QStringLiteral("Min"), QStringLiteral("Max")},
                       int(record->m_anMinPos.size()), 64);
    for (size_t row = 0; row < record->m_anMinPos.size(); ++row) {
        SetCell(m_pTable, int(row), 0, FormatInt(record->m_anMinPos[row]));
        const QString max =
            row < record->m_anMaxPos.size() ? FormatInt(record->m_anMaxPos[row]) : QString();
        SetCell(m_pTable, int(row), 1, max);
    }
    QGroupBox* table = ReadOnlyList(QStringLiteral("Tapes"), m_pTable, QStringLiteral("Positions"),
                                    QStringLiteral("The tape positions are not edited here."));

    auto* left = new QVBoxLayout;
    left->addLayout(form);
    left->addWidget(ButtonBox(
        QStringLiteral("Areas"),
        {MakeButton(QStringLiteral("Source"), [this] { EditRectList(m_pRecord->m_arcSrc); }),
         MakeButton(QStringLiteral("Dest"), [this] { EditRectList(m_pRecord->m_arcDest); })}));
    left->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(table);
    UpdateData(false);
}

void CCPIndicatorPage::OnOK()
{
    m_pRecord->m_nCalibrationVal = m_nCalibrationVal;
    m_pRecord->m_nCallbackSlot = m_nCallbackSlot;
    m_pRecord->m_nOrientation = m_nOrientation;
    m_pRecord->m_nPersistant = m_nPersistant;
    m_pRecord->m_fMaxVal = m_fMaxVal;
    m_pRecord->m_fMinVal = m_fMinVal;
    ReadHex(m_strCycleBits, m_pRecord->m_nCycleBits);
}
