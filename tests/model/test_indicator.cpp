#include "ccpindicator.h"
#include "recordtest.h"

#include <gtest/gtest.h>

using namespace recordtest;

TEST(Indicator, NewRecordHasNoTapes)
{
    CFixture f;
    CCPIndicator fresh(&f.manager);
    fresh.m_nId = 9;
    EXPECT_EQ(Written(fresh),
              "\n#9 INDICATOR\n\tcyclebits = 0xffff;\n\tminval = 0;\n\tmaxval = 10;\n"
              "\tnumtapes = 0;\n\tcallbackslot = -1;\n\tpersistant = 0;\n"
              "\torientation = vertical;\n#end\n");
    fresh.NextState();
    EXPECT_EQ(fresh.m_nCurrentTape, 0);
    // No tape, no rectangle: the operations leave the lists alone.
    const CRect rc(1, 2, 3, 4);
    fresh.SetDestRect(&rc);
    fresh.SetSrcRect(&rc);
    CRect out;
    EXPECT_FALSE(fresh.GetDestRect(&out) || fresh.GetSrcRect(&out));
    EXPECT_TRUE(fresh.m_arcDest.empty() && fresh.m_arcSrc.empty());
}

TEST(Indicator, TapesSurviveAReadAndWriteInOrder)
{
    CFixture f;
    const std::string full =
        "\n#40 INDICATOR\n\tcyclebits = 0x3;\n\tminval = -5.5;\n\tmaxval = 100;\n"
        "\tnumtapes = 2;\n\tcallbackslot = 8;\n\tpersistant = 1;\n\tcalibrationval = 25;\n"
        "\tminpos = 0;\n\tmaxpos = 100;\n\tsrcloc = 0 0 200 20;\n\tdestloc = 10 10 60 30;\n"
        "\tminpos = 5;\n\tmaxpos = 50;\n\tsrcloc = 0 20 200 40;\n\tdestloc = 10 40 60 60;\n"
        "\torientation = horizontal;\n#end\n";
    auto ind = f.Read<CCPIndicator>(Body(full), 40);
    EXPECT_TRUE(f.ui.m_aBoxes.empty());
    EXPECT_EQ(Written(*ind), full);

    // Next State steps through the tapes; the rectangle operations act on the current one.
    ind->NextState();
    CRect rc;
    ASSERT_TRUE(ind->GetSrcRect(&rc));
    EXPECT_EQ(rc, CRect(20, 0, 40, 200));
    const CRect moved(45, 15, 65, 65);
    ind->SetDestRect(&moved);
    EXPECT_EQ(ind->m_arcDest[1], moved);
    EXPECT_EQ(ind->m_arcSrc[1], CRect(20, 0, 40, 200)); // the source does not follow
    ind->NextState();
    EXPECT_EQ(ind->m_nCurrentTape, 0);

    // The count on file is not trusted; calibration 0 is left out.
    auto counted = f.Read<CCPIndicator>("numtapes = 5;\nsrcloc = 1 1 2 2;\nsrcloc = 3 3 4 4;\n");
    EXPECT_EQ(counted->GetTapeCount(), 2);
    EXPECT_EQ(Written(*counted).find("calibrationval"), std::string::npos);
}

TEST(Indicator, AllZeroRectanglesKeepTheirTape)
{
    CFixture f;
    auto ind = f.Read<CCPIndicator>("srcloc = 0 0 0 0;\ndestloc = 0 0 0 0;\nsrcloc = 5 5 9 9;\n");
    const std::string text = Written(*ind);
    EXPECT_NE(text.find("\tsrcloc = 0 0 0 0;\n\tdestloc = 0 0 0 0;\n\tsrcloc = 5 5 9 9;\n"),
              std::string::npos);
    EXPECT_EQ(RoundTrip(f, *ind), text);
}

#ifdef VIREO_TEST_QT // painted through Qt
TEST(Indicator, ListsOfDifferentLengthsAreNeverReadPastTheirEnd)
{
    CFixture f;
    f.manager.m_bmpTemplate = PositionPicture(64, 64);
    CCPIndicator ind(&f.manager);
    ind.m_anMinPos = {7};
    ind.m_arcSrc = {CRect(0, 0, 4, 4), CRect(10, 0, 14, 4)};
    ind.m_arcDest = {CRect(0, 0, 4, 4), CRect(10, 0, 14, 4), CRect(20, 0, 24, 4)};
    const std::string text = Written(ind);
    EXPECT_NE(text.find("\tnumtapes = 2;\n\tcallbackslot = -1;\n\tpersistant = 0;\n"
                        "\tminpos = 7;\n\tsrcloc = 0 0 4 4;\n\tdestloc = 0 0 4 4;\n"
                        "\tsrcloc = 0 10 4 14;\n\tdestloc = 0 10 4 14;\n"
                        "\tdestloc = 0 20 4 24;\n\torientation"),
              std::string::npos)
        << text;
    EXPECT_EQ(RoundTrip(f, ind), text);

    // The third place has no source: nothing is drawn there.
    const QImage img = Paint(32, 8, [&](Canvas& dc) { ind.Draw(dc, 1.0f); });
    EXPECT_EQ(At(img, 11, 1), TemplateRgb(11, 1));
    EXPECT_EQ(At(img, 21, 1), kBackground);
    ind.m_nCurrentTape = 2;
    CRect rc;
    EXPECT_FALSE(ind.GetSrcRect(&rc));
}
#endif

TEST(Indicator, BadLinesAreReported)
{
    CFixture f;
    auto ind = f.Read<CCPIndicator>("orientation = sideways;\norientation;\ntapes = 2;\n");
    EXPECT_EQ(ind->m_nOrientation, 1);
    EXPECT_EQ(f.ui.Texts(), (std::vector<std::string>{
                                "Error in file at line 2,  Indicator Bad orientation 'sideways'",
                                "Error in file at line 3,  Indicator Bad orientation ''",
                                "Error in file at line 4,  Indicator Bad string 'tapes'"}));
    EXPECT_EQ(f.Read<CCPIndicator>("ORIENTATION = Horizontal;\n")->m_nOrientation, 0);
}

#ifdef VIREO_TEST_QT // painted through Qt
TEST(Indicator, EveryTapeShowsTheMiddleOfItsStrip)
{
    CFixture f;
    f.manager.m_bmpTemplate = PositionPicture(64, 64);
    f.manager.m_bmpTemplate.SetPixel(2, 16, 0xff0000ffu);
    CCPIndicator ind(&f.manager);
    ind.m_arcSrc = {CRect(0, 0, 10, 40), CRect(20, 0, 30, 10)};
    ind.m_arcDest = {CRect(0, 0, 10, 10), CRect(20, 20, 30, 30)};
    ind.m_nCurrentTape = 1;

    QImage img = Paint(64, 64, [&](Canvas& dc) { ind.Draw(dc, 2.0f); });
    EXPECT_EQ(At(img, 0, 0), TemplateRgb(0, 15));
    EXPECT_EQ(At(img, 19, 19), TemplateRgb(9, 24));
    EXPECT_EQ(At(img, 4, 2), 0x0000ffu); // copied opaque
    EXPECT_EQ(At(img, 59, 59), TemplateRgb(29, 9));
    EXPECT_EQ(At(img, 30, 30), kBackground);

    img = Paint(64, 64, [&](Canvas& dc) { ind.DrawSelected(dc, 2.0f); });
    EXPECT_EQ(At(img, 59, 59), 0xff0000u);
    EXPECT_EQ(Count(img, 0xff0000u), 2 * (4 * 19));
}
#endif
