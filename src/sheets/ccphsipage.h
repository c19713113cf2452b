#pragma once

#include "ccppage.h"

#include <array>
#include <cstdint>
#include <string>

class CCPHsi;
class QCheckBox;

// "Hsi Properties": callback slot, cycle bits, background surface, persistence, the flags of
// the three panel places and which moving parts the preview draws; the rectangle buttons edit
// the places, the two template pieces and the warning flag directly.
class CCPHsiPage : public CCPPage
{
    Q_OBJECT

public:
    explicit CCPHsiPage(CCPHsi* record, QWidget* parent = nullptr);

    int m_nCallbackSlot;
    std::string m_strCycleBits;
    int m_nSurface;
    int m_nPersistent;
    std::array<int, 3> m_abTransparent;
    std::array<int, 10> m_abDrawPart; // one per bit of the draw-parts mask, lowest first

    void OnOK() override;

private:
    CCPHsi* m_pRecord;
};
