#pragma once

#include "crect.h"

#include <cstdint>
#include <string>
#include <string_view>

// Formatted scanning of a value, one conversion per call, like "%d %d" with scanf: white
// space is skipped first, a conversion that fails leaves its field alone and ends the scan
// (every later call fails too). A number that does not fit in 32 bits does not scan.
class CScanner
{
public:
    explicit CScanner(std::string_view text) : m_text(text) {}

    bool Int(int& value);         // %d (inline: every record header and placement line has some)
    bool Hex(uint32_t& value);    // %x and %lx, with or without 0x
    bool Float(float& value);     // %f
    bool Word(std::string& word); // %s
    bool Word(std::string_view& word);     // the same as a view into the text (inline)
    int Count() const { return m_nCount; } // conversions that succeeded
    bool Failed() const { return m_bFailed; }
    std::string_view Rest() const { return m_text.substr(m_nPos); }

    static bool IsSpace(char c)
    {
        return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
    }

private:
    void SkipSpace()
    {
        while (m_nPos < m_text.size() && IsSpace(m_text[m_nPos]))
            ++m_nPos;
    }
    bool Fail()
    {
        m_bFailed = true;
        return false;
    }

    std::string_view m_text;
    size_t m_nPos = 0;
    int m_nCount = 0;
    bool m_bFailed = false;
};

// "%d" at p, no blanks skipped: p moves past the number when it scans and fits in 32 bits.
// Inline: loading a cockpit scans every number through here.
inline bool ScanDecimal(const char*& p, const char* end, int& value)
{
    const char* q = p;
    bool neg = false;
    if (q != end && (*q == '+' || *q == '-'))
        neg = *q++ == '-';
    if (q == end)
        return false;
    unsigned d = unsigned(static_cast<unsigned char>(*q)) - '0';
    if (d > 9)
        return false;
    uint64_t mag = d;
    while (++q != end && (d = unsigned(static_cast<unsigned char>(*q)) - '0') <= 9) {
        mag = mag * 10 + d;
        if (mag > uint64_t(INT32_MAX) + 1) // too large whatever the sign
            return false;
    }
    if (!neg && mag > uint64_t(INT32_MAX))
        return false;
    value = neg ? int(-int64_t(mag)) : int(mag);
    p = q;
    return true;
}

inline bool CScanner::Int(int& value)
{
    if (m_bFailed)
        return false;
    SkipSpace();
    const char* p = m_text.data() + m_nPos;
    if (!ScanDecimal(p, m_text.data() + m_text.size(), value))
        return Fail();
    m_nPos = size_t(p - m_text.data());
    ++m_nCount;
    return true;
}

inline bool CScanner::Word(std::string_view& word)
{
    if (m_bFailed)
        return false;
    SkipSpace();
    size_t p = m_nPos;
    while (p < m_text.size() && !IsSpace(m_text[p]))
        ++p;
    if (p == m_nPos)
        return Fail();
    word = m_text.substr(m_nPos, p - m_nPos);
    m_nPos = p;
    ++m_nCount;
    return true;
}

// "%d %d %d %d" read as top, left, bottom, right; each value is stored as soon as it scans.
int ScanRect(std::string_view text, CRect& rc);
// "%d" of a whole value; the field keeps its value when it does not scan.
bool ScanInt(std::string_view text, int& value);
bool ScanHex(std::string_view text, uint32_t& value);
bool ScanFloat(std::string_view text, float& value);
