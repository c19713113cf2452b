#include "sheettesting.h"
#include "testcockpit.h"

#include "careadlg.h"
#include "ccpadi.h"
#include "ccpbuttonview.h"
#include "ccplight.h"
#include "ccpmanager.h"
#include "ccppanel.h"
#include "cfloatpointdlg.h"
#include "cpointdlg.h"
#include "cqtrecordeditor.h"
#include "crectlistdlg.h"

#include <QColorDialog>
#include <QTableWidget>

namespace {

QStringList Row(QTableWidget& list, int row)
{
    QStringList cells;
    for (int c = 0; c < list.columnCount(); ++c)
        cells << (list.item(row, c) ? list.item(row, c)->text() : QString("<none>"));
    return cells;
}

// Accepts an "Area" dialog after checking what it proposed and entering new edges.
CScriptedRunner::Step AreaStep(QStringList expected, QStringList entered)
{
    return [expected, entered](QDialog& d) {
        auto& dlg = As<CAreaDlg>(d);
        const QStringList names{"Top", "Left", "Bottom", "Right"};
        QStringList shown;
        for (const QString& n : names)
            shown << Text(dlg, n);
        EXPECT_EQ(shown, expected);
        for (int i = 0; i < entered.size(); ++i)
            SetText(dlg, names[i], entered[i]);
        dlg.accept();
    };
}

} // namespace

TEST(AreaDialog, ShowsTheEdgesAndWritesOnlyOnOk)
{
    CRect rc(10, 20, 110, 70);
    {
        CAreaDlg dlg(rc);
        EXPECT_EQ(Text(dlg, "Top"), "20");
        EXPECT_EQ(Text(dlg, "Left"), "10");
        EXPECT_EQ(Text(dlg, "Right"), "110");
        EXPECT_EQ(Text(dlg, "Bottom"), "70");
        SetText(dlg, "Top", "1");
        dlg.reject();
    }
    EXPECT_EQ(rc, CRect(10, 20, 110, 70));

    CScriptedRunner runner;
    CAreaDlg dlg(rc);
    SetText(dlg, "Left", "oops");
    SetText(dlg, "Top", "5");
    dlg.accept();
    EXPECT_FALSE(Accepted(dlg));
    EXPECT_EQ(runner.m_messages, QStringList{"Please enter an integer."});
    EXPECT_EQ(rc, CRect(10, 20, 110, 70));
    // Edges in any order are taken as typed.
    SetText(dlg, "Left", "300");
    dlg.accept();
    EXPECT_TRUE(Accepted(dlg));
    EXPECT_EQ(rc, CRect(300, 5, 110, 70));
}

TEST(PointDialogs, PointAndFloatPoint)
{
    CPoint pt{3, 4};
    CPointDlg point(pt);
    EXPECT_EQ(Text(point, "X"), "3");
    SetText(point, "Y", "-8");
    point.accept();
    EXPECT_EQ(pt, (CPoint{3, -8}));

    CScriptedRunner runner;
    CFloatPointDlg dlg;
    dlg.SetPoint(-1.0f, 0.25f);
    EXPECT_EQ(Text(dlg, "X"), "-1");
    EXPECT_EQ(Text(dlg, "Y"), "0.25");
    SetText(dlg, "X", "abc");
    dlg.accept();
    EXPECT_FALSE(Accepted(dlg));
    EXPECT_EQ(runner.m_messages, QStringList{"Please enter a number."});
    SetText(dlg, "X", "0.5");
    dlg.accept();
    EXPECT_TRUE(Accepted(dlg));
    EXPECT_EQ(dlg.m_fX, 0.5f);
    EXPECT_EQ(dlg.m_fY, 0.25f);
}

