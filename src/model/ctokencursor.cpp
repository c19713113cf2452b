#include "ctokencursor.h"

namespace {
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
constexpr CSeparatorTable kSeparators;
} // namespace

bool IsKeySeparator(char c) { return kSeparators.key[static_cast<unsigned char>(c)]; }

bool IsValueSeparator(char c) { return kSeparators.value[static_cast<unsigned char>(c)]; }

bool CTokenCursor::Next(std::string& token, TokenSet set)
{
    std::string_view view;
    if (!Next(view, set))
        return false;
    token.assign(view);
    return true;
}

bool CTokenCursor::Next(std::string_view& token, TokenSet set)
{
    const bool* stop = set == TokenSet::Key ? kSeparators.key : kSeparators.value;
    const auto at = [&](size_t i) { return static_cast<unsigned char>(m_line[i]); };
    size_t p = m_nPos;
    if (set == TokenSet::Value)
        while (p < m_line.size() && kSeparators.key[at(p)])
            ++p;
    while (p < m_line.size() && stop[at(p)])
        ++p;
    if (p >= m_line.size()) {
        m_nPos = m_line.size();
        return false;
    }
    size_t e = p;
    while (e < m_line.size() && !stop[at(e)])
        ++e;
    token = m_line.substr(p, e - p);
    m_nPos = e < m_line.size() ? e + 1 : e;
    return true;
}

std::string CTokenCursor::NextOr(TokenSet set)
{
    std::string t;
    Next(t, set);
    return t;
}
