#include "ccpbutton.h"
#include "ccpbuttonview.h"
#include "ccplight.h"
#include "ccppanel.h"
#include "ccpsurfaceref.h"
#include "demoedittest.h"
#include "irecordeditor.h"
#include "testcockpit.h"
#include "testdata.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {
// A sheet stand-in: OK with whatever change the test asks for.
class CChangingEditor : public IRecordEditor
{
public:
    std::function<void(CCPObject&)> m_fnChange;
    int m_nAnswer = IDOK;
    int EditProperties(CCPObject& record) override
    {
        if (m_fnChange)
            m_fnChange(record);
        return m_nAnswer;
    }
};

class UndoTest : public DemoEditTest<CChangingEditor>
{
protected:
    CCPPanel* Panel(int id) { return m().FindPanel(id); }
    void Show(int panel, CCPObject* record)
    {
        c.doc.SetCurrentPanel(Panel(panel));
        c.doc.SetCurrentObject(record);
    }
};
} // namespace

TEST_F(UndoTest, ATrackerMoveIsOneStepThatUndoesToTheSameBytes)
{
    CCPObject* com1 = m().FindButtonView(115);
    Show(100, com1);
    EXPECT_FALSE(c.doc.CanUndo());
    EXPECT_FALSE(c.doc.SetRecordDestRect(com1, Dest(com1))); // no change, no step
    EXPECT_FALSE(c.doc.IsModified());

    const CRect moved1 = Shifted(Dest(com1), 10, 12);
    ASSERT_TRUE(c.doc.SetRecordDestRect(com1, moved1));
    EXPECT_EQ(c.doc.UndoName(), "Move ICP COM1 (Primary)");
    const std::string moved = c.Saved();
    EXPECT_TRUE(c.doc.IsModified());
    ASSERT_TRUE(c.doc.SetRecordDestRect(
        com1, CRect(moved1.left, moved1.top, moved1.right + 6, moved1.bottom)));
    EXPECT_EQ(c.doc.UndoName(), "Resize ICP COM1 (Primary)");

    c.doc.SetCurrentObject(nullptr);
    ASSERT_TRUE(c.doc.Undo());
    EXPECT_EQ(c.Saved(), moved);
    EXPECT_EQ(c.doc.m_pCurrentObject, com1); // what changed is shown
    EXPECT_EQ(c.doc.RedoName(), "Resize ICP COM1 (Primary)");
    ASSERT_TRUE(c.doc.Undo());
    EXPECT_EQ(c.Saved(), original);
    EXPECT_FALSE(c.doc.IsModified()); // back at the opened state
    EXPECT_FALSE(c.doc.CanUndo());
    ASSERT_TRUE(c.doc.Redo());
    EXPECT_EQ(c.Saved(), moved);
    EXPECT_TRUE(c.doc.IsModified());
}

TEST_F(UndoTest, NudgesInABurstAreOneStepAndAPauseOrASaveStartsAnother)
{
    CCPObject* light = m().FindObject(105);
    Show(100, light);
    const CRect start = Dest(light);
    for (int i = 1; i <= 5; ++i) {
        now += 0.3;
        ASSERT_TRUE(c.doc.NudgeRecord(light, false, Shifted(Dest(light), 1, 0)));
    }
    EXPECT_EQ(c.doc.GetHistory().Count(), 1u);
    now += 1.5; // a pause
    c.doc.NudgeRecord(light, false, Shifted(Dest(light), 0, 1));
    EXPECT_EQ(c.doc.GetHistory().Count(), 2u);

    // Another record, or the source instead of the destination, is a step of its own.
    now += 0.1;
    c.doc.NudgeRecord(m().FindObject(106), false, Shifted(Dest(m().FindObject(106)), 1, 0));
    EXPECT_EQ(c.doc.GetHistory().Count(), 3u);

    c.doc.Undo();
    c.doc.Undo();
    EXPECT_EQ(Dest(light), Shifted(start, 5, 0));
    c.doc.Undo();
    EXPECT_EQ(Dest(light), start);
    EXPECT_EQ(c.Saved(), original);

    // A nudge never adds to the saved state's step.
    c.doc.NudgeRecord(light, false, Shifted(Dest(light), 1, 0));
    c.doc.MarkSaved();
    now += 0.1;
    c.doc.NudgeRecord(light, false, Shifted(Dest(light), 1, 0));
    EXPECT_EQ(c.doc.GetHistory().Count(), 2u);
    c.doc.Undo();
    EXPECT_FALSE(c.doc.IsModified());
    c.doc.Redo();
    EXPECT_TRUE(c.doc.IsModified());

    // A burst that comes back where it started leaves nothing to undo.
    now += 5;
    c.doc.NudgeRecord(light, false, Shifted(Dest(light), 1, 0));
    now += 0.1;
    c.doc.NudgeRecord(light, false, Shifted(Dest(light), -1, 0));
    EXPECT_EQ(c.doc.GetHistory().Count(), 2u);
    EXPECT_TRUE(c.doc.IsModified());
}

