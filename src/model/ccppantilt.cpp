#include "ccppantilt.h"

#include "ckeyreader.h"
#include "clinewriter.h"
#include "cscanner.h"
#include "ctokencursor.h"
#include "strformat.h"

CCPPanTilt::CCPPanTilt(const CRecordType& type, CCPManager* manager)
    : CCPRecord(manager), m_pType(&type)
{
}

CCPPanTilt::CCPPanTilt(const CRecordType& type, int id, CLineReader& ar, const std::string& comment,
                       CCPManager* manager)
    : CCPRecord(manager), m_pType(&type)
{
    Load(id, ar, comment, manager);
}

void CCPPanTilt::Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
{
    CCPObject::Load(id, ar, comment, manager);
    m_fPan = m_fTilt = 0;
    m_nPanLabel = m_nTiltLabel = 0;
    const std::string badKey = GetTypeName() + " Bad string";
    ReadKeys(ar, badKey.c_str(), [&](std::string_view key, CTokenCursor& cur) {
        std::string_view value;
        if (EqualsNoCase(key, "pantilt")) {
            if (cur.Next(value, TokenSet::Value)) {
                CScanner s(value);
                s.Float(m_fPan) && s.Float(m_fTilt);
            }
        } else if (EqualsNoCase(key, "pantiltlabel")) {
            if (cur.Next(value, TokenSet::Value)) {
                CScanner s(value);
                s.Int(m_nPanLabel) && s.Int(m_nTiltLabel);
            }
        } else {
            return false;
        }
        return true;
    });
}

void CCPPanTilt::Serialize(CLineWriter& ar)
{
    WriteHeader(ar, m_pType->keyword);
    WriteFloatPair(ar, "pantilt", m_fPan, m_fTilt);
    // A LIFTLINE's -1 stands for an unset pan label: such a record carries no label line.
    if (m_nPanLabel != -1 || GetTypeCode() != kLiftType)
        WritePoint(ar, "pantiltlabel", m_nPanLabel, m_nTiltLabel);
    WriteEnd(ar);
}
