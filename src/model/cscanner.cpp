#include "cscanner.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

static bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}
static int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool CScanner::Hex(uint32_t& value)
{
    if (m_bFailed)
        return false;
    SkipSpace();
    size_t p = m_nPos;
    bool neg = false;
    if (p < m_text.size() && (m_text[p] == '+' || m_text[p] == '-'))
        neg = m_text[p++] == '-';
    if (p + 1 < m_text.size() && m_text[p] == '0' &&
        (m_text[p + 1] == 'x' || m_text[p + 1] == 'X') && p + 2 < m_text.size() &&
        HexDigit(m_text[p + 2]) >= 0)
        p += 2;
    if (p >= m_text.size() || HexDigit(m_text[p]) < 0)
        return Fail();
    uint64_t mag = 0;
    bool overflow = false;
    while (p < m_text.size() && HexDigit(m_text[p]) >= 0) {
        if (!overflow) {
            mag = mag * 16 + uint64_t(HexDigit(m_text[p]));
            if (mag > 0xffffffffull)
                overflow = true;
        }
        ++p;
    }
    if (overflow)
        return Fail();
    value = neg ? uint32_t(0u - uint32_t(mag)) : uint32_t(mag);
    m_nPos = p;
    ++m_nCount;
    return true;
}

bool CScanner::Float(float& value)
{
    if (m_bFailed)
        return false;
    SkipSpace();
    size_t p = m_nPos;
    const size_t start = p;
    if (p < m_text.size() && (m_text[p] == '+' || m_text[p] == '-'))
        ++p;
    size_t digits = 0;
    while (p < m_text.size() && IsDigit(m_text[p]))
        ++p, ++digits;
    if (p < m_text.size() && m_text[p] == '.') {
        ++p;
        while (p < m_text.size() && IsDigit(m_text[p]))
            ++p, ++digits;
    }
    if (digits == 0)
        return Fail();
    if (p < m_text.size() && (m_text[p] == 'e' || m_text[p] == 'E')) {
        size_t q = p + 1;
        if (q < m_text.size() && (m_text[q] == '+' || m_text[q] == '-'))
            ++q;
        if (q < m_text.size() && IsDigit(m_text[q])) {
            while (q < m_text.size() && IsDigit(m_text[q]))
                ++q;
            p = q;
        }
    }
    // from_chars ignores the process locale, which may use a decimal comma.
    const char* first = m_text.data() + start;
    if (*first == '+')
        ++first;
    double d = 0;
    const auto res = std::from_chars(first, m_text.data() + p, d);
    if (res.ec != std::errc() && res.ec != std::errc::result_out_of_range)
        return Fail();
    if (res.ec == std::errc::result_out_of_range) {
        // Too small rounds to zero; too large does not scan.
        const std::string_view digits(first, size_t(m_text.data() + p - first));
        const size_t e = digits.find_first_of("eE");
        d = (e != std::string_view::npos && e + 1 < digits.size() && digits[e + 1] == '-')
                ? 0.0
                : HUGE_VAL;
    }
    const float f = float(d);
    if (!std::isfinite(f))
        return Fail();
    value = f;
    m_nPos = p;
    ++m_nCount;
    return true;
}

bool CScanner::Word(std::string& word)
{
    std::string_view view;
    if (!Word(view))
        return false;
    word.assign(view);
    return true;
}

int ScanRect(std::string_view text, CRect& rc)
{
    CScanner s(text);
    s.Int(rc.top) && s.Int(rc.left) && s.Int(rc.bottom) && s.Int(rc.right);
    return s.Count();
}

bool ScanInt(std::string_view text, int& value)
{
    return CScanner(text).Int(value);
}
bool ScanHex(std::string_view text, uint32_t& value)
{
    return CScanner(text).Hex(value);
}
bool ScanFloat(std::string_view text, float& value)
{
    return CScanner(text).Float(value);
}
