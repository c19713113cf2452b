#include "ccpdialpage.h"

#include "ccpdial.h"
#include "ccpmanager.h"
#include "cnumbertable.h"
#include "cscanner.h"
#include "dialangles.h"
#include "irecordeditor.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kSliderSteps = 1000;
constexpr double kPi = 3.14159265358979323846;

std::vector<double> Widen(const std::vector<float>& list)
{
    return {list.begin(), list.end()};
}

std::vector<float> Narrow(const std::vector<double>& list)
{
    std::vector<float> out;
    for (double d : list)
        out.push_back(float(d));
    return out;
}

// An angle brought back into -pi..pi, as the tables are written.
double InTurn(double a)
{
    if (a < -kPi)
        a += 2 * kPi;
    else if (a > kPi)
        a -= 2 * kPi;
    return a;
}

} // namespace

CCPDialPage::CCPDialPage(CCPDial* record, QWidget* parent)
    : CCPPage(QStringLiteral("Dial Properties"), parent), m_nCallbackSlot(record->m_nCallbackSlot),
      m_strCycleBits(HexText(record->m_nCycleBits)), m_nPersistent(record->m_nPersistent),
      m_anRadius(record->m_anRadius), m_pRecord(record), m_pShown(record->CopyFields())
{
    for (size_t i = 0; i < m_astrColors.size(); ++i)
        m_astrColors[i] = HexText(record->m_aColors[i], true);

    QFormLayout* form = MakeForm();
    AddSlotAndBitsRows(form, m_nCallbackSlot, m_strCycleBits);
    form->addRow(QString(), m_dx.Check(m_nPersistent, QStringLiteral("Persistent")));
    for (size_t i = 0; i < m_anRadius.size(); ++i) {
        const QString name = QStringLiteral("Radius %1").arg(i);
        QLineEdit* edit = m_dx.Int(m_anRadius[i], name);
        connect(edit, &QLineEdit::textChanged, this, [this] { UpdatePreview(); });
        form->addRow(name, edit);
    }
    for (size_t i = 0; i < m_astrColors.size(); ++i)
        AddColourRow(form, m_astrColors[i], QStringLiteral("Color %1").arg(i));
    for (QLineEdit* edit : findChildren<QLineEdit*>())
        if (edit->objectName().startsWith(QStringLiteral("Color ")))
            connect(edit, &QLineEdit::textChanged, this, [this] { UpdatePreview(); });

    // The calibration table: one row per point, with the value of the same index beside it.
    // The file keeps radians; the page shows degrees, and an angle nobody types over keeps
    // its exact number.
    m_pTable = new CNumberTable(QStringLiteral("Points"),
                                {QStringLiteral("Point (\u00b0)"), QStringLiteral("Value")},
                                CNumberTable::Real, this);
    m_pTable->SetUnits(
        0, [](double radians) { return DegreesFromRadians(float(radians)); },
        [](double degrees) { return double(RadiansFromDegrees(degrees)); });
    m_pTable->SetColumns({Widen(record->m_afPoints), Widen(record->m_afValues)});
    connect(m_pTable, &CNumberTable::changed, this, [this] { UpdatePreview(); });

    m_pSlider = new QSlider(Qt::Horizontal);
    m_pSlider->setObjectName(QStringLiteral("Preview value"));
    m_pSlider->setRange(0, kSliderSteps);
    m_pSlider->setPageStep(kSliderSteps / 20);
    m_pSlider->setToolTip(QStringLiteral("Turns the needle on the panel; not saved"));
    connect(m_pSlider, &QSlider::valueChanged, this, &CCPDialPage::OnSliderMoved);
    m_pReadout = new QLabel;
    m_pReadout->setObjectName(QStringLiteral("Preview value Text"));
    m_pReadout->setMinimumWidth(
        m_pReadout->fontMetrics().horizontalAdvance(QStringLiteral("-0.000000e+00")));

    auto* table = new QGroupBox(QStringLiteral("Calibration"));
    auto* tableLayout = new QVBoxLayout(table);
    tableLayout->addWidget(m_pTable->GetList());
    auto* rowButtons = new QHBoxLayout;
    rowButtons->addWidget(MakeButton(QStringLiteral("Add Point"), [this] { OnAddPoint(); }));
    rowButtons->addWidget(MakeButton(QStringLiteral("Remove Point"), [this] { OnRemovePoint(); }));
    m_pCalibrate = MakeButton(QStringLiteral("Calibrate"), [this] { emit calibrateRequested(); });
    m_pCalibrate->setToolTip(
        QStringLiteral("Close the sheet and make the table by clicking on the dial's face"));
    m_pCalibrate->hide();
    rowButtons->addWidget(m_pCalibrate);
    tableLayout->addLayout(rowButtons);
    auto* previewLabel = new QLabel(QStringLiteral("Preview value"));
    previewLabel->setBuddy(m_pSlider);
    tableLayout->addWidget(previewLabel);
    auto* previewRow = new QHBoxLayout;
    previewRow->addWidget(m_pSlider, 1);
    previewRow->addWidget(m_pReadout);
    tableLayout->addLayout(previewRow);

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
    // The slider starts at the value the panel shows the needle at.
    UpdatePreview();
}