TEST_F(UndoTest, DeleteAndItsUndoKeepListOrderIdentityAndTheCurrentRecord)
{
    CCPPanel* front = Panel(100);
    const std::vector<int> objects = front->m_anObjects;
    CCPObject* light = m().FindObject(109);
    Show(100, light);
    c.doc.RemoveObject(light, front);
    EXPECT_EQ(c.doc.UndoName(), "Delete " + CVireoDoc::RecordLabel(light));
    EXPECT_EQ(c.doc.m_pCurrentObject, nullptr);
    c.doc.Undo();
    EXPECT_EQ(front->m_anObjects, objects);
    EXPECT_EQ(c.doc.m_pCurrentObject, light);
    EXPECT_EQ(c.doc.m_pCurrentPanel, front);
    c.doc.Redo();
    EXPECT_EQ(c.doc.m_pCurrentObject, nullptr);
    c.doc.Undo();

    // A surface entry is owned by its panel; the very same entry comes back in its place.
    CCPSurfaceRef* entry = front->m_aSurfaces[2].get();
    Show(100, entry);
    c.doc.RemoveObject(entry, front);
    EXPECT_EQ(front->m_aSurfaces.size(), 6u);
    EXPECT_NE(c.Saved(), original);
    c.doc.Undo();
    ASSERT_EQ(front->m_aSurfaces.size(), 7u);
    EXPECT_EQ(front->m_aSurfaces[2].get(), entry);
    EXPECT_EQ(c.doc.m_pCurrentObject, entry);
    EXPECT_EQ(c.Saved(), original);
    c.doc.Redo();
    // Saving and checking meanwhile keeps the unused SURFACE for the undo.
    CCheckMessageArray messages;
    m().Check(messages, true);
    c.doc.Undo();
    EXPECT_EQ(c.Saved(), original);
}

TEST_F(UndoTest, AddsAreStepsAndCancelledAddsLeaveNothing)
{
    Show(200, nullptr);
    c.ui.m_nSelectAnswer = IDOK;
    c.ui.m_nSelectCode = 2; // Light
    ASSERT_TRUE(c.doc.NewObject());
    CCPObject* added = c.doc.m_pCurrentPanel->m_anObjects.empty()
                           ? nullptr
                           : m().FindObject(c.doc.m_pCurrentPanel->m_anObjects.back());
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(c.doc.UndoName(), "Add Light " + std::to_string(added->m_nId));
    ASSERT_TRUE(c.doc.NewPanel());
    ASSERT_TRUE(c.doc.NewSound());
    const int buttonId = m().NextButtonId();
    ASSERT_TRUE(c.doc.NewButton());
    EXPECT_EQ(c.doc.UndoName(), "Add Button " + std::to_string(buttonId));
    EXPECT_EQ(c.doc.GetHistory().Count(), 4u);
    const std::string all = c.Saved();

    // A surface entry whose Buffer dialog is cancelled, or an add whose sheet is cancelled,
    // is no step and leaves no SURFACE or BUFFER behind.
    c.ui.m_nSelectCode = 0;
    EXPECT_FALSE(c.doc.NewObject());
    editor.m_nAnswer = IDCANCEL;
    EXPECT_FALSE(c.doc.NewSound());
    EXPECT_EQ(c.doc.GetHistory().Count(), 4u);
    EXPECT_EQ(m().m_aBuffers.size(), 4u);
    editor.m_nAnswer = IDOK;

    for (int i = 0; i < 4; ++i)
        c.doc.Undo();
    EXPECT_EQ(c.Saved(), original);
    EXPECT_EQ(c.doc.m_pCurrentPanel, Panel(200));
    EXPECT_EQ(c.doc.m_pCurrentObject, nullptr);
    for (int i = 0; i < 4; ++i)
        c.doc.Redo();
    EXPECT_EQ(c.Saved(), all);
}

