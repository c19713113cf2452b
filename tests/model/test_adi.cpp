#include "ccpadi.h"
#include "readcockpit.h"
#include "recordtest.h"

#include <gtest/gtest.h>

using namespace recordtest;

namespace {

const char* const kDefaultAdi =
    "\n#5 ADI\n\tcyclebits = 0xffff;\n\tcallbackslot = -1;\n\tpersistant = 0;\n"
    "\tsrcloc = 0 0 10 10;\n\tilslimits = 0 0 10 10;\n\tdestloc = opaque 0 0 10 10;\n"
    "\tcolor0 = 0xff20a2c8;\n\tcolor1 = 0xff808080;\n\tcolor2 = 0xffffffff;\n"
    "\tcolor3 = 0xff6cf3f3;\n\tcolor4 = 0xff6cf3f3;\n#end\n";

// Every key, in the order the writer puts them, with the nested background block.
const char* const kFullAdi =
    "\n// Name: Attitude\r\n#12 ADI\n\tcyclebits = 0x3f;\n\tcallbackslot = 42;\n"
    "\tpersistant = 0;\n\tsrcloc = 100 200 400 300;\n\tilslimits = 10 20 110 120;\n"
    "\tbsurface = 3;\n\tdestloc = transparent 50 60 150 160;\n\tbsrcloc = 1 2 3 4;\n"
    "\tbdestloc = 5 6 7 8;\n\tblitbackground;\n\tfilename = adiback.gif;\n"
    "\tbuffersize = 64 32;\n#end\n\tbackdest = 11 12 13 14;\n\tbacksrc = 15 16 17 18;\n"
    "\tcolor0 = 0x1;\n\tcolor1 = 0x20;\n\tcolor2 = 0x300;\n\tcolor3 = 0x4000;\n"
    "\tcolor4 = 0xff00ff00;\n#end\n";

} // namespace

TEST(Adi, NewAndEmptyRecordsWriteTheDefaults)
{
    CFixture f;
    CCPAdi fresh(&f.manager);
    fresh.m_nId = 5;
    EXPECT_EQ(Written(fresh), kDefaultAdi);
    EXPECT_EQ(Written(*f.Read<CCPAdi>("#end\n", 5)), kDefaultAdi);
}

TEST(Adi, EveryKeySurvivesAReadAndWrite)
{
    CFixture f;
    const std::string full = kFullAdi;
    auto adi = f.Read<CCPAdi>(Body(full), 12, "// Name: Attitude\r\n");
    EXPECT_TRUE(f.ui.m_aBoxes.empty());
    EXPECT_EQ(Written(*adi), full);
    EXPECT_EQ(adi->m_rcSrc, CRect(200, 100, 300, 400));
    ASSERT_TRUE(adi->m_background.HasBlitBackground());
    EXPECT_EQ(adi->m_background.m_pBlitBuffer->m_nWidth, 64);

    // In a cockpit file the nested block is not taken for records of its own.
    const std::string record = full.substr(1);
    CReadCockpit cockpit("#0 MANAGER\n#end\n\n" + record);
    EXPECT_NE(cockpit.Saved().find(record), std::string::npos) << cockpit.Saved();
}

TEST(Adi, PersistentLineClearsThePicturesBeforeIt)
{
    CFixture f;
    auto after = f.Read<CCPAdi>("srcloc = 1 2 3 4;\ndestloc = opaque 5 6 7 8;\nbsurface = 4;\n"
                                "bsrcloc = 1 1 2 2;\npersistant = 1;\n");
    EXPECT_TRUE(after->m_rcSrc.IsRectNull());
    EXPECT_TRUE(after->m_rcDest.IsRectNull());
    EXPECT_EQ(after->m_background.m_nSurface, -1);
    EXPECT_EQ(after->m_background.m_rcSrc, CRect(1, 1, 2, 2));

    // The writer puts persistant first, so a persistent record reads back whole.
    auto before = f.Read<CCPAdi>("persistant = 1;\nsrcloc = 1 2 3 4;\nbsurface = 4;\n");
    EXPECT_EQ(before->m_rcSrc, CRect(2, 1, 4, 3));
    EXPECT_EQ(RoundTrip(f, *before), Written(*before));
}

