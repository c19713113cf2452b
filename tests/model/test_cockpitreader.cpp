// The cockpit reader on its own: which record each header makes, where comments and unknown
// records go, which buffer a surface is cut from, the line numbers its messages quote and how
// many of them it shows.
#include "ccockpitreader.h"
#include "ccpbuffer.h"
#include "ccpbutton.h"
#include "ccplight.h"
#include "ccppanel.h"
#include "ccpsound.h"
#include "ccpsurface.h"
#include "ccpsurfaceref.h"
#include "iimageloader.h"
#include "readcockpit.h"
#include "recordtest.h"
#include "testdata.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace recordtest;

namespace {
const char* kMarker = "// END OF THINGS WE KNOW ABOUT\n";

std::string AfterMarker(const std::string& saved)
{
    const size_t at = saved.find(kMarker);
    return at == std::string::npos ? std::string("<no marker>")
                                   : saved.substr(at + strlen(kMarker));
}

// Every picture fails to load.
class CNoPictures : public IImageLoader
{
public:
    bool Load(const std::string&, CBitmap&) override { return false; }
};
} // namespace

TEST(CockpitReader, CommentsAttachToTheNextRecordAndTrailingOnesAreDropped)
{
    CReadCockpit c("// top\n\n// Name: Tone\n#1 SOUND\nentry = 3;\n#end\n// dangling\n");
    ASSERT_EQ(c.manager.m_aSounds.size(), 1u);
    EXPECT_EQ(c.manager.m_aSounds[0]->m_strComment, "// top\r\n// Name: Tone\r\n");
    const std::string saved = c.Saved();
    EXPECT_NE(saved.find("\n// top\r\n// Name: Tone\r\n#1 SOUND\n\tentry = 3;\n#end\n"),
              std::string::npos);
    EXPECT_EQ(saved.find("dangling"), std::string::npos);

    CReadCockpit onlyComments("// a\n// b\n");
    EXPECT_EQ(AfterMarker(onlyComments.Saved()), "");
    EXPECT_EQ(onlyComments.Saved().find("// a"), std::string::npos);
}

TEST(CockpitReader, UnknownRecordsAreKeptAfterTheMarkerAndSavesSettle)
{
    const std::string file = TestData("unknown_records.dat");
    CReadCockpit c(file);
    const std::string first = c.Saved();
    EXPECT_EQ(AfterMarker(first), "// about foo\r\n#7 FOO extra words\n\tsize = 3;\r\n#end\n"
                                  "  #8 BAR\r\nkey = 1;\r\n#end\n#x nonsense\n");
    // A reloaded save saves the same bytes: no growing marker lines.
    CReadCockpit again(first);
    const std::string second = again.Saved();
    EXPECT_EQ(second, first);
    CReadCockpit third(second);
    EXPECT_EQ(third.Saved(), first);

    // Stray carriage returns on a kept header line settle after the first save.
    CReadCockpit cr("#\r\r");
    const std::string once = cr.Saved();
    EXPECT_EQ(AfterMarker(once), "#\n");
    EXPECT_EQ(CReadCockpit(once).Saved(), once);
}

TEST(CockpitReader, KeywordsIgnoreCaseAndEachGoesToItsList)
{
    CReadCockpit c("#4 sound\nentry = 2;\n#end\n#100 Panel\n#end\n#1001 button\n#end\n"
                   "#2001 ButtonView\n#end\n#7 light trailing words\n#end\n#8 Kneeview\n#end\n");
    EXPECT_EQ(c.manager.m_aSounds.size(), 1u);
    EXPECT_EQ(c.manager.m_aPanels.size(), 1u);
    EXPECT_EQ(c.manager.m_aButtons.size(), 1u);
    EXPECT_EQ(c.manager.m_aButtonViews.size(), 1u);
    ASSERT_EQ(c.manager.m_aObjects.size(), 2u);
    EXPECT_NE(dynamic_cast<CCPLight*>(c.manager.m_aObjects[0].get()), nullptr);
    EXPECT_EQ(c.manager.m_aObjects[1]->m_nId, 8);
    EXPECT_TRUE(c.manager.m_astrLeftovers.empty());
    EXPECT_TRUE(c.ui.m_aBoxes.empty());
}

