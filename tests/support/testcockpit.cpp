#include "testcockpit.h"

#include "filepaths.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

CTempDir::CTempDir()
{
    std::random_device seed;
    std::error_code ec;
    const fs::path base = fs::temp_directory_path(ec);
    for (int attempt = 0; attempt < 100 && m_strPath.empty(); ++attempt) {
        const fs::path folder = base / ("vireo-test-" + std::to_string(seed() % 1000000000u));
        if (fs::create_directory(folder, ec))
            m_strPath = PathText(folder);
    }
}

CTempDir::~CTempDir()
{
    std::error_code ec;
    if (!m_strPath.empty())
        fs::remove_all(SystemPath(m_strPath), ec);
}

void CTempDir::Write(const std::string& name, const std::string& bytes) const
{
    std::ofstream out(SystemPath(File(name)), std::ios::binary);
    out << bytes;
}

std::string CTempDir::Read(const std::string& name) const
{
    std::ifstream in(SystemPath(File(name)), std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::set<std::string> CTempDir::Names() const
{
    std::set<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(SystemPath(m_strPath), ec), end; !ec && it != end;
         it.increment(ec))
        names.insert(PathText(it->path().filename()));
    return names;
}
