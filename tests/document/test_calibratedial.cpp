#include "ccpdial.h"
#include "testcockpit.h"
#include "testdata.h"

#include <gtest/gtest.h>

namespace {

// tests/data/making_strips_dials.dat: dials 103 and 104, light 101 on panel 100.
struct CalibrateDial : ::testing::Test
{
    CTestCockpit c{TestData("making_strips_dials.dat")};
    std::string original = c.Saved();

    CCPDial* Dial(int id) { return static_cast<CCPDial*>(c.doc.m_manager.FindObject(id)); }
};

} // namespace

TEST_F(CalibrateDial, ANewTableIsOneStepThatUndoesToTheSameBytes)
{
    c.doc.SetCurrentPanel(c.doc.m_manager.FindPanel(100));
    ASSERT_TRUE(c.doc.CalibrateDial(Dial(103), {1.5f, 0.0f, -1.5f}, {0.0f, 100.0f, 200.0f}));
    EXPECT_EQ(Dial(103)->m_afPoints, (std::vector<float>{1.5f, 0.0f, -1.5f}));
    EXPECT_EQ(Dial(103)->m_afValues, (std::vector<float>{0.0f, 100.0f, 200.0f}));
    EXPECT_EQ(c.doc.UndoName(), "Calibrate Airspeed");
    EXPECT_TRUE(c.doc.IsModified());
    const std::string calibrated = c.Saved();
    EXPECT_NE(calibrated.find("numendpoints = 3;\n\tpoints =  1.5 0 -1.5;\n\tvalues =  0 100 200;"),
              std::string::npos)
        << calibrated;

    ASSERT_TRUE(c.doc.Undo());
    EXPECT_EQ(c.Saved(), original);
    EXPECT_FALSE(c.doc.IsModified());
    EXPECT_FALSE(c.doc.CanUndo());
    ASSERT_TRUE(c.doc.Redo());
    EXPECT_EQ(c.Saved(), calibrated);
}

TEST_F(CalibrateDial, NothingHappensWithoutADialOrAChange)
{
    const size_t boxes = c.ui.m_aBoxes.size();
    EXPECT_FALSE(c.doc.CalibrateDial(nullptr, {1.0f}, {1.0f}));
    EXPECT_FALSE(c.doc.CalibrateDial(c.doc.m_manager.FindObject(101), {1.0f}, {1.0f}));
    // The table the dial has already.
    CCPDial* oil = Dial(104);
    EXPECT_FALSE(c.doc.CalibrateDial(oil, oil->m_afPoints, oil->m_afValues));
    EXPECT_FALSE(c.doc.CanUndo());
    EXPECT_EQ(c.Saved(), original);
    EXPECT_EQ(c.ui.m_aBoxes.size(), boxes) << "quietly";
}
