#pragma once

#include <cstring>
#include <functional>
#include <string>
#include <string_view>

class IUserInterface;

// The loading side of a cockpit file: whole lines of any length, with the line counter that
// error messages quote. The counter belongs to whoever loads (the document); a reader without
// one counts nothing and reports line 0.
class CLineReader
{
public:
    explicit CLineReader(std::string data, int* lineCounter = nullptr,
                         IUserInterface* ui = nullptr);
    // A reader over text held by the caller, which must outlive the reader: a large file is
    // not copied once more.
    static CLineReader Over(std::string_view text, int* lineCounter = nullptr,
                            IUserInterface* ui = nullptr);

    // The view may point into the reader's own text: it is neither copied nor moved.
    CLineReader(const CLineReader&) = delete;
    CLineReader& operator=(const CLineReader&) = delete;

    // The next line without its LF or CR LF; false at the end of the input. Every call, the
    // one that meets the end too, adds one to the counter.
    bool ReadLine(std::string& line);
    // The same line as a view into the text, valid while the reader lives. Inline: a load
    // calls it once per line.
    bool ReadLine(std::string_view& line)
    {
        if (m_pLineCount)
            ++*m_pLineCount;
        const size_t size = m_text.size();
        if (m_nPos >= size)
            return false;
        const char* begin = m_text.data() + m_nPos;
        const void* nl = std::memchr(begin, '\n', size - m_nPos);
        size_t length;
        if (!nl) {
            length = size - m_nPos;
            m_nPos = size;
        } else {
            length = size_t(static_cast<const char*>(nl) - begin);
            m_nPos += length + 1;
            if (length > 0 && begin[length - 1] == '\r')
                --length;
        }
        line = std::string_view(begin, length);
        return true;
    }

    // While a load gives the text back behind it: before `p` nothing is read again, so the
    // text up to there may go. Nothing happens for a reader not told how.
    void SetLetGo(std::function<void(const char*)> letGo) { m_letGo = std::move(letGo); }
    void LetGoBefore(const char* p) const
    {
        if (m_letGo)
            m_letGo(p);
    }

    // Where the next line starts in the text.
    size_t Position() const { return m_nPos; }
    int LineCount() const { return m_pLineCount ? *m_pLineCount : 0; }
    IUserInterface* UserInterface() const { return m_pUI; }

private:
    struct CBorrowed
    {
    };
    CLineReader(CBorrowed, std::string_view text, int* lineCounter, IUserInterface* ui);

    std::string m_owned;
    std::string_view m_text;
    size_t m_nPos = 0;
    int* m_pLineCount;
    IUserInterface* m_pUI;
    std::function<void(const char*)> m_letGo;
};

// "Error in file at line %d,  %s '%s'" in a message box; reading goes on afterwards.
void ReportError(CLineReader& ar, const std::string& message, std::string_view token);
