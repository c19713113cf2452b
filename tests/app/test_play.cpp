// View > Play and the Inputs dock, as the user reaches them in the window.
#include "mainframefixture.h"

#include "cinputsdock.h"
#include "cplaysession.h"

#include <QDoubleSpinBox>
#include <QSlider>

namespace {

class PlayFrameTest : public MainFrameTest
{
protected:
    // tests/data/play_cockpit.dat: Front (100) with the Gear Front view of the Gear Handle
    // button at 100,100 and the instruments, Overhead (200) north of it with the other view of
    // the button.
    void StartOnFront()
    {
        StartOn("play_cockpit.dat", "10_play.dat");
        doc().SetCurrentPanel(doc().m_manager.FindPanel(100));
        frame()->resize(1200, 900);
        view()->m_fZoom = 1.0f;
        QApplication::processEvents();
    }
    CVireoView* view() { return frame()->GetPanelView(); }
    CInputsDock* inputs() { return frame()->GetInputsDock(); }
    CCPObject* Object(int id) { return doc().m_manager.FindObject(id); }
    CCPButtonView* View(int id)
    {
        for (const auto& v : doc().m_manager.m_aButtonViews)
            if (v->m_nId == id)
                return v.get();
        return nullptr;
    }
    int Panel() { return doc().m_pCurrentPanel ? doc().m_pCurrentPanel->m_nId : -1; }
    // The viewport point over a point of the panel.
    QPoint Device(CPoint content)
    {
        const CPoint scroll = view()->GetScrollPosition();
        const QPoint at(int(content.x * view()->m_fZoom) - scroll.x,
                        int(content.y * view()->m_fZoom) - scroll.y);
        EXPECT_EQ(view()->ContentPoint(CPoint{at.x(), at.y()}), content);
        return at;
    }
    void Click(CPoint content, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(view()->viewport(), button, Qt::NoModifier, Device(content));
    }
    void Arrows(std::initializer_list<Qt::Key> keys)
    {
        for (Qt::Key k : keys)
            QTest::keyPress(view(), k);
        for (Qt::Key k : keys)
            QTest::keyRelease(view(), k);
    }
    QImage Shot() { return view()->viewport()->grab().toImage(); }
};

} // namespace

TEST_F(PlayFrameTest, F9AndEscapeEnterAndLeavePlayWhichEditsNothing)
{
    StartOnFront();
    doc().SetCurrentObject(Object(101));
    EXPECT_TRUE(frame()->Action(ID_VIEW_PLAY)->isCheckable());
    EXPECT_FALSE(inputs()->isVisible());

    EXPECT_TRUE(PressShortcut(view(), Qt::Key_F9));
    ASSERT_TRUE(frame()->IsPlaying());
    EXPECT_TRUE(frame()->Action(ID_VIEW_PLAY)->isChecked());
    EXPECT_TRUE(inputs()->isVisible()) << "the Inputs come with Play";
    EXPECT_EQ(view()->GetPlaySession() != nullptr, true);
    EXPECT_EQ(doc().m_pCurrentObject, nullptr);
    // Nothing that edits runs under the pilot's view; looking does.
    for (int id : {ID_EDIT_CLEAR, ID_EDIT_PASTE, ID_ADD_OBJECT, ID_NEXT_STATE, ID_EDIT_UNDO,
                   ID_FILE_OPEN, ID_PROPERTIES, ID_ALIGN_LEFT})
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_FALSE(frame()->ExecuteCommand(ID_ADD_PANEL));
    EXPECT_TRUE(Enabled(ID_ZOOM_IN));
    EXPECT_FALSE(frame()->GetTree()->isEnabled()) << "the tree stays in sight, untouchable";

    EXPECT_TRUE(PressShortcut(view(), Qt::Key_F9));
    EXPECT_FALSE(frame()->IsPlaying());
    EXPECT_FALSE(inputs()->isVisible());
    EXPECT_EQ(doc().m_pCurrentObject, Object(101)) << "the current record comes back";
    EXPECT_TRUE(Enabled(ID_EDIT_CLEAR));
    EXPECT_TRUE(frame()->GetTree()->isEnabled());

    ASSERT_TRUE(frame()->ExecuteCommand(ID_VIEW_PLAY));
    ASSERT_TRUE(frame()->IsPlaying());
    EXPECT_TRUE(PressShortcut(view(), Qt::Key_Escape));
    EXPECT_FALSE(frame()->IsPlaying());
    EXPECT_FALSE(doc().IsModified());
    EXPECT_FALSE(doc().CanUndo());
}

