#pragma once

#include "ccpplacedobject.h"

#include <cstdint>

// A TEXT record: a text area on a panel with the number of strings it shows.
class CCPText : public CCPPlacedObject
{
public:
    std::unique_ptr<CCPObject> CopyFields() const override { return CopyOf(*this); }
    void AssignFields(const CCPObject& from) override { AssignFrom(*this, from); }
    uint32_t m_nCycleBits = 0xffff;
    int m_nCallbackSlot = -1;
    int m_nNumStrings = 2;

    explicit CCPText(CCPManager* manager) : CCPPlacedObject(manager) {}
    CCPText(int id, CLineReader& ar, const std::string& comment, CCPManager* manager);

    int GetTypeCode() const override { return kTextType; }
    int GetImageIndex() const override { return 18; }
    std::string GetTypeName() const override { return "Text"; }
    void Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager) override;
    void Serialize(CLineWriter& ar) override;
};
