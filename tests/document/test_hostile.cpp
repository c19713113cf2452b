// Files that are broken or made to hurt: each loads without a crash, says what is wrong, and
// a save keeps what was read.
#include "ccpmanager.h"
#include "ccppanel.h"
#include "ccpsound.h"
#include "cqtimageloader.h"
#include "testcockpit.h"
#include "testdata.h"

#include <gtest/gtest.h>

#include <random>

namespace {
const char* kMarker = "// END OF THINGS WE KNOW ABOUT\n";

// Load, save, load the save, save again: the two saves must agree.
std::string SettledSave(const std::string& text)
{
    CTestCockpit first(text);
    const std::string once = first.Saved();
    CTestCockpit second(once);
    EXPECT_EQ(second.Saved(), once);
    return once;
}
} // namespace

TEST(HostileFiles, GarbageAndNulBytesLoadAndSettle)
{
    std::mt19937 rng(7);
    std::string garbage;
    for (int i = 0; i < 200000; ++i)
        garbage += char(rng() & 0xff);
    SettledSave(garbage);

    static const char raw[] = "#1 SOUND\nentry = 4\0;\n\0\0junk\n#end\n#2 \0FOO\n";
    const std::string nul(raw, sizeof raw - 1);
    CTestCockpit c(nul);
    ASSERT_EQ(c.doc.m_manager.m_aSounds.size(), 1u);
    EXPECT_EQ(c.doc.m_manager.m_aSounds[0]->m_nId, 1);
    const std::string saved = SettledSave(nul);
    EXPECT_NE(saved.find(std::string("#2 \0FOO\n", 8)), std::string::npos); // kept byte for byte
}

TEST(HostileFiles, AHugeLineIsReadWholeAndReportedShort)
{
    const std::string huge(10 * 1024 * 1024, 'k');
    CTestCockpit c("#1 SOUND\n" + huge + " = 1;\nentry = 2;\n#end\n// " + huge + "\n#9 ZZZ\n");
    ASSERT_EQ(c.ui.m_aBoxes.size(), 1u);
    EXPECT_LT(c.ui.m_aBoxes[0].text.size(), 1000u);
    EXPECT_EQ(c.ui.m_aBoxes[0].text.rfind("Error in file at line 2,  Sound Bad string 'kkk", 0),
              0u);
    const std::string saved = c.Saved();
    EXPECT_NE(saved.find("\tentry = 2;\n"), std::string::npos);
    EXPECT_NE(saved.find("// " + huge + "\r\n#9 ZZZ\n"),
              std::string::npos); // the comment of a kept record
}

TEST(HostileFiles, TruncatedRecordsAndHeadersWithoutKeywords)
{
    for (const char* text :
         {"#100 PANEL\nadjpanels = 1 2", "#1 SOUND", "#0 MANAGER\ntemplatefile 10", "#5", "#", "#-",
          "#12 ", "#2147483648 SOUND\n#end\n", "#end\n#end\n"}) {
        SCOPED_TRACE(text);
        SettledSave(text);
    }
    CTestCockpit noKeyword("#5\n#7   \n");
    const std::string saved = noKeyword.Saved();
    EXPECT_NE(saved.find(std::string(kMarker) + "#5\n#7   \n"), std::string::npos);
}

TEST(HostileFiles, NumbersOutOfRangeAndAbsurdSizesKeepDefaults)
{
    CTestCockpit c(TestData("hostile_out_of_range_numbers.dat"));
    const CCPManager& m = c.doc.m_manager;
    EXPECT_EQ(m.m_nMouseBorder, 0);
    EXPECT_EQ(m.m_rcHud, CRect(2, 1, 0, 0)); // top and left scanned, the rest stopped
    EXPECT_TRUE(m.m_bmpTemplate.IsNull());
    ASSERT_EQ(m.m_aPanels.size(), 1u);
    EXPECT_EQ(m.m_aPanels[0]->m_anObjects, (std::vector<int>{1, 2}));
    EXPECT_EQ(m.m_aPanels[0]->m_nMaskTop, 0);
    SettledSave(c.Saved());
}

TEST(HostileFiles, ManyUnknownRecordsAreAllKept)
{
    std::string text;
    for (int i = 0; i < 100000; ++i)
        text += "#" + std::to_string(i) + " THING\n\tx = " + std::to_string(i) + ";\n#end\n";
    CTestCockpit c(text);
    EXPECT_TRUE(c.ui.m_aBoxes.empty());
    EXPECT_EQ(c.doc.m_manager.m_astrLeftovers.size(), 300000u);
    const std::string saved = c.Saved();
    EXPECT_NE(saved.find("#99999 THING\n\tx = 99999;\r\n#end\n"), std::string::npos);
}

TEST(HostileFiles, NestedBackgroundBlocksDoNotNest)
{
    std::string text = "#0 MANAGER\ntemplatefile 8 8 t.png;\n#end\n#7 ADI\n";
    for (int i = 0; i < 5000; ++i)
        text += "blitbackground;\n";
    text += "#end\n#end\n#8 ADI\n#end\n";
    CTestCockpit c(text);
    // The first blitbackground opens the block; the others are unknown keys of that block.
    EXPECT_EQ(c.doc.m_manager.m_aObjects.size(), 2u);
    EXPECT_GE(c.ui.m_aBoxes.size(), 2u);
    SettledSave(c.Saved());
}

TEST(HostileFiles, TemplatesThatAreNotPicturesAreRefused)
{
    CTempDir dir;
    dir.Write("junk.png", "this is not a picture at all");
    dir.Write("cut.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10", 20));
    dir.Write("c.dat", "#0 MANAGER\ntemplatefile 16 16 junk.png;\n#end\n");
    dir.Write("d.dat", "#0 MANAGER\ntemplatefile 16 16 cut.png;\n#end\n");
    CTestCockpit c;
    CQtImageLoader loader;
    c.doc.m_manager.SetImageLoader(&loader);
    for (const char* f : {"c.dat", "d.dat"}) {
        c.ui.m_aBoxes.clear();
        ASSERT_TRUE(c.doc.OnOpenDocument(dir.File(f)));
        ASSERT_EQ(c.ui.m_aBoxes.size(), 1u) << f;
        EXPECT_NE(c.ui.m_aBoxes[0].text.find("I cannot read this file."), std::string::npos);
        EXPECT_TRUE(c.doc.m_manager.m_bmpTemplate.IsNull());
    }
}
