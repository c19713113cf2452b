#include "ccpsound.h"

#include "clinereader.h"
#include "clinewriter.h"
#include "cscanner.h"
#include "ctokencursor.h"
#include "strformat.h"

CCPSound::CCPSound(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
    : CCPObject(manager)
{
    Load(id, ar, comment, manager);
}

void CCPSound::Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
{
    m_nEntry = 0;
    CCPObject::Load(id, ar, comment, manager);
    std::string line, key, value;
    while (ar.ReadLine(line)) {
        CTokenCursor cur(line);
        if (!cur.Next(key))
            continue;
        if (EqualsNoCase(key, "#end"))
            break;
        if (EqualsNoCase(key, "entry")) {
            // Text that is no number reads as 0.
            if (cur.Next(value, TokenSet::Value) && !ScanInt(value, m_nEntry))
                m_nEntry = 0;
        } else {
            ReportError(ar, "Sound Bad string", key);
        }
    }
}

void CCPSound::Serialize(CLineWriter& ar)
{
    WriteHeader(ar, "SOUND");
    WriteInt(ar, "entry", m_nEntry);
    WriteEnd(ar);
}
