#include "ccphsi.h"
#include "recordtest.h"

#include <gtest/gtest.h>

using namespace recordtest;

namespace {

const char* const kDefaultHsi =
    "\n#3 HSI\n\tcyclebits = 0xffff;\n\tcallbackslot = -1;\n\tpersistant = 0;\n"
    "\tdestloc = opaque 0 0 0 0;\n\tdestloc = opaque 0 0 0 0;\n\tdestloc = opaque 0 0 0 0;\n"
    "\tsrcloc = 0 0 10 10;\n#end\n";

const char* const kFullHsi =
    "\n#8 HSI\n\tcyclebits = 0x7;\n\tcallbackslot = 12;\n\tbsurface = 2;\n\tpersistant = 1;\n"
    "\twarnflag = 1 2 3 4;\n\tbsrcloc = 5 6 7 8;\n\tbdestloc = 9 10 11 12;\n"
    "\tdestloc = transparent 0 0 200 200;\n\tdestloc = opaque 10 10 50 50;\n"
    "\tdestloc = transparent 60 60 70 70;\n\tsrcloc = 0 0 200 200;\n\tsrcloc = 0 300 40 340;\n"
    "#end\n";

const Rgb kTo = MakeRgb(255, 108, 30);
const Rgb kCourse = MakeRgb(240, 220, 115);
const Rgb kAircraft = MakeRgb(224, 224, 224);

std::unique_ptr<CCPHsi> HsiOn200(CFixture& f, uint32_t parts)
{
    auto hsi = std::make_unique<CCPHsi>(&f.manager);
    hsi->m_arcDest[0] = CRect(0, 0, 200, 200);
    hsi->m_nDrawParts = parts;
    return hsi;
}

} // namespace

TEST(Hsi, NewAndEmptyRecordsWriteTheDefaults)
{
    CFixture f;
    CCPHsi fresh(&f.manager);
    fresh.m_nId = 3;
    EXPECT_EQ(Written(fresh), kDefaultHsi);

    // A record read from a file has no compass source until a line gives one.
    std::string expected = kDefaultHsi;
    expected.erase(expected.find("\tsrcloc"), std::string("\tsrcloc = 0 0 10 10;\n").size());
    EXPECT_EQ(Written(*f.Read<CCPHsi>("#end\n", 3)), expected);
}

TEST(Hsi, EveryKeySurvivesAReadAndACopy)
{
    CFixture f;
    const std::string full = kFullHsi;
    auto hsi = f.Read<CCPHsi>(Body(full), 8);
    EXPECT_TRUE(f.ui.m_aBoxes.empty());
    EXPECT_EQ(Written(*hsi), full);
    EXPECT_EQ(hsi->m_arcSrc[1], CRect(300, 0, 340, 40));

    // A copy is read into a new record, whose default compass source must not push the
    // copied one into the second place.
    CCPHsi copy(&f.manager);
    CLineReader ar(Body(full), nullptr, &f.ui);
    copy.Load(0, ar, std::string(), &f.manager);
    EXPECT_EQ(Body(Written(copy)), Body(full));
}

TEST(Hsi, LinesFillTheFirstEmptyPlace)
{
    CFixture f;
    auto gap = f.Read<CCPHsi>("destloc = transparent 1 1 5 5;\ndestloc = opaque 0 0 0 0;\n"
                              "destloc = transparent 2 2 6 6;\n"
                              "srcloc = 5 5 5 9;\nsrcloc = 1 2 3 4;\n");
    EXPECT_EQ(gap->m_arcDest[1], CRect(2, 2, 6, 6));
    EXPECT_TRUE(gap->m_abTransparent[1]);
    EXPECT_TRUE(gap->m_arcDest[2].IsRectNull());
    // A first source without an area is filled again by the next line.
    EXPECT_EQ(gap->m_arcSrc[0], CRect(2, 1, 4, 3));
    EXPECT_TRUE(gap->m_arcSrc[1].IsRectNull());
    // A second source alone would come back as the first: neither is written.
    gap->m_arcSrc = {CRect(), CRect(1, 1, 9, 9)};
    EXPECT_EQ(Written(*gap).find("srcloc"), std::string::npos);

    auto four = f.Read<CCPHsi>("destloc = opaque 1 1 5 5;\ndestloc = opaque 2 2 6 6;\n"
                               "destloc = opaque 3 3 7 7;\ndestloc = shiny 4 4 8 8;\nwarn;\n");
    EXPECT_EQ(four->m_arcDest[2], CRect(4, 4, 8, 8));
    EXPECT_FALSE(four->m_abTransparent[2]);
    EXPECT_EQ(f.ui.Texts(), (std::vector<std::string>{
                                "Error in file at line 5,  HSI Bad transparency 'shiny 4 4 8 8'",
                                "Error in file at line 6,  HSI Bad string 'warn'"}));
}

TEST(Hsi, NonPersistentRecordLosesItsSurfaceOnReload)
{
    CFixture f;
    auto hsi = f.Read<CCPHsi>("bsurface = 4;\nbsrcloc = 1 1 5 5;\nbdestloc = 5 5 1 1;\n");
    auto again = f.Read<CCPHsi>(Body(Written(*hsi)));
    EXPECT_EQ(again->m_background.m_nSurface, -1);
    EXPECT_EQ(again->m_background.m_rcSrc, CRect(1, 1, 5, 5));
    EXPECT_EQ(again->m_background.m_rcDest, CRect(5, 5, 1, 1)); // written although without area
}

