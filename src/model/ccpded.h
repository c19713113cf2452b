#pragma once

#include "ccpplacedobject.h"
#include "ccprecord.h"

#include <cstdint>

// A DED record: the area of a text display, of the kind "ded" (0) or "pfl" (1).
class CCPDed : public CCPRecord<CCPDed, CCPPlacedObject>
{
public:
    int m_nCallbackSlot = -1;
    uint32_t m_nCycleBits = 0xffff;  // a record read from a file without the key gets 0xffffffff
    uint32_t m_nColor0 = 0xff38e0f8; // text colour, 0xAARRGGBB
    int m_nDedType = 0;

    explicit CCPDed(CCPManager* manager) : CCPRecord(manager) {}
    CCPDed(int id, CLineReader& ar, const std::string& comment, CCPManager* manager);

    void Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager) override;
    void Serialize(CLineWriter& ar) override;
    bool Check(CCheckMessageArray& messages, bool full) override;
    void DrawSelected(Canvas& dc, float scale) override;
};
