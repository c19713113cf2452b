#pragma once

#include "crect.h"
#include "strformat.h"

#include <cstdint>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

// The storing side of a cockpit file: raw bytes, no translation of line ends, lines of any
// length. Saving a large cockpit is mostly short appends, so the writer keeps its own fill
// mark in a buffer that grows ahead of it instead of growing the string piece by piece.
class CLineWriter
{
public:
    void Write(std::string_view bytes)
    {
        if (bytes.empty())
            return;
        if (m_data.size() - m_nSize < bytes.size() && WriteThrough(bytes))
            return;
        std::memcpy(Room(bytes.size()), bytes.data(), bytes.size());
        m_nSize += bytes.size();
    }
    void Write(char c)
    {
        *Room(1) = c;
        ++m_nSize;
    }
    void Int(long long value); // "%d"
    void Hex(uint32_t value);  // "%x"
    void Float(double value);  // "%g"
    void Printf(const char* fmt, ...) VIREO_PRINTF_FORMAT(2, 3);
    void Key(std::string_view key); // "\tkey = "
    // "\tkey = [word ]%d %d ...;\n", the numbers separated by one blank.
    void IntsLine(std::string_view key, std::initializer_list<int> values,
                  std::string_view word = {});

    // Room for about this many bytes, taken before a long save (nothing with a sink).
    void Reserve(size_t bytes);
    std::string_view Data() const { return std::string_view(m_data.data(), m_nSize); }
    std::string Take();

    // Hands what is written to sink a buffer of about chunk bytes at a time instead of keeping
    // it all: a save written to a stream needs no room for the whole file. A sink that answers
    // false gets nothing more.
    void SetSink(std::function<bool(std::string_view)> sink, size_t chunk = size_t(1) << 20);
    // Hands the rest to the sink; false when the sink refused any of it.
    bool Flush();

private:
    // A line of known greatest length written through a pointer: Begin gives room for
    // `most` bytes, End takes the end of what was written there.
    char* Begin(size_t most) { return Room(most); }
    void End(const char* end) { m_nSize = size_t(end - m_data.data()); }
    // "%d" at p; p + kMostIntChars is enough room.
    static constexpr size_t kMostIntChars = 20;
    static char* PutInt(char* p, long long value);

    // With a sink, bytes longer than the buffer go to it as they are, after what the buffer
    // holds: a comment of megabytes is not copied into a buffer of its size. False otherwise.
    bool WriteThrough(std::string_view bytes);
    char* Room(size_t n)
    {
        if (m_data.size() - m_nSize < n)
            Grow(n);
        return m_data.data() + m_nSize;
    }
    void Grow(size_t n);

    std::string m_data; // its size is the buffer; the bytes written end at m_nSize
    size_t m_nSize = 0;
    std::function<bool(std::string_view)> m_sink;
    bool m_bSinkFailed = false;
};

// Key-line writers. Every key line starts with the indent, one TAB.
inline constexpr const char* kIndent = "\t";
void WriteKey(CLineWriter& ar, std::string_view key);                 // "\tkey = "
void WriteInt(CLineWriter& ar, std::string_view key, int value);      // "\tkey = %d;\n"
void WriteHex(CLineWriter& ar, std::string_view key, uint32_t value); // "\tkey = 0x%x;\n"
void WriteRect(CLineWriter& ar, std::string_view key,
               const CRect& rc); // top left bottom right; nothing when all 0
void WriteRectAlways(CLineWriter& ar, std::string_view key,
                     const CRect& rc); // the same, also when all 0
void WriteWordAndRect(CLineWriter& ar, std::string_view key, std::string_view word,
                      const CRect& rc); // "\tkey = word top left bottom right;\n"
void WritePoint(CLineWriter& ar, std::string_view key, int a, int b);         // "\tkey = %d %d;\n"
void WriteFloat(CLineWriter& ar, std::string_view key, float value);          // "\tkey = %g;\n"
void WriteFloatPair(CLineWriter& ar, std::string_view key, float a, float b); // "\tkey = %g %g;\n"
void WriteIntList(CLineWriter& ar, std::string_view key,
                  std::span<const int> values); // "\tkey =  %d %d ...;\n"
void WriteString(CLineWriter& ar, std::string_view key, std::string_view value); // "\tkey = %s;\n"
void WriteFlag(CLineWriter& ar, std::string_view key);                           // "\tkey;\n"
void WriteEnd(CLineWriter& ar);                                                  // "#end\n"