TEST(CockpitReader, ASurfaceIsCutFromTheBufferReadLastBeforeIt)
{
    CReadCockpit c(TestData("reader_buffers_surfaces.dat"));
    const CCPManager& m = c.manager;
    ASSERT_EQ(m.m_aBuffers.size(), 2u);
    ASSERT_EQ(m.m_aSurfaces.size(), 4u);
    EXPECT_EQ(m.FindSurface(1)->m_pBuffer, nullptr);
    EXPECT_EQ(m.FindSurface(2)->m_pBuffer, m.m_aBuffers[0].get());
    EXPECT_EQ(m.FindSurface(3)->m_pBuffer, m.m_aBuffers[1].get());
    EXPECT_EQ(m.FindSurface(4)->m_pBuffer, m.m_aBuffers[1].get());
    EXPECT_EQ(m.m_aBuffers[1]->m_strFile, "b.gif");

    // The surface without a buffer is written alone; a buffer goes before the first surface of
    // each file name (B.GIF is the name b.gif).
    const std::string saved = c.Saved();
    EXPECT_EQ(Between(saved, "\n#1 SURFACE", "// END OF"),
              "\n#1 SURFACE\n\tfilename = early.gif;\n\tsrcloc = 0 0 5 5;\n#end\n"
              "\n#0 BUFFER\n\tfilename = a.gif;\n\tbuffersize = 64 32;\n#end\n"
              "\n#2 SURFACE\n\tfilename = a.gif;\n\tsrcloc = 0 0 10 10;\n#end\n"
              "\n#0 BUFFER\n\tfilename = b.gif;\n\tbuffersize = 16 16;\n#end\n"
              "\n#3 SURFACE\n\tfilename = b.gif;\n\tsrcloc = 1 1 4 4;\n#end\n"
              "\n#4 SURFACE\n\tfilename = B.GIF;\n\tsrcloc = 2 2 6 6;\n#end\n");
    EXPECT_EQ(CReadCockpit(saved).Saved(), saved);

    // A second read starts without a buffer: its first surface is not cut from the last one.
    CReadCockpit twice(TestData("reader_buffers_surfaces.dat"));
    twice.Read("#9 SURFACE\n\tfilename = b.gif;\n#end\n");
    EXPECT_EQ(twice.manager.FindSurface(9)->m_pBuffer, nullptr);
}

TEST(CockpitReader, MessagesQuoteTheLineOfTheFileTheyAreAbout)
{
    CReadCockpit c;
    const int lines = c.Read(TestData("reader_line_numbers.dat"));
    EXPECT_EQ(c.ui.Texts(), (std::vector<std::string>{
                                "Error in file at line 4,  Sound Bad string 'volume'",
                                "Error in file at line 13,  Button: unrecognised string 'oops'",
                                "Error in file at line 16,  Button: unrecognised string '#4'",
                                "Error in file at line 21,  Sound Bad string 'pitch'",
                            }));
    // Every line once, and the read that met the end.
    EXPECT_EQ(lines, 23);
    ASSERT_EQ(c.manager.m_aSounds.size(), 2u);
    EXPECT_EQ(c.manager.m_aSounds[1]->m_nEntry, 7);
    ASSERT_EQ(c.manager.m_aButtons.size(), 1u);
    EXPECT_EQ(c.manager.m_aButtons[0]->m_strComment, "");

    // A second read counts from its own first line.
    c.ui.m_aBoxes.clear();
    c.Read("#6 SOUND\n\tloud;\n#end\n");
    EXPECT_EQ(c.ui.Texts(),
              (std::vector<std::string>{"Error in file at line 2,  Sound Bad string 'loud'"}));
}

TEST(CockpitReader, ErrorsBeyondTheFirstTenAreCollectedInOneBox)
{
    std::string file = "#1 SOUND\n";
    for (int i = 0; i < 14; ++i)
        file += "bad" + std::to_string(i) + " = 1;\n";
    file += "#end\n";
    CReadCockpit c(file);
    ASSERT_EQ(c.ui.m_aBoxes.size(), 11u);
    EXPECT_EQ(c.ui.m_aBoxes[0].text, "Error in file at line 2,  Sound Bad string 'bad0'");
    EXPECT_EQ(c.ui.m_aBoxes[9].text, "Error in file at line 11,  Sound Bad string 'bad9'");
    EXPECT_NE(c.ui.m_aBoxes[10].text.find("4 more errors"), std::string::npos);
    EXPECT_NE(c.ui.m_aBoxes[10].details.find("line 15,  Sound Bad string 'bad13'"),
              std::string::npos);
}

