#include "ckeyreader.h"

#include "clinereader.h"
#include "cscanner.h"
#include "strformat.h"

bool ReadInt(CTokenCursor& cur, int& field, TokenSet set)
{
    std::string_view value;
    return cur.Next(value, set) && ScanInt(value, field);
}

bool ReadHex(CTokenCursor& cur, uint32_t& field, TokenSet set)
{
    std::string_view value;
    return cur.Next(value, set) && ScanHex(value, field);
}

bool ReadFloat(CTokenCursor& cur, float& field, TokenSet set)
{
    std::string_view value;
    return cur.Next(value, set) && ScanFloat(value, field);
}

bool ReadRect(CTokenCursor& cur, CRect& field)
{
    std::string_view value;
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
