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
    void DrawSelected(Canvas& dc, float scale) override;
};
