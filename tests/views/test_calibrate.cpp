#include "test_viewfixture.h"

#include "ccalibrationmode.h"
#include "ccpdial.h"
#include "cvireoview.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <cmath>
#include <numbers>

using namespace viewtest;

namespace {

// tests/data/making_strips_dials.dat: dial 103 "Airspeed" turns its needle (60 pixels, green
// and red) about 180, 480 on panel 100; dial 104 "Oil" keeps a table with long digits.
constexpr int kAirspeed = 103;
const QRgb kNeedle[] = {qRgb(0, 255, 0), qRgb(255, 0, 0)};

class CalibrateTest : public ::testing::Test
{
protected:
    CRecordingUI ui;
    CVireoDoc doc;
    std::unique_ptr<CVireoView> view;
    std::string original;

    void SetUp() override
    {
        doc.SetUserInterface(&ui);
        doc.Load(TestData("making_strips_dials.dat"));
        doc.SetCurrentPanel(doc.m_manager.FindPanel(100));
        doc.SetCurrentObject(Dial());
        view = std::make_unique<CVireoView>(&doc);
        view->resize(1100, 850); // the whole screen, unscrolled
        view->show();
        view->OnInitialUpdate();
        QApplication::processEvents();
        original = doc.Store();
    }

    CCPDial* Dial() { return static_cast<CCPDial*>(doc.m_manager.FindObject(kAirspeed)); }
    QWidget* vp() { return view->viewport(); }

    // The device point radius pixels from the needle's centre at angle (radians, the file's
    // way: counter-clockwise from the right).
    QPoint At(double angle, double radius = 50)
    {
        double cx = 0;
        double cy = 0;
        Dial()->NeedleCentre(cx, cy);
        const float zoom = view->m_fZoom;
        const CPoint scroll = view->GetScrollPosition();
        return QPoint(int(std::lround((cx + radius * std::cos(angle)) * zoom - scroll.x)),
                      int(std::lround((cy - radius * std::sin(angle)) * zoom - scroll.y)));
    }

    // Needle pixels on the segment from 20 to 50 pixels out at angle, 3 pixels to each side.
    int NeedleToward(double angle)
    {
        const QImage shot = vp()->grab().toImage();
        int count = 0;
        for (int along = 20; along <= 50; ++along)
            for (int across = -3; across <= 3; ++across) {
                const QPoint p =
                    At(angle, along) + QPoint(int(std::lround(-std::sin(angle) * across)),
                                              int(std::lround(-std::cos(angle) * across)));
                const QRgb rgb = shot.pixel(p) & 0xffffff;
                count += rgb == (kNeedle[0] & 0xffffff) || rgb == (kNeedle[1] & 0xffffff);
            }
        return count;
    }

    QLineEdit* Field()
    {
        const CCalibrationMode* mode = view->GetCalibration();
        return mode ? mode->ValueField() : nullptr;
    }

    // Clicks at angle and types the value into the field that opens there.
    void Point(double angle, const QString& value)
    {
        Click(vp(), At(angle));
        QLineEdit* field = Field();
        ASSERT_NE(field, nullptr);
        ASSERT_TRUE(field->isVisible());
        field->selectAll();
        QTest::keyClicks(field, value);
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_EQ(Field(), nullptr) << "Enter takes the value and closes the field";
    }
};

constexpr double kPi = std::numbers::pi;

} // namespace

