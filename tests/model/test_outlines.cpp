// View > Outlines and View > Light Everything as the model paints them.
#include "recordtest.h"

#include "ccpbuttonview.h"
#include "ccplight.h"
#include "ccppanel.h"
#include "outlinepaint.h"
#include "readcockpit.h"
#include "testdata.h"

#include <QImage>

using namespace recordtest;

namespace {

const uint32_t kArea = 0xff2828; // the panel's own areas

// tests/data/outline_panel.dat on a 1024 x 768 screen, painted with its outlines over the
// background colour.
class OutlinesTest : public ::testing::Test
{
protected:
    CReadCockpit c{TestData("outline_panel.dat")};
    CCPPanel& panel = *c.manager.FindPanel(100);
    CCPObject& light = *c.manager.FindObject(101);
    CCPObject& adi = *c.manager.FindObject(102);
    CCPObject& digits = *c.manager.FindObject(103);

    QImage Outlined(int layers = kAllLayers)
    {
        return Paint(1024, 768,
                     [&](Canvas& dc) { PaintOutlines(c.manager, panel, dc, 1.0f, layers); });
    }
    // How many pixels of the colour lie in the rectangle.
    static int CountIn(const QImage& img, const CRect& rc, uint32_t rgb)
    {
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                n += At(img, x, y) == rgb;
        return n;
    }
};

} // namespace

TEST_F(OutlinesTest, ARecordsOutlinesAreItsPlaceThenWhatElseItKeepsOnThePanel)
{
    const std::vector<COutline> lamp = RecordOutlines(light);
    ASSERT_EQ(lamp.size(), 1u);
    EXPECT_EQ(lamp[0].rc, CRect(500, 200, 620, 240));
    EXPECT_EQ(lamp[0].label, "Master Caution");
    EXPECT_FALSE(lamp[0].secondary);

    const std::vector<COutline> ball = RecordOutlines(adi);
    ASSERT_EQ(ball.size(), 2u);
    EXPECT_EQ(ball[0].label, "Adi 102") << "a record without a name: its type and id";
    EXPECT_EQ(ball[1].rc, CRect(410, 410, 490, 490));
    EXPECT_EQ(ball[1].label, "ILS limits");
    EXPECT_TRUE(ball[1].secondary);

    const std::vector<COutline> places = RecordOutlines(digits);
    ASSERT_EQ(places.size(), 2u);
    EXPECT_EQ(places[1].rc, CRect(712, 600, 724, 620));
    EXPECT_EQ(places[1].label, "place 2");

    EXPECT_TRUE(RecordOutlines(*c.manager.FindObject(104)).empty()) << "a chevron has no place";

    std::vector<std::string> areas;
    for (const COutline& o : PanelAreaOutlines(panel)) {
        EXPECT_TRUE(o.secondary);
        areas.push_back(o.label);
    }
    EXPECT_EQ(areas, (std::vector<std::string>{"HUD", "MFD left", "mouse bounds"}))
        << "only the areas that are set";
    EXPECT_NE(OutlineColour(light), OutlineColour(adi)) << "coloured by type";
}

TEST_F(OutlinesTest, EveryRecordIsFramedAndNamedAlsoWhenItDrawsNothing)
{
    const QImage img = Outlined();
    // The light is in state 0: nothing of it is painted but its outline.
    const uint32_t lamp = OutlineColour(light);
    EXPECT_EQ(At(img, 500, 230), lamp);
    EXPECT_EQ(At(img, 619, 230), lamp);
    EXPECT_EQ(At(img, 560, 239), lamp);
    // Its name inside the top-left corner, on a dark ground.
    const CRect label(501, 201, 619, 213);
    const int ground = CountIn(img, label, 0x101010);
    EXPECT_GT(ground, 100);
    EXPECT_GT(label.Width() * label.Height() - ground - CountIn(img, label, kBackground), 40)
        << "the letters";
    // A frame too narrow for its label keeps only the frame.
    EXPECT_EQ(At(img, 700, 610), OutlineColour(digits));
    EXPECT_EQ(CountIn(img, CRect(701, 601, 711, 619), OutlineColour(digits)), 0);
    EXPECT_EQ(CountIn(img, CRect(701, 601, 711, 619), 0x101010), 0);

    // Secondary rectangles and the panel's areas are dashed: part of each edge, not all of it.
    const int ils = CountIn(img, CRect(430, 489, 490, 490), OutlineColour(adi));
    EXPECT_GT(ils, 15);
    EXPECT_LT(ils, 55);
    const int hud = CountIn(img, CRect(120, 109, 300, 110), kArea);
    EXPECT_GT(hud, 40);
    EXPECT_LT(hud, 170);
    // The first OSB point of the left MFD lies at its top-left corner, the third in its middle.
    EXPECT_GT(CountIn(img, CRect(15, 395, 26, 406), kArea), 6);
    EXPECT_GT(CountIn(img, CRect(115, 495, 126, 506), kArea), 6);

    // With the button views hidden, theirs is not drawn either.
    EXPECT_EQ(At(img, 300, 320), OutlineColour(*c.manager.FindButtonView(1)));
    EXPECT_NE(At(Outlined(kObjectLayer), 300, 320), OutlineColour(*c.manager.FindButtonView(1)));
    EXPECT_EQ(static_cast<CCPLight&>(light).m_nCurrentState, 0) << "looking changes nothing";
}

TEST_F(OutlinesTest, LightEverythingDrawsLightsAndButtonViewsInTheirLastState)
{
    c.manager.m_bmpTemplate = PositionPicture(64, 64);
    // The light's last state is the template's 16,16 - 32,32, stretched over its place.
    const QImage img = Paint(1024, 768, [&](Canvas& dc) {
        EXPECT_TRUE(DrawLastState(light, dc, 1.0f));
        EXPECT_TRUE(DrawLastState(*c.manager.FindButtonView(1), dc, 1.0f));
        EXPECT_FALSE(DrawLastState(adi, dc, 1.0f)) << "only lights and button views";
    });
    EXPECT_EQ(At(img, 500, 200), TemplateRgb(16, 16));
    EXPECT_EQ(At(img, 619, 239), TemplateRgb(31, 31));
    EXPECT_EQ(At(img, 300, 300), TemplateRgb(16, 0)) << "the button view's second state";
    EXPECT_EQ(static_cast<CCPLight&>(light).m_nCurrentState, 0);

    // A light without states has nothing to show.
    static_cast<CCPLight&>(light).m_arcSrc.clear();
    const QImage none = Paint(8, 8, [&](Canvas& dc) { EXPECT_FALSE(DrawLastState(light, dc, 1)); });
    EXPECT_EQ(Count(none, kBackground), 64);
}