CCPDialPage::~CCPDialPage()
{
    if (IRecordEditor* views = PreviewTarget())
        views->EndDialPreview(*m_pRecord);
}

IRecordEditor* CCPDialPage::PreviewTarget() const
{
    return m_pRecord->m_pManager ? m_pRecord->m_pManager->GetEditor() : nullptr;
}

void CCPDialPage::OfferCalibration()
{
    m_pCalibrate->show();
}

QTableWidget* CCPDialPage::GetTable() const
{
    return m_pTable->GetList();
}

CCPDial& CCPDialPage::Shown()
{
    auto& shown = static_cast<CCPDial&>(*m_pShown);
    shown.m_afPoints = Narrow(m_pTable->Column(0));
    shown.m_afValues = Narrow(m_pTable->Column(1));
    // The rectangles may have been changed by "Source" and "Dest" meanwhile.
    shown.m_rcSrc = m_pRecord->m_rcSrc;
    shown.m_rcDest = m_pRecord->m_rcDest;
    for (size_t i = 0; i < shown.m_anRadius.size(); ++i) {
        const auto* edit = findChild<QLineEdit*>(QStringLiteral("Radius %1").arg(i));
        int radius = 0;
        if (edit && ParseInt(edit->text(), radius))
            shown.m_anRadius[i] = radius;
    }
    for (size_t i = 0; i < shown.m_aColors.size(); ++i)
        if (const auto* edit = findChild<QLineEdit*>(QStringLiteral("Color %1 Value").arg(i)))
            ScanHex(edit->text().toStdString(), shown.m_aColors[i]);
    return shown;
}

void CCPDialPage::UpdatePreview()
{
    CCPDial& shown = Shown();
    const size_t n = std::min(shown.m_afPoints.size(), shown.m_afValues.size());
    float angle = 0.0f;
    const bool usable = shown.NeedleAngle(m_fPreviewValue, angle);
    if (usable) {
        const auto [low, high] =
            std::minmax_element(shown.m_afValues.begin(), shown.m_afValues.begin() + long(n));
        m_fLow = *low;
        m_fHigh = *high;
        m_fPreviewValue = std::clamp(m_fPreviewValue, m_fLow, m_fHigh);
        const double at = (double(m_fPreviewValue) - m_fLow) / (double(m_fHigh) - m_fLow);
        const QSignalBlocker quiet(m_pSlider);
        m_pSlider->setValue(int(std::lround(at * kSliderSteps)));
    }
    m_pSlider->setEnabled(usable);
    m_pReadout->setText(usable ? FormatFloat(m_fPreviewValue) : QString());
    if (IRecordEditor* views = PreviewTarget(); views && m_bPreviewing)
        views->ShowDialPreview(*m_pRecord, shown, m_fPreviewValue);
}

void CCPDialPage::OnSliderMoved(int position)
{
    if (!(m_fHigh > m_fLow))
        return;
    m_fPreviewValue = float(m_fLow + (double(m_fHigh) - m_fLow) * position / kSliderSteps);
    m_bPreviewing = true;
    UpdatePreview();
}

void CCPDialPage::OnAddPoint()
{
    const std::vector<double> points = m_pTable->Column(0);
    const std::vector<double> values = m_pTable->Column(1);
    const int rows = m_pTable->GetRowCount();
    if (rows == 0) {
        m_pTable->InsertRow(0, {0.0, 0.0});
        return;
    }
    const int selected = m_pTable->SelectedRow();
    const size_t after = size_t(selected >= 0 ? selected : rows - 1);
    // Between the selected row and the next; past the last row, one more step of the same
    // size; a lone row is repeated.
    auto propose = [after](const std::vector<double>& list, bool angle) -> double {
        if (after >= list.size())
            return list.empty() ? 0.0 : list.back(); // a short list leaves the cell empty
        const double here = list[after];
        if (after + 1 < list.size()) {
            const double span = angle ? CCPDial::ClockwiseSpan(float(here), float(list[after + 1]))
                                      : list[after + 1] - here;
            return angle ? InTurn(here + span / 2) : here + span / 2;
        }
        if (after == 0)
            return here;
        const double step = angle ? CCPDial::ClockwiseSpan(float(list[after - 1]), float(here))
                                  : here - list[after - 1];
        return angle ? InTurn(here + step) : here + step;
    };
    m_pTable->InsertRow(int(after) + 1, {propose(points, true), propose(values, false)});
}

void CCPDialPage::OnRemovePoint()
{
    m_pTable->RemoveRow(m_pTable->SelectedRow());
}

void CCPDialPage::OnOK()
{
    m_pRecord->m_nCallbackSlot = m_nCallbackSlot;
    m_pRecord->m_anRadius = m_anRadius;
    m_pRecord->m_nPersistent = m_nPersistent;
    ReadHex(m_strCycleBits, m_pRecord->m_nCycleBits);
    for (size_t i = 0; i < m_astrColors.size(); ++i)
        ReadHex(m_astrColors[i], m_pRecord->m_aColors[i]);
    m_pRecord->m_afPoints = Narrow(m_pTable->Column(0));
    m_pRecord->m_afValues = Narrow(m_pTable->Column(1));
}
