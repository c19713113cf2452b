#include "ctokencursor.h"

bool IsKeySeparator(char c)
{
    return c == ' ' || c == ',' || c == '=' || c == ';' || c == '\r' || c == '\n' || c == '\t';
}

bool IsValueSeparator(char c) { return c == '=' || c == ';' || c == '\n'; }

bool CTokenCursor::Next(std::string& token, TokenSet set)
{
    const bool key = set == TokenSet::Key;
    size_t p = m_nPos;
    if (!key)
        while (p < m_line.size() && IsKeySeparator(m_line[p]))
            ++p;
    while (p < m_line.size() && (key ? IsKeySeparator(m_line[p]) : IsValueSeparator(m_line[p])))
        ++p;
    if (p >= m_line.size()) {
        m_nPos = m_line.size();
        return false;
    }
    size_t e = p;
    while (e < m_line.size() && !(key ? IsKeySeparator(m_line[e]) : IsValueSeparator(m_line[e])))
        ++e;
    token.assign(m_line.substr(p, e - p));
    m_nPos = e < m_line.size() ? e + 1 : e;
    return true;
}

std::string CTokenCursor::NextOr(TokenSet set)
{
    std::string t;
    Next(t, set);
    return t;
}
