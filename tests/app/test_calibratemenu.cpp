#include "mainframefixture.h"

#include "../sheets/sheettesting.h"
#include "ccalibrationmode.h"
#include "ccpdial.h"
#include "ccpdisplay.h"

#include <QMenu>
#include <QMenuBar>

namespace {

// The editor with its own property sheets over tests/data/making_strips_dials.dat: dial 103
// "Airspeed" and light 101 on panel 100.
class CalibrateMenuTest : public MainFrameTest
{
protected:
    CScriptedRunner runner;

    void SetUp() override
    {
        MainFrameTest::SetUp();
        app = std::make_unique<CVireoApp>(&ui, &prompts, nullptr);
        const std::string path = Write("making.dat", TestData("making_strips_dials.dat"));
        ASSERT_TRUE(app->InitInstance({QString::fromStdString(path)}));
        frame()->resize(1200, 850);
        frame()->show();
        QApplication::processEvents();
        doc().SetCurrentPanel(doc().m_manager.FindPanel(100));
    }
    CCPObject* Object(int id) { return doc().m_manager.FindObject(id); }
    CVireoView* view() { return frame()->GetPanelView(); }
};

bool HasAction(const QMenu& menu, const QAction* action)
{
    return menu.actions().contains(const_cast<QAction*>(action));
}

} // namespace

TEST_F(CalibrateMenuTest, CalibrateIsOfferedForADialInTheEditMenuAndThePopup)
{
    QAction* calibrate = frame()->Action(ID_CALIBRATE);
    ASSERT_NE(calibrate, nullptr);
    EXPECT_EQ(calibrate->text(), "Ca&librate");
    bool inEdit = false;
    for (QAction* top : frame()->menuBar()->actions())
        if (top->text() == "&Edit" && top->menu())
            inEdit = HasAction(*top->menu(), calibrate);
    EXPECT_TRUE(inEdit);
    EXPECT_TRUE(HasAction(*frame()->GetViewMenu(), calibrate));

    doc().SetCurrentObject(Object(101));
    EXPECT_FALSE(Enabled(ID_CALIBRATE)) << "a light has no needle";
    doc().SetCurrentObject(Object(103));
    EXPECT_TRUE(Enabled(ID_CALIBRATE));

    // From the tree too: the clicks go to the panel view.
    frame()->SetActivePane(CMainFrame::kTreePane);
    EXPECT_TRUE(Enabled(ID_CALIBRATE));
    EXPECT_TRUE(frame()->ExecuteCommand(ID_CALIBRATE));
    EXPECT_EQ(frame()->GetActivePaneIndex(), CMainFrame::kViewPane);
    ASSERT_NE(view()->GetCalibration(), nullptr);
    EXPECT_FALSE(Enabled(ID_CALIBRATE)) << "already calibrating";
    QTest::keyClick(view(), Qt::Key_Escape);
    EXPECT_EQ(view()->GetCalibration(), nullptr);
    EXPECT_FALSE(doc().IsModified());
}

TEST_F(CalibrateMenuTest, TheDialSheetStandsBesideTheDialAndItsCalibrateButtonStartsTheClicks)
{
    doc().SetCurrentObject(Object(103));
    const QRect dial = view()->RecordOnScreen(*Object(103));
    ASSERT_FALSE(dial.isEmpty());
    runner.Then([&](QDialog& d) {
        auto& sheet = As<CCPDisplay>(d);
        EXPECT_FALSE(sheet.frameGeometry().intersects(dial))
            << "sheet " << sheet.frameGeometry().x() << "," << sheet.frameGeometry().y() << " "
            << sheet.width() << "x" << sheet.height();
        SetText(*sheet.GetActivePage(), "Radius 2", "6");
        Click(*sheet.GetActivePage(), "Calibrate");
        EXPECT_TRUE(Accepted(sheet)) << "Calibrate closes the sheet as OK does";
    });
    EXPECT_TRUE(frame()->ExecuteCommand(ID_PROPERTIES));
    EXPECT_EQ(static_cast<CCPDial*>(Object(103))->m_anRadius[2], 6);
    EXPECT_EQ(doc().GetHistory().Count(), 1u);
    // Once the sheet's step has ended.
    EXPECT_TRUE(WaitFor([&] { return view()->GetCalibration() != nullptr; }));
    EXPECT_EQ(frame()->GetActivePaneIndex(), CMainFrame::kViewPane);
    QTest::keyClick(view(), Qt::Key_Escape);
    EXPECT_EQ(doc().GetHistory().Count(), 1u);
}
