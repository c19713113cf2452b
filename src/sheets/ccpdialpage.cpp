#include "ccpdialpage.h"

#include "ccpdial.h"
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

CCPDialPage::CCPDialPage(CCPDial* record, QWidget* parent)
    : CCPPage(QStringLiteral("Dial Properties"), parent), m_nCallbackSlot(record->m_nCallbackSlot),
      m_strCycleBits(HexText(record->m_nCycleBits)), m_nPersistant(record->m_nPersistant),
      m_anRadius(record->m_anRadius), m_pRecord(record)
{
    for (size_t i = 0; i < m_astrColors.size(); ++i)
        m_astrColors[i] = HexText(record->m_aColors[i], true);

    QFormLayout* form = MakeForm();
    AddSlotAndBitsRows(form, m_nCallbackSlot, m_strCycleBits);
    form->addRow(QString(), m_dx.Check(m_nPersistant, QStringLiteral("Persistant")));
    for (size_t i = 0; i < m_anRadius.size(); ++i) {
        const QString name = QStringLiteral("Radius %1").arg(i);
        form->addRow(name, m_dx.Int(m_anRadius[i], name));
    }
    for (size_t i = 0; i < m_astrColors.size(); ++i) {
        const QString name = QStringLiteral("Color %1").arg(i);
        form->addRow(QString(), ColourRow(m_astrColors[i], name));
    }

    // The calibration table: one row per point, with the value of the same index when there
    // is one.
    m_pTable =
        MakeReportList(QStringLiteral("Points"), {QStringLiteral("Point"), QStringLiteral("Value")},
                       int(record->m_afPoints.size()), 72);
    for (size_t row = 0; row < record->m_afPoints.size(); ++row) {
        SetCell(m_pTable, int(row), 0, FormatFloat(record->m_afPoints[row]));
        const QString value =
            row < record->m_afValues.size() ? FormatFloat(record->m_afValues[row]) : QString();
        SetCell(m_pTable, int(row), 1, value);
    }
    QGroupBox* table =
        ReadOnlyList(QStringLiteral("Calibration"), m_pTable, QStringLiteral("Points"),
                     QStringLiteral("The calibration table is not edited here."));

    auto* left = new QVBoxLayout;
    left->addLayout(form);
    left->addWidget(
        ButtonBox(QStringLiteral("Areas"),
                  {MakeButton(QStringLiteral("Source"), [this] { EditArea(m_pRecord->m_rcSrc); }),
                   MakeButton(QStringLiteral("Dest"), [this] { EditArea(m_pRecord->m_rcDest); })}));
    left->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(table);
    UpdateData(false);
}

void CCPDialPage::OnOK()
{
    m_pRecord->m_nCallbackSlot = m_nCallbackSlot;
    m_pRecord->m_anRadius = m_anRadius;
    m_pRecord->m_nPersistant = m_nPersistant;
    ReadHex(m_strCycleBits, m_pRecord->m_nCycleBits);
    for (size_t i = 0; i < m_astrColors.size(); ++i)
        ReadHex(m_astrColors[i], m_pRecord->m_aColors[i]);
}
