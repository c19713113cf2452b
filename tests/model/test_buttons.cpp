#include "ccpbutton.h"
#include "ccpbuttonview.h"
#include "ccpmanager.h"
#include "clinereader.h"
#include "cqtcanvas.h"
#include "readcockpit.h"
#include "recordtest.h"
#include "testdata.h"

#include <QPainter>

using namespace recordtest;

namespace {

const std::string kView = "\tstates = 3;\n"
                          "\tsrcloc = 10 20 30 40;\n"
                          "\tsrcloc = 0 0 0 0;\n"
                          "\tsrcloc = 50 60 70 80;\n"
                          "\tparentbutton = 1001;\n"
                          "\tdestloc = opaque 10 20 30 40;\n"
                          "\tpersistant = 3;\n";

std::unique_ptr<CCPButtonView> ReadView(const std::string& body, CRecordingUI* ui = nullptr)
{
    CLineReader ar(body, nullptr, ui);
    return std::make_unique<CCPButtonView>(5, ar, std::string(), nullptr);
}

QImage DrawView(CCPButtonView& v, float scale, bool selected = false)
{
    QImage img = WhiteImage(30, 30);
    QPainter painter(&img);
    CQtCanvas canvas(painter);
    if (selected)
        v.DrawSelected(canvas, scale);
    else
        v.Draw(canvas, scale);
    return img;
}

} // namespace

TEST(ButtonRecord, KeysRoundTripWithRecountedViewsAndUnsetSoundsLeftOut)
{
    CReadCockpit c(TestData("button_every_key.dat"));
    EXPECT_EQ(c.ui.Texts(), (std::vector<std::string>{
                                "Error in file at line 11,  Button: unrecognised string 'color'"}));
    EXPECT_EQ(Between(c.Saved(), "\n// Name: Gear", "#end\n"),
              "\n// Name: Gear\r\n#1001 BUTTON\n"
              "\tstates = 3;\n\tdelay = 250;\n\tcursorid = 2;\n\tinitstate = 1;\n\tsound2 = 7;\n"
              "\tcallbackslot = 44;\n\tnumbuttonviews = 2;\n");

    CCPButton fresh(nullptr);
    fresh.m_nId = 1002;
    fresh.m_nSound1 = 0; // sound ids from 0 are written
    EXPECT_EQ(Written(fresh),
              "\n#1002 BUTTON\n\tstates = 1;\n\tdelay = -1;\n\tcursorid = 0;\n\tinitstate = 0;\n"
              "\tsound1 = 0;\n\tcallbackslot = -1;\n\tnumbuttonviews = 1;\n#end\n");
}

TEST(ButtonViewRecord, KeysRoundTripAndZeroStatesKeepTheirPlace)
{
    CReadCockpit c("#2001 BUTTONVIEW\n" + kView + "#end\n");
    EXPECT_TRUE(c.ui.m_aBoxes.empty());
    const CCPButtonView& v = *c.manager.m_aButtonViews[0];
    EXPECT_EQ(v.m_rcDest, CRect(20, 10, 40, 30));
    EXPECT_FALSE(v.m_bTransparent);
    EXPECT_EQ(v.m_nPersistent, 2);
    ASSERT_EQ(v.m_arcSrc.size(), 3u);
    EXPECT_EQ(v.m_arcSrc[0], CRect(20, 10, 40, 30));
    EXPECT_EQ(v.m_arcSrc[2], CRect(60, 50, 80, 70));

    const std::string saved = c.Saved();
    EXPECT_EQ(Between(saved, "#2001 BUTTONVIEW", "#end\n"), "#2001 BUTTONVIEW\n" + kView);
    CReadCockpit back(saved);
    const CCPButtonView& again = *back.manager.m_aButtonViews[0];
    EXPECT_EQ(again.m_arcSrc, v.m_arcSrc);
}

TEST(ButtonViewRecord, StatesComeFromTheSourceLinesAndWordsAreChecked)
{
    CRecordingUI ui;
    auto v = ReadView("states = 5;\n"
                      "srcloc = 1 2 3 4;\n\tSrcLoc = 5 6 7 8;\n\tsrcloc = 9 10 11 12;\n"
                      "destloc = Transparent 1 1 1 1;\n"
                      "destloc = opaque 5 6 7 8;\n"
                      "destloc = glass 1 2 3 4;\n"
                      "persistant = 2;\n"
                      "picture = x;\n"
                      "#end\n",
                      &ui);
    EXPECT_EQ(v->m_arcSrc.size(), 3u);
    EXPECT_FALSE(v->m_bTransparent);           // the bad word keeps the flag
    EXPECT_EQ(v->m_rcDest, CRect(2, 1, 4, 3)); // but the rectangle is taken
    EXPECT_EQ(v->m_nPersistent, 2);
    EXPECT_EQ(ui.Texts(),
              (std::vector<std::string>{
                  "Error in file at line 0,  Buttonview Bad transparency 'glass 1 2 3 4'",
                  "Error in file at line 0,  ButtonView Bad string 'picture'"}));
    EXPECT_NE(Written(*v).find("\tstates = 3;\n"), std::string::npos);
    EXPECT_NE(Written(*v).find("\tpersistant = 3;\n"), std::string::npos);

    auto persistent = ReadView("persistant = 1;\n#end\n");
    EXPECT_NE(Written(*persistent).find("\tpersistant = 1;\n"), std::string::npos);
}