TEST(RectListDialog, AddEditDeleteAndRenumber)
{
    std::vector<CRect> list;
    CScriptedRunner runner;
    CRectListDlg dlg(list);
    QTableWidget& table = *dlg.GetList();
    EXPECT_EQ(table.rowCount(), 0);

    // An empty list proposes a small square; later ones start from the last rectangle.
    runner.Then(AreaStep({"0", "0", "10", "10"}, {"1", "2", "3", "4"}))
        .Then(AreaStep({"1", "2", "3", "4"}, {"5", "6"}))
        .Then(AreaStep({"5", "6", "3", "4"}, {"7"}))
        .Then([](QDialog& d) { d.reject(); });
    Click(dlg, "Add Rect");
    Click(dlg, "Add Rect");
    Click(dlg, "Add Rect");
    Click(dlg, "Add Rect"); // cancelled: nothing appended
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0], CRect(2, 1, 4, 3));
    EXPECT_EQ(list[2], CRect(6, 7, 4, 3));
    EXPECT_EQ(Row(table, 2), (QStringList{"2", "7", "6", "3", "4"}));

    // Double-click edits that row in place.
    runner.Then(AreaStep({"5", "6", "3", "4"}, {"50"}));
    emit table.cellDoubleClicked(1, 3);
    EXPECT_EQ(list[1], CRect(6, 50, 4, 3));
    EXPECT_EQ(Row(table, 1), (QStringList{"1", "50", "6", "3", "4"}));

    Click(dlg, "Del Rect"); // nothing selected
    EXPECT_EQ(list.size(), 3u);
    table.selectRow(1);
    Click(dlg, "Del Rect");
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1], CRect(6, 7, 4, 3));
    EXPECT_EQ(table.rowCount(), 2);
    EXPECT_EQ(Row(table, 0), (QStringList{"0", "1", "2", "3", "4"}));
    EXPECT_EQ(Row(table, 1), (QStringList{"1", "7", "6", "3", "4"}));
    EXPECT_EQ(table.item(1, 0)->data(Qt::UserRole).toInt(), 1);
    // Every change is already in the list; Cancel only closes.
    dlg.reject();
    EXPECT_EQ(list.size(), 2u);
}

TEST(SubDialogs, WritesSurviveACancelledSheetAsOneUndoableStepEach)
{
    CTestCockpit c;
    CCPManager& manager = c.doc.m_manager;
    CQtRecordEditor editor;
    c.doc.SetRecordEditor(&editor);

    CCPButtonView view(&manager);
    view.m_arcSrc = {CRect(0, 0, 10, 10)};
    CCPLight light(&manager);
    CCPPanel panel(&manager);

    CScriptedRunner runner;
    runner
        .Then([&](QDialog& d) { // the view's sheet: edit the first source rect, then cancel
            auto& sheet = As<CCPDisplay>(d);
            SetText(*sheet.GetActivePage(), "Parent Id", "1001");
            runner.Next([&](QDialog& list) {
                runner.Next(AreaStep({"0", "0", "10", "10"}, {"100", "200", "110", "210"}));
                emit As<CRectListDlg>(list).GetList()->cellDoubleClicked(0, 0);
                list.reject();
            });
            Click(*sheet.GetActivePage(), "Source");
            sheet.reject();
        })
        .Then([&](QDialog& d) { // the light's sheet: "Dest" accepted, sheet cancelled
            auto& sheet = As<CCPDisplay>(d);
            runner.Next(AreaStep({"0", "0", "10", "10"}, {"5", "5", "25", "15"}));
            Click(*sheet.GetActivePage(), "Dest");
            sheet.reject();
        })
        .Then([&](QDialog& d) { // the panel's offset and an OSB point, sheet cancelled
            auto& sheet = As<CCPDisplay>(d);
            runner.Next([](QDialog& p) {
                SetText(p, "X", "12");
                SetText(p, "Y", "-3");
                p.accept();
            });
            Click(*sheet.GetActivePage(), "Offset");
            CCPPage& osb = Page(sheet, "OSB Locations");
            runner.Next([](QDialog& p) {
                auto& dlg = As<CFloatPointDlg>(p);
                EXPECT_EQ(Text(dlg, "X"), "0");
                SetText(dlg, "X", "-1");
                SetText(dlg, "Y", "0.5");
                dlg.accept();
            });
            QTableWidget* right = Find<QTableWidget>(osb, "Right OSBs");
            emit right->cellDoubleClicked(19, 1);
            EXPECT_EQ(Row(*right, 19), (QStringList{"-1", "0.5"}));
            sheet.reject();
        });

    EXPECT_EQ(view.EditProperties(), IDCANCEL);
    EXPECT_EQ(view.m_arcSrc, std::vector<CRect>{CRect(200, 100, 210, 110)});
    EXPECT_EQ(view.m_nParentButton, 0);
    EXPECT_EQ(light.EditProperties(), IDCANCEL);
    EXPECT_EQ(light.m_rcDest, CRect(5, 5, 15, 25));
    EXPECT_EQ(panel.EditProperties(), IDCANCEL);
    EXPECT_EQ(panel.m_ptOffset, (CPoint{12, -3}));
    EXPECT_EQ(panel.m_aOsbRight[19], (CFloatPoint{-1.0f, 0.5f}));
    // Each cancelled sheet that a sub-dialog wrote through is a step of its own.
    EXPECT_TRUE(c.doc.IsModified());
    ASSERT_EQ(c.doc.GetHistory().Count(), 3u);
    EXPECT_EQ(c.doc.UndoName(), "Properties of Panel 0");
    c.doc.Undo();
    EXPECT_EQ(panel.m_ptOffset, (CPoint{0, 0}));
    EXPECT_EQ(panel.m_aOsbRight[19], (CFloatPoint{}));
    c.doc.Undo();
    EXPECT_EQ(light.m_rcDest, CRect(0, 0, 10, 10));
    c.doc.Undo();
    EXPECT_EQ(view.m_arcSrc, std::vector<CRect>{CRect(0, 0, 10, 10)});
    EXPECT_FALSE(c.doc.IsModified());
}