TEST_F(PlayFrameTest, ClicksStepButtonsAndArrowKeysWalkThePanels)
{
    StartOnFront();
    ASSERT_TRUE(frame()->ExecuteCommand(ID_VIEW_PLAY));
    ASSERT_EQ(View(1)->m_nCurrentState, 1);

    Click(CPoint{110, 110});
    EXPECT_EQ(View(1)->m_nCurrentState, 2);
    EXPECT_EQ(View(2)->m_nCurrentState, 2) << "the view on Overhead follows";
    ASSERT_FALSE(ui.m_aStatus.empty());
    EXPECT_NE(ui.m_aStatus.back().find("Gear Handle"), std::string::npos);
    Click(CPoint{110, 110}, Qt::RightButton);
    EXPECT_EQ(View(1)->m_nCurrentState, 1);
    Click(CPoint{150, 150});
    EXPECT_EQ(View(1)->m_nCurrentState, 1) << "a click beside it does nothing";

    Arrows({Qt::Key_Up});
    EXPECT_EQ(Panel(), 200);
    Arrows({Qt::Key_Left});
    EXPECT_EQ(Panel(), 200) << "no neighbour to the west";
    EXPECT_EQ(ui.m_aStatus.back(), "No panel to the west");
    Arrows({Qt::Key_Down});
    EXPECT_EQ(Panel(), 100);
    Arrows({Qt::Key_Up, Qt::Key_Right});
    EXPECT_EQ(Panel(), 300) << "two arrows held together: the diagonal";
    Arrows({Qt::Key_Down, Qt::Key_Left});
    EXPECT_EQ(Panel(), 700);
    Arrows({Qt::Key_Up, Qt::Key_Right});
    EXPECT_EQ(Panel(), 100);
    // The mouse border (8 pixels) pans as the simulator does.
    Click(CPoint{1020, 300});
    EXPECT_EQ(Panel(), 400);
    Click(CPoint{3, 300});
    EXPECT_EQ(Panel(), 100);

    EXPECT_TRUE(PressShortcut(view(), Qt::Key_Escape));
    EXPECT_EQ(Panel(), 100);
    EXPECT_EQ(View(1)->m_nCurrentState, 0) << "the state shown before Play comes back";
    EXPECT_FALSE(doc().IsModified());
}

TEST_F(PlayFrameTest, TheInputsDockFeedsTheInstrumentsOfThePanelShown)
{
    StartOnFront();
    ASSERT_TRUE(frame()->ExecuteCommand(ID_VIEW_PLAY));
    ASSERT_EQ(inputs()->RowCount(), 8);
    int airspeed = -1;
    for (int r = 0; r < inputs()->RowCount(); ++r)
        if (inputs()->RowLabel(r)->text().startsWith(QStringLiteral("Slot 84")))
            airspeed = r;
    ASSERT_GE(airspeed, 0);
    EXPECT_TRUE(inputs()->RowLabel(airspeed)->text().contains(QStringLiteral("Standby Airspeed")));
    EXPECT_EQ(inputs()->Field(airspeed)->minimum(), -100.0);
    EXPECT_EQ(inputs()->Field(airspeed)->maximum(), 500.0);

    const QImage before = Shot();
    inputs()->Slider(airspeed)->setValue(inputs()->Slider(airspeed)->maximum());
    EXPECT_EQ(inputs()->Field(airspeed)->value(), 500.0) << "the number follows the slider";
    EXPECT_EQ(doc().GetInstrumentValues().GetSlot(84, InputChannel::Value), 500.0f);
    QApplication::processEvents();
    EXPECT_NE(Shot(), before) << "the needles moved";
    inputs()->Field(airspeed)->setValue(200.0);
    EXPECT_EQ(doc().GetInstrumentValues().GetSlot(84, InputChannel::Value), 200.0f);
    EXPECT_FALSE(doc().IsModified());
    EXPECT_FALSE(doc().CanUndo());

    Arrows({Qt::Key_Up});
    EXPECT_EQ(inputs()->RowCount(), 0) << "Overhead has no instrument";
    Arrows({Qt::Key_Down});
    EXPECT_EQ(inputs()->RowCount(), 8);

    ASSERT_TRUE(frame()->ExecuteCommand(ID_VIEW_PLAY));
    EXPECT_EQ(inputs()->RowCount(), 0);
    EXPECT_FALSE(doc().GetInstrumentValues().GetSlot(84, InputChannel::Value))
        << "the values live only in Play";
}
