#include "testcockpit.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

CTempDir::CTempDir()
{
    std::string tmpl = (std::filesystem::temp_directory_path() / "vireo-test-XXXXXX").string();
    if (char* p = mkdtemp(tmpl.data()))
        m_strPath = p;
}

CTempDir::~CTempDir()
{
    std::error_code ec;
    if (!m_strPath.empty())
        std::filesystem::remove_all(m_strPath, ec);
}

void CTempDir::Write(const std::string& name, const std::string& bytes) const
{
    std::ofstream out(File(name), std::ios::binary);
    out << bytes;
}

std::string CTempDir::Read(const std::string& name) const
{
    std::ifstream in(File(name), std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}
