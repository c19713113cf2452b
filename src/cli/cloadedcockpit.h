#pragma once

#include "ccliuserinterface.h"
#include "cvireodoc.h"
#include "iimageloader.h"

#include <ostream>
#include <string>

// A document loaded as the editor's Open loads it, messages to the error stream, pictures
// read by the loader given.
struct CLoadedCockpit
{
    CCliUserInterface ui;
    CVireoDoc doc;

    CLoadedCockpit(std::ostream& err, IImageLoader& loader) : ui(err), m_err(err)
    {
        doc.SetUserInterface(&ui);
        doc.m_manager.SetImageLoader(&loader);
    }

    // False, after saying so, when the file cannot be read.
    bool Open(const std::string& input)
    {
        if (doc.OnOpenDocument(input))
            return true;
        m_err << "vireo-cli: cannot read " << input << "\n";
        return false;
    }

private:
    std::ostream& m_err;
};
