#pragma once

#include "ccockpitreader.h"
#include "ccpmanager.h"
#include "clinewriter.h"
#include "crecordingui.h"

#include <string>

// A manager read from text by the cockpit reader, as the model layer has it: no document, the
// messages recorded.
struct CReadCockpit
{
    CRecordingUI ui;
    CCPManager manager;

    CReadCockpit() { manager.SetUserInterface(&ui); }
    explicit CReadCockpit(const std::string& text) : CReadCockpit() { Read(text); }

    // Reads text on top of what the manager holds; the lines read, as the reader counted them.
    int Read(const std::string& text)
    {
        CCockpitReader reader(manager, &ui);
        reader.Read(text);
        return reader.LineCount();
    }
    // The bytes a save would write.
    std::string Saved()
    {
        CLineWriter w;
        manager.Serialize(w);
        return w.Take();
    }
};
