#include "ccpbutton.h"
#include "ccpbuttonview.h"
#include "ccpdial.h"
#include "ccplight.h"
#include "ccppanel.h"
#include "ccpsurfaceref.h"
#include "cproblemfix.h"
#include "screenbounds.h"
#include "testcockpit.h"
#include "testdata.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>

namespace {

// A cockpit with every kind of problem, checked as Check Cockpit does (the check itself
// recounts button views, so the bytes to come back to are taken after it).
struct CCheckedProblems : CTestCockpit
{
    CCheckMessageArray messages;

    explicit CCheckedProblems(const std::string& fixture = "every_problem.dat")
        : CTestCockpit(TestData(fixture))
    {
        messages = Recheck();
    }

    CCheckMessageArray Recheck()
    {
        CCheckMessageArray found;
        doc.m_manager.Check(found, true);
        FindOutsideScreen(doc.m_manager, found);
        return found;
    }

    const CCheckMessage& Message(const std::string& text) const
    {
        for (const CCheckMessage& m : messages)
            if (m.m_strMessage == text)
                return m;
        static const CCheckMessage none;
        ADD_FAILURE() << "no message " << text;
        return none;
    }

    bool StillReported(const std::string& text)
    {
        const CCheckMessageArray now = Recheck();
        return std::any_of(now.begin(), now.end(),
                           [&text](const CCheckMessage& m) { return m.m_strMessage == text; });
    }
};

} // namespace

TEST(ProblemFixes, AreOfferedWhereTheFixIsMechanicalAndNamedForTheMenu)
{
    CCheckedProblems c;
    std::map<std::string, std::string> offered;
    for (const CCheckMessage& m : c.messages)
        if (const CProblemFix fix = CProblemFix::For(c.doc, m); fix.IsOffered())
            offered[m.m_strMessage] = fix.GetName();
    EXPECT_EQ(
        offered,
        (std::map<std::string, std::string>{
            {"Panel 100, there is no adjacent panel 500 defined",
             "Set the missing neighbours to none"},
            {"ButtonView Id 2001, no parent 1005", "Add the missing button"},
            {"ButtonView Id 2003, src/dest are different sizes", "Make Src/Dest same size"},
            {"Button Id 1001, sound 1 9 not defined", "Set sound 1 to none"},
            {"Button Id 1001, sound 2 8 not defined", "Set sound 2 to none"},
            {"Button Id 1002, initial state is too big (2 >= 2)", "Set the initial state to 0"},
            {"Manager, no button defined with ID 1013 (ICP Initial Primary)",
             "Add the missing button"},
            {"Manager, no button defined with ID 1011 (ICP Initial Tertiary)",
             "Add the missing button"},
            {"Panel Id 100, No adjacent panel 500", "Set the missing neighbours to none"},
            // The top of the surface that spans the screen, not of the narrow one above it.
            {"Panel Id 200, Masktop should not be 0", "Set Mask Top to 100"},
            {"Light Id 101, Too many states (1)", "Set the initial state to 0"},
            {"Light Id 102, src/dest are different sizes", "Make Src/Dest same size"},
            {"Dial Id 105, destloc different size to src", "Make Src/Dest same size"},
            {"Adi Id 106, src/dest different sizes", "Make Src/Dest same size"},
            {"Light 201 lies partly outside the screen (bottom at 772 of 768)",
             "Move it inside the screen"},
        }));
}

TEST(ProblemFixes, EachIsOneUndoStepThatEndsTheProblemAndUndoesToTheSameBytes)
{
    const std::vector<std::string> fixable = {
        "Panel 100, there is no adjacent panel 500 defined",
        "ButtonView Id 2001, no parent 1005",
        "ButtonView Id 2003, src/dest are different sizes",
        "Button Id 1001, sound 1 9 not defined",
        "Button Id 1001, sound 2 8 not defined",
        "Button Id 1002, initial state is too big (2 >= 2)",
        "Manager, no button defined with ID 1013 (ICP Initial Primary)",
        "Manager, no button defined with ID 1011 (ICP Initial Tertiary)",
        "Panel Id 200, Masktop should not be 0",
        "Light Id 101, Too many states (1)",
        "Light Id 102, src/dest are different sizes",
        "Dial Id 105, destloc different size to src",
        "Adi Id 106, src/dest different sizes",
        "Light 201 lies partly outside the screen (bottom at 772 of 768)",
    };
    for (const std::string& text : fixable) {
        SCOPED_TRACE(text);
        CCheckedProblems c;
        const std::string before = c.Saved();
        const CProblemFix fix = CProblemFix::For(c.doc, c.Message(text));
        ASSERT_TRUE(fix.Apply(c.doc));
        EXPECT_EQ(c.doc.GetHistory().Count(), 1u);
        EXPECT_TRUE(c.doc.IsModified());
        EXPECT_FALSE(c.StillReported(text));
        const std::string after = c.Saved();
        EXPECT_NE(after, before);
        // Made, the fix is not offered again.
        EXPECT_FALSE(CProblemFix::For(c.doc, c.Message(text)).IsOffered());

        ASSERT_TRUE(c.doc.Undo());
        EXPECT_EQ(c.Saved(), before);
        EXPECT_FALSE(c.doc.IsModified());
        EXPECT_TRUE(c.StillReported(text));
        ASSERT_TRUE(c.doc.Redo());
        EXPECT_EQ(c.Saved(), after);
    }
}

