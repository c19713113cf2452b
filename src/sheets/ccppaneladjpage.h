#pragma once

#include "ccppage.h"

#include <array>

class CCPPanel;
class QComboBox;
class QPushButton;

// "Adjacent Panel Properties": the ids of the eight neighbouring panels laid out as a compass
// (-1: none). Each field lists the cockpit's panels by id and name; an id that is no panel can
// still be typed, as the file allows it. The small direction buttons open the sheet of the
// panel their field names, on top; with no such panel the button is disabled.
class CCPPanelAdjPage : public CCPPage
{
    Q_OBJECT

public:
    explicit CCPPanelAdjPage(CCPPanel* record, QWidget* parent = nullptr);

    std::array<int, 8> m_anAdjPanels; // N, NE, E, SE, S, SW, W, NW

    void OnOK() override;

private:
    // The id the field for direction shows: a number, a listed "id: name", or a panel's name.
    bool FieldValue(int direction, int& id) const;
    void ShowValue(int direction, int id);
    void FillLists();
    void UpdateButton(int direction);
    void OpenNeighbour(int direction);

    CCPPanel* m_pRecord;
    std::array<QComboBox*, 8> m_apFields{};
    std::array<QPushButton*, 8> m_apButtons{};
};
