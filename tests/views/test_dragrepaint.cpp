#include "test_viewfixture.h"

#include "cvireoview.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPixmap>
#include <QRegion>
#include <QScreen>

using namespace viewtest;

namespace {

// The areas the viewport was asked to paint since the last look.
class CPaintedAreas : public QObject
{
public:
    QRegion region;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            region += static_cast<QPaintEvent*>(e)->region();
        return false;
    }
};

class DragRepaintTest : public ViewTest<CVireoView>
{
protected:
    CPaintedAreas painted;

    void SetUp() override
    {
        ViewTest::SetUp();
        view->m_bSnapObjects = true;
        vp()->installEventFilter(&painted);
    }
    // A pointer move of the drag, and the paint the event loop makes of it.
    void MoveTo(QPoint p)
    {
        painted.region = QRegion();
        Mouse(vp(), QEvent::MouseMove, p);
        QApplication::processEvents();
    }
    // What the window shows now, against the whole view painted afresh.
    void ExpectShownAsPaintedWhole(const char* what)
    {
        const QPoint at = vp()->mapTo(view.get(), QPoint(0, 0));
        const QImage shown = view->screen()
                                 ->grabWindow(view->winId())
                                 .toImage()
                                 .copy(QRect(at, vp()->size()))
                                 .convertToFormat(QImage::Format_RGB32);
        EXPECT_TRUE(shown == Shot().convertToFormat(QImage::Format_RGB32)) << what;
    }
    // The move painted a small part of the view, not all of it.
    void ExpectSmallPaint(const char* what)
    {
        int area = 0;
        for (const QRect& r : painted.region)
            area += r.width() * r.height();
        EXPECT_GT(area, 0) << what;
        EXPECT_LT(area, vp()->width() * vp()->height() / 4) << what;
    }
};

} // namespace

// Each move of a drag repaints what its marks covered before and after it: the window never
// keeps a trace of a tracker, a frame, a band or a guide that has moved on.
TEST_F(DragRepaintTest, AMoveRepaintsOnlyWhatChangedAndLeavesNoTrace)
{
    Show(100, c.Light(101));
    QApplication::processEvents();

    // The tracker of the light: a move that snaps (a guide over the whole screen height), then
    // moves without a guide.
    Mouse(vp(), QEvent::MouseButtonPress, QPoint(30, 30));
    MoveTo(QPoint(42, 30));
    int x = 0;
    ASSERT_TRUE(view->GuideX(x));
    ExpectShownAsPaintedWhole("snapped");
    for (QPoint p : {QPoint(47, 36), QPoint(48, 36), QPoint(60, 50), QPoint(59, 50)}) {
        MoveTo(p);
        ExpectSmallPaint("tracker");
        ExpectShownAsPaintedWhole("tracker");
    }
    EXPECT_FALSE(view->GuideX(x));
    Mouse(vp(), QEvent::MouseButtonRelease, QPoint(59, 50));
    QApplication::processEvents();
    ExpectShownAsPaintedWhole("dropped");
    c.doc.Undo();
    QApplication::processEvents();

    // Two selected records dragged together: both frames move.
    c.doc.Select({c.View(1), c.Light(101)}, c.Light(101));
    QApplication::processEvents();
    Mouse(vp(), QEvent::MouseButtonPress, QPoint(12, 12));
    for (QPoint p : {QPoint(30, 40), QPoint(31, 40), QPoint(70, 20)}) {
        MoveTo(p);
        ExpectSmallPaint("group");
        ExpectShownAsPaintedWhole("group");
    }
    Mouse(vp(), QEvent::MouseButtonRelease, QPoint(70, 20));
    QApplication::processEvents();
    ExpectShownAsPaintedWhole("group dropped");

    // A rubber band growing and shrinking on the panel's background.
    Mouse(vp(), QEvent::MouseButtonPress, QPoint(200, 200));
    for (QPoint p : {QPoint(230, 240), QPoint(260, 250), QPoint(215, 210)}) {
        MoveTo(p);
        ExpectSmallPaint("band");
        ExpectShownAsPaintedWhole("band");
    }
    Mouse(vp(), QEvent::MouseButtonRelease, QPoint(215, 210));
}
