#include "strformat.h"

#include "clinewriter.h"

#include <cstdarg>
#include <cstdio>
#include <string_view>

std::string StrFormat(const char* fmt, ...)
{
    va_list ap;
    va_start(ap, fmt);
    va_list ap2;
    va_copy(ap2, ap);
    const int n = std::vsnprintf(nullptr, 0, fmt, ap);
    va_end(ap);
    std::string out;
    if (n > 0) {
        out.resize(size_t(n) + 1);
        std::vsnprintf(out.data(), out.size(), fmt, ap2);
        out.resize(size_t(n));
    }
    va_end(ap2);
    return out;
}

std::string FormatG(double value)
{
    CLineWriter w; // its "%g" keeps a decimal point whatever the process locale
    w.Float(value);
    return w.Take();
}

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}
