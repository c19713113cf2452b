#pragma once

#include <ostream>
#include <string>
#include <vector>

// vireo-cli: checks, rewrites and renders cockpits without a window.
// Exit codes: 0 done (check: passed), 1 check found problems, 2 bad usage or unreadable input
// or unwritable output.
class CCliApp
{
public:
    CCliApp(std::ostream& out, std::ostream& err) : m_out(out), m_err(err) {}

    int Run(const std::vector<std::string>& args);
    static std::string HelpText();

private:
    int RunCommand(const std::vector<std::string>& args);
    int Format(const std::vector<std::string>& args);
    int Check(const std::vector<std::string>& args);
    int Render(const std::vector<std::string>& args);
    int RenderAll(const std::vector<std::string>& args);
    int Map(const std::vector<std::string>& args);
    int Usage(const std::string& problem);

    std::ostream& m_out;
    std::ostream& m_err;
};
