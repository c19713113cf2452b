#pragma once

#include "iuserinterface.h"

#include <ostream>

// What would be a message box in the editor is a line on the error stream here; dialogs
// that ask something answer Cancel.
class CCliUserInterface : public IUserInterface
{
public:
    explicit CCliUserInterface(std::ostream& err) : m_err(err) {}

    // One message, one line: the lines of the text and of the details joined.
    void MessageBox(const std::string& text, Icon icon, const std::string& details) override;
    bool StreamsMessages() const override { return true; }
    int CheckResults(CCheckMessageArray&, bool) override { return IDCANCEL; }
    int SelectObjectType(int&) override { return IDCANCEL; }
    int EditBuffer(CCPBuffer&) override { return IDCANCEL; }

private:
    std::ostream& m_err;
};
