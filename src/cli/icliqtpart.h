#pragma once

#include <ostream>
#include <string>
#include <vector>

class IImageLoader;

// What vireo-cli does with Qt: painting panels and reading the pictures that only Qt's
// readers read. vireo-cli loads it from a library of its own when first needed, so that
// format and check of a cockpit with PNG and GIF pictures never load the Qt libraries.
class ICliQtPart
{
public:
    virtual ~ICliQtPart() = default;
    virtual int Render(const std::vector<std::string>& args, std::ostream& out,
                       std::ostream& err) = 0;
    virtual int Map(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) = 0;
    virtual IImageLoader& Pictures() = 0;
};

// Where the Qt part comes from: linked in, or loaded when first asked for.
class IQtPartSource
{
public:
    virtual ~IQtPartSource() = default;
    // The part, made on the first call; nullptr when it cannot be had, Why() saying why.
    virtual ICliQtPart* Part() = 0;
    virtual std::string Why() const = 0;
};
