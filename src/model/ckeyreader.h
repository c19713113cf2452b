#pragma once

#include "crect.h"
#include "ctokencursor.h"

#include "clinereader.h"
#include "strformat.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Reads the key lines of one record up to its "#end" (any letter case) or the end of the
// input; blank lines are skipped. The handler reads the value of its key from the cursor and
// returns false for a key it does not know, which is then reported with badKeyMessage.
// The key is a view into the line, valid while the handler runs.
template <class Handler>
void ReadKeys(CLineReader& ar, const char* badKeyMessage, Handler&& handler)
{
    std::string_view line, key;
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

// A value kept as text (a file name), copied a megabyte at a time with the text given back
// behind it (see CLineReader::LetGoBefore): a line of megabytes is not held twice.
void TakeText(CLineReader& ar, std::string_view value, std::string& field);

// Value readers: each cuts one token of the set and scans it into the field. The field keeps
// its value when there is no token or it does not scan; the result says whether it scanned.
bool ReadInt(CTokenCursor& cur, int& field, TokenSet set = TokenSet::Key);
bool ReadHex(CTokenCursor& cur, uint32_t& field, TokenSet set = TokenSet::Key);
bool ReadFloat(CTokenCursor& cur, float& field, TokenSet set = TokenSet::Key);
// "top left bottom right" as a value token; false when the line has no value.
bool ReadRect(CTokenCursor& cur, CRect& field);
// A list element per line, an all-zero one when the value is missing or does not scan, so
// the elements keep the order of the file.
void AppendRect(CTokenCursor& cur, std::vector<CRect>& list);
