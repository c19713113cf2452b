#include "ckeyreader.h"

#include "clinereader.h"
#include "cscanner.h"
#include "strformat.h"

void ReadKeys(CLineReader& ar, const char* badKeyMessage, const KeyHandler& handler)
{
    std::string line, key;
    while (ar.ReadLine(line)) {
        CTokenCursor cur(line);
        if (!cur.Next(key))
            continue;
        if (EqualsNoCase(key, "#end"))
            break;
        if (!handler(key, cur))
            ReportError(ar, badKeyMessage, key);
    }
}

bool ReadInt(CTokenCursor& cur, int& field, TokenSet set)
{
    std::string value;
    return cur.Next(value, set) && ScanInt(value, field);
}

bool ReadHex(CTokenCursor& cur, uint32_t& field, TokenSet set)
{
    std::string value;
    return cur.Next(value, set) && ScanHex(value, field);
}

bool ReadFloat(CTokenCursor& cur, float& field, TokenSet set)
{
    std::string value;
    return cur.Next(value, set) && ScanFloat(value, field);
}

bool ReadRect(CTokenCursor& cur, CRect& field)
{
    std::string value;
    if (!cur.Next(value, TokenSet::Value))
        return false;
    ScanRect(value, field);
    return true;
}

void AppendRect(CTokenCursor& cur, std::vector<CRect>& list)
{
    CRect rc;
    ReadRect(cur, rc);
    list.push_back(rc);
}
