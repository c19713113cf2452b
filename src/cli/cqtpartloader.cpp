#include "cqtpartloader.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

#ifndef _WIN32
#include <dlfcn.h>
#endif

#ifndef _WIN32
namespace {

constexpr const char* kModuleName = "libvireo-cli-qt.so";

std::vector<std::string> Candidates()
{
    if (const char* named = std::getenv("VIREO_CLI_QT_MODULE"); named && *named)
        return {named};
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return {kModuleName}; // the loader's own search path
    const std::filesystem::path dir = self.parent_path();
    return {(dir / kModuleName).string(), (dir / ".." / "lib" / "vireo" / kModuleName).string()};
}

} // namespace
#endif

CQtPartLoader::~CQtPartLoader()
{
    // The part goes (and Qt's application with it) before the program's statics; the library
    // stays loaded, as Qt's own exit handlers may still run code in it.
    m_pPart.reset();
}

ICliQtPart* CQtPartLoader::Part()
{
    if (m_bTried)
        return m_pPart.get();
    m_bTried = true;
#ifdef _WIN32
    m_strWhy = "this build has no Qt part";
#else
    const std::vector<std::string> candidates = Candidates();
    void* module = nullptr;
    std::string failure;
    for (const std::string& path : candidates) {
        module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module)
            break;
        if (failure.empty()) // the first says most: where it is built or installed
            failure = dlerror();
    }
    if (!module) {
        m_strWhy = "cannot load " + candidates.front() + " (" + failure + ")";
        return nullptr;
    }
    using MakePart = ICliQtPart* (*)();
    const auto make = reinterpret_cast<MakePart>(dlsym(module, "VireoCliQtPart"));
    if (!make) {
        m_strWhy = "the Qt part is damaged: no VireoCliQtPart in it";
        return nullptr;
    }
    m_pPart.reset(make());
#endif
    return m_pPart.get();
}
