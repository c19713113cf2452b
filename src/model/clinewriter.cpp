#include "clinewriter.h"

#include <algorithm>
#include <charconv>
#include <cstdarg>
#include <cstdio>

void CLineWriter::Grow(size_t n)
{
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
    if (bytes > m_data.capacity())
        m_data.reserve(bytes);
}

std::string CLineWriter::Take()
{
    m_data.resize(m_nSize);
    m_nSize = 0;
    return std::move(m_data);
}

void CLineWriter::Int(long long value)
{
    char* p = Room(24);
    m_nSize = size_t(std::to_chars(p, p + 24, value).ptr - m_data.data());
}

void CLineWriter::Hex(uint32_t value)
{
    char* p = Room(16);
    m_nSize = size_t(std::to_chars(p, p + 16, value, 16).ptr - m_data.data());
}

void CLineWriter::Float(double value)
{
    // The same digits as "%g", with a decimal point whatever the process locale.
    char* p = Room(32);
    m_nSize = size_t(std::to_chars(p, p + 32, value, std::chars_format::general, 6).ptr - m_data.data());
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

void WriteKey(CLineWriter& ar, std::string_view key)
{
    ar.Write('\t');
    ar.Write(key);
    ar.Write(" = ");
}

void WriteInt(CLineWriter& ar, std::string_view key, int value)
{
    WriteKey(ar, key);
    ar.Int(value);
    ar.Write(";\n");
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
    WriteKey(ar, key);
    ar.Int(rc.top);
    ar.Write(' ');
    ar.Int(rc.left);
    ar.Write(' ');
    ar.Int(rc.bottom);
    ar.Write(' ');
    ar.Int(rc.right);
    ar.Write(";\n");
}

void WritePoint(CLineWriter& ar, std::string_view key, int a, int b)
{
    WriteKey(ar, key);
    ar.Int(a);
    ar.Write(' ');
    ar.Int(b);
    ar.Write(";\n");
}

void WriteFloat(CLineWriter& ar, std::string_view key, float value)
{
    WriteKey(ar, key);
    ar.Float(double(value));
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

void WriteIndent(CLineWriter& ar) { ar.Write('\t'); }

void WriteEnd(CLineWriter& ar) { ar.Write("#end\n"); }