TEST(ButtonViewStates, NextStateSourceEditsAndResizing)
{
    CCPButtonView v(nullptr);
    CRect rc;
    EXPECT_FALSE(v.GetSrcRect(&rc));
    v.NextState();
    EXPECT_EQ(v.m_nCurrentState, 0);

    v.m_arcSrc = {CRect(0, 0, 10, 10), CRect(10, 0, 20, 10), CRect(20, 0, 30, 10)};
    std::vector<int> seen;
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(v.GetSrcRect(&rc));
        seen.push_back(rc.left);
        v.NextState();
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 10, 20, 0}));
    EXPECT_EQ(v.m_nCurrentState, 1);
    const CRect moved(11, 1, 21, 11);
    v.SetSrcRect(&moved);
    EXPECT_EQ(v.m_arcSrc[1], moved);
    EXPECT_EQ(v.m_arcSrc[0], CRect(0, 0, 10, 10));

    // A move keeps the sources; a resize moves their edges with the destination's.
    v.m_rcDest = CRect(0, 0, 10, 10);
    const CRect shifted(5, 5, 15, 15);
    v.SetDestRect(&shifted);
    EXPECT_EQ(v.m_arcSrc[0], CRect(0, 0, 10, 10));
    const CRect wider(5, 5, 25, 15);
    v.SetDestRect(&wider);
    EXPECT_EQ(v.m_arcSrc[0], CRect(0, 0, 20, 10));
    EXPECT_EQ(v.m_arcSrc[2], CRect(20, 0, 40, 10));
    ASSERT_TRUE(v.GetDestRect(&rc));
    EXPECT_EQ(rc, wider);

    v.m_rcDest = CRect(0, 0, 4, 6);
    v.MakeSameSize();
    EXPECT_EQ(v.m_arcSrc[1], CRect(11, 1, 15, 7));

    // A state left over from a longer list reads nothing and changes nothing.
    v.m_arcSrc.resize(1);
    EXPECT_FALSE(v.GetSrcRect(&rc));
    v.SetSrcRect(&moved);
    EXPECT_EQ(v.m_arcSrc[0], CRect(0, 0, 4, 6));
}

TEST(ButtonViewDrawing, StatePicturesFromTheTemplateAndTheGreenFrame)
{
    CCPManager m;
    m.m_bmpTemplate = CBitmap(20, 10, 0xff0000ffu); // pure blue
    m.m_bmpTemplate.SetPixel(1, 1, 0xff00ff00u);
    for (int y = 0; y < 4; ++y)
        for (int x = 10; x < 14; ++x)
            m.m_bmpTemplate.SetPixel(x, y, 0xffffff00u);
    CCPButtonView v(&m);
    v.m_arcSrc = {CRect(0, 0, 4, 4), CRect(0, 0, 4, 4), CRect(10, 0, 14, 4)};
    v.m_rcDest = CRect(2, 2, 6, 6);

    QImage img = DrawView(v, 1.0f);
    EXPECT_EQ(img, WhiteImage(30, 30)); // state 0 shows the panel itself

    v.m_nCurrentState = 1;
    img = DrawView(v, 1.0f);
    EXPECT_EQ(At(img, 3, 3), 0x00ff00u);
    EXPECT_EQ(At(img, 2, 2), 0xffffffu); // blue is see-through
    v.m_bTransparent = false;
    img = DrawView(v, 1.0f);
    EXPECT_EQ(At(img, 2, 2), 0x0000ffu);

    v.m_nCurrentState = 2;
    img = DrawView(v, 2.0f);
    EXPECT_EQ(At(img, 4, 4), 0xffff00u);
    EXPECT_EQ(At(img, 11, 11), 0xffff00u);
    EXPECT_EQ(At(img, 12, 12), 0xffffffu);

    v.m_nCurrentState = 7; // beyond the list: nothing
    EXPECT_EQ(DrawView(v, 1.0f), WhiteImage(30, 30));

    img = DrawView(v, 2.0f, true);
    EXPECT_EQ(At(img, 4, 8), 0x00ff00u);
    EXPECT_EQ(At(img, 11, 8), 0x00ff00u);
    EXPECT_EQ(At(img, 8, 8), 0xffffffu);
    EXPECT_EQ(At(img, 12, 8), 0xffffffu);
}
