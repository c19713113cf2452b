// The panel view at the edges of a user's habits: a right-click acts on what is under the
// pointer, and a drag keeps to the bounds a nudge keeps to.

#include "test_viewfixture.h"

#include "cscrollview.h"
#include "cvireoview.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QTimer>

using namespace viewtest;

namespace {

class PanelViewEdgeTest : public ViewTest<CVireoView>
{
protected:
    QMenu menu;
    int shown = 0;

    // A right-click at p as the window system sends it; the menu closes as soon as it shows.
    void RightClick(QPoint p)
    {
        view->SetContextMenu(&menu);
        QTimer::singleShot(0, &menu, [this] {
            ++shown;
            menu.close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, p, vp()->mapToGlobal(p));
        QApplication::sendEvent(vp(), &event);
    }
};

TEST_F(PanelViewEdgeTest, ARightClickPicksTheRecordUnderThePointerFirst)
{
    menu.addAction(QStringLiteral("Properties"));
    CRect inView(200, 150, 220, 170);
    c.Light(102)->SetDestRect(&inView);
    Show(100, c.Light(102));
    // Button view 1 alone lies under 15,15: the menu then acts on it, not on light 102.
    RightClick(QPoint(15, 15));
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(c.doc.m_pCurrentObject, c.View(1));

    // On the current record's frame the current record stays, although button view 1 lies
    // under the point too and would be picked first.
    c.doc.SetCurrentObject(c.Light(101));
    RightClick(QPoint(25, 25));
    EXPECT_EQ(c.doc.m_pCurrentObject, c.Light(101));

    // On nothing, the current record stays (as a left click on nothing keeps it).
    RightClick(QPoint(300, 100));
    EXPECT_EQ(c.doc.m_pCurrentObject, c.Light(101));
    EXPECT_EQ(shown, 3);
    EXPECT_FALSE(c.doc.IsModified());
}

TEST_F(PanelViewEdgeTest, ADragStopsAtTheScreenEdgeWhereANudgeWould)
{
    CCPLight* light = c.Light(102);
    CRect rc(300, 180, 340, 200);
    light->SetDestRect(&rc);
    c.doc.m_manager.m_nScreenWidth = 380;
    c.doc.m_manager.m_nScreenHeight = 210;
    view->UpdateScrollSizes();
    Show(100, light);

    // Down by 40 and right by 20: the bottom stops at 210, the right edge moves on freely.
    Drag(vp(), QPoint(320, 190), QPoint(340, 230));
    EXPECT_EQ(Dest(light), CRect(320, 190, 360, 210));
    // Where it lies, Ctrl+Down does nothing, as before; Ctrl+Up still moves it.
    view->OnCommand(ID_NUDGE_DOWN);
    EXPECT_EQ(Dest(light).bottom, 210);
    view->OnCommand(ID_NUDGE_UP);
    EXPECT_EQ(Dest(light).bottom, 209);
    c.doc.Undo();
    c.doc.Undo();
    EXPECT_EQ(Dest(light), rc);
}

TEST(DragWithin, MovesKeepTheirSizeAndEdgesAlreadyOutsideStayWhereTheyWere)
{
    const int w = 100, h = 80;
    // A move past the right and bottom edges stops at them; past the left and top at 0.
    EXPECT_EQ(DragWithin(CRect(10, 10, 30, 30), CRect(90, 70, 110, 90), w, h),
              CRect(80, 60, 100, 80));
    EXPECT_EQ(DragWithin(CRect(10, 10, 30, 30), CRect(-5, -9, 15, 11), w, h), CRect(0, 0, 20, 20));
    // A record that already lies partly below the screen may move up, or sideways without
    // being pulled in, but not further down.
    EXPECT_EQ(DragWithin(CRect(10, 70, 30, 90), CRect(20, 75, 40, 95), w, h),
              CRect(20, 70, 40, 90));
    EXPECT_EQ(DragWithin(CRect(10, 70, 30, 90), CRect(10, 50, 30, 70), w, h),
              CRect(10, 50, 30, 70));
    // A resize clips only the edges it moved.
    EXPECT_EQ(DragWithin(CRect(10, 10, 30, 30), CRect(10, 10, 130, 50), w, h),
              CRect(10, 10, 100, 50));
    EXPECT_EQ(DragWithin(CRect(-10, 10, 30, 30), CRect(-10, 10, 30, 95), w, h),
              CRect(-10, 10, 30, 80));
    // Without a picture there is no bound.
    EXPECT_EQ(DragWithin(CRect(10, 10, 30, 30), CRect(10, 10, 500, 30), 0, 0),
              CRect(10, 10, 500, 30));
}

} // namespace
