#pragma once

#include "ccpplacedobject.h"

#include <cstdint>

// A KNEEVIEW record: the area of the knee view on a panel.
class CCPKnee : public CCPPlacedObject
{
public:
    std::unique_ptr<CCPObject> CopyFields() const override { return CopyOf(*this); }
    void AssignFields(const CCPObject& from) override { AssignFrom(*this, from); }
    uint32_t m_nCycleBits = 0xffff;

    explicit CCPKnee(CCPManager* manager) : CCPPlacedObject(manager) {}
    CCPKnee(int id, CLineReader& ar, const std::string& comment, CCPManager* manager);

    int GetTypeCode() const override { return kKneeType; }
    int GetImageIndex() const override { return 20; }
    std::string GetTypeName() const override { return "KneeView"; }
    void Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager) override;
    void Serialize(CLineWriter& ar) override;
};
