#include "ccpdigits.h"
#include "readcockpit.h"
#include "recordtest.h"
#include "recordtypes.h"

#include <gtest/gtest.h>

namespace {

#ifdef VIREO_TEST_QT
using recordtest::At;
#endif
using recordtest::Written;

std::string TenSources()
{
    std::string s;
    for (int i = 0; i < 10; ++i)
        s += "\tsrcloc = 0 " + std::to_string(2 * i) + " 2 " + std::to_string(2 * i + 2) + ";\n";
    return s;
}

using recordtest::CheckTexts;

#ifdef VIREO_TEST_QT
// Digit d of the template is the 2 x 2 block at x = 2d in its own colour, with a pure blue
// top-left pixel in digit 5.
Rgb DigitColour(int d)
{
    return MakeRgb(20 + 20 * d, 100, 50);
}
CBitmap DigitTemplate()
{
    CBitmap bmp(20, 2);
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 2; ++y)
            bmp.SetPixel(x, y, 0xff000000u | DigitColour(x / 2));
    bmp.SetPixel(10, 0, 0xff0000ffu);
    return bmp;
}
#endif

} // namespace

TEST(Digits, ListsRoundTripInOrderWithAllZeroElementsKept)
{
    CReadCockpit c(
        "#1020 DIGITS\n"
        "\tdestloc = 0 0 0 0;\n" +
        TenSources().replace(0, 0, "\tNUMDIGITS = 9;\n") +
        "\tsrcloc = 0 0 0 0;\n\tdestloc = 40 50 60 70;\n\tpersistant = 1;\n\tcallbackslot = 21;\n"
        "\tcyclebits = 0xf0;\n#end\n");
    EXPECT_TRUE(c.ui.m_aBoxes.empty());
    auto* d = dynamic_cast<CCPDigits*>(c.manager.FindObject(1020));
    ASSERT_TRUE(d);
    ASSERT_EQ(d->m_arcSrc.size(), 11u);
    EXPECT_EQ(d->m_arcSrc[3], CRect(6, 0, 8, 2));
    ASSERT_EQ(d->m_arcDest.size(), 2u);
    EXPECT_EQ(d->m_arcDest[1], CRect(50, 40, 70, 60));

    const std::string saved = c.Saved();
    const std::string expected =
        "\n#1020 DIGITS\n\tcyclebits = 0xf0;\n\tnumdigits = 2;\n\tcallbackslot = 21;\n"
        "\tpersistant = 1;\n" +
        TenSources() +
        "\tsrcloc = 0 0 0 0;\n"
        "\tdestloc = 0 0 0 0;\n\tdestloc = 40 50 60 70;\n#end\n";
    EXPECT_NE(saved.find(expected), std::string::npos) << saved;
    CReadCockpit again(saved);
    EXPECT_EQ(again.Saved(), saved);

    // A new record writes its defaults and empty lists.
    CCPDigits fresh(nullptr);
    fresh.m_nId = 3;
    EXPECT_EQ(Written(fresh),
              "\n#3 DIGITS\n\tcyclebits = 0xffff;\n\tnumdigits = 0;\n\tcallbackslot = -1;\n"
              "\tpersistant = 0;\n#end\n");
}

TEST(Digits, BadKeyIsReportedAndCheckWantsTenSources)
{
    CReadCockpit c("#1 DIGITS\n" + TenSources() +
                   "\tdestloc = 1 2 3 4;\n#end\n"                          // lines 1..13
                   "#2 DIGITS\n\tsrcloc = 1 2 3 4;\n\tdigits = 3;\n#end\n" // line 16
                   "#2 TEXT\n#end\n");
    EXPECT_EQ(c.ui.Texts(),
              std::vector<std::string>{"Error in file at line 16,  Digit Bad string 'digits'"});
    auto& objs = c.manager.m_aObjects;
    ASSERT_EQ(objs.size(), 3u);
    for (bool full : {false, true}) {
        EXPECT_TRUE(CheckTexts(*objs[0], full).empty());
        EXPECT_EQ(CheckTexts(*objs[1], full),
                  (std::vector<std::string>{"Object Id 2, is not unique",
                                            "Digits Id 2, 1 src locations (expected 10)"}));
    }
}

