#pragma once

#include "iuserinterface.h"

#include <cstdint>
#include <string>
#include <vector>

// Stands between a load and the user: the first errors of a file are shown one box at a
// time, the next ones are collected and shown once, in one box, when the load is over. Only
// so many are kept for that box; the rest are counted. A user interface that streams its
// messages gets every one as it comes.
class CLoadErrorLimiter : public IUserInterface
{
public:
    static constexpr int kShownOneByOne = 10;
    static constexpr size_t kKeptForSummary = 1000;

    explicit CLoadErrorLimiter(IUserInterface* ui) : m_pUI(ui) {}

    void MessageBox(const std::string& text, Icon icon, const std::string& details) override;
    int CheckResults(CCheckMessageArray& messages, bool showSaveAnyway) override;
    bool StreamsMessages() const override { return m_pUI && m_pUI->StreamsMessages(); }
    int SelectObjectType(int& code) override;
    int EditBuffer(CCPBuffer& buffer) override;

    // Shows the collected rest, if any.
    void Finish();

private:
    IUserInterface* m_pUI;
    uint64_t m_nErrors = 0;
    uint64_t m_nNotKept = 0;
    std::vector<std::string> m_astrHeld;
};

// 9998990 as "9,998,990".
std::string CountText(uint64_t n);
