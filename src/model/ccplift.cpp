#include "ccplift.h"

#include "ckeyreader.h"
#include "clinewriter.h"
#include "cscanner.h"
#include "ctokencursor.h"
#include "strformat.h"

CCPLift::CCPLift(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
    : CCPObject(manager)
{
    Load(id, ar, comment, manager);
}

void CCPLift::Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
{
    CCPObject::Load(id, ar, comment, manager);
    m_fPan = m_fTilt = 0;
    m_nPanLabel = m_nTiltLabel = 0;
    ReadPanTiltKeys(ar, "LiftLine Bad string", m_fPan, m_fTilt, m_nPanLabel, m_nTiltLabel);
}

void CCPLift::Serialize(CLineWriter& ar)
{
    WriteHeader(ar, "LIFTLINE");
    WriteFloatPair(ar, "pantilt", m_fPan, m_fTilt);
    // -1 stands for an unset pan label: such a record carries no label line.
    if (m_nPanLabel != -1)
        WritePoint(ar, "pantiltlabel", m_nPanLabel, m_nTiltLabel);
    WriteEnd(ar);
}

void ReadPanTiltKeys(CLineReader& ar, const char* badKeyMessage, float& pan, float& tilt,
                     int& panLabel, int& tiltLabel)
{
    ReadKeys(ar, badKeyMessage, [&](std::string_view key, CTokenCursor& cur) {
        std::string value;
        if (EqualsNoCase(key, "pantilt")) {
            if (cur.Next(value, TokenSet::Value)) {
                CScanner s(value);
                s.Float(pan) && s.Float(tilt);
            }
        } else if (EqualsNoCase(key, "pantiltlabel")) {
            if (cur.Next(value, TokenSet::Value)) {
                CScanner s(value);
                s.Int(panLabel) && s.Int(tiltLabel);
            }
        } else {
            return false;
        }
        return true;
    });
}
