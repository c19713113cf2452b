#pragma once

#include "ccliuserinterface.h"
#include "cvireodoc.h"

#ifdef VIREO_CLI_RENDER
#include "cqtimageloader.h"
using CCliImageLoader = CQtImageLoader;
#else
#include "cfileonlyimageloader.h"
using CCliImageLoader = CFileOnlyImageLoader;
#endif

#include <ostream>
#include <string>

// A document loaded as the editor's Open loads it, messages to the error stream.
struct CLoadedCockpit
{
    CCliUserInterface ui;
    CCliImageLoader loader;
    CVireoDoc doc;

    explicit CLoadedCockpit(std::ostream& err) : ui(err), m_err(err)
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
