#pragma once

#include "ccpobject.h"

class CCPSound : public CCPObject
{
public:
    std::unique_ptr<CCPObject> CopyFields() const override { return CopyOf(*this); }
    void AssignFields(const CCPObject& from) override { AssignFrom(*this, from); }
    int m_nEntry = 0;

    explicit CCPSound(CCPManager* manager) : CCPObject(manager) {}
    CCPSound(int id, CLineReader& ar, const std::string& comment, CCPManager* manager);

    int GetTypeCode() const override { return kSoundType; }
    int GetImageIndex() const override { return 26; }
    bool IsSound() const override { return true; }
    std::string GetTypeName() const override { return "Sound"; }
    void Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager) override;
    void Serialize(CLineWriter& ar) override;
};
