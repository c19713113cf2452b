#pragma once

#include "ccpobject.h"

#include <cstdint>

// A KNEEVIEW record: the area of the knee view on a panel.
class CCPKnee : public CCPObject
{
  public:
    uint32_t m_nCycleBits = 0xffff;
    CRect m_rcDest{0, 0, 10, 10};

    explicit CCPKnee(CCPManager* manager) : CCPObject(manager) {}
    CCPKnee(int id, CLineReader& ar, const std::string& comment, CCPManager* manager);

    int GetTypeCode() const override { return 10; }
    int GetImageIndex() const override { return 20; }
    std::string GetTypeName() const override { return "KneeView"; }
    void Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager) override;
    void Serialize(CLineWriter& ar) override;
    bool GetDestRect(CRect* out) const override;
    void SetDestRect(const CRect* rc) override;
    void DrawSelected(Canvas& dc, float scale) override;
};
