#include "ccliapp.h"

#include <QGuiApplication>

#include <clocale>
#include <csignal>
#include <iostream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    // No window is ever shown: render and fonts work on an offscreen platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Outside a desktop session Qt would warn on stderr, which scripts read for load messages.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const std::string dir = "/tmp/runtime-" + std::to_string(getuid());
        mkdir(dir.c_str(), 0700);
        qputenv("XDG_RUNTIME_DIR", dir.c_str());
    }
    // Past a file size limit a write must fail with an error the save reports, not end the
    // program half way.
    std::signal(SIGXFSZ, SIG_IGN);
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    // Qt takes the user's locale; the file format always writes and reads a decimal point.
    setlocale(LC_NUMERIC, "C");
    std::vector<std::string> args(argv + 1, argv + argc);
    CCliApp cli(std::cout, std::cerr);
    return cli.Run(args);
}
