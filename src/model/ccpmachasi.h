#pragma once

#include "cbackgroundsave.h"
#include "ccpplacedobject.h"
#include "ccprecord.h"
#include "cinstrumentfields.h"

#include <array>
#include <cstdint>

// A MACHASI record: a combined Mach and airspeed dial drawn by the simulator from its needle
// and arc geometry. It takes no template piece; the preview shows only its frame.
class CCPMachAsi : public CCPRecord<CCPMachAsi, CCPPlacedObject>, public CInstrumentFields
{
public:
    // Defaults in SetDefaults; a record read from a file starts with all cycle bits set.
    bool m_bTransparent = false;         // word of the "destloc" line
    std::array<uint32_t, 2> m_aColors{}; // "color0", "color1", 0xAARRGGBB
    float m_fEndAngle = 0.0f;
    float m_fEndLength = 0.0f;
    float m_fMinVal = 0.0f;
    float m_fMaxVal = 0.0f;
    float m_fStartAngle = 0.0f;
    float m_fArcLength = 0.0f;
    int m_nNeedleRadius = 0;
    CBackgroundSave m_background; // "bsurface", "bsrcloc", "bdestloc"

    explicit CCPMachAsi(CCPManager* manager);
    CCPMachAsi(int id, CLineReader& ar, const std::string& comment, CCPManager* manager);

    void Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager) override;
    void Serialize(CLineWriter& ar) override;

    // The needle's angle at value (radians, counter-clockwise from the x axis): it sweeps
    // clockwise from startangle over arclength as value runs from minval to maxval, and stops
    // at the ends.
    float NeedleAngle(float value) const;
    // The needle at value, from the middle of the place, needleradius long, in colour 0.
    void DrawAtValue(Canvas& dc, float scale, float value) const;

private:
    void SetDefaults();
};
