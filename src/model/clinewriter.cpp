#include "clinewriter.h"

#include <algorithm>
#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <initializer_list>

void CLineWriter::Grow(size_t n)
{
    if (m_sink) {
        // The buffer is handed on and used again; it grows only for a write longer than it.
        Flush();
        if (m_data.size() < n)
            m_data.resize(n);
        return;
    }
    const size_t need = m_nSize + n;
    size_t target;
    if (need <= m_data.capacity()) {
        // Reserved room is opened a slice at a time, so pages a save never reaches stay
        // untouched.
        target = std::min(m_data.capacity(), std::max(need, m_data.size() + (size_t(64) << 10)));
    } else {
        target = std::max(need, m_data.size() * 2);
    }
    m_data.resize(target);
}

void CLineWriter::Reserve(size_t bytes)
{
    if (!m_sink && bytes > m_data.capacity())
        m_data.reserve(bytes);
}

void CLineWriter::SetSink(std::function<bool(std::string_view)> sink, size_t chunk)
{
    m_sink = std::move(sink);
    m_bSinkFailed = false;
    if (m_data.size() < chunk)
        m_data.resize(chunk);
}

bool CLineWriter::WriteThrough(std::string_view bytes)
{
    if (!m_sink || bytes.size() < m_data.size())
        return false;
    if (Flush())
        m_bSinkFailed = !m_sink(bytes);
    return true;
}

bool CLineWriter::Flush()
{
    if (m_sink && m_nSize > 0 && !m_bSinkFailed)
        m_bSinkFailed = !m_sink(std::string_view(m_data.data(), m_nSize));
    if (m_sink)
        m_nSize = 0;
    return !m_bSinkFailed;
}

std::string CLineWriter::Take()
{
    m_data.resize(m_nSize);
    m_nSize = 0;
    return std::move(m_data);
}

namespace {
constexpr char kPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// 0 to 9999 without leading zeros.
char* PutShort(char* p, unsigned v)
{
    if (v < 10) {
        *p = char('0' + v);
        return p + 1;
    }
    const unsigned hi = v / 100, lo = v % 100;
    if (hi == 0) {
        std::memcpy(p, kPairs + 2 * lo, 2);
        return p + 2;
    }
    if (hi < 10)
        *p++ = char('0' + hi);
    else
        std::memcpy(p, kPairs + 2 * hi, 2), p += 2;
    std::memcpy(p, kPairs + 2 * lo, 2);
    return p + 2;
}

// 0 to 9999 as exactly four digits.
char* PutFour(char* p, unsigned v)
{
    std::memcpy(p, kPairs + 2 * (v / 100), 2);
    std::memcpy(p + 2, kPairs + 2 * (v % 100), 2);
    return p + 4;
}
} // namespace

char* CLineWriter::PutInt(char* p, long long value)
{
    // Coordinates, states and ids of a cockpit are below 10^8: those skip the general
    // conversion.
    if (value >= 0 && value < 100000000) {
        const unsigned v = unsigned(value);
        return v < 10000 ? PutShort(p, v) : PutFour(PutShort(p, v / 10000), v % 10000);
    }
    return std::to_chars(p, p + kMostIntChars, value).ptr;
}

void CLineWriter::Int(long long value)
{
    End(PutInt(Room(kMostIntChars), value));
}

void CLineWriter::Hex(uint32_t value)
{
    char* p = Room(16);
    End(std::to_chars(p, p + 16, value, 16).ptr);
}

void CLineWriter::Float(double value)
{
    // The same digits as "%g", with a decimal point whatever the process locale.
    char* p = Room(32);
    End(std::to_chars(p, p + 32, value, std::chars_format::general, 6).ptr);
}

