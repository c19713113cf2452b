#include "ccpmanager.h"
#include "checkkinds.h"
#include "readcockpit.h"
#include "screenbounds.h"
#include "testdata.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <utility>

namespace {

using Found = std::pair<std::string, CheckKind>;

std::vector<Found> Kinds(const CCheckMessageArray& messages)
{
    std::vector<Found> out;
    for (const CCheckMessage& m : messages)
        out.emplace_back(m.m_strMessage, m.m_nKind);
    return out;
}

std::vector<std::string> Texts(const CCheckMessageArray& messages)
{
    std::vector<std::string> out;
    for (const CCheckMessage& m : messages)
        out.push_back(m.m_strMessage);
    return out;
}

} // namespace

TEST(CheckKinds, EveryMessageTheCheckWritesHasItsKindAndAnExplanation)
{
    CReadCockpit c(TestData("every_problem.dat"));
    CCheckMessageArray messages;
    c.manager.Check(messages, true);
    using K = CheckKind;
    EXPECT_EQ(Kinds(messages),
              (std::vector<Found>{
                  {"Manager, No template file", K::NoTemplateFile},
                  {"Manager, Template size is 0", K::TemplateSizeZero},
                  {"Panel 100, there is no adjacent panel 500 defined", K::PanelLinkLeadsNowhere},
                  {"Panel 300 is not reachable", K::PanelNotReachable},
                  {"ButtonView Id 2001, no parent 1005", K::ButtonViewNoParent},
                  {"ButtonView Id 2002, states mismatch parent has 2 this has 1",
                   K::ButtonViewStatesMismatch},
                  {"ButtonView Id 2003, src/dest are different sizes", K::ButtonViewSizes},
                  {"ButtonView Id 2003, src/dest are different sizes", K::ButtonViewSizes},
                  {"Button Id 1001, sound 1 9 not defined", K::ButtonSound1Missing},
                  {"Button Id 1001, sound 2 8 not defined", K::ButtonSound2Missing},
                  {"Button Id 1002, initial state is too big (2 >= 2)", K::ButtonInitStateTooBig},
                  {"Manager, no button defined with ID 1013 (ICP Initial Primary)",
                   K::NoIcpPrimaryButton},
                  {"Manager, no button defined with ID 1011 (ICP Initial Tertiary)",
                   K::NoIcpTertiaryButton},
                  {"Panel Id 100, No adjacent panel 500", K::PanelNoAdjacent},
                  {"Panel Id 100, Overlapping surfaces 0 and 1", K::PanelSurfacesOverlap},
                  {"Panel Id 200, Masktop should not be 0", K::PanelMaskTopZero},
                  {"Light Id 101, Too many states (1)", K::LightInitStateTooBig},
                  {"Light Id 102, src/dest are different sizes", K::LightSizes},
                  {"Light Id 102, src/dest are different sizes", K::LightSizes},
                  {"Digits Id 103, 2 src locations (expected 10)", K::DigitsSourceCount},
                  {"DED Id 104, Empty dest loc", K::DedEmptyDest},
                  {"Dial Id 105, destloc different size to src", K::DialSizes},
                  {"Dial Id 105, points/values mismatch 2/3", K::DialPointsValues},
                  {"Adi Id 106, src/dest different sizes", K::AdiSizes},
                  {"Object Id 700, is not unique", K::IdNotUnique},
                  {"Object Id 700, is not unique", K::IdNotUnique},
              }));

    // Together with the screen finding, the fixture holds every kind there is, and each has
    // its own words.
    FindOutsideScreen(c.manager, messages);
    std::set<CheckKind> seen;
    for (const CCheckMessage& m : messages)
        seen.insert(m.m_nKind);
    const std::vector<CheckKind> all = AllCheckKinds();
    EXPECT_EQ(seen, std::set<CheckKind>(all.begin(), all.end()));
    for (CheckKind kind : all)
        EXPECT_GT(std::string(ExplainCheckKind(kind)).size(), 60u) << int(kind);
    EXPECT_STREQ(ExplainCheckKind(CheckKind::Unknown), "");
    EXPECT_NE(std::string(ExplainCheckKind(CheckKind::NoIcpPrimaryButton)).find("1013"),
              std::string::npos);
    EXPECT_NE(std::string(ExplainCheckKind(CheckKind::NoIcpTertiaryButton)).find("1011"),
              std::string::npos);
}

