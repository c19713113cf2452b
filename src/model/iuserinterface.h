#pragma once

#include "ccheckmessage.h"

#include <string>

class CCPBuffer;

enum DialogResult
{
    IDOK = 1,
    IDCANCEL = 2
};

// Everything the model and the document need to show to or ask of the user. The editor
// answers with dialogs, the command-line tool prints, tests record and answer.
class IUserInterface
{
public:
    enum Icon
    {
        Information,
        Exclamation,
        Stop
    };

    virtual ~IUserInterface() = default;

    // A modal message box. details, when given, is extra text the box can show on request.
    virtual void MessageBox(const std::string& text, Icon icon = Exclamation,
                            const std::string& details = {}) = 0;
    // The "Check Results" dialog: IDOK for "Save Anyway", IDCANCEL otherwise.
    virtual int CheckResults(CCheckMessageArray& messages, bool showSaveAnyway) = 0;
    // True when every message is written out as it comes (a log, a terminal) instead of
    // waiting to be clicked away: a load then holds none of them back.
    virtual bool StreamsMessages() const { return false; }
    // The "Select Object Type" dialog: IDOK with code set to the chosen type code.
    virtual int SelectObjectType(int& code) = 0;
    // The "Buffer" dialog on a new buffer: IDOK when the user accepted (the buffer is updated).
    virtual int EditBuffer(CCPBuffer& buffer) = 0;
    // A note that needs no answer, in the status bar where there is one.
    virtual void StatusMessage(const std::string& /*text*/) {}
};

// Answers nothing and shows nothing: for code that runs without a user.
class CSilentUserInterface : public IUserInterface
{
public:
    void MessageBox(const std::string&, Icon, const std::string&) override {}
    int CheckResults(CCheckMessageArray&, bool) override { return IDCANCEL; }
    int SelectObjectType(int&) override { return IDCANCEL; }
    int EditBuffer(CCPBuffer&) override { return IDCANCEL; }
};
