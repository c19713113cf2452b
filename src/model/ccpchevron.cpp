#include "ccpchevron.h"

#include "ccplift.h"
#include "clinewriter.h"

CCPChevron::CCPChevron(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
    : CCPObject(manager)
{
    Load(id, ar, comment, manager);
}

void CCPChevron::Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
{
    CCPObject::Load(id, ar, comment, manager);
    m_fPan = m_fTilt = 0;
    m_nPanLabel = m_nTiltLabel = 0;
    ReadPanTiltKeys(ar, "Chevron Bad string", m_fPan, m_fTilt, m_nPanLabel, m_nTiltLabel);
}

void CCPChevron::Serialize(CLineWriter& ar)
{
    WriteHeader(ar, "CHEVRON");
    WriteFloatPair(ar, "pantilt", m_fPan, m_fTilt);
    WritePoint(ar, "pantiltlabel", m_nPanLabel, m_nTiltLabel);
    WriteEnd(ar);
}
