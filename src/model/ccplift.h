#pragma once

#include "ccpobject.h"

// A LIFTLINE record: pan and tilt values with their label numbers; no panel position.
class CCPLift : public CCPObject
{
public:
    std::unique_ptr<CCPObject> CopyFields() const override { return CopyOf(*this); }
    void AssignFields(const CCPObject& from) override { AssignFrom(*this, from); }
    float m_fPan = 0;
    float m_fTilt = 0;
    int m_nPanLabel = 0;
    int m_nTiltLabel = 0;

    explicit CCPLift(CCPManager* manager) : CCPObject(manager) {}
    CCPLift(int id, CLineReader& ar, const std::string& comment, CCPManager* manager);

    int GetTypeCode() const override { return kLiftType; }
    std::string GetTypeName() const override { return "LiftLine"; }
    void Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager) override;
    void Serialize(CLineWriter& ar) override;
};

// The body of LIFTLINE and CHEVRON records: "pantilt" and "pantiltlabel" up to "#end"; other
// keys are reported with badKeyMessage.
void ReadPanTiltKeys(CLineReader& ar, const char* badKeyMessage, float& pan, float& tilt,
                     int& panLabel, int& tiltLabel);
