#include "../sheets/sheettesting.h"

#include "ccpdial.h"
#include "ccpmanager.h"
#include "cqtrecordeditor.h"
#include "cvireoview.h"
#include "testcockpit.h"
#include "testdata.h"

#include <QApplication>
#include <QImage>
#include <QSlider>
#include <QTableWidget>

namespace {

// The demo's altimeter pointer on panel 200: its table turns the needle from up at 0 through
// right at 250 to down at 500, and on round to up at 1000.
constexpr int kAltimeter = 209;
constexpr QRgb kNeedleSide = qRgb(0x9a, 0x9a, 0x94); // color2, the side filled without outline

class DialPreviewTest : public ::testing::Test
{
protected:
    CTestCockpit c;
    CQtRecordEditor editor;
    CScriptedRunner runner;
    std::unique_ptr<CVireoView> view;
    std::string original;

    void SetUp() override
    {
        ASSERT_TRUE(c.doc.OnOpenDocument(ExamplePath("10_demo.dat")));
        c.doc.SetRecordEditor(&editor);
        c.doc.SetCurrentPanel(c.doc.m_manager.FindPanel(200));
        view = std::make_unique<CVireoView>(&c.doc);
        view->resize(1100, 850); // the whole 1024 x 768 screen, unscrolled
        view->show();
        view->OnInitialUpdate();
        QApplication::processEvents();
        original = c.Saved();
    }

    CCPDial* Altimeter() { return static_cast<CCPDial*>(c.doc.m_manager.FindObject(kAltimeter)); }

    // Needle pixels along a strip from 20 to 60 pixels out of the dial's centre, in the
    // direction dx, dy (one of them 0), 4 pixels to either side.
    int NeedleToward(int dx, int dy)
    {
        const QImage shot = view->viewport()->grab().toImage();
        CRect src;
        Altimeter()->GetSrcRect(&src);
        const int cx = (src.left + src.right) / 2;
        const int cy = (src.top + src.bottom) / 2;
        int count = 0;
        for (int along = 20; along <= 60; ++along)
            for (int across = -4; across <= 4; ++across) {
                const int x = cx + dx * along + dy * across;
                const int y = cy + dy * along + dx * across;
                count += shot.pixel(x, y) == kNeedleSide;
            }
        return count;
    }

    static QSlider& Slider(QDialog& d)
    {
        QSlider* slider = Find<QSlider>(*As<CCPDisplay>(d).GetActivePage(), "Preview value");
        if (!slider)
            throw std::runtime_error("no slider");
        return *slider;
    }
};

} // namespace

TEST_F(DialPreviewTest, SliderSweepsTheNeedleOnThePanelAndLeavesNoTrace)
{
    EXPECT_GT(NeedleToward(0, -1), 0); // up: the value 0
    EXPECT_EQ(NeedleToward(1, 0), 0);

    runner.Then([&](QDialog& d) {
        QSlider& slider = Slider(d);
        EXPECT_EQ(slider.value(), 0);
        slider.setValue(250);
        EXPECT_GT(NeedleToward(1, 0), 0); // right
        EXPECT_EQ(NeedleToward(0, -1), 0);
        slider.setValue(500);
        EXPECT_GT(NeedleToward(0, 1), 0); // down
        EXPECT_EQ(NeedleToward(1, 0), 0);
        // Only the picture moves: nothing to save, nothing to undo.
        EXPECT_FALSE(c.doc.IsModified());
        EXPECT_EQ(c.Saved(), original);
        d.reject();
    });
    EXPECT_EQ(c.doc.EditRecordProperties(Altimeter()), IDCANCEL);

    EXPECT_EQ(c.doc.GetInstrumentValues().GetRecord(), nullptr);
    EXPECT_GT(NeedleToward(0, -1), 0);
    EXPECT_EQ(NeedleToward(0, 1), 0);
    EXPECT_FALSE(c.doc.IsModified());
    EXPECT_FALSE(c.doc.CanUndo());
    EXPECT_EQ(c.Saved(), original);

    // Accepted without a change of the table, the slider leaves no step either.
    runner.Then([&](QDialog& d) {
        Slider(d).setValue(750);
        d.accept();
    });
    EXPECT_EQ(c.doc.EditRecordProperties(Altimeter()), IDOK);
    EXPECT_FALSE(c.doc.IsModified());
    EXPECT_FALSE(c.doc.CanUndo());
    EXPECT_GT(NeedleToward(0, -1), 0);
}

TEST_F(DialPreviewTest, EditedTableShowsAtOnceAndIsOneUndoableStep)
{
    runner.Then([&](QDialog& d) {
        QTableWidget* table = Find<QTableWidget>(*As<CCPDisplay>(d).GetActivePage(), "Points");
        ASSERT_TRUE(table);
        ASSERT_EQ(table->item(1, 1)->text(), "500");
        Slider(d).setValue(500);
        EXPECT_GT(NeedleToward(0, 1), 0);
        // 500 now lies at the angle 0: the previewed needle follows the page's table.
        table->item(1, 0)->setText("0");
        EXPECT_GT(NeedleToward(1, 0), 0);
        EXPECT_EQ(NeedleToward(0, 1), 0);
        EXPECT_EQ(c.Saved(), original);
        d.accept();
    });
    EXPECT_EQ(c.doc.EditRecordProperties(Altimeter()), IDOK);

    const std::string edited = c.Saved();
    EXPECT_NE(edited.find("\tpoints =  1.571 0 1.571;\n"), std::string::npos);
    EXPECT_TRUE(c.doc.IsModified());
    ASSERT_TRUE(c.doc.CanUndo());
    EXPECT_EQ(c.doc.GetHistory().Count(), 1u);
    EXPECT_EQ(c.doc.UndoName(), "Properties of Altimeter Pointer");
    EXPECT_GT(NeedleToward(0, -1), 0); // the panel shows the value 0 again

    ASSERT_TRUE(c.doc.Undo());
    EXPECT_EQ(c.Saved(), original);
    EXPECT_FALSE(c.doc.IsModified());
    ASSERT_TRUE(c.doc.Redo());
    EXPECT_EQ(c.Saved(), edited);
}
