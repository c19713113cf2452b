#pragma once

#include "ccpplacedobject.h"
#include "ccprecord.h"

#include <cstdint>

// A KNEEVIEW record: the area of the knee view on a panel.
class CCPKnee : public CCPRecord<CCPKnee, CCPPlacedObject>
{
public:
    uint32_t m_nCycleBits = 0xffff;

    explicit CCPKnee(CCPManager* manager) : CCPRecord(manager) {}
    CCPKnee(int id, CLineReader& ar, const std::string& comment, CCPManager* manager);

    void Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager) override;
    void Serialize(CLineWriter& ar) override;
};
