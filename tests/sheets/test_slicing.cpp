#include "sheettesting.h"

#include "ccpbuttonview.h"
#include "ccpdigits.h"
#include "ccplight.h"
#include "crectlistdlg.h"
#include "cslicedlg.h"
#include "testcockpit.h"
#include "testdata.h"

#include <QRadioButton>
#include <QTableWidget>

namespace {

// Fills the "Slice" dialog: the strip (left, top, right, bottom), the count and the way.
CScriptedRunner::Step Slice(CRect strip, int count, bool down, bool accept = true)
{
    return [=](QDialog& d) {
        auto& dlg = As<CSliceDlg>(d);
        SetText(dlg, "Left", QString::number(strip.left));
        SetText(dlg, "Top", QString::number(strip.top));
        SetText(dlg, "Right", QString::number(strip.right));
        SetText(dlg, "Bottom", QString::number(strip.bottom));
        SetText(dlg, "Pieces", QString::number(count));
        SetChecked(dlg, down ? "Down" : "Across", true);
        if (accept)
            dlg.accept();
        else
            dlg.reject();
    };
}

// The rows of the "Rect List" as the user reads them.
QStringList Rows(CRectListDlg& dlg)
{
    QStringList rows;
    QTableWidget* list = dlg.GetList();
    for (int r = 0; r < list->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < list->columnCount(); ++c)
            cells << list->item(r, c)->text();
        rows << cells.join(QLatin1Char(' '));
    }
    return rows;
}

// tests/data/making_strips_dials.dat, opened in a document whose sheets are the real ones.
struct SliceInDocument : ::testing::Test
{
    CTestCockpit c;
    CQtRecordEditor editor;
    CScriptedRunner runner;
    std::string original;

    void SetUp() override
    {
        c.doc.Load(TestData("making_strips_dials.dat"));
        c.doc.SetRecordEditor(&editor);
        c.doc.SetCurrentPanel(c.doc.m_manager.FindPanel(100));
        original = c.Saved();
    }
    CCPObject* Object(int id) { return c.doc.m_manager.FindObject(id); }
};

} // namespace

TEST(SliceDialog, StartsFromTheListsBoundsAndReplacesItsRows)
{
    std::vector<CRect> list = {CRect(10, 20, 22, 40), CRect(30, 20, 42, 40)};
    CScriptedRunner runner;
    CRectListDlg dlg(list);
    runner.Then([](QDialog& d) {
        auto& slice = As<CSliceDlg>(d);
        // The bounds of the pieces, their count, and across as the strip is wide.
        EXPECT_EQ(Text(slice, "Left"), "10");
        EXPECT_EQ(Text(slice, "Top"), "20");
        EXPECT_EQ(Text(slice, "Right"), "42");
        EXPECT_EQ(Text(slice, "Bottom"), "40");
        EXPECT_EQ(Text(slice, "Pieces"), "2");
        EXPECT_TRUE(IsChecked(slice, "Across"));
        SetText(slice, "Pieces", "3");
        slice.accept();
    });
    Click(dlg, "Slice...");
    // 32 pixels in three: the spare pixels go to the first pieces.
    EXPECT_EQ(list, (std::vector<CRect>{{10, 20, 21, 40}, {21, 20, 32, 40}, {32, 20, 42, 40}}));
    EXPECT_EQ(Rows(dlg), (QStringList{"0 20 10 40 21", "1 20 21 40 32", "2 20 32 40 42"}));

    // Cancelled, the list stays; an empty list offers a small square, one piece, edges in
    // any order.
    runner.Then(Slice(CRect(0, 0, 90, 90), 9, true, false));
    Click(dlg, "Slice...");
    EXPECT_EQ(list.size(), 3u);
    std::vector<CRect> none;
    CRectListDlg empty(none);
    runner.Then([](QDialog& d) {
        auto& slice = As<CSliceDlg>(d);
        EXPECT_EQ(Text(slice, "Right"), "10");
        EXPECT_EQ(Text(slice, "Pieces"), "1");
        SetText(slice, "Top", "30");
        SetText(slice, "Bottom", "0");
        SetChecked(slice, "Down", true);
        SetText(slice, "Pieces", "4");
        slice.accept();
    });
    Click(empty, "Slice...");
    EXPECT_EQ(none, (std::vector<CRect>{
                        {0, 0, 10, 8}, {0, 8, 10, 16}, {0, 16, 10, 23}, {0, 23, 10, 30}}));
    EXPECT_TRUE(runner.m_messages.isEmpty());
}

