#include "ccplight.h"
#include "clinereader.h"
#include "readcockpit.h"
#include "recordtest.h"
#include "recordtypes.h"
#include "testdata.h"

#include <gtest/gtest.h>

namespace {

#ifdef VIREO_TEST_QT
using recordtest::At;
#endif
using recordtest::Written;

std::unique_ptr<CCPLight> ReadLight(const std::string& body, CRecordingUI* ui = nullptr)
{
    CLineReader ar(body, nullptr, ui);
    return std::make_unique<CCPLight>(6, ar, std::string(), nullptr);
}

using recordtest::CheckTexts;

} // namespace

TEST(Light, EveryKeyRoundTripsWithStatesInOrder)
{
    CReadCockpit c(
        "// Name: Gear\n#1010 LIGHT\n\tstates = 9;\n\tcyclebits = 3;\n\tCURSORID = 4;\n"
        "\tinitstate = 1;\n\tsrcloc = 1 2 3 4;\n\tsrcloc = 0 0 0 0;\n\tsrcloc=5 6 7 8\n"
        "\tdestloc = OPAQUE 10 20 30 40;\n\tcallbackslot = 77;\n\tpersistant = 3;\n#end\n");
    EXPECT_TRUE(c.ui.m_aBoxes.empty());
    auto* light = dynamic_cast<CCPLight*>(c.manager.FindObject(1010));
    ASSERT_TRUE(light);
    EXPECT_EQ(light->m_nPersistent, 2);
    EXPECT_FALSE(light->m_bTransparent);
    EXPECT_EQ(light->m_rcDest, CRect(20, 10, 40, 30));
    const std::string saved = c.Saved();
    const char* expected =
        "\n// Name: Gear\r\n#1010 LIGHT\n\tcyclebits = 0x3;\n\tcursorid = 4;\n\tinitstate = 1;\n"
        "\tcallbackslot = 77;\n\tpersistant = 3;\n\tstates = 3;\n\tsrcloc = 1 2 3 4;\n"
        "\tsrcloc = 0 0 0 0;\n\tsrcloc = 5 6 7 8;\n\tdestloc = opaque 10 20 30 40;\n#end\n";
    EXPECT_NE(saved.find(expected), std::string::npos) << saved;
    CReadCockpit again(saved);
    EXPECT_EQ(again.Saved(), saved);
}

TEST(Light, DefaultsAndConditionalLines)
{
    auto made = CreateRecordOfType(2, nullptr);
    ASSERT_TRUE(made);
    made->m_nId = 2;
    const std::string defaults =
        "\n#2 LIGHT\n\tcyclebits = 0xffff;\n\tcursorid = 0;\n\tinitstate = 0;\n"
        "\tcallbackslot = -1;\n\tpersistant = 0;\n\tstates = 0;\n"
        "\tdestloc = transparent 0 0 10 10;\n#end\n";
    EXPECT_EQ(Written(*made), defaults);
    auto read = ReadLight("#end\n");
    read->m_nId = 2;
    EXPECT_EQ(Written(*read), defaults);

    // persistant 2 reads as electrical too; a negative cursor id is left out; an all-zero
    // destination is still written with its word.
    auto odd = ReadLight("persistant = 2;\ncursorid = -1;\ndestloc = transparent 0 0 0 0;\n#end\n");
    EXPECT_EQ(odd->m_nPersistent, 2);
    odd->m_nId = 2;
    EXPECT_EQ(Written(*odd),
              "\n#2 LIGHT\n\tcyclebits = 0xffff;\n\tinitstate = 0;\n\tcallbackslot = -1;\n"
              "\tpersistant = 3;\n\tstates = 0;\n\tdestloc = transparent 0 0 0 0;\n#end\n");
    EXPECT_EQ(ReadLight("persistant = 1;\n")->m_nPersistent, 1);
    // A number beyond 32 bits does not scan: the earlier value stays.
    EXPECT_EQ(ReadLight("initstate = 5;\ninitstate = 99999999999;\n")->m_nInitState, 5);
}

TEST(Light, BadWordsAreReportedAndKeepTheFlag)
{
    CReadCockpit c("#1 LIGHT\n\tdestloc = opaque 5 5 5 5;\n\tdestloc = shiny 1 2 3 4;\n" // line 3
                   "\tdestloc\n\tstate = 2;\n#end\n"); // lines 4, 5
    EXPECT_EQ(c.ui.Texts(), (std::vector<std::string>{
                                "Error in file at line 3,  Light Bad transparency 'shiny 1 2 3 4'",
                                "Error in file at line 4,  Light Bad transparency ''",
                                "Error in file at line 5,  Light Bad string 'state'",
                            }));
    auto* light = dynamic_cast<CCPLight*>(c.manager.FindObject(1));
    ASSERT_TRUE(light);
    EXPECT_FALSE(light->m_bTransparent);
    EXPECT_EQ(light->m_rcDest, CRect(2, 1, 4, 3)); // the rectangle is taken all the same
}

