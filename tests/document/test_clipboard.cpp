#include "ccpbutton.h"
#include "ccpbuttonview.h"
#include "ccppanel.h"
#include "ccpsurfaceref.h"
#include "irecordeditor.h"
#include "recordtypes.h"
#include "testcockpit.h"
#include "testdata.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

// Panel 100 (Front) holds a surface entry, button views 110 (Gear Button) and 202, a named
// light 101 (Fire Light) and a dial 102; panel 200 (Overhead) holds light 201.
class ClipboardTest : public ::testing::Test
{
protected:
    CTestCockpit c{TestData("clipboard_cockpit.dat")};
    std::string original;

    void SetUp() override
    {
        original = c.Saved();
        c.doc.SetCurrentPanel(Panel(100));
    }
    CCPPanel* Panel(int id) { return c.doc.m_manager.FindPanel(id); }
    CCPObject* View(int id) { return c.doc.m_manager.FindButtonView(id); }
    CCPObject* Object(int id) { return c.doc.m_manager.FindObject(id); }
    CCPObject* Entry() { return Panel(100)->m_aSurfaces.at(0).get(); }
    static CRect Moved(CRect rc, int by)
    {
        rc.OffsetRect(by, by);
        return rc;
    }
    // The record's text with its id written as another's: what a copy that got a new id reads.
    static std::string TextWithId(CCPObject* record, int id)
    {
        std::string text = CVireoDoc::RecordsText({record});
        const std::string header = "#" + std::to_string(record->m_nId) + " ";
        const size_t at = text.find(header);
        EXPECT_NE(at, std::string::npos);
        return text.replace(at, header.size(), "#" + std::to_string(id) + " ");
    }
    std::string Label(const CCPObject* r) { return CVireoDoc::RecordLabel(r); }
};

} // namespace

TEST_F(ClipboardTest, CopiedRecordsPasteBackEqualButForTheirIds)
{
    auto& doc = c.doc;
    const std::vector<CCPObject*> originals = {View(110), Object(101), Object(102)};
    doc.Select({Object(102), Object(101), View(110)});
    const std::string text = doc.CopySelection();
    EXPECT_EQ(text, CVireoDoc::RecordsText(originals)) << "in the panel's order";
    EXPECT_NE(text.find("// Name: Fire Light"), std::string::npos) << "the names come along";
    EXPECT_NE(text.find("// A red lamp over the fire handle."), std::string::npos);
    EXPECT_EQ(c.ui.m_aStatus.back(), "Copied 3 records.");
    EXPECT_EQ(c.Saved(), original) << "copying changes nothing";
    EXPECT_FALSE(doc.CanUndo());

    // Onto the other panel: same places, new ids (every one is taken), same names.
    const std::vector<CCPObject*> pasted = doc.PasteText(text, Panel(200), 100);
    ASSERT_EQ(pasted.size(), 3u);
    EXPECT_EQ(doc.m_pCurrentPanel, Panel(200));
    std::set<int> ids;
    for (size_t i = 0; i < pasted.size(); ++i) {
        CCPObject* copy = pasted[i];
        EXPECT_NE(copy, originals[i]);
        EXPECT_NE(copy->m_nId, originals[i]->m_nId);
        ids.insert(copy->m_nId);
        EXPECT_EQ(CVireoDoc::RecordsText({copy}), TextWithId(originals[i], copy->m_nId));
        EXPECT_TRUE(doc.PanelHolds(Panel(200), copy));
        EXPECT_TRUE(doc.IsSelected(copy));
    }
    EXPECT_EQ(ids.size(), 3u);
    EXPECT_EQ(Label(pasted[1]), "Fire Light");
    EXPECT_EQ(Label(pasted[0]), "Gear Button");
    EXPECT_EQ(doc.GetSelection().Count(), 3u);
    EXPECT_EQ(doc.UndoName(), "Paste 3 records");
    // The originals stay as they were.
    EXPECT_EQ(CVireoDoc::RecordsText(originals), text);
    EXPECT_EQ(Panel(100)->m_anObjects, (std::vector<int>{101, 102}));
}

