#include "ccppaneladjpage.h"

#include "ccppanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CCPPanelAdjPage::CCPPanelAdjPage(CCPPanel* record, QWidget* parent)
    : CCPPage(QStringLiteral("Adjacent Panel Properties"), parent),
      m_anAdjPanels(record->m_anAdjPanels), m_pRecord(record)
{
    struct Place
    {
        const char* name;
        int row;
        int column;
    };
    // In the order of the panel's entries: N, NE, E, SE, S, SW, W, NW.
    static const Place kPlaces[8] = {{"N", 0, 1}, {"NE", 0, 2}, {"E", 1, 2}, {"SE", 2, 2},
                                     {"S", 2, 1}, {"SW", 2, 0}, {"W", 1, 0}, {"NW", 0, 0}};
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(18);
    grid->setVerticalSpacing(14);
    for (int i = 0; i < 8; ++i) {
        const QString name = QString::fromLatin1(kPlaces[i].name);
        auto* cell = new QWidget;
        auto* row = new QHBoxLayout(cell);
        row->setContentsMargins(0, 0, 0, 0);
        QLineEdit* edit = m_dx.Int(m_anAdjPanels[size_t(i)], name);
        edit->setMaximumWidth(70);
        edit->setAlignment(Qt::AlignRight);
        // Opens the neighbour the panel has now, not what is typed but not yet stored.
        QPushButton* open = MakeButton(
            name, [this, i] { m_pRecord->OpenAdjacent(m_pRecord->m_anAdjPanels[size_t(i)]); });
        open->setFixedWidth(open->fontMetrics().horizontalAdvance(QStringLiteral("NW")) + 18);
        row->addWidget(open);
        row->addWidget(edit);
        grid->addWidget(cell, kPlaces[i].row, kPlaces[i].column, Qt::AlignCenter);
    }
    auto* centre = new QLabel(QStringLiteral("Panel %1").arg(record->m_nId));
    centre->setAlignment(Qt::AlignCenter);
    centre->setFrameShape(QFrame::StyledPanel);
    centre->setMinimumSize(90, 40);
    grid->addWidget(centre, 1, 1, Qt::AlignCenter);

    auto* note = new QLabel(QStringLiteral("-1: no panel in that direction"));
    note->setEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(note);
    layout->addStretch(1);
    UpdateData(false);
}

void CCPPanelAdjPage::OnOK()
{
    m_pRecord->m_anAdjPanels = m_anAdjPanels;
}
