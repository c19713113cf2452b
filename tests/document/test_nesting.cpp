// Edits that arrive while another step is open (a sheet is up and a pending rename, a nudge, a
// drag or another sheet lands in its event loop) join that step; commands that need a step of
// their own are refused. Nothing ends or drops the outer step.

#include "ccpbutton.h"
#include "ccpbuttonview.h"
#include "ccplight.h"
#include "ccppanel.h"
#include "demoedittest.h"
#include "irecordeditor.h"
#include "testcockpit.h"
#include "testdata.h"

#include <gtest/gtest.h>

#include <functional>

namespace {
class CReentrantEditor : public IRecordEditor
{
public:
    std::function<void(CCPObject&)> m_fnWhileOpen;
    int m_nAnswer = IDOK;
    int m_nDepth = 0;
    int EditProperties(CCPObject& record) override
    {
        // Only the outermost sheet runs the interleaving, as a user has one sheet open.
        if (m_nDepth++ == 0 && m_fnWhileOpen)
            m_fnWhileOpen(record);
        --m_nDepth;
        return m_nAnswer;
    }
};

using NestingTest = DemoEditTest<CReentrantEditor>;
} // namespace

TEST_F(NestingTest, EditsArrivingDuringAnAddJoinItsStepAndUndoTogether)
{
    CCPObject* light = m().FindObject(105);
    CCPObject* com1 = m().FindButtonView(115);
    c.doc.SetCurrentPanel(m().FindPanel(100));
    c.doc.SetCurrentObject(light);
    // While the Add Panel sheet is open: a pending rename commits, a nudge, a drag and another
    // record's sheet all land.
    editor.m_fnWhileOpen = [&](CCPObject&) {
        EXPECT_TRUE(c.doc.IsStepOpen());
        EXPECT_TRUE(c.doc.RenameRecord(light, "Renamed meanwhile"));
        EXPECT_TRUE(c.doc.NudgeRecord(light, false, Shifted(Dest(light), 1, 0)));
        EXPECT_TRUE(c.doc.SetRecordDestRect(com1, Shifted(Dest(com1), 5, 5)));
        EXPECT_EQ(c.doc.EditRecordProperties(m().FindButton(1013)), IDOK);
        EXPECT_FALSE(c.doc.CanUndo()); // nothing was recorded on its own
    };
    const size_t panels = m().m_aPanels.size();
    ASSERT_TRUE(c.doc.NewPanel());
    EXPECT_FALSE(c.doc.IsStepOpen());
    EXPECT_EQ(m().m_aPanels.size(), panels + 1);
    ASSERT_EQ(c.doc.GetHistory().Count(), 1u);
    EXPECT_EQ(c.doc.UndoName().rfind("Add ", 0), 0u) << c.doc.UndoName();
    const std::string edited = c.Saved();
    EXPECT_NE(edited.find("// Name: Renamed meanwhile"), std::string::npos);

    ASSERT_TRUE(c.doc.Undo());
    EXPECT_EQ(c.Saved(), original);
    ASSERT_TRUE(c.doc.Redo());
    EXPECT_EQ(c.Saved(), edited);

    // A nudge after it starts its own step: the joined one was no nudge burst.
    editor.m_fnWhileOpen = nullptr;
    ASSERT_TRUE(c.doc.NudgeRecord(light, false, Shifted(Dest(light), 1, 0)));
    EXPECT_EQ(c.doc.GetHistory().Count(), 2u);
}

TEST_F(NestingTest, CancellingTheOuterSheetTakesBackWhatJoinedIt)
{
    CCPObject* light = m().FindObject(105);
    c.doc.SetCurrentPanel(m().FindPanel(100));
    editor.m_nAnswer = IDCANCEL;
    editor.m_fnWhileOpen = [&](CCPObject&) { c.doc.RenameRecord(light, "Gone with the sheet"); };
    EXPECT_FALSE(c.doc.NewSound());
    EXPECT_FALSE(c.doc.IsStepOpen());
    EXPECT_FALSE(c.doc.CanUndo());
    EXPECT_FALSE(c.doc.IsModified());
    EXPECT_EQ(c.Saved(), original);

    // A properties sheet cancelled after a joined edit keeps its changes as one step, as a
    // cancelled sheet whose sub-dialog wrote does.
    editor.m_fnWhileOpen = [&](CCPObject&) { c.doc.RenameRecord(light, "Kept"); };
    c.doc.EditRecordProperties(m().FindObject(106));
    ASSERT_EQ(c.doc.GetHistory().Count(), 1u);
    EXPECT_EQ(c.doc.UndoName(), "Properties of " + CVireoDoc::RecordLabel(m().FindObject(106)));
    c.doc.Undo();
    EXPECT_EQ(c.Saved(), original);
}

TEST_F(NestingTest, CommandsThatNeedTheirOwnStepAreRefusedWhileOneIsOpen)
{
    CCPPanel* front = m().FindPanel(100);
    CCPPanel* right = m().FindPanel(400);
    CCPObject* light = m().FindObject(105);
    c.doc.SetCurrentPanel(front);
    c.ui.m_nSelectAnswer = IDOK;
    c.ui.m_nSelectCode = 2;
    c.ui.m_aBoxes.clear();
    editor.m_fnWhileOpen = [&](CCPObject&) {
        EXPECT_FALSE(c.doc.NewPanel());
        EXPECT_FALSE(c.doc.NewObject());
        EXPECT_FALSE(c.doc.DuplicateObject(light));
        c.doc.RemoveObject(light, front);
        EXPECT_EQ(c.doc.PlaceRecord(light, front, right, nullptr, true), nullptr);
        EXPECT_FALSE(c.doc.Undo());
        EXPECT_FALSE(c.doc.OnSaveDocument(c.doc.GetPathName()));
        EXPECT_FALSE(c.doc.OnNewDocument());
        EXPECT_TRUE(c.doc.IsStepOpen());
    };
    ASSERT_EQ(c.doc.EditRecordProperties(m().FindObject(106)), IDOK);
    EXPECT_FALSE(c.doc.CanUndo());
    EXPECT_EQ(c.Saved(), original);
    EXPECT_EQ(m().FindObject(105), light);
    EXPECT_NE(std::find(front->m_anObjects.begin(), front->m_anObjects.end(), 105),
              front->m_anObjects.end());
    // Each refusal says why.
    ASSERT_GE(c.ui.m_aBoxes.size(), 6u);
    for (const auto& box : c.ui.m_aBoxes)
        EXPECT_NE(box.text.find("while another edit is open"), std::string::npos) << box.text;
}
