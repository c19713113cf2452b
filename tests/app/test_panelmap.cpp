#include "cdialogrunner.h"
#include "cpanelmapdock.h"
#include "cpanelmapview.h"
#include "mainframefixture.h"

#include <QMenuBar>
#include <QMessageBox>
#include <QTest>

namespace {
// Answers the question about the link back, and keeps what it asked.
class CLinkBackAnswer : public CDialogRunner
{
public:
    explicit CLinkBackAnswer(bool yes) : m_bYes(yes), m_pPrevious(Install(this)) {}
    ~CLinkBackAnswer() override { Install(m_pPrevious); }
    int Run(QDialog& dlg) override
    {
        if (auto* box = qobject_cast<QMessageBox*>(&dlg))
            m_asked << box->text();
        return m_bYes ? IDOK : IDCANCEL;
    }
    QStringList m_asked;

private:
    bool m_bYes;
    CDialogRunner* m_pPrevious;
};

class PanelMapTest : public MainFrameTest
{
protected:
    // tests/data/map_three_panels.dat on an 800 x 600 screen: panels 100, 200 and 300, not
    // linked; the map shown.
    void StartOnThree()
    {
        StartOn("map_three_panels.dat", "8_three.dat");
        QAction* toggle = frame()->GetPanelMap()->toggleViewAction();
        ASSERT_FALSE(toggle->isChecked());
        toggle->trigger();
        ASSERT_TRUE(frame()->GetPanelMap()->isVisible());
        frame()->GetPanelMap()->resize(700, 500);
        QApplication::processEvents();
    }
    CPanelMapView* map() { return frame()->GetPanelMap()->GetView(); }
    CCPPanel* Panel(int id) { return doc().m_manager.FindPanel(id); }
    // Where panel index i's picture is shown, moved by offset (as a share of its size).
    QPoint At(size_t i, double fx = 0.5, double fy = 0.5)
    {
        const QRectF r = map()->Geometry().PanelRect(i);
        return map()
            ->ToViewport(QPointF(r.left() + r.width() * fx, r.top() + r.height() * fy))
            .toPoint();
    }
    int IndexOf(int id)
    {
        const auto& panels = map()->Geometry().Map().panels;
        for (size_t i = 0; i < panels.size(); ++i)
            if (panels[i].id == id)
                return int(i);
        return -1;
    }
};
} // namespace

TEST_F(PanelMapTest, ShowsEveryPanelAndTheCurrentOneAndShowsAClickedOne)
{
    StartOnThree();
    bool listed = false;
    for (QAction* menu : frame()->menuBar()->actions())
        if (menu->text() == QStringLiteral("&View"))
            for (QAction* item : menu->menu()->actions())
                listed |= item->text() == QStringLiteral("Panel &Map");
    EXPECT_TRUE(listed);

    ASSERT_EQ(map()->Geometry().Map().panels.size(), 3u);
    EXPECT_TRUE(WaitFor([this] { return !map()->PicturesPending(); }));
    EXPECT_EQ(map()->PicturesReady(), 3);

    const size_t before = doc().GetHistory().Count();
    QTest::mouseClick(map()->viewport(), Qt::LeftButton, Qt::NoModifier, At(1));
    EXPECT_EQ(doc().m_pCurrentPanel, Panel(200));
    EXPECT_EQ(map()->CurrentIndex(), 1);
    EXPECT_EQ(doc().GetHistory().Count(), before);
    EXPECT_FALSE(doc().IsModified());

    // Shown elsewhere: the frame follows.
    doc().SetCurrentPanel(Panel(300));
    EXPECT_EQ(map()->CurrentIndex(), 2);
    doc().SetCurrentPanel(nullptr);
    EXPECT_EQ(map()->CurrentIndex(), -1);
}