TEST_F(ClipboardTest, ForeignRecordsGetFreeIdsWhereTheirsAreTakenAndKeepTheirNames)
{
    auto& doc = c.doc;
    CCPObject* ours = Object(101);
    const std::vector<CCPObject*> pasted =
        doc.PasteText(TestData("clipboard_foreign_records.dat"), Panel(100));
    ASSERT_EQ(pasted.size(), 3u);
    CCPObject* light = pasted[0];
    CCPObject* view = pasted[1];
    CCPObject* dial = pasted[2];

    // The newcomer's "Fire Light" is not renamed after its new id.
    EXPECT_EQ(Label(light), "Fire Light");
    EXPECT_NE(light->m_nId, 101);
    EXPECT_EQ(Object(light->m_nId), light);
    EXPECT_EQ(Object(101), ours) << "ours keeps 101";

    // A button view's id is free among all button views, not only this panel's.
    EXPECT_EQ(Label(view), "Flap Switch");
    EXPECT_NE(view->m_nId, 110);
    EXPECT_EQ(doc.m_manager.CountButtonViewsWithId(view->m_nId), 1);
    EXPECT_EQ(View(view->m_nId), view);
    // Its parent is kept as written, though this cockpit has no such button: the check says so.
    EXPECT_EQ(static_cast<CCPButtonView*>(view)->m_nParentButton, 1077);
    CCheckMessageArray messages;
    doc.m_manager.Check(messages, false);
    bool reported = false;
    for (const CCheckMessage& m : messages)
        reported |= m.m_strMessage.find("no parent 1077") != std::string::npos;
    EXPECT_TRUE(reported);

    // A free id is kept.
    EXPECT_EQ(dial->m_nId, 250);
    EXPECT_EQ(Label(dial), "Oil Gauge");

    // Written text without a source panel lands where it says.
    EXPECT_EQ(Dest(light), CRect(40, 400, 56, 416)); // the file reads top, left, bottom, right
    EXPECT_EQ(Panel(100)->m_anObjects.size(), 4u);
    EXPECT_EQ(Panel(100)->m_anButtonViews.size(), 3u);
    EXPECT_EQ(doc.GetSelection().Records(), pasted);
    EXPECT_EQ(doc.m_pCurrentObject, dial);
    EXPECT_TRUE(c.ui.m_aBoxes.empty());
}

TEST_F(ClipboardTest, PastedOntoItsOwnPanelARecordStepsAsideFromWhatIsThere)
{
    auto& doc = c.doc;
    doc.Select({Object(101), View(110)});
    const std::string text = doc.CopySelection();

    const std::vector<CCPObject*> first = doc.PasteText(text, Panel(100), 100);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(Dest(first[0]), Moved(Dest(View(110)), 8));
    EXPECT_EQ(Dest(first[1]), Moved(Dest(Object(101)), 8));
    // Again: past the first copies too.
    const std::vector<CCPObject*> second = doc.PasteText(text, Panel(100), 100);
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(Dest(second[1]), Moved(Dest(Object(101)), 16));

    // Text from a text editor lands where it says, even on the records it came from.
    const std::vector<CCPObject*> plain = doc.PasteText(text, Panel(100));
    ASSERT_EQ(plain.size(), 2u);
    EXPECT_EQ(Dest(plain[1]), Dest(Object(101)));
    // So does text copied from another panel.
    doc.SetCurrentPanel(Panel(200));
    doc.SetCurrentObject(Object(201));
    const std::vector<CCPObject*> across =
        doc.PasteText(doc.CopySelection(), Panel(100), Panel(200)->m_nId);
    ASSERT_EQ(across.size(), 1u);
    EXPECT_EQ(Dest(across[0]), Dest(Object(201)));
}

TEST_F(ClipboardTest, APasteIsOneStepThatUndoTakesBackToTheByte)
{
    auto& doc = c.doc;
    ASSERT_EQ(doc.PasteText(TestData("clipboard_foreign_records.dat"), Panel(200)).size(), 3u);
    EXPECT_EQ(doc.UndoName(), "Paste 3 records");
    const std::string pasted = c.Saved();
    EXPECT_NE(pasted, original);
    EXPECT_TRUE(doc.IsModified());

    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(c.Saved(), original);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(doc.CanUndo()) << "one step";
    ASSERT_TRUE(doc.Redo());
    EXPECT_EQ(c.Saved(), pasted);

    // One record is named in the step.
    doc.SetCurrentPanel(Panel(100));
    doc.SetCurrentObject(Object(101));
    doc.PasteText(doc.CopySelection(), Panel(200), 100);
    EXPECT_EQ(doc.UndoName(), "Paste Fire Light");
}

