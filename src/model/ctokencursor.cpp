#include "ctokencursor.h"

#include "cscanner.h"

#include <climits>
#include <cstdint>

bool CTokenCursor::Next(std::string& token, TokenSet set)
{
    std::string_view view;
    if (!Next(view, set))
        return false;
    token.assign(view);
    return true;
}

std::string CTokenCursor::NextOr(TokenSet set)
{
    std::string t;
    Next(t, set);
    return t;
}

namespace {
// The blanks the scanner skips inside a value token (a value token never holds LF).
void SkipBlanks(const char*& p, const char* end)
{
    while (p < end && (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\v' || *p == '\f'))
        ++p;
}
} // namespace

bool CTokenCursor::NextInt(int& value, TokenSet set)
{
    const size_t begin = SkipTo(set);
    if (begin >= m_line.size()) {
        m_nPos = m_line.size();
        return false;
    }
    const char* const base = m_line.data();
    const char* p = base + begin;
    const char* const end = base + m_line.size();
    const char c = *p;
    if ((c < '0' || c > '9') && c != '+' && c != '-') {
        // Blanks the token starts with are the scanner's to skip, within the token only.
        const size_t tokenEnd = TokenEnd(begin, set);
        MovePast(begin, set);
        return ScanInt(m_line.substr(begin, tokenEnd - begin), value);
    }
    // A number ends at the first character that is neither sign nor digit, never beyond
    // the token, which ends at a separator.
    const bool ok = ScanDecimal(p, end, value);
    MovePast(size_t(p - base), set);
    return ok;
}

bool CTokenCursor::NextRect(CRect& rc)
{
    const size_t begin = SkipTo(TokenSet::Value);
    if (begin >= m_line.size()) {
        m_nPos = m_line.size();
        return false;
    }
    const char* const base = m_line.data();
    const char* p = base + begin;
    const char* const end = base + m_line.size();
    // Separators of the value set ('=', ';', LF) stop a number and are no blank, so the scan
    // ends within the token, as it would on the cut token.
    SkipBlanks(p, end);
    if (ScanDecimal(p, end, rc.top)) {
        SkipBlanks(p, end);
        if (ScanDecimal(p, end, rc.left)) {
            SkipBlanks(p, end);
            if (ScanDecimal(p, end, rc.bottom)) {
                SkipBlanks(p, end);
                ScanDecimal(p, end, rc.right);
            }
        }
    }
    MovePast(size_t(p - base), TokenSet::Value);
    return true;
}