TEST_F(UndoTest, PropertiesAreOneStepAndAChangedIdTakesItsReferencesAlong)
{
    CCPObject* light = m().FindObject(105);
    Show(100, light);
    editor.m_fnChange = [](CCPObject& r) { r.m_nId = 555; };
    ASSERT_EQ(c.doc.EditRecordProperties(light), IDOK);
    EXPECT_EQ(c.doc.UndoName(), "Properties of " + CVireoDoc::RecordLabel(light));
    EXPECT_EQ(Panel(100)->m_anObjects.front(), 555);
    EXPECT_EQ(m().FindObject(555), light);

    // A button's id: its views follow. A panel's id: its neighbours follow.
    CCPObject* button = m().FindButton(1013);
    ASSERT_EQ(c.doc.EditRecordProperties(button), IDOK);
    EXPECT_EQ(m().FindButtonView(115)->m_nParentButton, 555);
    editor.m_fnChange = [](CCPObject& r) { r.m_nId = 150; };
    ASSERT_EQ(c.doc.EditRecordProperties(Panel(400)), IDOK);
    EXPECT_EQ(Panel(100)->m_anAdjPanels[CCPPanel::E], 150);
    EXPECT_EQ(Panel(200)->m_anAdjPanels[CCPPanel::E], 150);

    c.doc.Undo();
    c.doc.Undo();
    c.doc.Undo();
    EXPECT_EQ(c.Saved(), original);
    EXPECT_EQ(m().FindObject(105), light);

    // A sheet that changes nothing is no step; a cancelled one that changed something is.
    editor.m_fnChange = nullptr;
    c.doc.EditRecordProperties(light);
    EXPECT_EQ(c.doc.GetHistory().Count(), 3u); // the undone steps are still there to redo
    EXPECT_TRUE(c.doc.CanRedo());
    editor.m_nAnswer = IDCANCEL;
    editor.m_fnChange = [](CCPObject& r) {
        static_cast<CCPLight&>(r).m_rcDest = CRect(1, 2, 3, 4);
    };
    c.doc.EditRecordProperties(light);
    EXPECT_EQ(c.doc.GetHistory().Count(), 1u);
    EXPECT_FALSE(c.doc.CanRedo());
}

