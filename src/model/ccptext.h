#pragma once

#include "ccpobject.h"

#include <cstdint>

// A TEXT record: a text area on a panel with the number of strings it shows.
class CCPText : public CCPObject
{
  public:
    CRect m_rcDest{0, 0, 10, 10};
    uint32_t m_nCycleBits = 0xffff;
    int m_nCallbackSlot = -1;
    int m_nNumStrings = 2;

    explicit CCPText(CCPManager* manager) : CCPObject(manager) {}
    CCPText(int id, CLineReader& ar, const std::string& comment, CCPManager* manager);

    int GetTypeCode() const override { return 17; }
    int GetImageIndex() const override { return 18; }
    std::string GetTypeName() const override { return "Text"; }
    void Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager) override;
    void Serialize(CLineWriter& ar) override;
    bool GetDestRect(CRect* out) const override;
    void SetDestRect(const CRect* rc) override;
    void DrawSelected(Canvas& dc, float scale) override;
};
