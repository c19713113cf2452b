#pragma once

#include "ccprecord.h"

class CCPSound : public CCPRecord<CCPSound>
{
public:
    int m_nEntry = 0;

    explicit CCPSound(CCPManager* manager) : CCPRecord(manager) {}
    CCPSound(int id, CLineReader& ar, const std::string& comment, CCPManager* manager);

    bool IsSound() const override { return true; }
    void Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager) override;
    void Serialize(CLineWriter& ar) override;
};
