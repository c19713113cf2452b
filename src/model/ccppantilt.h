#pragma once

#include "ccprecord.h"

// A CHEVRON or a LIFTLINE record: pan and tilt values with their label numbers; no panel
// position. The two types differ in their row of the type table (keyword, code, name) and in
// one rule: a LIFTLINE leaves out an unset (-1) pan label.
class CCPPanTilt : public CCPRecord<CCPPanTilt>
{
public:
    float m_fPan = 0;
    float m_fTilt = 0;
    int m_nPanLabel = 0;
    int m_nTiltLabel = 0;

    // type: the CHEVRON or the LIFTLINE row of the type table.
    CCPPanTilt(const CRecordType& type, CCPManager* manager);
    CCPPanTilt(const CRecordType& type, int id, CLineReader& ar, const std::string& comment,
               CCPManager* manager);

    const CRecordType& GetRecordType() const override { return *m_pType; }
    void Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager) override;
    void Serialize(CLineWriter& ar) override;

private:
    const CRecordType* m_pType;
};
