#include "filepaths.h"

#include "strformat.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

std::string FolderOf(const std::string& path)
{
    size_t p = path.rfind('/');
    if (p == std::string::npos)
        p = path.rfind('\\');
    return p == std::string::npos ? std::string() : path.substr(0, p + 1);
}

std::string FileNameOf(const std::string& path)
{
    size_t p = path.rfind('/');
    if (p == std::string::npos)
        p = path.rfind('\\');
    return p == std::string::npos ? path : path.substr(p + 1);
}

std::string ReadFailureReason(const std::string& path)
{
    std::error_code ec;
    if (fs::is_directory(path, ec))
        return std::strerror(EISDIR);
    errno = 0;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return std::strerror(errno ? errno : ENOENT);
    char buffer[4096];
    while (std::fread(buffer, 1, sizeof buffer, f) == sizeof buffer) {
    }
    const int err = std::ferror(f) ? errno : 0;
    std::fclose(f);
    return err ? std::strerror(err) : std::string();
}

std::string ResolveCockpitPath(const std::string& folder, const std::string& name)
{
    std::string n = name;
    for (char& c : n)
        if (c == '\\')
            c = '/';
    fs::path p(n);
    if (p.is_relative() && !folder.empty())
        p = fs::path(folder) / p;
    std::error_code ec;
    if (n.empty() || fs::exists(p, ec))
        return p.string();
    // Walk the parts, taking a differently cased entry where the written one is missing.
    fs::path found = p.root_path();
    for (const fs::path& part : p.relative_path()) {
        fs::path next = found / part;
        if (!fs::exists(next, ec) && fs::is_directory(found.empty() ? "." : found, ec)) {
            for (const auto& e : fs::directory_iterator(found.empty() ? "." : found, ec)) {
                const std::string entry = e.path().filename().string();
                if (EqualsNoCase(entry, part.string())) {
                    next = found / entry;
                    break;
                }
            }
        }
        found = next;
    }
    return fs::exists(found, ec) ? found.string() : p.string();
}

bool ReadWholeFile(const std::string& path, std::string& data)
{
    std::error_code ec;
    if (fs::is_directory(path, ec))
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream ss;
    ss << in.rdbuf();
    if (in.bad())
        return false;
    data = ss.str();
    return true;
}

bool WriteFileSafely(const std::string& path, const std::string& data, std::string* errorText)
{
    const std::string tmp = path + ".vireo-tmp";
    auto fail = [&](const std::string& what) {
        if (errorText)
            *errorText = what;
        std::remove(tmp.c_str());
        return false;
    };
    FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f)
        return fail(StrFormat("%s: %s", path.c_str(), std::strerror(errno)));
    const bool wrote = std::fwrite(data.data(), 1, data.size(), f) == data.size();
    const int err = errno;
    if (std::fclose(f) != 0 || !wrote)
        return fail(StrFormat("%s: %s", path.c_str(), std::strerror(wrote ? errno : err)));
    std::error_code ec;
    fs::rename(tmp, path, ec);
    if (ec)
        return fail(StrFormat("%s: %s", path.c_str(), ec.message().c_str()));
    return true;
}
