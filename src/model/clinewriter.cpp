#include "clinewriter.h"

#include <cstdarg>
#include <cstdio>

void CLineWriter::Printf(const char* fmt, ...)
{
    va_list ap;
    va_start(ap, fmt);
    va_list ap2;
    va_copy(ap2, ap);
    const int n = std::vsnprintf(nullptr, 0, fmt, ap);
    va_end(ap);
    if (n > 0) {
        const size_t old = m_data.size();
        m_data.resize(old + size_t(n) + 1);
        std::vsnprintf(m_data.data() + old, size_t(n) + 1, fmt, ap2);
        m_data.resize(old + size_t(n));
    }
    va_end(ap2);
}

void WriteInt(CLineWriter& ar, const char* key, int value) { ar.Printf("%s%s = %d;\n", kIndent, key, value); }

void WriteHex(CLineWriter& ar, const char* key, uint32_t value)
{
    ar.Printf("%s%s = 0x%x;\n", kIndent, key, value);
}

void WriteRect(CLineWriter& ar, const char* key, const CRect& rc)
{
    if (!rc.IsRectNull())
        WriteRectAlways(ar, key, rc);
}

void WriteRectAlways(CLineWriter& ar, const char* key, const CRect& rc)
{
    ar.Printf("%s%s = %d %d %d %d;\n", kIndent, key, rc.top, rc.left, rc.bottom, rc.right);
}

void WritePoint(CLineWriter& ar, const char* key, int a, int b)
{
    ar.Printf("%s%s = %d %d;\n", kIndent, key, a, b);
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
