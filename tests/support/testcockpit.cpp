#include "testcockpit.h"

#include <cstdlib>
#include <dirent.h>
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

std::set<std::string> CTempDir::Names() const
{
    std::set<std::string> names;
    if (DIR* d = opendir(m_strPath.c_str())) {
        while (dirent* e = readdir(d))
            if (std::string(e->d_name) != "." && std::string(e->d_name) != "..")
                names.insert(e->d_name);
        closedir(d);
    }
    return names;
}
