#pragma once

#include "cbackgroundsave.h"
#include "ccpplacedobject.h"
#include "ccprecord.h"
#include "cinstrumentfields.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// A DIAL record: a needle instrument. The calibration table maps instrument values to needle
// angles; the preview draws the needle at the value 0, or at any value the dial page previews.
class CCPDial : public CCPRecord<CCPDial, CCPPlacedObject>, public CInstrumentFields
{
public:
    // Defaults in SetDefaults.
    // "points": needle angles in radians, counter-clockwise from the positive x axis.
    std::vector<float> m_afPoints;
    // "values": the instrument value at the angle of the same index.
    std::vector<float> m_afValues;
    // The texts the entries of the lists were read as: an entry that still reads as one of them
    // is written with it again, so a table's digits survive a save (the sheet shows degrees).
    std::vector<std::string> m_astrPointText;
    std::vector<std::string> m_astrValueText;
    std::array<int, 3> m_anRadius{};     // "radius0" .. "radius2"
    std::array<uint32_t, 3> m_aColors{}; // "color0" .. "color2", 0xAARRGGBB
    CRect m_rcSrc;                       // "srcloc"
    CBackgroundSave m_background;        // "bsurface", "bsrcloc", "bdestloc"

    explicit CCPDial(CCPManager* manager);
    CCPDial(int id, CLineReader& ar, const std::string& comment, CCPManager* manager);

    void Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager) override;
    void Serialize(CLineWriter& ar) override;
    bool Check(CCheckMessageArray& messages, bool full) override;
    bool GetSrcRect(CRect* out) const override;
    void SetDestRect(const CRect* rc) override;
    void Draw(Canvas& dc, float scale) override;

    // The needle angle of the value 0, within -pi..pi; false when the table has fewer than two
    // points or values, or its first two values are equal.
    bool ZeroAngle(float& angle) const;
    // The needle angle of value through the calibration table, as the needle would stand in
    // flight: linear between neighbouring entries, held at the entry nearest to a value beyond
    // the table. False when fewer than two entries have both a point and a value, or no two
    // neighbours differ in value.
    bool NeedleAngle(float value, float& angle) const;
    // The needle at angle (radians), centred on the source rectangle.
    void DrawNeedle(Canvas& dc, float scale, float angle) const;
    // The point the needle turns about, on the panel at zoom 1.
    void NeedleCentre(double& cx, double& cy) const;
    // The turn from one point of the table to the next: the needle always turns clockwise
    // (0 or below).
    static float ClockwiseSpan(float from, float to);

private:
    void SetDefaults();
};
