#pragma once

#include "ccprecord.h"
#include "cinstrumentfields.h"

#include <cstdint>
#include <vector>

// An INDICATOR record: a moving-tape instrument. Each tape is a strip of the template seen
// through a panel window; the tapes are the record's states and the rectangle operations act
// on the current one.
class CCPIndicator : public CCPRecord<CCPIndicator>, public CInstrumentFields
{
public:
    // Defaults in SetDefaults.
    float m_fMinVal = 0.0f;
    float m_fMaxVal = 0.0f;
    std::vector<int> m_anMinPos;  // "minpos", one per tape
    std::vector<int> m_anMaxPos;  // "maxpos", one per tape
    std::vector<CRect> m_arcSrc;  // "srcloc", one per tape; its length is the number of tapes
    std::vector<CRect> m_arcDest; // "destloc", one per tape
    int m_nCalibrationVal = 0;
    int m_nOrientation = 0; // 1 vertical, 0 horizontal
    int m_nCurrentTape = 0; // not in the file

    explicit CCPIndicator(CCPManager* manager);
    CCPIndicator(int id, CLineReader& ar, const std::string& comment, CCPManager* manager);

    void Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager) override;
    void Serialize(CLineWriter& ar) override;
    void NextState() override;
    bool GetDestRect(CRect* out) const override;
    bool GetSrcRect(CRect* out) const override;
    void SetDestRect(const CRect* rc) override;
    void SetSrcRect(const CRect* rc) override;
    void Draw(Canvas& dc, float scale) override;
    // Every tape moved to value: between minval and maxval the window's centre line runs from
    // the tape's minpos to its maxpos (template pixels up from the strip's bottom, so that
    // greater values stand higher, or from its left when horizontal); beyond them it stays at
    // the end. The window never leaves the strip.
    void DrawAtValue(Canvas& dc, float scale, float value) const;
    // The part of tape i's strip the window shows at value.
    CRect TapeWindow(size_t i, float value) const;
    void DrawSelected(Canvas& dc, float scale) override;

    int GetTapeCount() const { return int(m_arcSrc.size()); }

private:
    void SetDefaults();
};
