#include "cinputsdock.h"

#include "cplaysession.h"
#include "cvireodoc.h"
#include "textconvert.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include <cmath>

namespace {
constexpr int kSteps = 1000; // slider steps over a slot's range

QString RowText(const CPlaySession::Input& in)
{
    QString names;
    for (const std::string& r : in.records)
        names += (names.isEmpty() ? QString() : QStringLiteral(", ")) + Latin1ToQt(r);
    return QStringLiteral("Slot %1 - %2: %3").arg(in.slot).arg(Latin1ToQt(in.what), names);
}

// Whole numbers for what only takes whole numbers (digits, light states).
int DecimalsFor(const CPlaySession::Input& in)
{
    return in.what == "Digits" || in.what == "Light state" ? 0 : 2;
}
} // namespace

CInputsDock::CInputsDock(CVireoDoc* doc, QWidget* parent)
    : QDockWidget(QStringLiteral("Inputs"), parent), m_pDoc(doc)
{
    setObjectName(QStringLiteral("inputs"));
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    m_pBody = new QWidget(scroll);
    m_pLayout = new QVBoxLayout(m_pBody);
    scroll->setWidget(m_pBody);
    setWidget(scroll);
    m_pDoc->AddObserver(this);
    Rebuild();
}

CInputsDock::~CInputsDock()
{
    m_pDoc->RemoveObserver(this);
}

void CInputsDock::SetSession(CPlaySession* session)
{
    m_pSession = session;
    Rebuild();
}

void CInputsDock::OnUpdate(IDocObserver*, Hint, CCPObject*)
{
    // The pilot walked to another panel: its instruments' slots.
    if (m_pSession && m_pDoc->m_pCurrentPanel != m_pBuiltFor)
        Rebuild();
}

void CInputsDock::Rebuild()
{
    m_rows.clear();
    while (QLayoutItem* item = m_pLayout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    m_pBuiltFor = m_pDoc->m_pCurrentPanel;
    std::vector<CPlaySession::Input> inputs;
    if (m_pSession)
        inputs = m_pSession->Inputs();
    if (inputs.empty()) {
        auto* note = new QLabel(m_pSession ? QStringLiteral("No instrument of this panel takes "
                                                            "a callback slot.")
                                           : QStringLiteral("Play the cockpit (View > Play, F9) "
                                                            "to feed its instruments here."),
                                m_pBody);
        note->setWordWrap(true);
        m_pLayout->addWidget(note);
        m_pLayout->addStretch(1);
        return;
    }
    for (const CPlaySession::Input& in : inputs) {
        auto* box = new QWidget(m_pBody);
        auto* grid = new QGridLayout(box);
        grid->setContentsMargins(0, 0, 0, 4);
        Row row;
        row.label = new QLabel(RowText(in), box);
        row.label->setWordWrap(true);
        row.slider = new QSlider(Qt::Horizontal, box);
        row.slider->setRange(0, kSteps);
        row.field = new QDoubleSpinBox(box);
        row.field->setDecimals(DecimalsFor(in));
        row.field->setRange(double(in.min), double(in.max));
        row.field->setValue(double(in.value));
        const double span = double(in.max) - double(in.min);
        const auto toSlider = [in, span](double v) {
            return span > 0 ? int(std::lround((v - double(in.min)) / span * kSteps)) : 0;
        };
        row.slider->setValue(toSlider(double(in.value)));
        grid->addWidget(row.label, 0, 0, 1, 2);
        grid->addWidget(row.slider, 1, 0);
        grid->addWidget(row.field, 1, 1);
        m_pLayout->addWidget(box);

        QSlider* slider = row.slider;
        QDoubleSpinBox* field = row.field;
        const int slot = in.slot;
        const InputChannel channel = in.channel;
        connect(slider, &QSlider::valueChanged, this, [=, this](int step) {
            const double v = double(in.min) + span * step / kSteps;
            const QSignalBlocker quiet(field);
            field->setValue(v);
            if (m_pSession)
                m_pSession->SetInput(slot, channel, float(field->value()));
        });
        connect(field, &QDoubleSpinBox::valueChanged, this, [=, this](double v) {
            const QSignalBlocker quiet(slider);
            slider->setValue(toSlider(v));
            if (m_pSession)
                m_pSession->SetInput(slot, channel, float(v));
        });
        m_rows.push_back(row);
    }
    m_pLayout->addStretch(1);
}
