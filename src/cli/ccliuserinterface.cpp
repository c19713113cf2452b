#include "ccliuserinterface.h"

void CCliUserInterface::MessageBox(const std::string& text, Icon, const std::string& details)
{
    m_err << text << '\n';
    if (!details.empty()) {
        m_err << details;
        if (details.back() != '\n')
            m_err << '\n';
    }
    m_err.flush();
}
