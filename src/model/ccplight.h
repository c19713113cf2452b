#pragma once

#include "ccprecord.h"
#include "cinstrumentfields.h"

#include <cstdint>
#include <vector>

// A LIGHT record: a light with one source rect of the template per state, shown on one
// destination rect; state 0 shows the panel's own picture.
class CCPLight : public CCPRecord<CCPLight>, public CInstrumentFields
{
public:
    bool m_bTransparent = true; // word of the "destloc" line: "transparent" or "opaque"
    CRect m_rcDest{0, 0, 10, 10};
    std::vector<CRect> m_arcSrc; // one per state
    int m_nInitState = 0;
    int m_nCursorId = 0;     // written only when not negative
    int m_nCurrentState = 0; // the state the preview shows; not in the file

    explicit CCPLight(CCPManager* manager) : CCPRecord(manager) {}
    CCPLight(int id, CLineReader& ar, const std::string& comment, CCPManager* manager);

    void Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager) override;
    void Serialize(CLineWriter& ar) override;
    bool Check(CCheckMessageArray& messages, bool full) override;
    void NextState() override;
    bool GetDestRect(CRect* out) const override;
    bool GetSrcRect(CRect* out) const override;
    void SetDestRect(const CRect* rc) override;
    void SetSrcRect(const CRect* rc) override;
    void MakeSameSize() override;
    void Draw(Canvas& dc, float scale) override;
    // The state value stands for (rounded, held within the states), as the simulator shows it.
    void DrawAtValue(Canvas& dc, float scale, float value) const;
    int StateOf(float value) const;
    void DrawSelected(Canvas& dc, float scale) override;
};
