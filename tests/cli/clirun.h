#pragma once

#include "ccliapp.h"
#include "ccliqtpart.h"

#include <sstream>
#include <string>
#include <vector>

// What one run of the tool gave: its exit code and what it wrote.
struct CRun
{
    int code;
    std::string out;
    std::string err;
};

// Runs the tool in this process, as its main would with these arguments.
inline CRun Cli(std::vector<std::string> args)
{
    std::ostringstream out, err;
    CCliApp app(out, err, LinkedQtPart());
    const int code = app.Run(args);
    return {code, out.str(), err.str()};
}
