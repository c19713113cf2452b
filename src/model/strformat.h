#pragma once

#include <string>

// printf into a string of any length.
std::string StrFormat(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// "%g" of a float widened to double, as the file writes floats.
std::string FormatG(double value);

// Case-insensitive comparison of ASCII text, as keys and file names are compared.
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWith(std::string_view text, std::string_view prefix);
