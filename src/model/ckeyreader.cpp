#include "ckeyreader.h"

#include "clinereader.h"
#include "cscanner.h"
#include "strformat.h"

bool ReadInt(CTokenCursor& cur, int& field, TokenSet set)
{
    return cur.NextInt(field, set);
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
    return cur.NextRect(field);
}

void AppendRect(CTokenCursor& cur, std::vector<CRect>& list)
{
    CRect rc;
    ReadRect(cur, rc);
    list.push_back(rc);
}
