#pragma once

#include "ccprecord.h"

#include <vector>

// A BUTTONVIEW record: one picture of a button on a panel, one source rect per state.
class CCPButtonView : public CCPRecord<CCPButtonView>
{
public:
    bool m_bTransparent = true;
    int m_nParentButton = 0;
    int m_nPersistent = 0; // 0 not persistent, 1 persistent, 2 electrical
    std::vector<CRect> m_arcSrc;
    CRect m_rcDest{0, 0, 10, 10};
    int m_nCurrentState = 0;

    explicit CCPButtonView(CCPManager* manager) : CCPRecord(manager) {}
    CCPButtonView(int id, CLineReader& ar, const std::string& comment, CCPManager* manager);

    bool IsButtonView() const override { return true; }
    void Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager) override;
    void Serialize(CLineWriter& ar) override;
    bool Check(CCheckMessageArray& messages, bool full) override;
    void NextState() override;
    bool GetDestRect(CRect* out) const override;
    void SetDestRect(const CRect* rc) override;
    bool GetSrcRect(CRect* out) const override;
    void SetSrcRect(const CRect* rc) override;
    void MakeSameSize() override;
    void Draw(Canvas& dc, float scale) override;
    void DrawSelected(Canvas& dc, float scale) override;
};
