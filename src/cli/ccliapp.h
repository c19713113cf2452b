#pragma once

#include <ostream>
#include <string>
#include <vector>

class IQtPartSource;

// vireo-cli: checks, rewrites and renders cockpits without a window.
// Exit codes: 0 done (check: passed), 1 check found problems, 2 bad usage or unreadable input
// or unwritable output.
class CCliApp
{
public:
    // qt: where render, map and the pictures only Qt reads come from; none in a build
    // without Qt.
    CCliApp(std::ostream& out, std::ostream& err, IQtPartSource* qt = nullptr)
        : m_out(out), m_err(err), m_pQt(qt)
    {
    }

    int Run(const std::vector<std::string>& args);
    static std::string HelpText();

private:
    int RunCommand(const std::vector<std::string>& args);
    int Format(const std::vector<std::string>& args);
    int Check(const std::vector<std::string>& args);
    // render or map, done by the Qt part.
    int Painted(const std::string& command, const std::vector<std::string>& args);
    int Usage(const std::string& problem);

    std::ostream& m_out;
    std::ostream& m_err;
    IQtPartSource* m_pQt;
};

// Says what is wrong with the command line; the exit code for it.
int CliUsage(std::ostream& err, const std::string& problem);
