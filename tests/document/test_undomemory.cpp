// What the history keeps grows with the edit, not with the panel, and stays within its bound.

#include "ccppanel.h"
#include "testcockpit.h"
#include "testdata.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {
class UndoMemoryTest : public ::testing::Test
{
protected:
    CTestCockpit c{TestData("tree_three_panels.dat")};
    CCPPanel* front = nullptr;
    CCPObject* light = nullptr;

    // Panel 100 lists 100,000 ids with light 101 in the middle of them.
    void SetUp() override
    {
        front = c.doc.m_manager.FindPanel(100);
        light = c.doc.m_manager.FindObject(101);
        std::vector<int> ids(100000);
        std::iota(ids.begin(), ids.end(), 5000);
        ids[50000] = 101;
        front->m_anObjects = ids;
        c.doc.SetCurrentPanel(front);
    }
};
} // namespace

TEST_F(UndoMemoryTest, ADeleteOnAHugePanelKeepsTheEntryNotTheList)
{
    const std::vector<int> before = front->m_anObjects;
    c.doc.RemoveObject(light, front);
    ASSERT_EQ(c.doc.GetHistory().Count(), 1u);
    std::vector<int> after = before;
    after.erase(after.begin() + 50000);
    EXPECT_EQ(front->m_anObjects, after);
    EXPECT_LT(c.doc.GetHistory().Step(0).Bytes(), 4096u);

    // Pasted back in a new place, undone twice and redone twice: the lists are exact each time.
    ASSERT_NE(c.doc.PlaceRecord(light, c.doc.m_manager.FindPanel(200), front,
                                c.doc.m_manager.FindObject(102), false),
              nullptr);
    const std::vector<int> pasted = front->m_anObjects;
    EXPECT_EQ(pasted.size(), after.size() + 1);
    EXPECT_LT(c.doc.GetHistory().Step(1).Bytes(), 4096u);
    c.doc.Undo();
    EXPECT_EQ(front->m_anObjects, after);
    c.doc.Undo();
    EXPECT_EQ(front->m_anObjects, before);
    c.doc.Redo();
    EXPECT_EQ(front->m_anObjects, after);
    c.doc.Redo();
    EXPECT_EQ(front->m_anObjects, pasted);
    EXPECT_LT(c.doc.GetHistory().Bytes(), 8192u);
}

TEST_F(UndoMemoryTest, TheOldestStepsGoWhenTheHistoryOutgrowsItsMemoryBound)
{
    c.doc.MarkSaved();
    const std::string saved = c.Saved();
    c.doc.RenameRecord(light, "first");
    const size_t one = c.doc.GetHistory().Bytes();
    ASSERT_GT(one, 0u);
    c.doc.SetHistoryByteLimit(one * 3 + one / 2);
    for (const char* name : {"second", "third", "fourth", "fifth"})
        c.doc.RenameRecord(light, name);
    // Only the newest three fit; the saved state is gone with the oldest step.
    EXPECT_EQ(c.doc.GetHistory().Count(), 3u);
    EXPECT_LE(c.doc.GetHistory().Bytes(), one * 3 + one / 2);
    EXPECT_EQ(c.doc.UndoName(), "Rename fourth");
    while (c.doc.Undo()) {
    }
    std::string name;
    ASSERT_TRUE(light->GetName(name));
    EXPECT_EQ(name, "second");
    EXPECT_TRUE(c.doc.IsModified());
    EXPECT_NE(c.Saved(), saved);

    // A step larger than the whole bound is still kept: the newest always is.
    c.doc.SetHistoryByteLimit(1);
    c.doc.RenameRecord(light, "alone");
    EXPECT_EQ(c.doc.GetHistory().Count(), 1u);
    EXPECT_TRUE(c.doc.Undo());
}
