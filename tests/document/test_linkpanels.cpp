#include "ccppanel.h"
#include "panelmap.h"
#include "testcockpit.h"
#include "testdata.h"

#include <gtest/gtest.h>

TEST(LinkPanels, LinkAndLinkBackAreOneStepThatUndoesToTheSameBytes)
{
    CTestCockpit c(TestData("map_three_panels.dat"));
    CVireoDoc& doc = c.doc;
    CCPPanel* a = doc.m_manager.FindPanel(100);
    CCPPanel* b = doc.m_manager.FindPanel(200);
    const std::string before = c.Saved();
    const size_t steps = doc.GetHistory().Count();

    ASSERT_TRUE(doc.LinkPanels(a, kEast, b, true));
    EXPECT_EQ(a->m_anAdjPanels[kEast], 200);
    EXPECT_EQ(b->m_anAdjPanels[kWest], 100);
    EXPECT_EQ(doc.GetHistory().Count(), steps + 1);
    EXPECT_EQ(doc.UndoName(), "Link Panel 100 east to Panel 200 and Back");
    EXPECT_TRUE(doc.IsModified());
    const std::string linked = c.Saved();

    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(c.Saved(), before);
    EXPECT_FALSE(doc.IsModified());
    ASSERT_TRUE(doc.Redo());
    EXPECT_EQ(c.Saved(), linked);

    // Only one way: the neighbour keeps what it had, and the map shows the link in red.
    CCPPanel* d = doc.m_manager.FindPanel(300);
    ASSERT_TRUE(doc.LinkPanels(d, kSouthWest, a, false));
    EXPECT_EQ(d->m_anAdjPanels[kSouthWest], 100);
    EXPECT_EQ(a->m_anAdjPanels[kNorthEast], -1);
    EXPECT_EQ(LayOutPanels(doc.m_manager).Problems(),
              std::vector<std::string>{
                  "Panel 300 links south-west to panel 100, which does not link back north-east."});
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(c.Saved(), linked);
}

TEST(LinkPanels, ChangesNothingWhenTheLinksAreThereOrThePanelsAreNot)
{
    CTestCockpit c(TestData("map_three_panels.dat"));
    CVireoDoc& doc = c.doc;
    CCPPanel* a = doc.m_manager.FindPanel(100);
    CCPPanel* b = doc.m_manager.FindPanel(200);
    ASSERT_TRUE(doc.LinkPanels(a, kNorth, b, true));
    const size_t steps = doc.GetHistory().Count();
    EXPECT_FALSE(doc.LinkPanels(a, kNorth, b, true));
    EXPECT_FALSE(doc.LinkPanels(a, kNorth, b, false));
    EXPECT_FALSE(doc.LinkPanels(nullptr, kNorth, b, false));
    EXPECT_FALSE(doc.LinkPanels(a, kDirections, b, false));
    EXPECT_FALSE(doc.LinkPanels(a, -1, b, false));
    EXPECT_EQ(doc.GetHistory().Count(), steps);
    // The link there, the link back not: asking for both adds the one missing.
    ASSERT_TRUE(doc.LinkPanels(b, kEast, a, false));
    ASSERT_TRUE(doc.LinkPanels(b, kEast, a, true));
    EXPECT_EQ(a->m_anAdjPanels[kWest], 200);
}
