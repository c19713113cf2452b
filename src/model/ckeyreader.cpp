#include "ckeyreader.h"

#include "clinereader.h"
#include "cscanner.h"
#include "strformat.h"

void TakeText(CLineReader& ar, std::string_view value, std::string& field)
{
    constexpr size_t kStep = size_t(1) << 20;
    field.clear();
    field.reserve(value.size());
    for (size_t at = 0; at < value.size(); at += kStep) {
        const std::string_view part = value.substr(at, kStep);
        field += part;
        ar.LetGoBefore(part.data() + part.size());
    }
}

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
