#pragma once

#include "crect.h"

#include <string>
#include <string_view>

// The two separator sets of the file syntax.
enum class TokenSet
{
    Key,   // space , = ; CR LF TAB: keys and single-word values
    Value, // = ; LF: multi-number values, blanks kept
};

namespace tokens {
// One table look-up per character: tokenizing is most of the time a load takes.
struct CSeparatorTable
{
    bool key[256] = {};
    bool value[256] = {};
    constexpr CSeparatorTable()
    {
        for (unsigned char c : {' ', ',', '=', ';', '\r', '\n', '\t'})
            key[c] = true;
        for (unsigned char c : {'=', ';', '\n'})
            value[c] = true;
    }
};
inline constexpr CSeparatorTable kSeparators;
// The token scan lets every character above '=' through without the table.
static_assert([] {
    for (int c = '=' + 1; c < 256; ++c)
        if (kSeparators.key[c] || kSeparators.value[c])
            return false;
    return true;
}());
} // namespace tokens

// Cuts one line into tokens. A cut skips leading separators, takes the text up to the next
// separator of the set and moves past that separator. The line must outlive the cursor.
class CTokenCursor
{
public:
    explicit CTokenCursor(std::string_view line) : m_line(line) {}

    // False, with the cursor at the end, when nothing but separators is left.
    // A value cut also skips a whole run of key separators first, so "srcloc  = 1 2 3 4"
    // and "srcloc,,1 2 3 4" read their values like "srcloc = 1 2 3 4".
    bool Next(std::string& token, TokenSet set = TokenSet::Key);
    // The same cut as a view into the line.
    bool Next(std::string_view& token, TokenSet set = TokenSet::Key)
    {
        const size_t begin = SkipTo(set);
        if (begin >= m_line.size()) {
            m_nPos = m_line.size();
            return false;
        }
        const size_t end = TokenEnd(begin, set);
        token = m_line.substr(begin, end - begin);
        m_nPos = end < m_line.size() ? end + 1 : end;
        return true;
    }
    std::string NextOr(TokenSet set = TokenSet::Key); // empty when there is none

    // The next token scanned as "%d", or for a value token as "%d %d %d %d" into top, left,
    // bottom, right; the cursor moves past the token as a cut does. Numbers are read straight
    // from the line, without cutting the token first: loading spends most of its time here.
    // False, the field left alone, when there is no token or its start does not scan.
    bool NextInt(int& value, TokenSet set = TokenSet::Key);
    // False when there is no value; the rect keeps the fields that do not scan.
    bool NextRect(CRect& rc);

    // What is left of the line after the cursor.
    std::string_view Rest() const { return m_line.substr(m_nPos); }

private:
    static bool Stops(char c, TokenSet set)
    {
        const unsigned char u = static_cast<unsigned char>(c);
        return set == TokenSet::Key ? tokens::kSeparators.key[u] : tokens::kSeparators.value[u];
    }
    // Where the next token starts (the line's size when there is none).
    size_t SkipTo(TokenSet set) const
    {
        size_t p = m_nPos;
        if (set == TokenSet::Value)
            while (p < m_line.size() && Stops(m_line[p], TokenSet::Key))
                ++p;
        while (p < m_line.size() && Stops(m_line[p], set))
            ++p;
        return p;
    }
    size_t TokenEnd(size_t p, TokenSet set) const
    {
        // Every separator is at most '=': letters pass without the table.
        while (p < m_line.size() &&
               (static_cast<unsigned char>(m_line[p]) > '=' || !Stops(m_line[p], set)))
            ++p;
        return p;
    }
    void MovePast(size_t p, TokenSet set)
    {
        const size_t end = TokenEnd(p, set);
        m_nPos = end < m_line.size() ? end + 1 : end;
    }

    std::string_view m_line;
    size_t m_nPos = 0;
};
