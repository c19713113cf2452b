#include "ccpindicatorpage.h"

#include "ccpindicator.h"
#include "cnumbertable.h"

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
      m_nCalibrationVal(record->m_nCalibrationVal), m_nPersistent(record->m_nPersistent),
      m_nOrientation(record->m_nOrientation), m_fMaxVal(record->m_fMaxVal),
      m_fMinVal(record->m_fMinVal), m_pRecord(record)
{
    QFormLayout* form = MakeForm();
    AddSlotAndBitsRows(form, m_nCallbackSlot, m_strCycleBits);
    form->addRow(QStringLiteral("Calibration val"),
                 m_dx.Int(m_nCalibrationVal, QStringLiteral("Calibration val")));
    form->addRow(QStringLiteral("Max Val"), m_dx.Float(m_fMaxVal, QStringLiteral("Max Val")));
    form->addRow(QStringLiteral("Min Val"), m_dx.Float(m_fMinVal, QStringLiteral("Min Val")));
    form->addRow(QString(), m_dx.Check(m_nPersistent, QStringLiteral("Persistent")));
    form->addRow(QString(), m_dx.Check(m_nOrientation, QStringLiteral("Vertical")));

    // One row per tape: its minpos and maxpos entries.
    m_pTable = new CNumberTable(QStringLiteral("Positions"),
                                {QStringLiteral("Min"), QStringLiteral("Max")},
                                CNumberTable::Integer, this);
    m_pTable->SetColumns({{record->m_anMinPos.begin(), record->m_anMinPos.end()},
                          {record->m_anMaxPos.begin(), record->m_anMaxPos.end()}});
    auto* table = new QGroupBox(QStringLiteral("Tapes"));
    auto* tableLayout = new QVBoxLayout(table);
    tableLayout->addWidget(m_pTable->GetList());
    auto* rowButtons = new QHBoxLayout;
    rowButtons->addWidget(MakeButton(QStringLiteral("Add Position"), [this] { OnAddPosition(); }));
    rowButtons->addWidget(
        MakeButton(QStringLiteral("Remove Position"), [this] { OnRemovePosition(); }));
    tableLayout->addLayout(rowButtons);

    auto* left = new QVBoxLayout;
    left->addLayout(form);
    left->addWidget(ButtonBox(
        QStringLiteral("Areas"),
        {MakeButton(QStringLiteral("Source"), [this] { EditRectList(m_pRecord->m_arcSrc, true); }),
         MakeButton(QStringLiteral("Dest"), [this] { EditRectList(m_pRecord->m_arcDest); })}));
    left->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(table);
    UpdateData(false);
}

QTableWidget* CCPIndicatorPage::GetTable() const
{
    return m_pTable->GetList();
}

void CCPIndicatorPage::OnAddPosition()
{
    // A copy of the selected tape's positions (else the last's), for the next tape.
    const int rows = m_pTable->GetRowCount();
    const int selected = m_pTable->SelectedRow();
    const int after = selected >= 0 ? selected : rows - 1;
    std::vector<double> numbers;
    for (int c = 0; c < 2; ++c) {
        const std::vector<double> list = m_pTable->Column(c);
        numbers.push_back(after >= 0 && size_t(after) < list.size() ? list[size_t(after)] : 0.0);
    }
    m_pTable->InsertRow(after + 1, numbers);
}

void CCPIndicatorPage::OnRemovePosition()
{
    m_pTable->RemoveRow(m_pTable->SelectedRow());
}

void CCPIndicatorPage::OnOK()
{
    m_pRecord->m_nCalibrationVal = m_nCalibrationVal;
    m_pRecord->m_nCallbackSlot = m_nCallbackSlot;
    m_pRecord->m_nOrientation = m_nOrientation;
    m_pRecord->m_nPersistent = m_nPersistent;
    m_pRecord->m_fMaxVal = m_fMaxVal;
    m_pRecord->m_fMinVal = m_fMinVal;
    ReadHex(m_strCycleBits, m_pRecord->m_nCycleBits);
    const auto ints = [](const std::vector<double>& list) {
        return std::vector<int>(list.begin(), list.end());
    };
    m_pRecord->m_anMinPos = ints(m_pTable->Column(0));
    m_pRecord->m_anMaxPos = ints(m_pTable->Column(1));
}