TEST(Light, CheckCountsStatesAndComparesSizesOnlyInFullCheck)
{
    CReadCockpit c(TestData("lights_for_check.dat"));
    auto& objs = c.manager.m_aObjects;
    ASSERT_EQ(objs.size(), 4u);
    for (bool full : {false, true})
        EXPECT_EQ(CheckTexts(*objs[0], full),
                  std::vector<std::string>{"Light Id 1, Too many states (3)"});
    EXPECT_TRUE(CheckTexts(*objs[1], false).empty());
    EXPECT_EQ(CheckTexts(*objs[1], true),
              (std::vector<std::string>{"Light Id 2, src/dest are different sizes",
                                        "Light Id 2, src/dest are different sizes"}));
    EXPECT_EQ(CheckTexts(*objs[2], false),
              (std::vector<std::string>{"Object Id 3, is not unique",
                                        "Light Id 3, Too many states (0)"}));
}

TEST(Light, StatesAndGeometry)
{
    CCPLight light(nullptr);
    CRect rc;
    EXPECT_FALSE(light.GetSrcRect(&rc));
    const CRect ignored(1, 1, 2, 2);
    light.SetSrcRect(&ignored); // no state to set: nothing happens
    EXPECT_TRUE(light.m_arcSrc.empty());

    light.m_rcDest = CRect(0, 0, 20, 10);
    light.m_arcSrc = {CRect(100, 50, 120, 60), CRect(200, 50, 220, 60), CRect(300, 50, 320, 60)};
    std::vector<int> lefts;
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(light.GetSrcRect(&rc));
        lefts.push_back(rc.left);
        light.NextState();
    }
    EXPECT_EQ(lefts, (std::vector<int>{100, 200, 300, 100}));
    ASSERT_EQ(light.m_nCurrentState, 1);
    const CRect picked(5, 6, 7, 8);
    light.SetSrcRect(&picked);
    EXPECT_EQ(light.m_arcSrc[1], picked);
    light.m_arcSrc[1] = CRect(200, 50, 220, 60);

    // Dragging the right edge from 20 to 30 wide widens every state's picture.
    CRect wider(0, 0, 30, 10);
    light.SetDestRect(&wider);
    EXPECT_EQ(light.m_arcSrc, (std::vector<CRect>{CRect(100, 50, 130, 60), CRect(200, 50, 230, 60),
                                                  CRect(300, 50, 330, 60)}));
    // A move leaves the pictures where they are.
    CRect moved(40, 40, 70, 50);
    light.SetDestRect(&moved);
    ASSERT_TRUE(light.GetDestRect(&rc));
    EXPECT_EQ(rc, moved);
    EXPECT_EQ(light.m_arcSrc[0], CRect(100, 50, 130, 60));

    light.m_rcDest = CRect(0, 0, 20, 10);
    light.m_arcSrc = {CRect(100, 50, 130, 55)};
    light.MakeSameSize();
    EXPECT_EQ(light.m_arcSrc[0], CRect(100, 50, 120, 60));
}

#ifdef VIREO_TEST_QT // painted through Qt
TEST(Light, DrawShowsTheCurrentStateAndKeysOutPureBlue)
{
    // States: 0 red, 1 green with a pure blue top-left pixel, 2 white; 2 x 2 pixels each.
    CBitmap bmp(6, 2);
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 2; ++y)
            bmp.SetPixel(x, y, x < 2 ? 0xffff0000u : x < 4 ? 0xff00ff00u : 0xffffffffu);
    bmp.SetPixel(2, 0, 0xff0000ffu);
    CCPManager m;
    m.m_bmpTemplate = bmp;
    CCPLight light(&m);
    light.m_arcSrc = {CRect(0, 0, 2, 2), CRect(2, 0, 4, 2), CRect(4, 0, 6, 2)};
    light.m_rcDest = CRect(1, 1, 3, 3);

    const Rgb grey = recordtest::kBackground;
    QImage img;
    auto paint = [&](float scale, bool selected) {
        img = recordtest::Paint(8, 8, [&](Canvas& dc) {
            if (selected)
                light.DrawSelected(dc, scale);
            else
                light.Draw(dc, scale);
        });
    };

    paint(1.0f, false); // state 0 shows the panel's own picture
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 8; ++y)
            ASSERT_EQ(At(img, x, y), grey) << x << "," << y;

    light.NextState();
    paint(1.0f, false);
    EXPECT_EQ(At(img, 1, 1), grey); // keyed out
    EXPECT_EQ(At(img, 2, 1), 0x00ff00u);
    EXPECT_EQ(At(img, 2, 2), 0x00ff00u);
    EXPECT_EQ(At(img, 3, 2), grey);

    light.m_bTransparent = false;
    paint(1.0f, false);
    EXPECT_EQ(At(img, 1, 1), 0x0000ffu);

    // Zoom 1.5 truncates (1, 1, 3, 3) to (1, 1, 4, 4).
    paint(1.5f, false);
    EXPECT_EQ(At(img, 1, 1), 0x0000ffu);
    EXPECT_EQ(At(img, 3, 3), 0x00ff00u);
    EXPECT_EQ(At(img, 4, 3), grey);
    EXPECT_EQ(At(img, 3, 4), grey);

    paint(1.5f, true);
    EXPECT_EQ(At(img, 1, 1), 0xffff00u);
    EXPECT_EQ(At(img, 3, 3), 0xffff00u);
    EXPECT_EQ(At(img, 2, 2), grey);
    EXPECT_EQ(At(img, 4, 4), grey);

    light.NextState();
    paint(1.0f, false);
    EXPECT_EQ(At(img, 1, 1), 0xffffffu);
    light.NextState(); // back to state 0
    paint(1.0f, false);
    EXPECT_EQ(At(img, 1, 1), grey);
}
#endif
