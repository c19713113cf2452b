#include "ccpsound.h"

#include "ckeyreader.h"
#include "clinewriter.h"
#include "cscanner.h"
#include "ctokencursor.h"
#include "strformat.h"

CCPSound::CCPSound(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
    : CCPRecord(manager)
{
    Load(id, ar, comment, manager);
}

void CCPSound::Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
{
    m_nEntry = 0;
    CCPObject::Load(id, ar, comment, manager);
    ReadKeys(ar, "Sound Bad string", [&](std::string_view key, CTokenCursor& cur) {
        std::string_view value;
        if (EqualsNoCase(key, "entry")) {
            // Text that is no number reads as 0.
            if (cur.Next(value, TokenSet::Value) && !ScanInt(value, m_nEntry))
                m_nEntry = 0;
        } else {
            return false;
        }
        return true;
    });
}

void CCPSound::Serialize(CLineWriter& ar)
{
    WriteHeader(ar, "SOUND");
    WriteInt(ar, "entry", m_nEntry);
    WriteEnd(ar);
}
