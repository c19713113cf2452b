#pragma once

#include "crect.h"

#include <cstdint>
#include <string>
#include <string_view>

// The storing side of a cockpit file: raw bytes, no translation of line ends, lines of any
// length.
class CLineWriter
{
public:
    void Write(std::string_view bytes) { m_data.append(bytes); }
    void Printf(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
    const std::string& Data() const { return m_data; }
    std::string Take() { return std::move(m_data); }

private:
    std::string m_data;
};

// Key-line writers. Every key line starts with the indent, one TAB.
inline constexpr const char* kIndent = "\t";
void WriteInt(CLineWriter& ar, const char* key, int value);             // "\tkey = %d;\n"
void WriteHex(CLineWriter& ar, const char* key, uint32_t value);        // "\tkey = 0x%x;\n"
void WriteRect(CLineWriter& ar, const char* key, const CRect& rc);      // top left bottom right; nothing when all 0
void WriteRectAlways(CLineWriter& ar, const char* key, const CRect& rc);// the same, also when all 0
void WritePoint(CLineWriter& ar, const char* key, int a, int b);        // "\tkey = %d %d;\n"
void WriteFloat(CLineWriter& ar, const char* key, float value);         // "\tkey = %g;\n"
void WriteString(CLineWriter& ar, const char* key, const std::string& value); // "\tkey = %s;\n"
void WriteFlag(CLineWriter& ar, const char* key);                       // "\tkey;\n"
void WriteIndent(CLineWriter& ar);
void WriteEnd(CLineWriter& ar);                                         // "#end\n"