TEST(ChooseColour, OpensOnTheFieldsColourAndForcesAlpha)
{
    CCPManager manager;
    CCPAdi adi(&manager);
    auto sheet = CQtRecordEditor::CreateSheet(adi, nullptr);
    sheet->Open();
    CCPPage& page = *sheet->GetActivePage();
    EXPECT_EQ(Text(page, "Color0 Value"), "ff20a2c8");
    EXPECT_EQ(Text(page, "Color1 Value"), "ff808080");

    CScriptedRunner runner;
    SetText(page, "Color0 Value", "20a2c8");
    runner.Then([](QDialog& d) {
        auto& chooser = As<QColorDialog>(d);
        EXPECT_EQ(chooser.currentColor(), QColor(0x20, 0xa2, 0xc8));
        chooser.accept();
    });
    Click(page, "Color0");
    EXPECT_EQ(Text(page, "Color0 Value"), "ff20a2c8");

    // Whatever alpha the text had is replaced; cancelling changes nothing.
    SetText(page, "Color1 Value", "7f000000");
    runner.Then([](QDialog& d) {
        As<QColorDialog>(d).setCurrentColor(QColor(255, 0, 0));
        d.accept();
    });
    Click(page, "Color1");
    EXPECT_EQ(Text(page, "Color1 Value"), "ffff0000");
    SetText(page, "Color2 Value", "123456");
    runner.Then([](QDialog& d) { d.reject(); });
    Click(page, "Color2");
    EXPECT_EQ(Text(page, "Color2 Value"), "123456");

    // A bad entry elsewhere on the page stops the chooser from opening.
    SetText(page, "CallBack Slot", "x");
    Click(page, "Color3");
    EXPECT_EQ(runner.m_messages, QStringList{"Please enter an integer."});
    SetText(page, "CallBack Slot", "4");

    sheet->accept();
    EXPECT_TRUE(Accepted(*sheet));
    EXPECT_EQ(adi.m_aColors[0], 0xff20a2c8u);
    EXPECT_EQ(adi.m_aColors[1], 0xffff0000u);
    EXPECT_EQ(adi.m_aColors[2], 0x123456u);
    EXPECT_EQ(adi.m_nCallbackSlot, 4);
}
