#include "ccpknee.h"

#include "ckeyreader.h"
#include "clinewriter.h"
#include "ctokencursor.h"
#include "strformat.h"

CCPKnee::CCPKnee(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
    : CCPRecord(manager)
{
    Load(id, ar, comment, manager);
}

void CCPKnee::Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
{
    CCPObject::Load(id, ar, comment, manager);
    m_nCycleBits = 0xffff;
    m_rcDest = CRect(0, 0, 10, 10);

    ReadKeys(ar, "Kneeview Bad string", [&](std::string_view key, CTokenCursor& cur) {
        if (EqualsNoCase(key, "cyclebits"))
            ReadHex(cur, m_nCycleBits, TokenSet::Value);
        else if (EqualsNoCase(key, "destloc"))
            ReadRect(cur, m_rcDest);
        else
            return false;
        return true;
    });
}

void CCPKnee::Serialize(CLineWriter& ar)
{
    WriteHeader(ar, "KNEEVIEW");
    WriteHex(ar, "cyclebits", m_nCycleBits);
    WriteRect(ar, "destloc", m_rcDest);
    WriteEnd(ar);
}