TEST(Adi, BackgroundRectanglesOutOfRangeBecomeZero)
{
    CFixture f;
    auto adi = f.Read<CCPAdi>("bsrcloc = 10 10 20 5000;\nbdestloc = 0 -1 5 5;\n");
    EXPECT_TRUE(adi->m_background.m_rcSrc.IsRectNull());
    EXPECT_TRUE(adi->m_background.m_rcDest.IsRectNull());

    // In range they are kept, and written only when they have an area.
    auto edge =
        f.Read<CCPAdi>("bsrcloc = 0 0 4999 4999;\nbdestloc = 3 3 2 2;\nbacksrc = 1 1 1 9;\n");
    const std::string text = Written(*edge);
    EXPECT_NE(text.find("\tbsrcloc = 0 0 4999 4999;\n\tcolor0"), std::string::npos) << text;
    EXPECT_EQ(text.find("backsrc"), std::string::npos);
}

TEST(Adi, BadLinesAreReportedWithTheirLineNumbers)
{
    CFixture f;
    auto adi = f.Read<CCPAdi>("\tfoo = 1;\n\tdestloc = transparent 0 0 10 10;\n"
                              "\tdestloc = shiny 1 2 3 4;\n\tblitbackground;\n\tzap;\n#end\n"
                              "\t// note\n\tCOLOR3 = 0Xab;\n#end\n\tcallbackslot = 10;\n");
    EXPECT_EQ(f.ui.Texts(),
              (std::vector<std::string>{
                  "Error in file at line 2,  Adi Bad string 'foo'",
                  "Error in file at line 4,  Adi Bad Transparency Type 'shiny 1 2 3 4'",
                  "Error in file at line 6,  Buffer Bad string 'zap'",
                  "Error in file at line 8,  Adi Bad string '//'",
              }));
    // A bad word still gives the rectangle; the flag stays. The record goes on after the block.
    EXPECT_EQ(adi->m_rcDest, CRect(2, 1, 4, 3));
    EXPECT_TRUE(adi->m_bTransparent);
    EXPECT_EQ(adi->m_aColors[3], 0xabu);
    EXPECT_EQ(adi->m_nCallbackSlot, -1);
}

TEST(Adi, FullCheckComparesSourceAndDestinationSizes)
{
    CFixture f;
    auto adi = f.Read<CCPAdi>("srcloc = 0 0 40 10;\n", 7);
    EXPECT_TRUE(CheckTexts(*adi, false).empty());
    EXPECT_EQ(CheckTexts(*adi, true),
              std::vector<std::string>{"Adi Id 7, src/dest different sizes"});

    CCPAdi* same = adi.get();
    f.manager.AddObject(std::move(adi));
    f.manager.AddObject(f.Read<CCPAdi>("", 7));
    EXPECT_EQ(CheckTexts(*same, false), std::vector<std::string>{"Object Id 7, is not unique"});
}

#ifdef VIREO_TEST_QT // painted through Qt
TEST(Adi, DrawShowsTheMiddleBandOfTheBall)
{
    CFixture f;
    f.manager.m_bmpTemplate = PositionPicture(40, 60);
    f.manager.m_bmpTemplate.SetPixel(3, 20, 0xff0000ffu); // key blue inside the band
    CCPAdi adi(&f.manager);
    adi.m_rcSrc = CRect(0, 0, 10, 40);
    adi.m_rcDest = CRect(5, 5, 15, 15);

    QImage img = Paint(32, 32, [&](Canvas& dc) { adi.Draw(dc, 1.0f); });
    EXPECT_EQ(At(img, 5, 5), TemplateRgb(0, 15));
    EXPECT_EQ(At(img, 14, 14), TemplateRgb(9, 24));
    EXPECT_EQ(At(img, 8, 10), 0x0000ffu); // opaque: blue is copied
    EXPECT_EQ(At(img, 15, 15), kBackground);

    adi.m_bTransparent = true;
    img = Paint(32, 32, [&](Canvas& dc) { adi.Draw(dc, 2.0f); });
    EXPECT_EQ(At(img, 10, 10), TemplateRgb(0, 15));
    EXPECT_EQ(At(img, 29, 29), TemplateRgb(9, 24));
    EXPECT_EQ(At(img, 16, 20), kBackground); // transparent: blue leaves the panel alone

    img = Paint(64, 40, [&](Canvas& dc) {
        adi.m_rcIlsLimits = CRect(20, 0, 30, 8);
        adi.DrawSelected(dc, 2.0f);
    });
    EXPECT_EQ(Count(img, 0xff0000u), 4 * 19); // the window, 20 x 20 scaled
    EXPECT_EQ(At(img, 10, 10), 0xff0000u);
    EXPECT_EQ(Count(img, 0xffff00u), 2 * 20 + 2 * 14); // the ILS limits, 20 x 16 scaled
    EXPECT_EQ(At(img, 59, 15), 0xffff00u);
}
#endif
