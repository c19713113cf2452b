#pragma once

#include <string>
#include <string_view>

// The two separator sets of the file syntax.
enum class TokenSet {
    Key,   // space , = ; CR LF TAB: keys and single-word values
    Value, // = ; LF: multi-number values, blanks kept
};

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
    bool Next(std::string_view& token, TokenSet set = TokenSet::Key);
    std::string NextOr(TokenSet set = TokenSet::Key); // empty when there is none

    // What is left of the line after the cursor.
    std::string_view Rest() const { return m_line.substr(m_nPos); }

private:
    std::string_view m_line;
    size_t m_nPos = 0;
};

bool IsKeySeparator(char c);
bool IsValueSeparator(char c);
