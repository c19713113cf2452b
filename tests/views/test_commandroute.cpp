#include "ccommandroute.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A target that handles some ids, enabled or not, and logs what it ran.
class CFakeTarget : public CCommandTarget
{
public:
    CFakeTarget(std::vector<int> ids, bool enabled, std::vector<std::pair<CFakeTarget*, int>>* log)
        : m_aIds(std::move(ids)), m_bEnabled(enabled), m_pLog(log)
    {
    }
    bool OnUpdateCommand(CCmdUI& ui) override
    {
        for (int id : m_aIds)
            if (id == ui.m_nID) {
                ui.Enable(m_bEnabled);
                return true;
            }
        return false;
    }
    bool OnCommand(int id) override
    {
        m_pLog->push_back({this, id});
        return true;
    }

    std::vector<int> m_aIds;
    bool m_bEnabled;
    std::vector<std::pair<CFakeTarget*, int>>* m_pLog;
};

TEST(CommandRoute, TheFirstHandlerDecidesAndDisabledCommandsNeverRun)
{
    std::vector<std::pair<CFakeTarget*, int>> log;
    CFakeTarget pane({ID_ZOOM_IN, ID_EDIT_CLEAR}, false, &log);
    CFakeTarget doc({ID_EDIT_CLEAR, ID_FILE_SAVE}, true, &log);
    CFakeTarget app({ID_FILE_NEW}, true, &log);
    CCommandRoute route;
    route.SetTargets({&pane, nullptr, &doc, &app});

    CCmdUI clear(ID_EDIT_CLEAR);
    EXPECT_TRUE(route.Update(clear));
    EXPECT_FALSE(clear.m_bEnabled); // the pane's answer, not the document's
    EXPECT_FALSE(route.Execute(ID_EDIT_CLEAR));
    EXPECT_FALSE(route.Execute(ID_ZOOM_IN));

    CCmdUI undo(ID_EDIT_UNDO);
    undo.Enable();
    undo.SetCheck();
    EXPECT_FALSE(route.Update(undo)); // nobody handles it: disabled
    EXPECT_FALSE(undo.m_bEnabled);
    EXPECT_FALSE(undo.m_bChecked);
    EXPECT_FALSE(route.Execute(ID_EDIT_UNDO));

    EXPECT_TRUE(route.Execute(ID_FILE_SAVE));
    EXPECT_TRUE(route.Execute(ID_FILE_NEW));
    const std::vector<std::pair<CFakeTarget*, int>> expected{{&doc, ID_FILE_SAVE},
                                                             {&app, ID_FILE_NEW}};
    EXPECT_EQ(log, expected);

    // The state is asked again at the moment the command runs.
    pane.m_bEnabled = true;
    EXPECT_TRUE(route.Execute(ID_EDIT_CLEAR));
    EXPECT_EQ(log.back(), std::make_pair(&pane, int(ID_EDIT_CLEAR)));
}

} // namespace
