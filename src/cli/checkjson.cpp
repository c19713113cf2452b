#include "checkjson.h"

#include "strformat.h"

#include <map>
#include <utility>

namespace {

// Length of the UTF-8 sequence starting at i, or 0 when it is not valid UTF-8.
size_t Utf8Length(const std::string& s, size_t i)
{
    const unsigned char c = static_cast<unsigned char>(s[i]);
    size_t n = 0;
    unsigned min = 0, cp = 0;
    if (c >= 0xC2 && c <= 0xDF)
        n = 2, cp = c & 0x1F, min = 0x80;
    else if (c >= 0xE0 && c <= 0xEF)
        n = 3, cp = c & 0x0F, min = 0x800;
    else if (c >= 0xF0 && c <= 0xF4)
        n = 4, cp = c & 0x07, min = 0x10000;
    else
        return 0;
    if (i + n > s.size())
        return 0;
    for (size_t k = 1; k < n; ++k) {
        const unsigned char d = static_cast<unsigned char>(s[i + k]);
        if ((d & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (d & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return n;
}

bool IsUtf8(const std::string& s)
{
    for (size_t i = 0; i < s.size();) {
        if (static_cast<unsigned char>(s[i]) < 0x80) {
            ++i;
            continue;
        }
        const size_t n = Utf8Length(s, i);
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}

} // namespace

std::string JsonString(const std::string& text)
{
    const bool utf8 = IsUtf8(text);
    std::string out = "\"";
    for (const char ch : text) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20 || c == 0x7F) {
            out += StrFormat("\\u%04x", c);
        } else if (c >= 0x80 && !utf8) {
            // A Latin-1 byte: its code point in UTF-8.
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += ch;
        }
    }
    out += '"';
    return out;
}

std::string CheckMessagesToJson(const CCheckMessageArray& messages,
                                const CCheckMessageArray& saveChecked)
{
    // The same message about the same record counts once per time the save check gave it.
    std::map<std::pair<std::string, const CCPObject*>, int> blocking;
    for (const CCheckMessage& m : saveChecked)
        ++blocking[{m.m_strMessage, m.m_pObject}];
    if (messages.empty())
        return "[]\n";
    std::string out = "[\n";
    for (size_t i = 0; i < messages.size(); ++i) {
        const CCheckMessage& m = messages[i];
        int& left = blocking[{m.m_strMessage, m.m_pObject}];
        const bool error = left > 0;
        if (error)
            --left;
        out += "  {\"message\": " + JsonString(m.m_strMessage);
        if (m.m_strType.empty())
            out += ", \"type\": null, \"id\": null";
        else
            out +=
                ", \"type\": " + JsonString(m.m_strType) + ", \"id\": " + std::to_string(m.m_nId);
        out += error ? ", \"severity\": \"error\"}" : ", \"severity\": \"warning\"}";
        out += i + 1 < messages.size() ? ",\n" : "\n";
    }
    out += "]\n";
    return out;
}
