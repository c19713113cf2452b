#pragma once

#include "ccprecord.h"
#include "cinstrumentfields.h"

#include <cstdint>
#include <vector>

// A DIGITS record: one digit picture (a source rect of the template, one per digit 0..9) on
// every destination rect of the panel.
class CCPDigits : public CCPRecord<CCPDigits>, public CInstrumentFields
{
public:
    std::vector<CRect> m_arcSrc;  // "srcloc" lines, digit 0, 1, 2 ...
    std::vector<CRect> m_arcDest; // "destloc" lines, one per digit place
    int m_nCurrentDigit = 5;      // the digit the preview shows; not in the file

    explicit CCPDigits(CCPManager* manager) : CCPRecord(manager) {}
    CCPDigits(int id, CLineReader& ar, const std::string& comment, CCPManager* manager);

    void Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager) override;
    void Serialize(CLineWriter& ar) override;
    bool Check(CCheckMessageArray& messages, bool full) override;
    void NextState() override;
    bool GetDestRect(CRect* out) const override;
    bool GetSrcRect(CRect* out) const override;
    void Draw(Canvas& dc, float scale) override;
    // value as a whole number, one digit per place, the first place the most significant; a
    // value beyond what the places can show stops at 0 or all nines.
    void DrawAtValue(Canvas& dc, float scale, float value) const;
    // The digit each place shows at value.
    std::vector<int> DigitsOf(float value) const;
    // The largest number the places show (all nines), at most 999999999.
    double MaxShown() const;
    void DrawSelected(Canvas& dc, float scale) override;
};
