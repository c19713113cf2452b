#pragma once

#include "canvas.h"
#include "cbackgroundsave.h"
#include "ccprecord.h"
#include "cinstrumentfields.h"

#include <array>
#include <cstdint>

// An HSI record: a horizontal situation indicator. Two template pieces (the compass card and
// a second piece) on up to three panel places, a warning flag rectangle, and a preview that
// draws the moving parts as vector shapes over the first place.
class CCPHsi : public CCPRecord<CCPHsi>, public CInstrumentFields
{
public:
    // Bits of m_nDrawParts: the moving parts the preview draws.
    enum DrawPart : uint32_t
    {
        kAircraft = 0x1,
        kTo = 0x2,
        kFrom = 0x4,
        kCourse = 0x8,
        kCircle = 0x10,
        kDeviation = 0x20,
        kDevWarn = 0x40,
        kBearing = 0x80,
        kHeading = 0x100,
        kCourseWarn = 0x200,
    };

    // Defaults in SetDefaults.
    std::array<CRect, 2> m_arcSrc; // "srcloc" lines: compass card, then the second piece
    // "destloc" lines: the frame and compass card, the second piece, one stored only.
    std::array<CRect, 3> m_arcDest;
    std::array<bool, 3> m_abTransparent{}; // the word of each "destloc" line
    CBackgroundSave m_background;          // "bsurface", "bsrcloc", "bdestloc"
    CRect m_rcWarnFlag;                    // "warnflag"

    // Preview settings, not in the file: every read record starts with all parts on.
    uint32_t m_nDrawParts = 0;
    Rgb m_rgbTo = MakeRgb(255, 108, 30);
    Rgb m_rgbWarning = MakeRgb(255, 0, 0);
    Rgb m_rgbHeading = MakeRgb(70, 150, 70);
    Rgb m_rgbBearing = MakeRgb(255, 60, 50);
    Rgb m_rgbCourse = MakeRgb(240, 220, 115);
    Rgb m_rgbAircraft = MakeRgb(224, 224, 224);
    Rgb m_rgbDeviation = MakeRgb(240, 220, 115);
    Rgb m_rgbDevWarning = MakeRgb(253, 0, 0);

    explicit CCPHsi(CCPManager* manager);
    CCPHsi(int id, CLineReader& ar, const std::string& comment, CCPManager* manager);

    void Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager) override;
    void Serialize(CLineWriter& ar) override;
    bool GetDestRect(CRect* out) const override;
    void SetDestRect(const CRect* rc) override;
    void Draw(Canvas& dc, float scale) override;
    // As Draw, the compass card turned to heading (degrees): the heading flown reads at the top.
    void DrawAtHeading(Canvas& dc, float scale, float heading);
    void DrawSelected(Canvas& dc, float scale) override;

private:
    void SetDefaults();
    // The second piece and the moving parts.
    void DrawOverCard(Canvas& dc, float scale);
};
