#include "clinewriter.h"

#include <charconv>
#include <cstdarg>
#include <cstdio>

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
        m_data.append(small, size_t(n));
    } else if (n > 0) {
        const size_t old = m_data.size();
        m_data.resize(old + size_t(n) + 1);
        std::vsnprintf(m_data.data() + old, size_t(n) + 1, fmt, ap2);
        m_data.resize(old + size_t(n));
    }
    va_end(ap2);
}

namespace {
// The same bytes as "%d" and "%x", without a formatting pass per key line.
void AppendNumber(CLineWriter& ar, long long value, int base = 10)
{
    char buf[24];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, base);
    ar.Write(std::string_view(buf, size_t(res.ptr - buf)));
}

void AppendKey(CLineWriter& ar, const char* key)
{
    ar.Write(kIndent);
    ar.Write(key);
    ar.Write(" = ");
}
} // namespace

void WriteInt(CLineWriter& ar, const char* key, int value)
{
    AppendKey(ar, key);
    AppendNumber(ar, value);
    ar.Write(";\n");
}

void WriteHex(CLineWriter& ar, const char* key, uint32_t value)
{
    AppendKey(ar, key);
    ar.Write("0x");
    AppendNumber(ar, value, 16);
    ar.Write(";\n");
}

void WriteRect(CLineWriter& ar, const char* key, const CRect& rc)
{
    if (!rc.IsRectNull())
        WriteRectAlways(ar, key, rc);
}

void WriteRectAlways(CLineWriter& ar, const char* key, const CRect& rc)
{
    AppendKey(ar, key);
    AppendNumber(ar, rc.top);
    ar.Write(" ");
    AppendNumber(ar, rc.left);
    ar.Write(" ");
    AppendNumber(ar, rc.bottom);
    ar.Write(" ");
    AppendNumber(ar, rc.right);
    ar.Write(";\n");
}

void WritePoint(CLineWriter& ar, const char* key, int a, int b)
{
    AppendKey(ar, key);
    AppendNumber(ar, a);
    ar.Write(" ");
    AppendNumber(ar, b);
    ar.Write(";\n");
}

void WriteFloat(CLineWriter& ar, const char* key, float value)
{
    ar.Printf("%s%s = %g;\n", kIndent, key, double(value));
}

void WriteString(CLineWriter& ar, const char* key, const std::string& value)
{
    ar.Write(kIndent);
    ar.Write(key);
    ar.Write(" = ");
    ar.Write(value);
    ar.Write(";\n");
}

void WriteFlag(CLineWriter& ar, const char* key)
{
    ar.Write(kIndent);
    ar.Write(key);
    ar.Write(";\n");
}

void WriteIndent(CLineWriter& ar) { ar.Write(kIndent); }

void WriteEnd(CLineWriter& ar) { ar.Write("#end\n"); }
