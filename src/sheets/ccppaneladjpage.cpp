#include "ccppaneladjpage.h"

#include "ccpmanager.h"
#include "ccppanel.h"
#include "cdialogrunner.h"
#include "textconvert.h"

#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QString PanelName(const CCPPanel& panel)
{
    std::string name;
    return panel.GetName(name) ? Latin1ToQt(name).trimmed() : QString();
}

QString PanelLabel(const CCPPanel& panel)
{
    const QString name = PanelName(panel);
    return name.isEmpty() ? FormatInt(panel.m_nId)
                          : QStringLiteral("%1: %2").arg(FormatInt(panel.m_nId), name);
}

const QString& NoneLabel()
{
    static const QString none = QStringLiteral("-1: none");
    return none;
}
} // namespace

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
        auto* field = new QComboBox;
        field->setEditable(true);
        field->setInsertPolicy(QComboBox::NoInsert);
        field->setObjectName(name);
        field->lineEdit()->setObjectName(name);
        field->setMinimumContentsLength(14);
        field->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        // Typing part of a name offers the panels that have it; a typed id is never completed
        // into another one.
        field->completer()->setCompletionMode(QCompleter::PopupCompletion);
        field->completer()->setFilterMode(Qt::MatchContains);
        connect(field, &QComboBox::editTextChanged, this, [this, i] { UpdateButton(i); });
        m_apFields[size_t(i)] = field;
        m_dx.Custom([this, i] { ShowValue(i, m_anAdjPanels[size_t(i)]); },
                    [this, i, field] {
                        if (FieldValue(i, m_anAdjPanels[size_t(i)]))
                            return true;
                        CDialogRunner::Message(this, QStringLiteral("Please enter an integer."));
                        field->setFocus();
                        field->lineEdit()->selectAll();
                        return false;
                    });

        QPushButton* open = MakeButton(name, [this, i] { OpenNeighbour(i); });
        open->setFixedWidth(open->fontMetrics().horizontalAdvance(QStringLiteral("NW")) + 18);
        m_apButtons[size_t(i)] = open;

        auto* cell = new QWidget;
        auto* row = new QHBoxLayout(cell);
        row->setContentsMargins(0, 0, 0, 0);
        row->addWidget(open);
        row->addWidget(field);
        grid->addWidget(cell, kPlaces[i].row, kPlaces[i].column, Qt::AlignCenter);
    }
    auto* centre = new QLabel(QStringLiteral("Panel %1").arg(record->m_nId));
    centre->setAlignment(Qt::AlignCenter);
    centre->setFrameShape(QFrame::StyledPanel);
    centre->setMinimumSize(90, 40);
    grid->addWidget(centre, 1, 1, Qt::AlignCenter);

    auto* note = new QLabel(QStringLiteral("-1: no panel in that direction. A button opens the "
                                           "panel its field names."));
    note->setEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(note);
    layout->addStretch(1);
    FillLists();
    UpdateData(false);
}

void CCPPanelAdjPage::FillLists()
{
    const CCPManager* manager = m_pRecord->m_pManager;
    for (QComboBox* field : m_apFields) {
        const QString text = field->currentText();
        field->blockSignals(true);
        field->clear();
        field->addItem(NoneLabel(), -1);
        if (manager)
            for (const auto& panel : manager->m_aPanels)
                if (panel.get() != m_pRecord)
                    field->addItem(PanelLabel(*panel), panel->m_nId);
        field->setEditText(text);
        field->blockSignals(false);
    }
}

bool CCPPanelAdjPage::FieldValue(int direction, int& id) const
{
    const QString text = m_apFields[size_t(direction)]->currentText().trimmed();
    // "200" or "200: Front" as the list shows it.
    if (ParseInt(text.section(QLatin1Char(':'), 0, 0), id))
        return true;
    // A panel's name alone, when no other panel has it.
    const CCPPanel* found = nullptr;
    if (const CCPManager* manager = m_pRecord->m_pManager)
        for (const auto& panel : manager->m_aPanels) {
            if (text.isEmpty() || PanelName(*panel).compare(text, Qt::CaseInsensitive) != 0)
                continue;
            if (found)
                return false;
            found = panel.get();
        }
    if (found)
        id = found->m_nId;
    return found != nullptr;
}

void CCPPanelAdjPage::ShowValue(int direction, int id)
{
    QComboBox* field = m_apFields[size_t(direction)];
    const int index = field->findData(id);
    if (index >= 0)
        field->setCurrentIndex(index);
    field->setEditText(index >= 0 ? field->itemText(index) : FormatInt(id));
    UpdateButton(direction);
}

void CCPPanelAdjPage::UpdateButton(int direction)
{
    QPushButton* button = m_apButtons[size_t(direction)];
    int id = 0;
    const CCPPanel* panel = nullptr;
    if (FieldValue(direction, id) && m_pRecord->m_pManager)
        panel = m_pRecord->m_pManager->FindPanel(id);
    // The panel's own sheet is the one open already.
    const bool enabled = panel && panel != m_pRecord;
    button->setEnabled(enabled);
    button->setToolTip(
        enabled ? QStringLiteral("Open the properties of panel %1").arg(PanelLabel(*panel))
                : QStringLiteral("No panel in this direction"));
}

void CCPPanelAdjPage::OpenNeighbour(int direction)
{
    int id = 0;
    if (!FieldValue(direction, id))
        return;
    const std::array<int, 8> stored = m_pRecord->m_anAdjPanels;
    m_pRecord->OpenAdjacent(id);
    // Its sheet may have renamed a panel, or given one a new id, which the panel's entries
    // followed: a field still showing the old id follows too, or OK would write it back.
    std::array<int, 8> shown{};
    std::array<bool, 8> valid{};
    for (size_t i = 0; i < 8; ++i) {
        valid[i] = FieldValue(int(i), shown[i]);
        if (valid[i] && shown[i] == stored[i])
            shown[i] = m_pRecord->m_anAdjPanels[i];
    }
    FillLists();
    for (size_t i = 0; i < 8; ++i)
        if (valid[i])
            ShowValue(int(i), shown[i]);
}

void CCPPanelAdjPage::OnOK()
{
    m_pRecord->m_anAdjPanels = m_anAdjPanels;
}
