#pragma once

#include <string>
#include <string_view>

// The compiler checks the arguments against the format where it can; MinGW's printf is the C99
// one (__USE_MINGW_ANSI_STDIO), not msvcrt's.
#if defined(__MINGW32__)
#define VIREO_PRINTF_FORMAT(f, a) __attribute__((format(gnu_printf, f, a)))
#elif defined(__GNUC__)
#define VIREO_PRINTF_FORMAT(f, a) __attribute__((format(printf, f, a)))
#else
#define VIREO_PRINTF_FORMAT(f, a)
#endif

// printf into a string of any length.
std::string StrFormat(const char* fmt, ...) VIREO_PRINTF_FORMAT(1, 2);

// "%g" of a float widened to double, as the file writes floats.
std::string FormatG(double value);

// Case-insensitive comparison of ASCII text, as keys and file names are compared. Inline:
// reading a record compares every key with the record's key words.
inline bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const unsigned char x = static_cast<unsigned char>(a[i]),
                            y = static_cast<unsigned char>(b[i]);
        if (x != y && ((x | 0x20) != (y | 0x20) || (x | 0x20) < 'a' || (x | 0x20) > 'z'))
            return false;
    }
    return true;
}
bool StartsWith(std::string_view text, std::string_view prefix);
