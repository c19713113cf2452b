#pragma once

#include "ccpobject.h"

// A CHEVRON record: pan and tilt values with their label numbers; no panel position.
class CCPChevron : public CCPObject
{
public:
    std::unique_ptr<CCPObject> CopyFields() const override { return CopyOf(*this); }
    void AssignFields(const CCPObject& from) override { AssignFrom(*this, from); }
    float m_fPan = 0;
    float m_fTilt = 0;
    int m_nPanLabel = 0;
    int m_nTiltLabel = 0;

    explicit CCPChevron(CCPManager* manager) : CCPObject(manager) {}
    CCPChevron(int id, CLineReader& ar, const std::string& comment, CCPManager* manager);

    int GetTypeCode() const override { return kChevronType; }
    std::string GetTypeName() const override { return "Chevron"; }
    void Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager) override;
    void Serialize(CLineWriter& ar) override;
};