TEST(Hsi, MovingPartsMapTheUnitFrameInDoublePrecision)
{
    CFixture f;
    auto hsi = HsiOn200(f, CCPHsi::kCourse | CCPHsi::kCircle);
    CRecordingCanvas dc;
    hsi->Draw(dc, 1.0f);
    ASSERT_EQ(dc.m_aPolygons.size(), 6u); // head twice, shaft and tail as two triangles each
    EXPECT_EQ(dc.m_aPolygons[0].points, (std::vector<CPoint>{{150, 94}, {150, 105}, {161, 100}}));
    EXPECT_EQ(dc.m_aPolygons[0].pen, (Pen{Pen::Solid, kCourse, 1}));
    EXPECT_EQ(dc.m_aPolygons[0].brush, (Brush{false, kCourse}));
    ASSERT_EQ(dc.m_aEllipses.size(), 4u);
    EXPECT_EQ(dc.m_aEllipses[0].rc, CRect(97, 49, 103, 55)); // 0.04 lies below its decimal
    EXPECT_EQ(dc.m_aEllipses[1].rc, CRect(97, 144, 103, 150));
    EXPECT_EQ(dc.m_aEllipses[0].brush.color, kAircraft);

    // The from arrow takes whatever is selected; the caller's pen and brush come back.
    for (uint32_t parts : {uint32_t(CCPHsi::kTo | CCPHsi::kFrom), uint32_t(CCPHsi::kFrom)}) {
        CRecordingCanvas arrows;
        const Pen mine{Pen::Dash, 0x123456, 2};
        arrows.SelectPen(mine);
        HsiOn200(f, parts)->Draw(arrows, 1.0f);
        ASSERT_FALSE(arrows.m_aPolygons.empty());
        EXPECT_EQ(arrows.m_aPolygons.back().brush.color, parts & CCPHsi::kTo ? kTo : kAircraft);
        EXPECT_EQ(arrows.m_pen, mine);
        EXPECT_EQ(arrows.m_brush, Brush{});
    }
}

#ifdef VIREO_TEST_QT // painted through Qt
TEST(Hsi, PreviewPaintsEveryPartInItsColour)
{
    CFixture f;
    auto hsi = HsiOn200(f, 0xffffffffu);
    hsi->m_rcWarnFlag = CRect(205, 0, 215, 10);
    const QImage img = Paint(220, 220, [&](Canvas& dc) { hsi->Draw(dc, 1.0f); });
    EXPECT_EQ(At(img, 100, 117), kAircraft); // tail of the aircraft symbol
    EXPECT_EQ(At(img, 108, 125), kTo);
    EXPECT_EQ(At(img, 50, 100), kCourse);
    EXPECT_EQ(At(img, 100, 100), MakeRgb(253, 0, 0));   // deviation warning
    EXPECT_EQ(At(img, 172, 100), MakeRgb(255, 60, 50)); // bearing
    EXPECT_EQ(At(img, 158, 100), MakeRgb(70, 150, 70)); // heading
    EXPECT_EQ(At(img, 210, 5), 0xff0000u);              // course warning flag
    EXPECT_EQ(At(img, 100, 30), kBackground);
}
#endif

#ifdef VIREO_TEST_QT // painted through Qt
TEST(Hsi, TemplatePiecesWithoutMovingParts)
{
    CFixture f;
    f.manager.m_bmpTemplate = PositionPicture(64, 64);
    f.manager.m_bmpTemplate.SetPixel(2, 3, 0xff0000ffu);
    CCPHsi hsi(&f.manager);
    hsi.m_nDrawParts = 0;
    hsi.m_arcDest = {CRect(0, 0, 20, 20), CRect(30, 0, 40, 10), CRect(0, 30, 10, 40)};
    hsi.m_abTransparent = {true, false, false};
    hsi.m_arcSrc = {CRect(0, 0, 20, 20), CRect(40, 40, 50, 50)};
    hsi.m_rcWarnFlag = CRect(50, 50, 60, 60);

    QImage img = Paint(64, 64, [&](Canvas& dc) { hsi.Draw(dc, 1.0f); });
    EXPECT_EQ(At(img, 19, 19), TemplateRgb(19, 19));
    EXPECT_EQ(At(img, 2, 3), kBackground); // the first piece is colour-keyed
    EXPECT_EQ(At(img, 39, 9), TemplateRgb(49, 49));
    EXPECT_EQ(At(img, 5, 35), kBackground); // the third place is not drawn
    EXPECT_EQ(At(img, 55, 55), kBackground);

    img = Paint(128, 128, [&](Canvas& dc) { hsi.DrawSelected(dc, 2.0f); });
    for (CPoint p : {CPoint{39, 39}, CPoint{60, 0}, CPoint{0, 79}, CPoint{119, 119}})
        EXPECT_EQ(At(img, p.x, p.y), 0xff0000u) << p.x << "," << p.y;
}
#endif
