#pragma once

#include "cbackgroundsave.h"
#include "ccpplacedobject.h"
#include "ccprecord.h"
#include "cinstrumentfields.h"

#include <array>
#include <cstdint>

// An ADI record: an attitude indicator. A tall picture of the attitude ball in the template
// is seen through a window on the panel; the ILS limits are a panel rectangle of their own.
class CCPAdi : public CCPRecord<CCPAdi, CCPPlacedObject>, public CInstrumentFields
{
public:
    // Defaults in SetDefaults.
    CRect m_rcSrc;                       // "srcloc": the attitude ball picture
    CRect m_rcIlsLimits;                 // "ilslimits"
    bool m_bTransparent = false;         // word of the "destloc" line
    CBackgroundSave m_background;        // "bsurface", "bsrcloc", "bdestloc", "blitbackground"
    CRect m_rcBackDest;                  // "backdest"
    CRect m_rcBackSrc;                   // "backsrc"
    std::array<uint32_t, 5> m_aColors{}; // "color0" .. "color4", 0xAARRGGBB

    explicit CCPAdi(CCPManager* manager);
    CCPAdi(int id, CLineReader& ar, const std::string& comment, CCPManager* manager);

    void Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager) override;
    void Serialize(CLineWriter& ar) override;
    bool Check(CCheckMessageArray& messages, bool full) override;
    bool GetSrcRect(CRect* out) const override;
    void SetDestRect(const CRect* rc) override;
    void Draw(Canvas& dc, float scale) override;
    // The ball at pitch and roll (degrees, nose up and right wing down positive): the picture
    // spans -90..90 degrees of pitch over its height, and turns against the roll in the window.
    void DrawAttitude(Canvas& dc, float scale, float pitch, float roll) const;
    // Where the ball picture lands for pitch: the part of it shown and the panel rectangle that
    // part covers (beyond the picture's ends the picture moves off the window).
    void PitchPlacement(float pitch, CRect& band, CRect& dest) const;
    void DrawSelected(Canvas& dc, float scale) override;

private:
    void SetDefaults();
};
