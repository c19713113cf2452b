#include "ccptext.h"

#include "ckeyreader.h"
#include "clinewriter.h"
#include "ctokencursor.h"
#include "strformat.h"

CCPText::CCPText(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
    : CCPRecord(manager)
{
    Load(id, ar, comment, manager);
}

void CCPText::Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
{
    CCPObject::Load(id, ar, comment, manager);
    m_rcDest = CRect(0, 0, 10, 10);
    m_nCycleBits = 0xffff;
    m_nCallbackSlot = -1;
    m_nNumStrings = 2;

    ReadKeys(ar, "Text Bad string", [&](std::string_view key, CTokenCursor& cur) {
        if (EqualsNoCase(key, "cyclebits"))
            ReadHex(cur, m_nCycleBits, TokenSet::Value);
        else if (EqualsNoCase(key, "destloc"))
            ReadRect(cur, m_rcDest);
        else if (EqualsNoCase(key, "callbackslot"))
            ReadInt(cur, m_nCallbackSlot);
        else if (EqualsNoCase(key, "numstrings"))
            ReadInt(cur, m_nNumStrings);
        else
            return false;
        return true;
    });
}

void CCPText::Serialize(CLineWriter& ar)
{
    WriteHeader(ar, "TEXT");
    WriteHex(ar, "cyclebits", m_nCycleBits);
    WriteInt(ar, "callbackslot", m_nCallbackSlot);
    WriteInt(ar, "numstrings", m_nNumStrings);
    WriteRect(ar, "destloc", m_rcDest);
    WriteEnd(ar);
}
