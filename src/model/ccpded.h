#pragma once

#include "ccpplacedobject.h"

#include <cstdint>

// A DED record: the area of a text display, of the kind "ded" (0) or "pfl" (1).
class CCPDed : public CCPPlacedObject
{
public:
    std::unique_ptr<CCPObject> CopyFields() const override { return CopyOf(*this); }
    void AssignFields(const CCPObject& from) override { AssignFrom(*this, from); }
    int m_nCallbackSlot = -1;
    uint32_t m_nCycleBits = 0xffff;  // a record read from a file without the key gets 0xffffffff
    uint32_t m_nColor0 = 0xff38e0f8; // text colour, 0xAARRGGBB
    int m_nDedType = 0;

    explicit CCPDed(CCPManager* manager) : CCPPlacedObject(manager) {}
    CCPDed(int id, CLineReader& ar, const std::string& comment, CCPManager* manager);

    int GetTypeCode() const override { return kDedType; }
    int GetImageIndex() const override { return 22; }
    std::string GetTypeName() const override { return "Ded"; }
    void Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager) override;
    void Serialize(CLineWriter& ar) override;
    bool Check(CCheckMessageArray& messages, bool full) override;
    void DrawSelected(Canvas& dc, float scale) override;
};
