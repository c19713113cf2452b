#include "clinereader.h"

#include "iuserinterface.h"
#include "strformat.h"

CLineReader::CLineReader(std::string data, int* lineCounter, IUserInterface* ui)
    : m_data(std::move(data)), m_pLineCount(lineCounter), m_pUI(ui)
{
}

bool CLineReader::ReadLine(std::string& line)
{
    if (m_pLineCount)
        ++*m_pLineCount;
    if (m_nPos >= m_data.size())
        return false;
    size_t end = m_data.find('\n', m_nPos);
    const size_t next = end == std::string::npos ? m_data.size() : end + 1;
    if (end == std::string::npos)
        end = m_data.size();
    else if (end > m_nPos && m_data[end - 1] == '\r')
        --end;
    line.assign(m_data, m_nPos, end - m_nPos);
    m_nPos = next;
    return true;
}

void ReportError(CLineReader& ar, const std::string& message, const std::string& token)
{
    // A token of a hostile file may be megabytes long: the box shows its start.
    constexpr size_t kShown = 200;
    const std::string shown = token.size() > kShown ? token.substr(0, kShown) + "..." : token;
    if (IUserInterface* ui = ar.UserInterface())
        ui->MessageBox(StrFormat("Error in file at line %d,  %s '%s'", ar.LineCount(),
                                 message.c_str(), shown.c_str()),
                       IUserInterface::Exclamation);
}
