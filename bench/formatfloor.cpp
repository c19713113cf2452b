// The floor under `vireo-cli format`: the least any rewrite of a cockpit does. It reads the
// file whole, splits it into lines, cuts each line into tokens at the file's separators,
// converts every number token to an int and back, and writes the same bytes out.
//   formatfloor INPUT OUTPUT     (OUTPUT '-' is stdout)
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

bool IsSeparator(unsigned char c)
{
    return c == ' ' || c == ',' || c == '=' || c == ';' || c == '\r' || c == '\n' || c == '\t';
}

// One line, its number tokens converted and written back; everything else copied.
char* Rewrite(const char* p, const char* end, char* out)
{
    while (p < end) {
        if (IsSeparator(static_cast<unsigned char>(*p))) {
            *out++ = *p++;
            continue;
        }
        const char* start = p;
        while (p < end && !IsSeparator(static_cast<unsigned char>(*p)))
            ++p;
        int value = 0;
        const auto [last, ec] = std::from_chars(start, p, value);
        if (ec == std::errc() && last == p) {
            out = std::to_chars(out, out + 16, value).ptr;
        } else {
            std::memcpy(out, start, size_t(p - start));
            out += p - start;
        }
    }
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: formatfloor INPUT OUTPUT\n");
        return 2;
    }
    std::FILE* in = std::fopen(argv[1], "rb");
    if (!in)
        return 2;
    std::fseek(in, 0, SEEK_END);
    const long size = std::ftell(in);
    std::fseek(in, 0, SEEK_SET);
    std::string text(size_t(size), '\0');
    if (std::fread(text.data(), 1, text.size(), in) != text.size())
        return 2;
    std::fclose(in);

    // A number written back is never longer than it was read ("-0" and "007" get shorter).
    std::string out(text.size(), '\0');
    char* o = out.data();
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
        const char* nl = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p)));
        const char* lineEnd = nl ? nl : end;
        o = Rewrite(p, lineEnd, o);
        if (nl)
            *o++ = '\n';
        p = nl ? nl + 1 : end;
    }
    out.resize(size_t(o - out.data()));

    std::FILE* f = std::strcmp(argv[2], "-") == 0 ? stdout : std::fopen(argv[2], "wb");
    if (!f || std::fwrite(out.data(), 1, out.size(), f) != out.size())
        return 2;
    return std::fclose(f) == 0 ? 0 : 2;
}