TEST(ProblemFixes, ChangeOnlyWhatTheProblemIsAbout)
{
    CCheckedProblems c;
    CCPManager& m = c.doc.m_manager;

    // The missing parent comes with as many states as its view has pictures; the history
    // names it.
    CProblemFix::For(c.doc, c.Message("ButtonView Id 2001, no parent 1005")).Apply(c.doc);
    ASSERT_NE(m.FindButton(1005), nullptr);
    EXPECT_EQ(m.FindButton(1005)->m_nStates, 3);
    EXPECT_EQ(c.doc.UndoName(), "Add Button 1005");

    // Only the neighbours that name no panel go; the link to panel 200 stays.
    CProblemFix::For(c.doc, c.Message("Panel Id 100, No adjacent panel 500")).Apply(c.doc);
    EXPECT_EQ(m.FindPanel(100)->m_anAdjPanels,
              (std::array<int, 8>{-1, -1, 200, -1, -1, -1, -1, -1}));
    EXPECT_EQ(c.doc.UndoName(), "Clear Missing Neighbours of Front");

    // Sources take the destination's size from their own top-left corner.
    CProblemFix::For(c.doc, c.Message("Light Id 102, src/dest are different sizes")).Apply(c.doc);
    const auto* light = static_cast<CCPLight*>(m.FindObject(102));
    EXPECT_EQ(light->m_arcSrc, (std::vector<CRect>{CRect(0, 0, 20, 20), CRect(10, 0, 30, 20)}));
    EXPECT_EQ(light->m_rcDest, CRect(200, 100, 220, 120));
    CProblemFix::For(c.doc, c.Message("Dial Id 105, destloc different size to src")).Apply(c.doc);
    EXPECT_EQ(static_cast<CCPDial*>(m.FindObject(105))->m_rcSrc, CRect(0, 0, 40, 40));

    // The light at the bottom moves up just enough, its picture on the template stays.
    const CProblemFix move = CProblemFix::For(
        c.doc, c.Message("Light 201 lies partly outside the screen (bottom at 772 of 768)"));
    EXPECT_EQ(move.GetRecord(), m.FindObject(201));
    move.Apply(c.doc);
    const auto* low = static_cast<CCPLight*>(m.FindObject(201));
    EXPECT_EQ(low->m_rcDest, CRect(10, 748, 30, 768));
    EXPECT_EQ(low->m_arcSrc, (std::vector<CRect>{CRect(0, 0, 20, 20)}));
    EXPECT_EQ(c.doc.UndoName(), "Move Into Screen Light 201");
    // Undone, the step shows the panel the light was moved on.
    c.doc.SetCurrentPanel(m.FindPanel(100));
    c.doc.Undo();
    EXPECT_EQ(c.doc.m_pCurrentPanel, m.FindPanel(200));
    EXPECT_EQ(c.doc.m_pCurrentObject, low);
}

TEST(ProblemFixes, AreNotOfferedOnceTheCockpitNoLongerFitsThem)
{
    CCheckedProblems c;
    CCPManager& m = c.doc.m_manager;
    const auto offered = [&c](const std::string& text) {
        return CProblemFix::For(c.doc, c.Message(text)).IsOffered();
    };

    // Fixed by hand meanwhile: an existing sound chosen, the mask top set.
    m.FindButton(1001)->m_nSound1 = 1;
    m.FindPanel(200)->m_nMaskTop = 5;
    EXPECT_FALSE(offered("Button Id 1001, sound 1 9 not defined"));
    EXPECT_FALSE(offered("Panel Id 200, Masktop should not be 0"));

    // A panel without surfaces gives no mask top to propose.
    m.FindPanel(200)->m_nMaskTop = 0;
    m.FindPanel(200)->m_aSurfaces.clear();
    EXPECT_FALSE(offered("Panel Id 200, Masktop should not be 0"));

    // The record is gone (its id changed), or the problem can no longer be fixed by moving.
    m.FindObject(101)->m_nId = 111;
    EXPECT_FALSE(offered("Light Id 101, Too many states (1)"));
    static_cast<CCPLight*>(m.FindObject(201))->m_rcDest = CRect(0, 700, 1030, 800);
    EXPECT_FALSE(offered("Light 201 lies partly outside the screen (bottom at 772 of 768)"));

    // The button the fix would add exists now.
    c.doc.AddButtonWithId(1005, 1);
    EXPECT_FALSE(offered("ButtonView Id 2001, no parent 1005"));
    EXPECT_EQ(c.doc.AddButtonWithId(1005, 1), nullptr);

    // A message that does not fit its record (another kind of record took the id) fixes
    // nothing; neither does one without a record.
    CCheckMessage wrong = c.Message("Button Id 1002, initial state is too big (2 >= 2)");
    wrong.m_strType = "PANEL";
    wrong.m_nId = 100;
    EXPECT_FALSE(CProblemFix::For(c.doc, wrong).IsOffered());
    EXPECT_FALSE(CProblemFix::For(c.doc, CCheckMessage{"loose", nullptr, "", 0}).IsOffered());

    // None of it, nor a refused operation, was a step.
    const size_t steps = c.doc.GetHistory().Count();
    EXPECT_FALSE(c.doc.SetInitialState(m.FindPanel(100), 0));
    EXPECT_FALSE(c.doc.ClearSound(m.FindButton(1002), 2));
    EXPECT_FALSE(c.doc.ClearMissingNeighbours(m.FindPanel(300)));
    EXPECT_EQ(c.doc.GetHistory().Count(), steps);
}