TEST_F(PanelMapTest, DragFromASideLinksThatWayAndAsksAboutTheLinkBack)
{
    StartOnThree();
    const std::string before = doc().Store();
    {
        CLinkBackAnswer yes(true);
        // From the east edge of 100 onto 200.
        QTest::mousePress(map()->viewport(), Qt::LeftButton, Qt::NoModifier, At(0, 0.98, 0.5));
        QTest::mouseMove(map()->viewport(), At(1));
        QTest::mouseRelease(map()->viewport(), Qt::LeftButton, Qt::NoModifier, At(1));
        EXPECT_EQ(yes.m_asked,
                  QStringList{QStringLiteral("Also link panel 200 west to panel 100?")});
    }
    EXPECT_EQ(Panel(100)->m_anAdjPanels[kEast], 200);
    EXPECT_EQ(Panel(200)->m_anAdjPanels[kWest], 100);
    EXPECT_TRUE(map()->Geometry().Map().Problems().empty());
    // 200 now lies east of 100 on the map.
    const auto& cells = map()->Geometry().Map().cells;
    EXPECT_EQ(cells[size_t(IndexOf(200))].col, cells[size_t(IndexOf(100))].col + 1);
    EXPECT_EQ(cells[size_t(IndexOf(200))].row, cells[size_t(IndexOf(100))].row);

    ASSERT_TRUE(doc().Undo());
    EXPECT_EQ(doc().Store(), before);

    {
        // No to the link back: one way, drawn red with its reason.
        CLinkBackAnswer no(false);
        QTest::mousePress(map()->viewport(), Qt::LeftButton, Qt::NoModifier, At(2, 0.02, 0.02));
        QTest::mouseMove(map()->viewport(), At(0));
        QTest::mouseRelease(map()->viewport(), Qt::LeftButton, Qt::NoModifier, At(0));
        EXPECT_EQ(no.m_asked.size(), 1);
    }
    EXPECT_EQ(Panel(300)->m_anAdjPanels[kNorthWest], 100);
    EXPECT_EQ(Panel(100)->m_anAdjPanels[kSouthEast], -1);
    const PanelMapLayout& laid = map()->Geometry().Map();
    ASSERT_EQ(laid.links.size(), 1u);
    const QLineF red = map()->Geometry().LinkLine(laid.links[0]);
    EXPECT_EQ(map()->ToolTipAt(red.pointAt(0.5)),
              QStringLiteral(
                  "Panel 300 links north-west to panel 100, which does not link back south-east."));
    // A press in the middle of a picture and a release elsewhere links nothing.
    const size_t steps = doc().GetHistory().Count();
    QTest::mousePress(map()->viewport(), Qt::LeftButton, Qt::NoModifier, At(1));
    QTest::mouseRelease(map()->viewport(), Qt::LeftButton, Qt::NoModifier, At(0));
    EXPECT_EQ(doc().GetHistory().Count(), steps);
}

TEST_F(PanelMapTest, CtrlWheelZoomsAndAnEditPaintsThePicturesAgain)
{
    StartOnThree();
    ASSERT_TRUE(WaitFor([this] { return !map()->PicturesPending(); }));
    // Larger than the pane, so that the map can scroll to keep the point where it is.
    map()->SetZoom(2.0, QPointF());
    const QPoint at = At(0);
    const QPointF under = map()->ToMap(at);
    QWheelEvent wheel(at, map()->viewport()->mapToGlobal(at), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(map()->viewport(), &wheel);
    EXPECT_GT(map()->Zoom(), 2.0);
    // What was under the pointer stays there.
    EXPECT_NEAR(map()->ToMap(at).x(), under.x(), 1.0);
    EXPECT_NEAR(map()->ToMap(at).y(), under.y(), 1.0);

    ASSERT_TRUE(doc().LinkPanels(Panel(100), kSouth, Panel(300), true));
    EXPECT_TRUE(map()->PicturesPending());
    EXPECT_TRUE(WaitFor([this] { return !map()->PicturesPending(); }));
    EXPECT_EQ(map()->PicturesReady(), 3);
}
