// Records made by drawing: a type dropped on a panel, a piece of the template put there.
#include "ccpbuffer.h"
#include "ccpbuttonview.h"
#include "ccppanel.h"
#include "ccpsurfaceref.h"
#include "irecordeditor.h"
#include "recordplacing.h"
#include "recordtypes.h"
#include "testcockpit.h"
#include "testdata.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Counts the sheets opened; runs what the test gives it while one is open.
class CSheetSpy : public IRecordEditor
{
public:
    int m_nOpened = 0;
    std::function<void()> m_fnWhileOpen;
    int EditProperties(CCPObject&) override
    {
        ++m_nOpened;
        if (m_fnWhileOpen)
            m_fnWhileOpen();
        return IDOK;
    }
};

// tests/data/draw_cockpit.dat on the default 1024 x 768 screen: panel 100 (Front) with button
// view 1 and light 101 (Fire Light), and an empty panel 200 (Overhead).
class DrawingTest : public ::testing::Test
{
protected:
    CTestCockpit c{TestData("draw_cockpit.dat")};
    CSheetSpy sheets;
    std::string original;

    void SetUp() override
    {
        c.doc.SetRecordEditor(&sheets);
        c.doc.SetCurrentPanel(Panel(100));
        original = c.Saved();
    }
    CCPPanel* Panel(int id) { return c.doc.m_manager.FindPanel(id); }
    // The record just added is current, alone in the selection, and its step is named after
    // it; undone, the cockpit is byte for byte the one before, and redone the one after.
    void ExpectAddedAsOneStep(CCPObject* record, const std::string& before)
    {
        EXPECT_EQ(c.doc.m_pCurrentObject, record);
        EXPECT_EQ(c.doc.GetSelection().Records(), std::vector<CCPObject*>{record});
        EXPECT_EQ(c.doc.UndoName(), "Add " + record->GetLabel());
        EXPECT_TRUE(c.doc.IsModified());
        const std::string after = c.Saved();
        EXPECT_NE(after, before);
        ASSERT_TRUE(c.doc.Undo());
        EXPECT_EQ(c.Saved(), before);
        ASSERT_TRUE(c.doc.Redo());
        EXPECT_EQ(c.Saved(), after);
    }
};

} // namespace

TEST_F(DrawingTest, EveryTypeAddObjectOffersLandsWhereDroppedAsOneStepWithoutASheet)
{
    int added = 0;
    for (const CRecordType& type : RecordTypes()) {
        if (!type.placeable || !type.create || type.newCode == kSurfaceRefType)
            continue;
        SCOPED_TRACE(type.name);
        const std::string before = c.Saved();
        CCPObject* record = c.doc.AddRecordAt(type.newCode, CPoint{300, 200});
        ASSERT_NE(record, nullptr);
        ++added;
        EXPECT_EQ(record->GetTypeCode(), type.newCode);
        EXPECT_TRUE(c.doc.PanelHolds(Panel(100), record));
        CRect place;
        if (record->GetDestRect(&place))
            EXPECT_EQ(place, CRect(300, 200, 310, 210)) << "top-left at the drop, the new size";
        else
            EXPECT_TRUE(type.newCode == kChevronType || type.newCode == kLiftType)
                << "only what has no place on a panel lands nowhere";
        ExpectAddedAsOneStep(record, before);
    }
    EXPECT_EQ(added, 13);
    EXPECT_EQ(sheets.m_nOpened, 0) << "Properties opens the sheet when the user wants it";
    // Each record is a step of its own: all of them undone, the cockpit is as it was.
    for (int i = 0; i < added; ++i)
        ASSERT_TRUE(c.doc.Undo());
    EXPECT_EQ(c.Saved(), original);
    EXPECT_FALSE(c.doc.CanUndo());
}

TEST_F(DrawingTest, NewRecordsKeepToTheScreenAndGoWhereTheyAreSent)
{
    CCPObject* corner = c.doc.AddRecordAt(kLightType, CPoint{1020, 765});
    ASSERT_NE(corner, nullptr);
    EXPECT_EQ(Dest(corner), CRect(1014, 758, 1024, 768)) << "held to the screen as a drag is";

    CCPObject* centred =
        c.doc.AddRecordAt(kDialType, CPoint{512, 384}, nullptr, PlaceAnchor::Centre);
    ASSERT_NE(centred, nullptr);
    EXPECT_EQ(Dest(centred), CRect(507, 379, 517, 389));

    // Onto a panel that is not shown: it is shown, with the record on it.
    CCPObject* elsewhere = c.doc.AddRecordAt(kButtonViewType, CPoint{5, 6}, Panel(200));
    ASSERT_NE(elsewhere, nullptr);
    EXPECT_EQ(c.doc.m_pCurrentPanel, Panel(200));
    EXPECT_EQ(Panel(200)->m_anButtonViews, std::vector<int>{elsewhere->m_nId});
    EXPECT_EQ(static_cast<CCPObject*>(c.doc.m_manager.FindButtonView(elsewhere->m_nId)), elsewhere);
    EXPECT_EQ(Dest(elsewhere), CRect(5, 6, 15, 16));

    // A piece wider than the screen starts at its left edge.
    CCPObject* wide = c.doc.AddPieceAt(kDialType, CRect(0, 0, 2000, 100), CPoint{50, 50});
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(Dest(wide), CRect(0, 50, 2000, 150));
}

