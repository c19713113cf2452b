#include "ccliqtpart.h"

#include "ccliapp.h"

#include <QGuiApplication>

#include <clocale>
#include <string>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

CCliQtPart::CCliQtPart()
{
    if (QCoreApplication::instance())
        return;
    // No window is ever shown: painting and fonts work on an offscreen platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#ifndef _WIN32
    // Outside a desktop session Qt would warn on stderr, which scripts read for load messages.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const std::string dir = "/tmp/runtime-" + std::to_string(getuid());
        mkdir(dir.c_str(), 0700);
        qputenv("XDG_RUNTIME_DIR", dir.c_str());
    }
#endif
    static int argc = 1;
    static char name[] = "vireo-cli";
    static char* argv[] = {name, nullptr};
    m_pApp = std::make_unique<QGuiApplication>(argc, argv);
    // Qt takes the user's locale; the file format always writes and reads a decimal point,
    // and this may come in the middle of a load.
    setlocale(LC_NUMERIC, "C");
}

CCliQtPart::~CCliQtPart() = default;

int CCliQtPart::Render(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    return CCliQtCommands(out, err, m_loader).Render(args);
}

int CCliQtPart::Map(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    return CCliQtCommands(out, err, m_loader).Map(args);
}

int CCliQtCommands::Usage(const std::string& problem)
{
    return CliUsage(m_err, problem);
}

namespace {
class CLinkedQtPart : public IQtPartSource
{
public:
    ICliQtPart* Part() override
    {
        if (!m_pPart)
            m_pPart = std::make_unique<CCliQtPart>();
        return m_pPart.get();
    }
    std::string Why() const override { return std::string(); }

private:
    std::unique_ptr<CCliQtPart> m_pPart;
};
} // namespace

IQtPartSource* LinkedQtPart()
{
    static CLinkedQtPart linked;
    return &linked;
}
