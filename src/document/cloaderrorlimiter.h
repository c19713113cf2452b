#pragma once

#include "iuserinterface.h"

#include <string>
#include <vector>

// Stands between a load and the user: the first errors of a file are shown one box at a
// time, the rest are collected and shown once, in one box, when the load is over.
class CLoadErrorLimiter : public IUserInterface
{
public:
    static constexpr int kShownOneByOne = 10;

    explicit CLoadErrorLimiter(IUserInterface* ui) : m_pUI(ui) {}

    void MessageBox(const std::string& text, Icon icon, const std::string& details) override;
    int CheckResults(CCheckMessageArray& messages, bool showSaveAnyway) override;
    int SelectObjectType(int& code) override;
    int EditBuffer(CCPBuffer& buffer) override;

    // Shows the collected rest, if any.
    void Finish();

private:
    IUserInterface* m_pUI;
    int m_nErrors = 0;
    std::vector<std::string> m_astrHeld;
};
