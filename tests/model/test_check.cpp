#include "ccpbutton.h"
#include "ccpbuttonview.h"
#include "ccpmanager.h"
#include "ccppanel.h"
#include "ccpsurface.h"
#include "readcockpit.h"
#include "recordtest.h"
#include "testcockpit.h"
#include "testdata.h"

using namespace recordtest;

namespace {

std::string Panel(int id, const std::string& adj, const std::string& extra = "\tmasktop = 1;\n")
{
    return "#" + std::to_string(id) + " PANEL\n\tadjpanels = " + adj + ";\n" + extra + "#end\n";
}

const char* kNoNeighbours = "-1 -1 -1 -1 -1 -1 -1 -1";

// A cockpit text with a usable template, so only the records' own problems show.
struct CCheckedCockpit : CReadCockpit
{
    explicit CCheckedCockpit(const std::string& text) : CReadCockpit(text)
    {
        manager.m_strTemplateFile = "t.gif";
        manager.m_nTemplateWidth = 64;
        manager.m_nTemplateHeight = 64;
    }

    std::vector<std::string> Run(bool full, std::vector<CCPObject*>* records = nullptr)
    {
        CCheckMessageArray msgs;
        const bool ok = manager.Check(msgs, full);
        std::vector<std::string> texts;
        for (const CCheckMessage& m : msgs) {
            texts.push_back(m.m_strMessage);
            if (records)
                records->push_back(m.m_pObject);
        }
        EXPECT_EQ(ok, texts.empty());
        return texts;
    }
};

} // namespace

TEST(CockpitCheck, EmptyCockpitAndTheIcpButtons)
{
    CReadCockpit c;
    CCheckMessageArray msgs;
    EXPECT_FALSE(c.manager.Check(msgs, false));
    ASSERT_EQ(msgs.size(), 2u);
    EXPECT_EQ(msgs[0].m_strMessage, "Manager, No template file");
    EXPECT_EQ(msgs[1].m_strMessage, "Manager, Template size is 0");
    EXPECT_EQ(msgs[1].m_pObject, &c.manager);

    CCheckedCockpit icp("");
    EXPECT_EQ(icp.Run(true),
              (std::vector<std::string>{
                  "Manager, no button defined with ID 1013 (ICP Initial Primary)",
                  "Manager, no button defined with ID 1011 (ICP Initial Tertiary)"}));
    CCheckedCockpit primaryOnly("#1013 BUTTON\n#end\n");
    EXPECT_EQ(primaryOnly.Run(true),
              (std::vector<std::string>{
                  "Manager, no button defined with ID 1011 (ICP Initial Tertiary)"}));
    EXPECT_TRUE(primaryOnly.Run(false).empty());
    CCheckedCockpit both("#1011 BUTTON\n#end\n#1013 BUTTON\n#end\n");
    EXPECT_TRUE(both.Run(true).empty());
}

TEST(CockpitCheck, ReachabilityStartsAtTheFirstPanelAndFollowsLinksOneWay)
{
    const std::string p100 = Panel(100, "-1 -1 200 -1 -1 -1 -1 -1");
    const std::string p200 = Panel(200, kNoNeighbours);
    const std::string p300 = Panel(300, kNoNeighbours);
    CCheckedCockpit c(p100 + p200 + p300);
    std::vector<CCPObject*> records;
    EXPECT_EQ(c.Run(false, &records), (std::vector<std::string>{"Panel 300 is not reachable"}));
    EXPECT_EQ(records[0], c.manager.FindPanel(300));

    CCheckedCockpit swapped(p300 + p100 + p200);
    EXPECT_EQ(swapped.Run(false), (std::vector<std::string>{"Panel 100 is not reachable",
                                                            "Panel 200 is not reachable"}));

    // A chain is followed to its end.
    CCheckedCockpit chain(Panel(100, "200 -1 -1 -1 -1 -1 -1 -1") + Panel(300, kNoNeighbours) +
                          Panel(200, "-1 -1 -1 -1 -1 -1 -1 300"));
    EXPECT_TRUE(chain.Run(true).size() == 2u); // only the ICP messages
}