void CLineWriter::Printf(const char* fmt, ...)
{
    // Most lines fit a small buffer: one formatting pass; longer ones are formatted again
    // at their full length.
    char small[256];
    va_list ap;
    va_start(ap, fmt);
    va_list ap2;
    va_copy(ap2, ap);
    const int n = std::vsnprintf(small, sizeof small, fmt, ap);
    va_end(ap);
    if (n > 0 && size_t(n) < sizeof small) {
        Write(std::string_view(small, size_t(n)));
    } else if (n > 0) {
        std::vsnprintf(Room(size_t(n) + 1), size_t(n) + 1, fmt, ap2);
        m_nSize += size_t(n);
    }
    va_end(ap2);
}

namespace {
// "\tkey = " at p, which has room for the key and 4 more bytes.
char* PutKey(char* p, std::string_view key)
{
    *p++ = '\t';
    std::memcpy(p, key.data(), key.size());
    p += key.size();
    *p++ = ' ';
    *p++ = '=';
    *p++ = ' ';
    return p;
}

char* PutEnd(char* p)
{
    *p++ = ';';
    *p++ = '\n';
    return p;
}

} // namespace

void CLineWriter::Key(std::string_view key)
{
    End(PutKey(Begin(key.size() + 4), key));
}

void CLineWriter::IntsLine(std::string_view key, std::initializer_list<int> values,
                           std::string_view word)
{
    char* p = Begin(key.size() + word.size() + 7 + values.size() * (kMostIntChars + 1));
    p = PutKey(p, key);
    bool first = true;
    if (!word.empty()) {
        std::memcpy(p, word.data(), word.size());
        p += word.size();
        first = false;
    }
    for (int v : values) {
        if (!first)
            *p++ = ' ';
        first = false;
        p = PutInt(p, v);
    }
    End(PutEnd(p));
}

void WriteKey(CLineWriter& ar, std::string_view key)
{
    ar.Key(key);
}

void WriteInt(CLineWriter& ar, std::string_view key, int value)
{
    ar.IntsLine(key, {value});
}

void WriteHex(CLineWriter& ar, std::string_view key, uint32_t value)
{
    WriteKey(ar, key);
    ar.Write("0x");
    ar.Hex(value);
    ar.Write(";\n");
}

void WriteRect(CLineWriter& ar, std::string_view key, const CRect& rc)
{
    if (!rc.IsRectNull())
        WriteRectAlways(ar, key, rc);
}

void WriteRectAlways(CLineWriter& ar, std::string_view key, const CRect& rc)
{
    ar.IntsLine(key, {rc.top, rc.left, rc.bottom, rc.right});
}

void WriteWordAndRect(CLineWriter& ar, std::string_view key, std::string_view word, const CRect& rc)
{
    ar.IntsLine(key, {rc.top, rc.left, rc.bottom, rc.right}, word);
}

void WritePoint(CLineWriter& ar, std::string_view key, int a, int b)
{
    ar.IntsLine(key, {a, b});
}

void WriteFloat(CLineWriter& ar, std::string_view key, float value)
{
    WriteKey(ar, key);
    ar.Float(double(value));
    ar.Write(";\n");
}

void WriteFloatPair(CLineWriter& ar, std::string_view key, float a, float b)
{
    WriteKey(ar, key);
    ar.Float(double(a));
    ar.Write(' ');
    ar.Float(double(b));
    ar.Write(";\n");
}

void WriteIntList(CLineWriter& ar, std::string_view key, std::span<const int> values)
{
    WriteKey(ar, key);
    for (int v : values) {
        ar.Write(' ');
        ar.Int(v);
    }
    ar.Write(";\n");
}

void WriteString(CLineWriter& ar, std::string_view key, std::string_view value)
{
    WriteKey(ar, key);
    ar.Write(value);
    ar.Write(";\n");
}

void WriteFlag(CLineWriter& ar, std::string_view key)
{
    ar.Write('\t');
    ar.Write(key);
    ar.Write(";\n");
}

void WriteEnd(CLineWriter& ar)
{
    ar.Write("#end\n");
}