TEST_F(UndoTest, PasteAndDropMoveOrCopyRecordsAsOneStep)
{
    CCPPanel* front = Panel(100);
    CCPPanel* right = Panel(400);
    CCPObject* light = m().FindObject(106);
    CCPObject* anchor = m().FindObject(410);
    CCPObject* copy = c.doc.PlaceRecord(light, front, right, anchor, false);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, light);
    EXPECT_EQ(c.doc.UndoName(), "Paste " + CVireoDoc::RecordLabel(light));
    const auto at = std::find(right->m_anObjects.begin(), right->m_anObjects.end(), 410);
    ASSERT_NE(at + 1, right->m_anObjects.end());
    EXPECT_EQ(*(at + 1), copy->m_nId);

    CCPSurfaceRef* entry = front->m_aSurfaces[0].get();
    EXPECT_EQ(c.doc.PlaceRecord(entry, front, right, nullptr, false),
              nullptr); // entries are not copied
    EXPECT_EQ(c.doc.PlaceRecord(entry, front, right, right->m_aSurfaces[0].get(), true), entry);
    EXPECT_EQ(right->m_aSurfaces[1].get(), entry);
    EXPECT_EQ(front->m_aSurfaces.size(), 6u);
    c.doc.PlaceRecord(m().FindButtonView(115), front, right, nullptr, true);
    // Undone, a moved record is shown back on the panel it came from.
    c.doc.Undo();
    EXPECT_EQ(c.doc.m_pCurrentPanel, front);
    EXPECT_EQ(c.doc.m_pCurrentObject, m().FindButtonView(115));
    c.doc.Redo();
    EXPECT_EQ(c.doc.m_pCurrentPanel, right);

    const std::string placed = c.Saved();
    c.doc.GoToStep(0);
    EXPECT_EQ(c.Saved(), original);
    EXPECT_EQ(front->m_aSurfaces[0].get(), entry);
    c.doc.GoToStep(3);
    EXPECT_EQ(c.Saved(), placed);
}

TEST_F(UndoTest, RenamesAndTheHistoryLimit)
{
    CCPObject* light = m().FindObject(105);
    const std::string label = CVireoDoc::RecordLabel(light);
    c.doc.SetHistoryLimit(3);
    c.doc.RenameRecord(light, "A");
    EXPECT_EQ(c.doc.UndoName(), "Rename " + label);
    for (const char* name : {"B", "C", "D"})
        c.doc.RenameRecord(light, name);
    EXPECT_EQ(c.doc.GetHistory().Count(), 3u);
    EXPECT_EQ(c.doc.UndoName(), "Rename C");
    while (c.doc.Undo()) {
    }
    std::string name;
    light->GetName(name);
    EXPECT_EQ(name, "A");
    // The opened state is beyond the kept steps: the cockpit stays modified.
    EXPECT_TRUE(c.doc.IsModified());
}

namespace {
// Long random sequences of every kind of edit; undo all, redo all, and random walks, each
// checked against the bytes saved at every state.
class RandomEdits
{
    static CRect Shifted(CRect rc, int dx, int dy)
    {
        rc.OffsetRect(dx, dy);
        return rc;
    }

public:
    RandomEdits(CTestCockpit& c, CChangingEditor& editor, unsigned seed)
        : m_c(c), m_editor(editor), m_rng(seed)
    {
    }

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }

    CCPPanel* AnyPanel()
    {
        auto& panels = m_c.doc.m_manager.m_aPanels;
        return panels[size_t(Pick(int(panels.size())))].get();
    }

    // A record on the panel: a surface entry, a button view or an object.
    CCPObject* OnPanel(CCPPanel* p)
    {
        CCPManager& m = m_c.doc.m_manager;
        const int n =
            int(p->m_aSurfaces.size() + p->m_anButtonViews.size() + p->m_anObjects.size());
        if (n == 0)
            return nullptr;
        int i = Pick(n);
        if (i < int(p->m_aSurfaces.size()))
            return p->m_aSurfaces[size_t(i)].get();
        i -= int(p->m_aSurfaces.size());
        if (i < int(p->m_anButtonViews.size()))
            return m.FindButtonView(p->m_anButtonViews[size_t(i)]);
        return m.FindObject(p->m_anObjects[size_t(i) - p->m_anButtonViews.size()]);
    }