TEST(CockpitCheck, DanglingNeighbourIsReportedByThePassAndByThePanel)
{
    CCheckedCockpit c(Panel(100, "500 -1 -1 -1 -1 -1 -1 -1"));
    EXPECT_EQ(c.Run(false),
              (std::vector<std::string>{"Panel 100, there is no adjacent panel 500 defined",
                                        "Panel Id 100, No adjacent panel 500"}));

    // A panel made in the editor has no neighbours: no message about them.
    CCPPanel fresh(&c.manager);
    fresh.m_nId = 700;
    EXPECT_EQ(CheckTexts(fresh, false),
              std::vector<std::string>{"Panel Id 700, Masktop should not be 0"});

    // One read from a file without an adjpanels line has 0 in each, as the file format says.
    CCheckedCockpit read("#700 PANEL\n#end\n");
    const std::vector<std::string> texts = CheckTexts(*read.manager.FindPanel(700), false);
    ASSERT_EQ(texts.size(), 9u);
    EXPECT_EQ(texts[0], "Panel Id 700, No adjacent panel 0");
    EXPECT_EQ(texts[7], "Panel Id 700, No adjacent panel 0");
}

TEST(CockpitCheck, RecordMessagesComeInListOrderAndFullChecksAddMore)
{
    CCheckedCockpit c(TestData("check_buttons_views_surfaces.dat"));
    EXPECT_EQ(c.Run(false), (std::vector<std::string>{
                                "ButtonView Id 2001, states mismatch parent has 2 this has 3",
                                "Object Id 2002, is not unique",
                                "ButtonView Id 2002, no parent 1500",
                                "Object Id 2002, is not unique",
                                "Button Id 1011, initial state is too big (2 >= 2)",
                                "Button Id 1011, sound 2 9 not defined",
                                "Button Id 1012, sound 1 4 not defined",
                                "Panel Id 100, Masktop should not be 0",
                            }));
    EXPECT_EQ(c.Run(true), (std::vector<std::string>{
                               "ButtonView Id 2001, states mismatch parent has 2 this has 3",
                               "ButtonView Id 2001, src/dest are different sizes",
                               "ButtonView Id 2001, src/dest are different sizes",
                               "Object Id 2002, is not unique",
                               "ButtonView Id 2002, no parent 1500",
                               "ButtonView Id 2003, states mismatch parent has 2 this has 1",
                               "Object Id 2002, is not unique",
                               "ButtonView Id 2002, states mismatch parent has 2 this has 0",
                               "Button Id 1011, initial state is too big (2 >= 2)",
                               "Button Id 1011, sound 2 9 not defined",
                               "Button Id 1012, sound 1 4 not defined",
                               "Manager, no button defined with ID 1013 (ICP Initial Primary)",
                               "Panel Id 100, Overlapping surfaces 0 and 1",
                               "Panel Id 100, Overlapping surfaces 1 and 2",
                               "Panel Id 100, Masktop should not be 0",
                           }));
    // Checks recount the views of each button.
    EXPECT_EQ(c.manager.FindButton(1011)->m_nNumViews, 3);
    EXPECT_EQ(c.manager.FindButton(1012)->m_nNumViews, 0);
}

TEST(CockpitCheck, CheckCommandLeavesOutUnusedSurfacesAndShowsMessagesWithoutSaveAnyway)
{
    CTestCockpit c(
        "#7 SURFACE\n#end\n#8 SURFACE\n#end\n" +
        Panel(100, kNoNeighbours, "\tmasktop = 5;\n\tsurfaces = 8 0 opaque 0 0 10 10;\n"));
    c.doc.OnCheckCockpit();
    // An unused surface is neither checked nor written; it stays for an undo to find.
    EXPECT_EQ(c.Saved().find("#7 SURFACE"), std::string::npos);
    EXPECT_NE(c.Saved().find("#8 SURFACE"), std::string::npos);
    EXPECT_NE(c.doc.m_manager.FindSurface(7), nullptr);
    ASSERT_EQ(c.ui.m_aCheckResults.size(), 1u); // the ICP buttons and the template are missing
    EXPECT_EQ(c.ui.m_aSaveAnywayShown, (std::vector<bool>{false}));
    EXPECT_FALSE(c.doc.IsModified());
}
