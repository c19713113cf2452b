#include "cloaderrorlimiter.h"

#include "strformat.h"

std::string CountText(uint64_t n)
{
    std::string digits = std::to_string(n), out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += ',';
        out += digits[i];
    }
    return out;
}

void CLoadErrorLimiter::MessageBox(const std::string& text, Icon icon, const std::string& details)
{
    if (!m_pUI)
        return;
    if (++m_nErrors <= kShownOneByOne || m_pUI->StreamsMessages())
        m_pUI->MessageBox(text, icon, details);
    else if (m_astrHeld.size() < kKeptForSummary)
        m_astrHeld.push_back(text);
    else
        ++m_nNotKept; // a file of millions of bad lines must not hold millions of texts
}

int CLoadErrorLimiter::CheckResults(CCheckMessageArray& m, bool s)
{
    return m_pUI ? m_pUI->CheckResults(m, s) : IDCANCEL;
}
int CLoadErrorLimiter::SelectObjectType(int& code)
{
    return m_pUI ? m_pUI->SelectObjectType(code) : IDCANCEL;
}
int CLoadErrorLimiter::EditBuffer(CCPBuffer& b)
{
    return m_pUI ? m_pUI->EditBuffer(b) : IDCANCEL;
}

void CLoadErrorLimiter::Finish()
{
    if (m_astrHeld.empty() || !m_pUI)
        return;
    std::string details;
    for (const std::string& t : m_astrHeld) {
        details += t;
        details += '\n';
    }
    const uint64_t n = m_astrHeld.size() + m_nNotKept;
    std::string text =
        StrFormat("The file holds %s more error%s. ", CountText(n).c_str(), n == 1 ? "" : "s");
    if (m_nNotKept == 0) {
        text += n == 1 ? "Open the details to see it." : "Open the details to see them all.";
    } else {
        text += StrFormat("Open the details to see the first %s.",
                          CountText(m_astrHeld.size()).c_str());
        details += "... and " + CountText(m_nNotKept) + " more\n";
    }
    m_astrHeld.clear();
    m_nNotKept = 0;
    m_pUI->MessageBox(text, Exclamation, details);
}
