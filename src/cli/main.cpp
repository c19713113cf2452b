#include "ccliapp.h"

#include <clocale>
#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#ifdef VIREO_CLI_QT_MODULE
#include "cqtpartloader.h"
#endif

#ifdef _WIN32
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>
#endif

namespace {
// The arguments as UTF-8, as the program holds every name.
std::vector<std::string> Arguments(int argc, char** argv)
{
#ifdef _WIN32
    // argv is in the ANSI code page, which cannot hold every name: the wide command line can.
    (void)argc;
    (void)argv;
    std::vector<std::string> args;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; wide && i < count; ++i) {
        const int n = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string arg(size_t(n > 0 ? n - 1 : 0), '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), n, nullptr, nullptr);
        args.push_back(std::move(arg));
    }
    LocalFree(wide);
    return args;
#else
    return std::vector<std::string>(argv + 1, argv + argc);
#endif
}
} // namespace

int main(int argc, char** argv)
{
#ifdef _WIN32
    // What goes to stdout is the same bytes as elsewhere: a cockpit written with "-o -" keeps
    // its line ends, and reports end their lines with LF as on every other system.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
#ifdef SIGXFSZ
    // Past a file size limit a write must fail with an error the save reports, not end the
    // program half way.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    // The file format always writes and reads a decimal point, whatever the user's locale.
    setlocale(LC_NUMERIC, "C");
#ifdef VIREO_CLI_QT_MODULE
    // Qt is loaded when a command first needs it: render, map, or a picture only it reads.
    CQtPartLoader qt;
    CCliApp cli(std::cout, std::cerr, &qt);
#else
    CCliApp cli(std::cout, std::cerr);
#endif
    return cli.Run(Arguments(argc, argv));
}
