#pragma once

#include "ccppage.h"

#include <array>
#include <string>

class CCPMachAsi;

// "Mach Hsi Properties": every setting of the Mach and airspeed dial; "Dest" edits its frame
// directly.
class CCPMachAsiPage : public CCPPage
{
    Q_OBJECT

public:
    explicit CCPMachAsiPage(CCPMachAsi* record, QWidget* parent = nullptr);

    int m_nCallbackSlot;
    std::string m_strCycleBits;
    int m_nSurface;
    int m_nPersistent;
    int m_bTransparent;
    int m_nNeedleRadius;
    float m_fArcLength;
    float m_fStartAngle;
    float m_fEndAngle;
    float m_fEndLength;
    float m_fMaxVal;
    float m_fMinVal;
    std::array<std::string, 2> m_astrColors;

    void OnOK() override;

private:
    CCPMachAsi* m_pRecord;
};
