#include "ccpbuttonview.h"
#include "ccppanel.h"
#include "testcockpit.h"
#include "testdata.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class SelectionTest : public ::testing::Test
{
protected:
    CTestCockpit c{TestData("arrange_row.dat")};
    std::string original;

    void SetUp() override
    {
        original = c.Saved();
        c.doc.SetCurrentPanel(Panel(100));
    }
    CCPPanel* Panel(int id) { return c.doc.m_manager.FindPanel(id); }
    CCPObject* View(int id) { return c.doc.m_manager.FindButtonView(id); }
    CCPObject* Light(int id) { return c.doc.m_manager.FindObject(id); }
    std::vector<CCPObject*> Row() { return {View(1), View(2), View(3)}; }
};

} // namespace

TEST_F(SelectionTest, HoldsOnlyRecordsOfTheCurrentPanelWithTheKeyAmongThem)
{
    auto& doc = c.doc;
    doc.Select({View(1), Light(201), &doc.m_manager, View(3)}, View(1));
    EXPECT_EQ(doc.GetSelection().Count(), 2u) << "another panel's light and the manager are not";
    EXPECT_EQ(doc.m_pCurrentObject, View(1));

    doc.ToggleSelected(View(2));
    EXPECT_EQ(doc.m_pCurrentObject, View(2)) << "the key follows the last one picked";
    doc.ToggleSelected(View(2));
    EXPECT_FALSE(doc.IsSelected(View(2)));
    EXPECT_TRUE(doc.IsSelected(doc.m_pCurrentObject)) << "letting the key go picks another";

    doc.SelectAll();
    EXPECT_EQ(doc.GetSelection().Count(), 5u);
    doc.SetCurrentObject(Light(101));
    EXPECT_EQ(doc.GetSelection().Records(), std::vector<CCPObject*>{Light(101)});

    doc.SelectAll();
    doc.SetCurrentPanel(Panel(200));
    EXPECT_TRUE(doc.GetSelection().Empty()) << "another panel drops the selection";
    doc.ClearSelection();
    EXPECT_EQ(doc.m_pCurrentObject, nullptr);
}

TEST_F(SelectionTest, AMoveOfManyIsOneStepThatKeepsTheGroupInsideTheScreen)
{
    auto& doc = c.doc;
    doc.Select(Row(), View(1));
    ASSERT_TRUE(doc.MoveSelection(5, -100));
    // The group's top was 20: it stops at the top edge, and all keep their places to each other.
    EXPECT_EQ(Dest(View(3)), CRect(305, 0, 345, 30));
    EXPECT_EQ(Dest(View(1)), CRect(105, 20, 125, 40));
    EXPECT_EQ(doc.UndoName(), "Move 3 records");
    EXPECT_FALSE(doc.MoveSelection(0, -1)) << "already at the edge";

    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(c.Saved(), original);
    EXPECT_EQ(doc.GetSelection().Count(), 3u) << "undo keeps the group selected";
}

TEST_F(SelectionTest, NudgesOfTheSameSelectionInABurstAreOneStep)
{
    auto& doc = c.doc;
    double now = 10;
    doc.SetClock([&now] { return now; });
    doc.Select(Row(), View(2));
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(doc.NudgeSelection(CPoint{1, 0}));
        now += 0.2;
    }
    EXPECT_EQ(doc.GetHistory().Current(), 1u);
    EXPECT_EQ(Dest(View(2)).left, 14);
    doc.Select({View(1), View(2)}, View(2));
    ASSERT_TRUE(doc.NudgeSelection(CPoint{1, 0}));
    EXPECT_EQ(doc.GetHistory().Current(), 2u) << "other records start a new step";
    doc.Undo();
    doc.Undo();
    EXPECT_EQ(c.Saved(), original);

    // The light at 1010..1026 already reaches past the right edge: the group moves no further.
    doc.Select({Light(101), Light(102)}, Light(101));
    EXPECT_FALSE(doc.NudgeSelection(CPoint{1, 0}));
    EXPECT_TRUE(doc.NudgeSelection(CPoint{-1, 0}));
}

TEST_F(SelectionTest, ArrangeCommandsAreOneStepEachAndOnlyWhenTheyChangeSomething)
{
    auto& doc = c.doc;
    doc.Select(Row(), View(1));
    EXPECT_TRUE(doc.CanArrange(ArrangeCommand::AlignTop));
    ASSERT_TRUE(doc.ArrangeSelection(ArrangeCommand::AlignTop));
    for (auto* r : Row())
        EXPECT_EQ(Dest(r).top, 40) << "to the key record";
    EXPECT_EQ(doc.UndoName(), "Align Top 3 records");
    EXPECT_FALSE(doc.CanArrange(ArrangeCommand::AlignTop)) << "nothing left to change";
    EXPECT_FALSE(doc.ArrangeSelection(ArrangeCommand::AlignTop));

    ASSERT_TRUE(doc.ArrangeSelection(ArrangeCommand::DistributeHorizontally));
    // 10..340 holds 30 + 20 + 40 of frames: two gaps of 120.
    EXPECT_EQ(Dest(View(1)).left, 160);
    EXPECT_EQ(doc.GetHistory().Current(), 2u);

    doc.SetCurrentObject(View(3));
    EXPECT_FALSE(doc.CanArrange(ArrangeCommand::AlignLeft)) << "one record has nothing to align to";
    doc.Undo();
    doc.Undo();
    EXPECT_EQ(c.Saved(), original);
}

TEST_F(SelectionTest, DeletingASelectionIsOneStepThatUndoGivesBack)
{
    auto& doc = c.doc;
    doc.Select({View(2), Light(101)}, View(2));
    ASSERT_TRUE(doc.RemoveSelection());
    EXPECT_EQ(doc.UndoName(), "Delete 2 records");
    EXPECT_FALSE(doc.PanelHolds(Panel(100), View(2)));
    EXPECT_FALSE(doc.PanelHolds(Panel(100), Light(101)));
    EXPECT_TRUE(doc.GetSelection().Empty());
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(c.Saved(), original);

    // One record is deleted under its own name.
    doc.Select({View(1)}, View(1));
    ASSERT_TRUE(doc.RemoveSelection());
    EXPECT_EQ(doc.UndoName(), "Delete " + CVireoDoc::RecordLabel(View(1)));
    EXPECT_FALSE(doc.IsSelected(View(1)));
}
