#pragma once

#include "ccppage.h"

#include <array>

class CCPPanel;

// "Adjacent Panel Properties": the ids of the eight neighbouring panels laid out as a compass
// (-1: none). The small direction buttons open the neighbour's own sheet on top.
class CCPPanelAdjPage : public CCPPage
{
    Q_OBJECT

public:
    explicit CCPPanelAdjPage(CCPPanel* record, QWidget* parent = nullptr);

    std::array<int, 8> m_anAdjPanels; // N, NE, E, SE, S, SW, W, NW

    void OnOK() override;

private:
    CCPPanel* m_pRecord;
};