TEST_F(CalibrateTest, ClicksMakeTheTableThePaintedNeedleFollowsInOneStep)
{
    // As the file has it: 0 at the upper left, clockwise to 400 at the lower left.
    EXPECT_GT(NeedleToward(3 * kPi / 4), 0);
    EXPECT_EQ(NeedleToward(kPi / 4), 0);

    ASSERT_TRUE(view->CanCalibrate());
    view->OnCommand(ID_CALIBRATE);
    ASSERT_NE(view->GetCalibration(), nullptr);
    EXPECT_FALSE(view->CanCalibrate()) << "one calibration at a time";

    // 0 straight up, 100 at the right, 200 straight down; a fourth point taken back.
    Point(kPi / 2, "0");
    Click(vp(), At(0));
    ASSERT_NE(Field(), nullptr);
    EXPECT_EQ(Field()->text(), "0") << "a lone value is proposed again";
    QTest::keyClicks(Field(), "100");
    QTest::keyClick(Field(), Qt::Key_Enter);
    Click(vp(), At(-kPi / 2));
    EXPECT_EQ(Field()->text(), "200") << "one more step of the last two";
    QTest::keyClick(Field(), Qt::Key_Return);
    Point(-3 * kPi / 4, "250");
    QTest::keyClick(view.get(), Qt::Key_Backspace);
    ASSERT_EQ(view->GetCalibration()->Points().size(), 3u);
    // Nothing reaches the cockpit while clicking.
    EXPECT_EQ(doc.Store(), original);
    EXPECT_FALSE(doc.CanUndo());

    QTest::keyClick(view.get(), Qt::Key_Return);
    EXPECT_EQ(view->GetCalibration(), nullptr);
    ASSERT_EQ(Dial()->m_afPoints.size(), 3u);
    EXPECT_NEAR(Dial()->m_afPoints[0], kPi / 2, 0.03);
    EXPECT_NEAR(Dial()->m_afPoints[1], 0.0, 0.03);
    EXPECT_NEAR(Dial()->m_afPoints[2], -kPi / 2, 0.03);
    EXPECT_EQ(Dial()->m_afValues, (std::vector<float>{0.0f, 100.0f, 200.0f}));
    EXPECT_EQ(doc.UndoName(), "Calibrate Airspeed");
    EXPECT_TRUE(doc.IsModified());

    // The needle at 0 now points where the first click was.
    QApplication::processEvents();
    EXPECT_GT(NeedleToward(kPi / 2), 0);
    EXPECT_EQ(NeedleToward(3 * kPi / 4), 0);

    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.Store(), original);
    EXPECT_FALSE(doc.CanUndo()) << "the whole calibration was one step";
}

TEST_F(CalibrateTest, EscapeAndAnEmptyTableChangeNothing)
{
    view->OnCommand(ID_CALIBRATE);
    Point(kPi, "5");
    Click(vp(), At(kPi / 3));
    // Escape in the open field ends the whole calibration.
    QTest::keyClick(Field(), Qt::Key_Escape);
    EXPECT_EQ(view->GetCalibration(), nullptr);
    EXPECT_EQ(doc.Store(), original);
    EXPECT_FALSE(doc.CanUndo());

    view->OnCommand(ID_CALIBRATE);
    Point(kPi, "5");
    QTest::keyClick(view.get(), Qt::Key_Escape);
    EXPECT_EQ(view->GetCalibration(), nullptr);

    // Every point taken back before Enter: nothing to put in place.
    view->OnCommand(ID_CALIBRATE);
    Click(vp(), At(1.0));
    QLineEdit* field = Field();
    ASSERT_NE(field, nullptr);
    field->clear();
    QTest::keyClick(field, Qt::Key_Backspace); // an emptied field takes its point along
    EXPECT_TRUE(view->GetCalibration()->Points().empty());
    QTest::keyClick(view.get(), Qt::Key_Return);
    EXPECT_EQ(view->GetCalibration(), nullptr);
    EXPECT_EQ(doc.Store(), original);
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(CalibrateTest, AnglesHoldAtAnyZoomAndScroll)
{
    view->resize(400, 300);
    view->ZoomAbout(2.0f, CPoint{0, 0});
    view->CenterOnPoint(CPoint{360, 960}); // the dial's centre at the zoom
    QApplication::processEvents();
    ASSERT_NE(view->GetScrollPosition(), (CPoint{0, 0}));
    view->OnCommand(ID_CALIBRATE);
    Point(2.5, "10");
    Point(-0.4, "20");
    QTest::keyClick(view.get(), Qt::Key_Return);
    ASSERT_EQ(Dial()->m_afPoints.size(), 2u);
    EXPECT_NEAR(Dial()->m_afPoints[0], 2.5, 0.02);
    EXPECT_NEAR(Dial()->m_afPoints[1], -0.4, 0.02);
}

TEST_F(CalibrateTest, OnlyADialOnThePanelCanBeCalibratedAndLeavingItEndsTheClicks)
{
    doc.SetCurrentObject(doc.m_manager.FindObject(101)); // a light
    EXPECT_FALSE(view->CanCalibrate());
    view->OnCommand(ID_CALIBRATE);
    EXPECT_EQ(view->GetCalibration(), nullptr);

    doc.SetCurrentObject(Dial());
    view->OnCommand(ID_CALIBRATE);
    Point(1.0, "3");
    // The dial taken off the panel: the clicks have nothing left to calibrate.
    doc.RemoveObject(Dial(), doc.m_pCurrentPanel);
    EXPECT_EQ(view->GetCalibration(), nullptr);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.Store(), original);
}
