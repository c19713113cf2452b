#include "test_viewfixture.h"

#include "ccommandroute.h"
#include "cvireoview.h"

#include <QApplication>

using namespace viewtest;

namespace {

const QRgb kOthersFrame = qRgb(0, 120, 215);

class PanelSelectionTest : public ViewTest<CVireoView>
{
protected:
    const std::vector<CCPObject*>& Selected() { return c.doc.GetSelection().Records(); }
    // Presses, moves and holds: what the view shows in the middle of a drag.
    void Hold(QPoint from, QPoint to, Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        Mouse(vp(), QEvent::MouseButtonPress, from, keys);
        Mouse(vp(), QEvent::MouseMove, to, keys);
    }
};

} // namespace

TEST_F(PanelSelectionTest, CtrlClickAddsAndRemovesAndEscapeLetsAllGo)
{
    Show(100, c.Light(101));
    Click(vp(), QPoint(12, 12), Qt::ControlModifier);
    EXPECT_EQ(Selected().size(), 2u);
    EXPECT_EQ(c.doc.m_pCurrentObject, c.View(1)) << "the record added is the key";
    // The key has the tracker, the other selected record a plain frame of its own colour.
    EXPECT_EQ(At(20, 39), kOthersFrame);
    EXPECT_EQ(Pane(ID_INDICATOR_ID), "2 selected: 10, 10, 30 x 30");

    Click(vp(), QPoint(12, 12), Qt::ControlModifier);
    EXPECT_EQ(Selected(), std::vector<CCPObject*>{c.Light(101)});
    EXPECT_EQ(c.doc.m_pCurrentObject, c.Light(101));

    Key(vp(), Qt::Key_Escape);
    EXPECT_TRUE(Selected().empty());
    EXPECT_EQ(c.doc.m_pCurrentObject, nullptr);
    EXPECT_FALSE(c.doc.IsModified()) << "selecting is no edit";
}

TEST_F(PanelSelectionTest, ARubberBandSelectsWhatLiesWhollyInsideAndCtrlAdds)
{
    Show(100);
    // Pressed on the panel's background, not on a record: the drag draws a band.
    Drag(vp(), QPoint(5, 5), QPoint(35, 35));
    EXPECT_EQ(Selected(), std::vector<CCPObject*>{c.View(1)}) << "the light reaches past 35";
    Drag(vp(), QPoint(45, 45), QPoint(15, 15), Qt::ControlModifier);
    EXPECT_EQ(Selected().size(), 2u) << "Ctrl adds, whichever way the band is drawn";
    EXPECT_TRUE(c.doc.IsSelected(c.Light(101)));

    Drag(vp(), QPoint(200, 200), QPoint(250, 250));
    EXPECT_TRUE(Selected().empty()) << "an empty band lets the selection go";

    view->OnCommand(ID_EDIT_SELECT_ALL);
    EXPECT_EQ(Selected().size(), 3u);
    EXPECT_TRUE(Enabled(ID_EDIT_SELECT_ALL));
}

TEST_F(PanelSelectionTest, DraggingAnySelectedRecordMovesThemAllAsOneStep)
{
    Show(100);
    c.doc.Select({c.View(1), c.Light(101)}, c.Light(101));
    Drag(vp(), QPoint(12, 12), QPoint(22, 17));
    EXPECT_EQ(Dest(c.View(1)), CRect(20, 15, 40, 35));
    EXPECT_EQ(Dest(c.Light(101)), CRect(30, 25, 50, 45));
    EXPECT_EQ(c.doc.UndoName(), "Move 2 records");
    EXPECT_EQ(Selected().size(), 2u) << "the selection stays";

    // Keyboard nudges move the whole selection too.
    view->OnCommand(ID_NUDGE_LEFT);
    EXPECT_EQ(Dest(c.View(1)).left, 19);
    EXPECT_EQ(Dest(c.Light(101)).left, 29);

    // A plain click on one selected record selects just that one.
    Click(vp(), QPoint(22, 17));
    EXPECT_EQ(Selected(), std::vector<CCPObject*>{c.View(1)});
}

TEST_F(PanelSelectionTest, AMoveSnapsToOtherRecordsWithAGuideUnlessAltIsHeld)
{
    view->m_bSnapObjects = true;
    Show(100, c.Light(101));
    // Moved 12 to the right the light's left edge (32) is 2 from the button view's right (30).
    Hold(QPoint(30, 30), QPoint(42, 30));
    int x = 0;
    ASSERT_TRUE(view->GuideX(x));
    EXPECT_EQ(x, 30);
    const QRgb guide = qRgb(255, 0, 255);
    EXPECT_EQ(At(30, 120), guide) << "the guide runs the height of the screen";
    Mouse(vp(), QEvent::MouseButtonRelease, QPoint(42, 30));
    EXPECT_EQ(Dest(c.Light(101)), CRect(30, 20, 50, 40));
    EXPECT_FALSE(view->GuideX(x)) << "no guide once the drag is over";

    c.doc.Undo();
    Drag(vp(), QPoint(30, 30), QPoint(42, 30), Qt::AltModifier);
    EXPECT_EQ(Dest(c.Light(101)), CRect(32, 20, 52, 40)) << "Alt suspends snapping";
    c.doc.Undo();

    // A resize snaps the edge its handle moves: the right edge, dragged to 31, meets the
    // button view's right at 30.
    Drag(vp(), QPoint(42, 30), QPoint(33, 30), Qt::ShiftModifier);
    EXPECT_EQ(Dest(c.Light(101)), CRect(20, 20, 30, 40));
}

TEST_F(PanelSelectionTest, WithTheGridAMoveLandsOnItsLines)
{
    view->m_bSnapGrid = true;
    Show(100, c.Light(101));
    Drag(vp(), QPoint(30, 30), QPoint(43, 33));
    EXPECT_EQ(Dest(c.Light(101)), CRect(32, 24, 52, 44)) << "33 and 23 go to 32 and 24";
    c.doc.Undo();
    // Keyboard nudges never snap.
    view->OnCommand(ID_NUDGE_RIGHT);
    EXPECT_EQ(Dest(c.Light(101)), CRect(21, 20, 41, 40));
}
