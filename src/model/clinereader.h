#pragma once

#include <string>

class IUserInterface;

// The loading side of a cockpit file: whole lines of any length, with the line counter that
// error messages quote. The counter belongs to whoever loads (the document); a reader without
// one counts nothing and reports line 0.
class CLineReader
{
public:
    explicit CLineReader(std::string data, int* lineCounter = nullptr, IUserInterface* ui = nullptr);

    // The next line without its LF or CR LF; false at the end of the input. Every call, the
    // one that meets the end too, adds one to the counter.
    bool ReadLine(std::string& line);

    int LineCount() const { return m_pLineCount ? *m_pLineCount : 0; }
    IUserInterface* UserInterface() const { return m_pUI; }
    bool AtEnd() const { return m_nPos >= m_data.size(); }

private:
    std::string m_data;
    size_t m_nPos = 0;
    int* m_pLineCount;
    IUserInterface* m_pUI;
};

// "Error in file at line %d,  %s '%s'" in a message box; reading goes on afterwards.
void ReportError(CLineReader& ar, const std::string& message, const std::string& token);