TEST(OutsideScreen, ListsEachShownRecordBeyondTheScreenOnceWithTheEdgesThatPokeOut)
{
    CReadCockpit c(TestData("outside_screen.dat"));
    CCPManager& m = c.manager;
    CCheckMessageArray found;
    FindOutsideScreen(m, found);
    // Panel order: the first panel's button views, then its objects, then the next panel's.
    // Edges on the screen's border are inside; records no panel shows are not on screen at all.
    EXPECT_EQ(Texts(found), (std::vector<std::string>{
                                "ButtonView 3 lies partly outside the screen (left at -5)",
                                "Light 201 lies partly outside the screen (bottom at 772 of 768)",
                                "Dial 202 lies outside the screen (left at 1060 of 1024)",
                                "Light 203 lies partly outside the screen (left at -10, top at -2, "
                                "right at 1030 of 1024, bottom at 800 of 768)",
                                "Ded 301 lies partly outside the screen (top at -40)",
                            }));
    for (const CCheckMessage& msg : found)
        EXPECT_EQ(msg.m_nKind, CheckKind::OutsideScreen);
    EXPECT_EQ(found[1].m_strType, "LIGHT");
    EXPECT_EQ(found[1].m_nId, 201);
    EXPECT_EQ(found[1].m_pObject, m.FindObject(201));

    // Not the check's business: its messages stay what they were.
    CCheckMessageArray checked;
    m.Check(checked, true);
    for (const CCheckMessage& msg : checked)
        EXPECT_NE(msg.m_nKind, CheckKind::OutsideScreen) << msg.m_strMessage;

    // The screen is the cockpit's: on a larger one the light at the bottom fits.
    m.SetScreenSize(1200, 960);
    found.clear();
    FindOutsideScreen(m, found);
    EXPECT_EQ(Texts(found), (std::vector<std::string>{
                                "ButtonView 3 lies partly outside the screen (left at -5)",
                                "Light 203 lies partly outside the screen (left at -10, top at -2)",
                                "Ded 301 lies partly outside the screen (top at -40)",
                            }));
}

TEST(OutsideScreen, MovingInsideTakesTheShortestWayAndKeepsTheSize)
{
    CRect moved;
    ASSERT_TRUE(MoveInsideScreen(CRect(10, 752, 30, 772), 1024, 768, moved));
    EXPECT_EQ(moved, CRect(10, 748, 30, 768));
    ASSERT_TRUE(MoveInsideScreen(CRect(-5, -7, 15, 3), 1024, 768, moved));
    EXPECT_EQ(moved, CRect(0, 0, 20, 10));
    ASSERT_TRUE(MoveInsideScreen(CRect(1100, 100, 1140, 140), 1024, 768, moved));
    EXPECT_EQ(moved, CRect(984, 100, 1024, 140));
    // Inside already: where it is. As wide as the screen: fits exactly.
    ASSERT_TRUE(MoveInsideScreen(CRect(1, 2, 3, 4), 1024, 768, moved));
    EXPECT_EQ(moved, CRect(1, 2, 3, 4));
    ASSERT_TRUE(MoveInsideScreen(CRect(-1, 0, 1023, 10), 1024, 768, moved));
    EXPECT_EQ(moved, CRect(0, 0, 1024, 10));

    // Larger than the screen, turned inside out, or from the far ends of the number range:
    // no place inside.
    EXPECT_FALSE(MoveInsideScreen(CRect(0, 0, 1025, 10), 1024, 768, moved));
    EXPECT_FALSE(MoveInsideScreen(CRect(0, 0, 10, 769), 1024, 768, moved));
    EXPECT_FALSE(MoveInsideScreen(CRect(50, 0, 10, 10), 1024, 768, moved));
    EXPECT_FALSE(MoveInsideScreen(CRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX), 1024, 768, moved));
    ASSERT_TRUE(
        MoveInsideScreen(CRect(INT_MAX - 10, INT_MIN, INT_MAX, INT_MIN + 10), 1024, 768, moved));
    EXPECT_EQ(moved, CRect(1014, 0, 1024, 10));
}