TEST(Digits, NextStateStepsThroughTheSourcesFromFive)
{
    auto made = CreateRecordOfType(5, nullptr);
    auto* d = dynamic_cast<CCPDigits*>(made.get());
    ASSERT_TRUE(d);
    CRect rc;
    EXPECT_FALSE(d->GetDestRect(&rc));
    EXPECT_FALSE(d->GetSrcRect(&rc));
    for (int i = 0; i < 10; ++i)
        d->m_arcSrc.push_back(CRect(i, 0, i + 1, 1));
    d->m_arcDest = {CRect(7, 8, 9, 10), CRect(1, 1, 2, 2)};
    ASSERT_TRUE(d->GetDestRect(&rc));
    EXPECT_EQ(rc, CRect(7, 8, 9, 10));

    std::vector<int> shown;
    for (int i = 0; i < 7; ++i) {
        ASSERT_TRUE(d->GetSrcRect(&rc));
        shown.push_back(rc.left);
        d->NextState();
    }
    EXPECT_EQ(shown, (std::vector<int>{5, 6, 7, 8, 9, 0, 1}));

    // With fewer sources than the digit shown, the next step starts over at 0.
    d->m_arcSrc.resize(3);
    d->m_nCurrentDigit = 5;
    EXPECT_FALSE(d->GetSrcRect(&rc));
    d->NextState();
    EXPECT_EQ(d->m_nCurrentDigit, 0);
}

#ifdef VIREO_TEST_QT // painted through Qt
TEST(Digits, DrawCopiesTheCurrentDigitOntoEveryPlaceOpaquely)
{
    CCPManager m;
    m.m_bmpTemplate = DigitTemplate();
    CCPDigits d(&m);
    for (int i = 0; i < 10; ++i)
        d.m_arcSrc.push_back(CRect(2 * i, 0, 2 * i + 2, 2));
    d.m_arcDest = {CRect(0, 0, 2, 2), CRect(10, 4, 12, 6)};

    const Rgb grey = recordtest::kBackground;
    QImage img;
    auto paint = [&](float scale, bool selected) {
        img = recordtest::Paint(24, 12, [&](Canvas& dc) {
            if (selected)
                d.DrawSelected(dc, scale);
            else
                d.Draw(dc, scale);
        });
    };

    paint(1.0f, false);
    EXPECT_EQ(At(img, 0, 0), 0x0000ffu); // opaque: the blue pixel is copied
    EXPECT_EQ(At(img, 1, 1), DigitColour(5));
    EXPECT_EQ(At(img, 10, 4), 0x0000ffu);
    EXPECT_EQ(At(img, 11, 5), DigitColour(5));
    EXPECT_EQ(At(img, 2, 0), grey);
    EXPECT_EQ(At(img, 12, 5), grey);

    d.NextState();
    paint(1.0f, false);
    EXPECT_EQ(At(img, 0, 0), DigitColour(6));
    EXPECT_EQ(At(img, 11, 5), DigitColour(6));

    // Zoom 1.5 truncates: (10, 4, 12, 6) becomes (15, 6, 18, 9).
    paint(1.5f, false);
    EXPECT_EQ(At(img, 15, 6), DigitColour(6));
    EXPECT_EQ(At(img, 17, 8), DigitColour(6));
    EXPECT_EQ(At(img, 18, 8), grey);
    EXPECT_EQ(At(img, 17, 9), grey);
    EXPECT_EQ(At(img, 14, 6), grey);

    paint(1.5f, true);
    EXPECT_EQ(At(img, 15, 6), 0x0000ffu);
    EXPECT_EQ(At(img, 17, 8), 0x0000ffu);
    EXPECT_EQ(At(img, 0, 0), 0x0000ffu);
    EXPECT_EQ(At(img, 2, 2), 0x0000ffu); // (0, 0, 2, 2) scales to (0, 0, 3, 3)
    EXPECT_EQ(At(img, 16, 7), grey);     // a frame only

    // A digit outside a short list draws nothing.
    d.m_arcSrc.resize(5);
    d.m_nCurrentDigit = 5;
    paint(1.0f, false);
    EXPECT_EQ(At(img, 1, 1), grey);
}
#endif