TEST(SliceDialog, RefusesPiecesUnderAPixelAndStaysOpen)
{
    std::vector<CRect> list = {CRect(0, 0, 5, 5)};
    CScriptedRunner runner;
    CRectListDlg dlg(list);
    runner.Then([&runner](QDialog& d) {
        auto& slice = As<CSliceDlg>(d);
        for (const char* count : {"6", "0", "-2", "100000"}) {
            SetText(slice, "Pieces", QString::fromLatin1(count));
            slice.accept();
            EXPECT_FALSE(Accepted(slice)) << count;
        }
        SetText(slice, "Pieces", "x");
        slice.accept();
        EXPECT_FALSE(Accepted(slice));
        ASSERT_EQ(runner.m_messages.size(), 5);
        EXPECT_TRUE(runner.m_messages[0].startsWith("The strip cannot be cut into 6 pieces"))
            << runner.m_messages[0].toStdString();
        EXPECT_EQ(runner.m_messages[4], "Please enter an integer.");
        SetText(slice, "Pieces", "5");
        slice.accept();
    });
    Click(dlg, "Slice...");
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(list[4], CRect(4, 0, 5, 5));
}

TEST_F(SliceInDocument, ALightsStatesFollowTheSliceInOneUndoableStep)
{
    auto* light = static_cast<CCPLight*>(Object(101));
    runner.Then([&](QDialog& d) {
        auto& sheet = As<CCPDisplay>(d);
        QWidget& page = *sheet.GetActivePage();
        EXPECT_EQ(Text(page, "Number State"), "1");
        runner.Next([&](QDialog& list) {
            runner.Next(Slice(CRect(0, 100, 48, 116), 3, false));
            Click(list, "Slice...");
            EXPECT_EQ(Rows(As<CRectListDlg>(list)).size(), 3);
            list.accept();
        });
        Click(page, "Source");
        EXPECT_EQ(Text(page, "Number State"), "3");
        sheet.accept();
    });
    EXPECT_EQ(c.doc.EditRecordProperties(light), IDOK);
    EXPECT_EQ(light->m_arcSrc,
              (std::vector<CRect>{{0, 100, 16, 116}, {16, 100, 32, 116}, {32, 100, 48, 116}}));
    EXPECT_EQ(c.doc.UndoName(), "Properties of Gear Light");
    const std::string sliced = c.Saved();
    EXPECT_NE(sliced.find("states = 3;\n\tsrcloc = 100 0 116 16;\n\tsrcloc = 100 16 116 32;\n"
                          "\tsrcloc = 100 32 116 48;\n\tdestloc"),
              std::string::npos)
        << sliced;

    ASSERT_TRUE(c.doc.Undo());
    EXPECT_EQ(c.Saved(), original);
    EXPECT_FALSE(c.doc.CanUndo());
    ASSERT_TRUE(c.doc.Redo());
    EXPECT_EQ(c.Saved(), sliced);
}

TEST_F(SliceInDocument, DigitsAndButtonViewStripsSliceTooEachInOneStep)
{
    // A readout's ten digits across, and its three places on the panel.
    auto* digits = static_cast<CCPDigits*>(Object(102));
    runner.Then([&](QDialog& d) {
        auto& sheet = As<CCPDisplay>(d);
        QWidget& page = *sheet.GetActivePage();
        runner.Next([&](QDialog& list) {
            runner.Next(Slice(CRect(0, 50, 125, 70), 10, false));
            Click(list, "Slice...");
            list.accept();
        });
        Click(page, "Source");
        runner.Next([&](QDialog& list) {
            runner.Next(Slice(CRect(300, 300, 336, 320), 3, false));
            Click(list, "Slice...");
            list.accept();
        });
        Click(page, "Dest");
        sheet.accept();
    });
    EXPECT_EQ(c.doc.EditRecordProperties(digits), IDOK);
    ASSERT_EQ(digits->m_arcSrc.size(), 10u);
    EXPECT_EQ(digits->m_arcSrc[0], CRect(0, 50, 13, 70)); // 125 in ten: 13 five times, then 12
    EXPECT_EQ(digits->m_arcSrc[5], CRect(65, 50, 77, 70));
    EXPECT_EQ(digits->m_arcSrc[9], CRect(113, 50, 125, 70));
    EXPECT_EQ(
        digits->m_arcDest,
        (std::vector<CRect>{{300, 300, 312, 320}, {312, 300, 324, 320}, {324, 300, 336, 320}}));
    EXPECT_EQ(c.doc.GetHistory().Count(), 1u);

    // A button view's states, sliced down. What the list dialog wrote stays, also when the
    // sheet is cancelled afterwards, and is one step of its own.
    auto* view = c.doc.m_manager.FindButtonView(1);
    const std::string before = c.Saved();
    runner.Then([&](QDialog& d) {
        auto& sheet = As<CCPDisplay>(d);
        runner.Next([&](QDialog& list) {
            runner.Next(Slice(CRect(0, 0, 20, 80), 4, true));
            Click(list, "Slice...");
            list.accept();
        });
        Click(*sheet.GetActivePage(), "Source");
        sheet.reject();
    });
    EXPECT_EQ(c.doc.EditRecordProperties(view), IDCANCEL);
    EXPECT_EQ(
        view->m_arcSrc,
        (std::vector<CRect>{{0, 0, 20, 20}, {0, 20, 20, 40}, {0, 40, 20, 60}, {0, 60, 20, 80}}));
    EXPECT_EQ(c.doc.GetHistory().Count(), 2u);
    ASSERT_TRUE(c.doc.Undo());
    EXPECT_EQ(c.Saved(), before);
}
