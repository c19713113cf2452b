#include "ccphsipage.h"

#include "ccphsi.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

CCPHsiPage::CCPHsiPage(CCPHsi* record, QWidget* parent)
    : CCPPage(QStringLiteral("Hsi Properties"), parent), m_nCallbackSlot(record->m_nCallbackSlot),
      m_strCycleBits(HexText(record->m_nCycleBits)), m_nSurface(record->m_background.m_nSurface),
      m_nPersistent(record->m_nPersistent), m_pRecord(record)
{
    std::copy(record->m_abTransparent.begin(), record->m_abTransparent.end(),
              m_abTransparent.begin());
    for (size_t bit = 0; bit < m_abDrawPart.size(); ++bit)
        m_abDrawPart[bit] = (record->m_nDrawParts >> bit) & 1u;

    QFormLayout* form = MakeForm();
    form->addRow(QStringLiteral("Callback"), m_dx.Int(m_nCallbackSlot, QStringLiteral("Callback")));
    form->addRow(QStringLiteral("Cycle"), m_dx.Text(m_strCycleBits, QStringLiteral("Cycle")));
    form->addRow(QStringLiteral("Surface"), m_dx.Int(m_nSurface, QStringLiteral("Surface")));
    form->addRow(QString(), m_dx.Check(m_nPersistent, QStringLiteral("Persistent")));

    // Each place: its button and its transparency beside it.
    auto* places = new QGroupBox(QStringLiteral("Areas"));
    auto* grid = new QGridLayout(places);
    const char* const kDests[3] = {"Dest1", "Compass Dest", "Dev Dest"};
    for (int i = 0; i < 3; ++i) {
        const QString name = QString::fromLatin1(kDests[i]);
        grid->addWidget(MakeButton(name, [this, i] { EditArea(m_pRecord->m_arcDest[size_t(i)]); }),
                        i, 0);
        QCheckBox* box = m_dx.Check(m_abTransparent[size_t(i)], QStringLiteral("Transparent"));
        box->setObjectName(name + QStringLiteral(" Transparent"));
        grid->addWidget(box, i, 1);
    }
    grid->addWidget(
        MakeButton(QStringLiteral("Compass Source"), [this] { EditArea(m_pRecord->m_arcSrc[0]); }),
        3, 0);
    grid->addWidget(
        MakeButton(QStringLiteral("Dev Source"), [this] { EditArea(m_pRecord->m_arcSrc[1]); }), 4,
        0);
    grid->addWidget(
        MakeButton(QStringLiteral("Warn Flag"), [this] { EditArea(m_pRecord->m_rcWarnFlag); }), 5,
        0);

    auto* parts = new QGroupBox(QStringLiteral("Draw HSI Parts"));
    auto* partLayout = new QGridLayout(parts);
    const char* const kParts[10] = {"Aircraft",  "To",       "From",    "Course",  "Circle",
                                    "Deviation", "Dev Warn", "Bearing", "Heading", "Course Warn"};
    for (int bit = 0; bit < 10; ++bit)
        partLayout->addWidget(
            m_dx.Check(m_abDrawPart[size_t(bit)], QString::fromLatin1(kParts[bit])), bit % 5,
            bit / 5);

    auto* left = new QVBoxLayout;
    left->addLayout(form);
    left->addWidget(parts);
    left->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(places, 0, Qt::AlignTop);
    UpdateData(false);
}

void CCPHsiPage::OnOK()
{
    m_pRecord->m_nCallbackSlot = m_nCallbackSlot;
    ReadHex(m_strCycleBits, m_pRecord->m_nCycleBits);
    m_pRecord->m_nPersistent = m_nPersistent;
    m_pRecord->m_background.m_nSurface = m_nSurface;
    std::copy(m_abTransparent.begin(), m_abTransparent.end(), m_pRecord->m_abTransparent.begin());
    uint32_t mask = 0;
    for (size_t bit = 0; bit < m_abDrawPart.size(); ++bit)
        if (m_abDrawPart[bit])
            mask |= 1u << bit;
    m_pRecord->m_nDrawParts = mask;
}
