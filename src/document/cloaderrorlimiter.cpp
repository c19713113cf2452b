#include "cloaderrorlimiter.h"

#include "strformat.h"

void CLoadErrorLimiter::MessageBox(const std::string& text, Icon icon, const std::string& details)
{
    if (!m_pUI)
        return;
    if (++m_nErrors <= kShownOneByOne)
        m_pUI->MessageBox(text, icon, details);
    else
        m_astrHeld.push_back(text);
}

int CLoadErrorLimiter::CheckResults(CCheckMessageArray& m, bool s) { return m_pUI ? m_pUI->CheckResults(m, s) : IDCANCEL; }
int CLoadErrorLimiter::SelectObjectType(int& code) { return m_pUI ? m_pUI->SelectObjectType(code) : IDCANCEL; }
int CLoadErrorLimiter::EditBuffer(CCPBuffer& b) { return m_pUI ? m_pUI->EditBuffer(b) : IDCANCEL; }

void CLoadErrorLimiter::Finish()
{
    if (m_astrHeld.empty() || !m_pUI)
        return;
    std::string details;
    for (const std::string& t : m_astrHeld) {
        details += t;
        details += '\n';
    }
    const int n = int(m_astrHeld.size());
    m_astrHeld.clear();
    m_pUI->MessageBox(StrFormat("The file holds %d more error%s. Open the details to see %s.", n,
                                n == 1 ? "" : "s", n == 1 ? "it" : "them all"),
                      Exclamation, details);
}
