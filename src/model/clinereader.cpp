#include "clinereader.h"

#include "iuserinterface.h"
#include "strformat.h"

CLineReader::CLineReader(std::string data, int* lineCounter, IUserInterface* ui)
    : m_owned(std::move(data)), m_text(m_owned), m_pLineCount(lineCounter), m_pUI(ui)
{
}

CLineReader::CLineReader(CBorrowed, std::string_view text, int* lineCounter, IUserInterface* ui)
    : m_text(text), m_pLineCount(lineCounter), m_pUI(ui)
{
}

CLineReader CLineReader::Over(std::string_view text, int* lineCounter, IUserInterface* ui)
{
    return CLineReader(CBorrowed{}, text, lineCounter, ui);
}

bool CLineReader::ReadLine(std::string& line)
{
    std::string_view view;
    if (!ReadLine(view))
        return false;
    line.assign(view);
    return true;
}

void ReportError(CLineReader& ar, const std::string& message, std::string_view token)
{
    // A token of a hostile file may be megabytes long: the box shows its start.
    constexpr size_t kShown = 200;
    std::string shown(token.substr(0, kShown));
    if (token.size() > kShown)
        shown += "...";
    if (IUserInterface* ui = ar.UserInterface())
        ui->MessageBox(StrFormat("Error in file at line %d,  %s '%s'", ar.LineCount(),
                                 message.c_str(), shown.c_str()),
                       IUserInterface::Exclamation);
}