TEST_F(ClipboardTest, TextWithoutRecordsPastesNothingAndSaysWhy)
{
    auto& doc = c.doc;
    for (const std::string& text : {TestData("clipboard_prose.txt"), std::string()}) {
        c.ui.m_aBoxes.clear();
        EXPECT_TRUE(doc.PasteText(text, Panel(100)).empty());
        ASSERT_EQ(c.ui.Texts(), std::vector<std::string>{
                                    "Nothing was pasted: the clipboard holds no cockpit records."});
    }
    EXPECT_EQ(c.Saved(), original);
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(ClipboardTest, RecordsNoPanelHoldsAreLeftOutByName)
{
    auto& doc = c.doc;
    const size_t panels = doc.m_manager.m_aPanels.size();
    const size_t sounds = doc.m_manager.m_aSounds.size();
    const size_t buttons = doc.m_manager.m_aButtons.size();
    const std::vector<CCPObject*> pasted =
        doc.PasteText(TestData("clipboard_other_kinds.dat"), Panel(200));
    ASSERT_EQ(pasted.size(), 1u);
    EXPECT_EQ(Label(pasted[0]), "Spare Lamp");
    EXPECT_EQ(pasted[0]->m_nId, 301);
    EXPECT_EQ(doc.m_manager.m_aPanels.size(), panels);
    EXPECT_EQ(doc.m_manager.m_aSounds.size(), sounds);
    EXPECT_EQ(doc.m_manager.m_aButtons.size(), buttons);
    EXPECT_EQ(c.ui.Texts(),
              std::vector<std::string>{"Pasted Spare Lamp. Left out PANEL, 2 SOUND, BUTTON, "
                                       "WIDGET: only button views and panel objects go onto a "
                                       "panel."});
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(c.Saved(), original);

    // Nothing that goes onto a panel: nothing changes, not even the manager's template.
    c.ui.m_aBoxes.clear();
    EXPECT_TRUE(doc.PasteText(TestData("clipboard_only_other_kinds.dat"), Panel(200)).empty());
    EXPECT_EQ(c.ui.Texts(), std::vector<std::string>{
                                "Nothing was pasted: the clipboard holds no records that go "
                                "onto a panel (MANAGER, SOUND, SURFACE, BUFFER). Only button "
                                "views and panel objects such as lights and dials can be "
                                "pasted."});
    EXPECT_EQ(c.Saved(), original);
    EXPECT_TRUE(doc.CanRedo()) << "no step was recorded over the undone one";
}

TEST_F(ClipboardTest, CutTakesTheCopiedRecordsOffAsOneStep)
{
    auto& doc = c.doc;
    doc.Select({Object(101), View(202), Entry()});
    const std::string copied = doc.CopySelection();
    EXPECT_EQ(copied, CVireoDoc::RecordsText({View(202), Object(101)}));
    EXPECT_EQ(c.ui.m_aStatus.back(),
              "Copied 2 records; surface entries are part of the panel and were left out.");

    const std::string cut = doc.CutSelection();
    EXPECT_EQ(cut, copied);
    EXPECT_EQ(doc.UndoName(), "Cut 2 records");
    EXPECT_EQ(c.ui.m_aStatus.back(),
              "Cut 2 records; surface entries are part of the panel and were left out.");
    EXPECT_FALSE(doc.PanelHolds(Panel(100), Object(101)));
    EXPECT_FALSE(doc.PanelHolds(Panel(100), View(202)));
    EXPECT_EQ(Panel(100)->m_aSurfaces.size(), 1u) << "what was not copied is not cut";
    EXPECT_TRUE(doc.GetSelection().Empty());

    // Pasted back where they were cut from, nothing covers their place: they land on it.
    const std::vector<CCPObject*> back = doc.PasteText(cut, Panel(100), 100);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(Dest(back[1]), CRect(20, 10, 36, 26));
    EXPECT_EQ(Label(back[1]), "Fire Light");
    ASSERT_TRUE(doc.Undo());
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(c.Saved(), original);
}

TEST_F(ClipboardTest, ASurfaceEntryAloneIsNeitherCopiedNorCut)
{
    auto& doc = c.doc;
    doc.SetCurrentObject(Entry());
    ASSERT_TRUE(doc.IsSelected(Entry()));
    EXPECT_EQ(doc.CopySelection(), "");
    ASSERT_EQ(c.ui.m_aBoxes.size(), 1u);
    EXPECT_NE(c.ui.m_aBoxes[0].text.find("A surface entry cannot be copied"), std::string::npos);
    EXPECT_EQ(doc.CutSelection(), "");
    EXPECT_EQ(Panel(100)->m_aSurfaces.size(), 1u);
    EXPECT_FALSE(doc.CanUndo());

    // A sound, a button or a panel is no panel's record: nothing to copy, nothing said.
    c.ui.m_aBoxes.clear();
    doc.SetCurrentObject(doc.m_manager.FindButton(1001));
    EXPECT_EQ(doc.CopySelection(), "");
    doc.SetCurrentObject(Panel(100));
    EXPECT_EQ(doc.CopySelection(), "");
    EXPECT_TRUE(c.ui.m_aBoxes.empty());
}

TEST_F(ClipboardTest, DuplicateCopiesTheSelectionAsideAndSelectsTheCopies)
{
    auto& doc = c.doc;
    doc.Select({View(110), Object(102)});
    ASSERT_TRUE(doc.DuplicateSelection());
    EXPECT_EQ(doc.UndoName(), "Duplicate 2 records");
    const std::vector<CCPObject*> copies = doc.GetSelection().Records();
    ASSERT_EQ(copies.size(), 2u);
    EXPECT_EQ(Dest(copies[0]), Moved(Dest(View(110)), 8));
    EXPECT_EQ(Dest(copies[1]), Moved(Dest(Object(102)), 8));
    EXPECT_TRUE(copies[0]->IsButtonView());
    EXPECT_EQ(doc.m_manager.CountButtonViewsWithId(copies[0]->m_nId), 1);
    EXPECT_EQ(Panel(100)->m_anObjects.size(), 3u);

    // Duplicated again, the copies of the copies go further.
    ASSERT_TRUE(doc.DuplicateSelection());
    EXPECT_EQ(Dest(doc.GetSelection().Records()[1]), Moved(Dest(Object(102)), 16));
    ASSERT_TRUE(doc.Undo());
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(c.Saved(), original);

    // One record: its copy beside it, selected, named by its new id (a copy has no name).
    doc.SetCurrentObject(Object(101));
    ASSERT_TRUE(doc.DuplicateSelection());
    CCPObject* copy = doc.m_pCurrentObject;
    ASSERT_NE(copy, Object(101));
    EXPECT_EQ(Dest(copy), Moved(Dest(Object(101)), 8));
    EXPECT_EQ(doc.UndoName(), "Duplicate " + Label(copy));
    EXPECT_EQ(Label(copy), "Light " + std::to_string(copy->m_nId));

    // A record no panel holds is duplicated as before.
    doc.SetCurrentObject(doc.m_manager.FindButton(1001));
    const size_t buttons = doc.m_manager.m_aButtons.size();
    ASSERT_TRUE(doc.DuplicateSelection());
    EXPECT_EQ(doc.m_manager.m_aButtons.size(), buttons + 1);
}

// A new button view on panel 200 would get the panel's next object id, 202, which panel 100's
// button view has: panel 200 would then show that one instead.
TEST_F(ClipboardTest, NewButtonViewsNeverTakeAnotherPanelsButtonViewId)
{
    struct COkEditor : IRecordEditor
    {
        int EditProperties(CCPObject&) override { return IDOK; }
    } ok;
    auto& doc = c.doc;
    doc.SetRecordEditor(&ok);
    doc.SetCurrentPanel(Panel(200));
    c.ui.m_nSelectAnswer = IDOK;
    c.ui.m_nSelectCode = kButtonViewType;
    ASSERT_TRUE(doc.NewObject());
    CCPObject* added = doc.m_pCurrentObject;
    ASSERT_TRUE(added && added->IsButtonView());
    EXPECT_NE(added->m_nId, 202);
    EXPECT_EQ(View(added->m_nId), added);
    EXPECT_TRUE(doc.PanelHolds(Panel(200), added));

    // Copied in the tree by dragging, as well.
    CCPObject* placed = doc.PlaceRecord(View(202), Panel(100), Panel(200), nullptr, false);
    ASSERT_NE(placed, nullptr);
    EXPECT_EQ(doc.m_manager.CountButtonViewsWithId(placed->m_nId), 1);
    EXPECT_TRUE(doc.PanelHolds(Panel(200), placed));
}

// Records at the ends of the 32-bit range: a copy that cannot move 8,8 without passing the end
// stays where the original is, and nothing wraps around to the other end.
TEST(ClipboardEdges, RecordsAtTheEndOfTheRangeAreDuplicatedWithoutWrappingAround)
{
    CTestCockpit c(TestData("hostile_extreme_coordinates.dat"));
    c.doc.SetCurrentPanel(c.doc.m_manager.FindPanel(100));
    c.doc.SelectAll();
    const std::vector<CCPObject*> originals = c.doc.CopyableSelection();
    ASSERT_FALSE(originals.empty());
    ASSERT_TRUE(c.doc.DuplicateSelection());
    const std::vector<CCPObject*> copies = c.doc.GetSelection().Records();
    ASSERT_EQ(copies.size(), originals.size());
    int kept = 0;
    for (size_t i = 0; i < copies.size(); ++i) {
        CRect a, b;
        if (!originals[i]->GetDestRect(&a))
            continue;
        ASSERT_TRUE(copies[i]->GetDestRect(&b));
        const long long dx = (long long)b.left - a.left;
        const long long dy = (long long)b.top - a.top;
        EXPECT_TRUE((dx == 0 || dx == 8) && dy == dx) << c.doc.RecordLabel(copies[i]);
        EXPECT_EQ((long long)b.right - a.right, dx);
        EXPECT_EQ((long long)b.bottom - a.bottom, dy);
        kept += dx == 0;
    }
    EXPECT_GT(kept, 0);
}