TEST_F(DrawingTest, APieceOfTheTemplateBecomesARecordShowingItOnAPlaceOfItsSize)
{
    const CRect piece(16, 0, 32, 16);
    for (int code : PieceTypeCodes()) {
        SCOPED_TRACE(code);
        const std::string before = c.Saved();
        CCPObject* record = c.doc.AddPieceAt(code, piece, CPoint{100, 50});
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(record->GetTypeCode(), code);
        EXPECT_EQ(Src(record), piece) << "the piece is what it shows";
        EXPECT_EQ(Dest(record), CRect(100, 50, 116, 66)) << "a place of the piece's size";
        // The file holds it the same way: the record read back shows the same.
        const std::string text = CVireoDoc::RecordsText({record});
        EXPECT_NE(text.find("srcloc = 0 16 16 32;"), std::string::npos) << text;
        ExpectAddedAsOneStep(record, before);
    }
    EXPECT_EQ(sheets.m_nOpened, 0);
}

TEST_F(DrawingTest, NothingIsAddedWhereNothingCanBe)
{
    EXPECT_EQ(c.doc.AddPieceAt(kAdiType, CRect(0, 0, 10, 10), CPoint{}), nullptr)
        << "an ADI's ball is taller than its window";
    EXPECT_EQ(c.doc.AddPieceAt(kLightType, CRect(5, 5, 5, 9), CPoint{}), nullptr) << "no area";
    for (int code : {int(kBufferType), int(kPanelType), int(kSoundType), int(kButtonType), -5})
        EXPECT_EQ(c.doc.AddRecordAt(code, CPoint{}), nullptr) << code;
    c.doc.SetCurrentPanel(nullptr);
    EXPECT_EQ(c.doc.AddRecordAt(kLightType, CPoint{}), nullptr) << "no panel to put it on";
    EXPECT_EQ(c.doc.AddPieceAt(kLightType, CRect(0, 0, 8, 8), CPoint{}), nullptr);
    EXPECT_EQ(c.Saved(), original);
    EXPECT_FALSE(c.doc.CanUndo());
    EXPECT_FALSE(c.doc.IsModified());

    // While a sheet is open, its step is the only one.
    c.doc.SetCurrentPanel(Panel(100));
    CCPObject* during = &c.doc.m_manager;
    sheets.m_fnWhileOpen = [&] { during = c.doc.AddRecordAt(kLightType, CPoint{1, 1}); };
    c.doc.EditRecordProperties(c.doc.m_manager.FindObject(101));
    EXPECT_EQ(during, nullptr);
    ASSERT_FALSE(c.ui.m_aBoxes.empty());
    EXPECT_EQ(c.ui.m_aBoxes.back().text.rfind("Add cannot start while another edit is open.", 0),
              0u);
    EXPECT_EQ(Panel(100)->m_anObjects, std::vector<int>{101});
}

TEST_F(DrawingTest, ASurfaceEntryDroppedAsksForItsPictureAsAddObjectDoes)
{
    c.ui.m_nBufferAnswer = IDCANCEL;
    EXPECT_EQ(c.doc.AddRecordAt(kSurfaceRefType, CPoint{300, 200}), nullptr);
    EXPECT_EQ(c.Saved(), original);
    EXPECT_FALSE(c.doc.CanUndo());

    c.ui.m_nBufferAnswer = IDOK;
    c.ui.m_fnFillBuffer = [](CCPBuffer& buffer) { buffer.m_strFile = "front.png"; };
    CCPObject* entry = c.doc.AddRecordAt(kSurfaceRefType, CPoint{300, 200});
    ASSERT_NE(entry, nullptr);
    ASSERT_TRUE(entry->IsSurfaceRef());
    ASSERT_EQ(Panel(100)->m_aSurfaces.size(), 1u);
    EXPECT_EQ(Panel(100)->m_aSurfaces.front().get(), entry);
    EXPECT_EQ(Dest(entry), CRect(300, 200, 310, 210));
    EXPECT_NE(c.Saved().find("filename = front.png;"), std::string::npos);
    EXPECT_EQ(sheets.m_nOpened, 0);
    ExpectAddedAsOneStep(entry, original);
}

TEST_F(DrawingTest, ThePieceDrawnOnTheTemplateIsNoPartOfTheCockpit)
{
    c.doc.SetTemplatePiece(CRect(1, 2, 30, 40));
    EXPECT_EQ(c.doc.GetTemplatePiece(), CRect(1, 2, 30, 40));
    EXPECT_FALSE(c.doc.IsModified());
    EXPECT_FALSE(c.doc.CanUndo());
    EXPECT_EQ(c.Saved(), original);
    // A piece of another cockpit's template means nothing in the next one.
    ASSERT_TRUE(c.doc.OnNewDocument());
    EXPECT_FALSE(c.doc.GetTemplatePiece());
}