TEST(CockpitReader, PictureMessagesCountAmongTheErrorsOfTheReadOnly)
{
    std::string file;
    for (int i = 0; i < 10; ++i)
        file += "#" + std::to_string(i + 1) + " SOUND\n\tbad;\n#end\n";
    file += "#0 MANAGER\n\ttemplatefile = 8 8 t.png;\n#end\n";
    CNoPictures loader;
    CReadCockpit c;
    c.manager.SetImageLoader(&loader);
    c.manager.SetFolder("/cockpits/");
    c.Read(file);
    // The picture is the eleventh error: held back and shown in the box at the end.
    ASSERT_EQ(c.ui.m_aBoxes.size(), 11u);
    EXPECT_EQ(c.ui.m_aBoxes[10].text, "The file holds 1 more error. Open the details to see it.");
    EXPECT_EQ(c.ui.m_aBoxes[10].details, ImageErrorText("/cockpits/t.png") + "\n");

    // After the read the manager speaks to the user directly again.
    EXPECT_EQ(c.manager.GetUserInterface(), &c.ui);
    c.manager.MessageBox("after");
    EXPECT_EQ(c.ui.m_aBoxes.back().text, "after");
}

TEST(CockpitReader, ACopyHasTheKeysOfItsRecordButNoCommentOrId)
{
    CReadCockpit c(
        "// Name: Lamp\n#1010 LIGHT\n\tinitstate = 1;\n\tstates = 2;\n"
        "\tsrcloc = 1 2 3 4;\n\tsrcloc = 5 6 7 8;\n\tdestloc = opaque 9 9 19 29;\n#end\n");
    CCPObject& light = *c.manager.m_aObjects[0];
    std::unique_ptr<CCPObject> copy = CCockpitReader::Copy(light, c.manager, &c.ui);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->m_nId, 0);
    EXPECT_EQ(copy->m_strComment, "");
    EXPECT_EQ(copy->m_pManager, &c.manager);
    copy->m_nId = light.m_nId;
    copy->m_strComment = light.m_strComment;
    EXPECT_EQ(Written(*copy), Written(light));
    EXPECT_TRUE(c.ui.m_aBoxes.empty());

    // A surface entry and a buffer are not made empty by type: they are not copied.
    CCPSurfaceRef entry(&c.manager);
    EXPECT_EQ(CCockpitReader::Copy(entry, c.manager, &c.ui), nullptr);
    CCPBuffer buffer(&c.manager);
    EXPECT_EQ(CCockpitReader::Copy(buffer, c.manager, &c.ui), nullptr);
}

// A cockpit larger than the steps in which the reader lets its text go, with a comment of
// megabytes before one record: read so, it gives the records, comments and messages of a
// read that keeps the text, and what it passed is given back.
TEST(CockpitReader, LettingTheTextGoWhileReadingGivesTheSameCockpit)
{
    std::string text;
    for (int i = 0; i < 150; ++i)
        text += TestData("render_many_panels.dat");
    text += "// " + std::string(size_t(3) << 20, 'c') + "\n// Name: Late\n";
    text += TestData("unknown_records.dat") + TestData("reader_line_numbers.dat");
    ASSERT_GT(text.size(), size_t(4) << 20);

    CReadCockpit kept;
    kept.Read(text);
    CReadCockpit letGo;
    std::string consumed = text;
    CCockpitReader(letGo.manager, &letGo.ui).ReadAndRelease(consumed);

    EXPECT_TRUE(letGo.Saved() == kept.Saved());
    ASSERT_EQ(letGo.ui.m_aBoxes.size(), kept.ui.m_aBoxes.size());
    ASSERT_FALSE(kept.ui.m_aBoxes.empty());
    for (size_t i = 0; i < kept.ui.m_aBoxes.size(); ++i) {
        EXPECT_EQ(letGo.ui.m_aBoxes[i].text, kept.ui.m_aBoxes[i].text);
        EXPECT_EQ(letGo.ui.m_aBoxes[i].details, kept.ui.m_aBoxes[i].details);
    }
#ifdef __linux__
    // The start and the comment are given back to the system: they read as zeros.
    EXPECT_EQ(consumed.substr(8192, size_t(1) << 19), std::string(size_t(1) << 19, '\0'));
    const size_t comment = text.find("// ccc");
    EXPECT_EQ(consumed.substr(comment + 8192, size_t(2) << 20), std::string(size_t(2) << 20, '\0'));
#endif
}