    // True when the edit was a nudge (which may add to the last step).
    bool Step(double& now)
    {
        CVireoDoc& doc = m_c.doc;
        CCPPanel* panel = AnyPanel();
        CCPObject* record = OnPanel(panel);
        doc.SetCurrentPanel(panel);
        doc.SetCurrentObject(record);
        now += Pick(3) == 0 ? 2.0 : 0.2;
        CRect rc;
        switch (Pick(10)) {
        case 0:
            if (record && record->GetDestRect(&rc))
                doc.NudgeRecord(record, false, Shifted(rc, Pick(3) - 1, Pick(3) - 1));
            return true;
        case 1:
            if (record && record->GetSrcRect(&rc))
                doc.NudgeRecord(record, true, Shifted(rc, Pick(2) * 2 - 1, 0));
            return true;
        case 2:
            if (record && record->GetDestRect(&rc))
                doc.SetRecordDestRect(record,
                                      CRect(rc.left, rc.top, rc.right + Pick(5), rc.bottom + 2));
            break;
        case 3:
            if (record)
                doc.RemoveObject(record, panel);
            break;
        case 4:
            if (record)
                doc.DuplicateObject(record);
            break;
        case 5:
            if (record)
                doc.PlaceRecord(record, panel, AnyPanel(), OnPanel(panel), Pick(2) == 0);
            break;
        case 6:
            if (record)
                doc.RenameRecord(record, "R" + std::to_string(Pick(100)));
            break;
        case 7: {
            m_editor.m_nAnswer = Pick(4) == 0 ? IDCANCEL : IDOK;
            const int newId = Pick(2) == 0 ? 900 + Pick(50) : -1;
            m_editor.m_fnChange = [newId](CCPObject& r) {
                r.m_strComment += "// seen\r\n";
                if (newId > 0)
                    r.m_nId = newId;
            };
            doc.EditRecordProperties(Pick(3) == 0 ? static_cast<CCPObject*>(panel) : record);
            m_editor.m_nAnswer = IDOK;
            break;
        }
        case 8:
            if (record)
                doc.MakeSameSize(record);
            break;
        case 9:
            m_editor.m_fnChange = nullptr;
            if (Pick(2) == 0)
                doc.NewSound();
            else
                doc.NewButton();
            break;
        }
        return false;
    }

private:
    CTestCockpit& m_c;
    CChangingEditor& m_editor;
    std::mt19937 m_rng;
};
} // namespace

TEST_F(UndoTest, RandomEditsUndoToTheOpenedBytesAndRedoToTheEditedOnes)
{
    for (unsigned seed : {1u, 2u, 3u, 4u}) {
        ASSERT_TRUE(c.doc.OnOpenDocument(ExamplePath("10_demo.dat")));
        RandomEdits edits(c, editor, seed);
        // The bytes after each step done, by the number of steps done.
        std::vector<std::string> states{c.Saved()};
        for (int i = 0; i < 150; ++i) {
            const size_t before = c.doc.GetHistory().Count();
            const bool nudge = edits.Step(now);
            const size_t after = c.doc.GetHistory().Count();
            if (after > before) {
                states.push_back(c.Saved());
            } else if (nudge) {
                // A burst grew the last step, or came back to where it started.
                if (after < before)
                    states.pop_back();
                states.back() = c.Saved();
            } else {
                // An edit that recorded nothing changed nothing.
                ASSERT_EQ(c.Saved(), states.back()) << "seed " << seed << " edit " << i;
            }
            ASSERT_EQ(states.size(), after + 1) << "seed " << seed << " edit " << i;
        }
        const std::string edited = c.Saved();
        while (c.doc.Undo()) {
        }
        ASSERT_EQ(c.Saved(), original) << "seed " << seed;
        EXPECT_FALSE(c.doc.IsModified());
        while (c.doc.Redo()) {
        }
        ASSERT_EQ(c.Saved(), edited) << "seed " << seed;

        // Random walks through the history land on the very bytes of each state.
        std::mt19937 walk(seed * 7);
        for (int i = 0; i < 60; ++i) {
            const size_t to =
                std::uniform_int_distribution<size_t>(0, c.doc.GetHistory().Count())(walk);
            c.doc.GoToStep(to);
            ASSERT_EQ(c.Saved(), states[to]) << "seed " << seed << " step " << to;
        }
    }
}
