#pragma once

#include "ccpplacedobject.h"
#include "ccprecord.h"

#include <cstdint>

// A TEXT record: a text area on a panel with the number of strings it shows.
class CCPText : public CCPRecord<CCPText, CCPPlacedObject>
{
public:
    uint32_t m_nCycleBits = 0xffff;
    int m_nCallbackSlot = -1;
    int m_nNumStrings = 2;

    explicit CCPText(CCPManager* manager) : CCPRecord(manager) {}
    CCPText(int id, CLineReader& ar, const std::string& comment, CCPManager* manager);

    void Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager) override;
    void Serialize(CLineWriter& ar) override;
};
