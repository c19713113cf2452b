#include "ccpbutton.h"
#include "ccppanel.h"
#include "ccpsound.h"
#include "clinereader.h"
#include "cqtcanvas.h"
#include "cqtimageloader.h"
#include "iimageloader.h"
#include "readcockpit.h"
#include "recordtest.h"
#include "testcockpit.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

std::string ManagerKeys(CReadCockpit& c)
{
    const std::string s = c.Saved();
    const size_t b = s.find("#0 MANAGER\n");
    const size_t e = s.find("#end\n", b);
    return s.substr(b, e + 5 - b);
}

} // namespace

TEST(ManagerRecord, KeysAreReadCaseInsensitivelyAndWrittenInFileOrder)
{
    CReadCockpit c("#0 MANAGER\n"
                   "numpanels = 99;\n"
                   "MouseBorder = 4;\n"
                   "labelfont = 8;\nhudfont = 1;\ndedfont = 2;\nmfdfont = 3;\npopupfont = 4;\n"
                   "saboxfont = 5;\nkneefont = 6;\ngeneralfont = 7;\n"
                   "hud = 10 20 30 40;\nrwr 1 2 3 4\nmfdleft = 0 0 0 0;\n"
                   "templatefile 256 128 tmpl.gif ;\n"
                   "bogus = 1;\n"
                   "#end\n");
    EXPECT_EQ(c.manager.m_rcHud, CRect(20, 10, 40, 30));
    EXPECT_EQ(ManagerKeys(c),
              std::string("#0 MANAGER\n") +
                  "\tnumsurfaces = 0;\n\tnumpanels = 0;\n\tnumcursors = 0;\n\tnumobjects = 0;\n"
                  "\tnumbuttons = 0;\n\tnumbuttonviews = 0;\n\tnumsounds = 0;\n"
                  "\tmouseborder = 4;\n\thudfont = 1;\n\tdedfont = 2;\n\tmfdfont = 3;\n"
                  "\tpopupfont = 4;\n\tsaboxfont = 5;\n\tkneefont = 6;\n\tgeneralfont = 7;\n"
                  "\tlabelfont = 8;\n\thud = 10 20 30 40;\n\trwr = 1 2 3 4;\n"
                  "\ttemplatefile 256 128 tmpl.gif;\n#end\n");
    // The unknown key is reported with its line; the missing template too.
    const auto texts = c.ui.Texts();
    ASSERT_GE(texts.size(), 1u);
    EXPECT_EQ(texts[0], "Error in file at line 16,  Manager Bad string 'bogus'");
}

TEST(ManagerRecord, GeometryFlagAndCockpit2dPair)
{
    CReadCockpit a("#0 MANAGER\ncockpit2d 5 6\n#end\n");
    EXPECT_NE(ManagerKeys(a).find("\tdogeometry;\n\tcockpit2d 5 6 ;\n#end\n"), std::string::npos);

    CReadCockpit b("#0 MANAGER\ndogeometry;\n#end\n");
    EXPECT_NE(ManagerKeys(b).find("\tdogeometry;\n\tcockpit2d 1196 1197 ;\n#end\n"),
              std::string::npos);

    CReadCockpit none("#0 MANAGER\n#end\n");
    EXPECT_EQ(ManagerKeys(none).find("dogeometry"), std::string::npos);

    CReadCockpit blank("#0 MANAGER\ntemplatefile 10 10 my file.gif;\n#end\n");
    EXPECT_EQ(blank.manager.m_strTemplateFile, "my");
}

TEST(ManagerIds, NextIdsFollowTheirRules)
{
    CCPManager m;
    EXPECT_EQ(m.NextSoundId(), 1);
    EXPECT_EQ(m.NextButtonId(), 1001);
    EXPECT_EQ(m.NextPanelId(), 100);
    for (int id : {3, 4}) {
        auto s = std::make_unique<CCPSound>(&m);
        s->m_nId = id;
        m.AddSound(std::move(s));
    }
    for (int id : {5, 900}) {
        auto b = std::make_unique<CCPButton>(&m);
        b->m_nId = id;
        m.AddButton(std::move(b));
    }
    for (int id : {100, 300}) {
        auto p = std::make_unique<CCPPanel>(&m);
        p->m_nId = id;
        m.AddPanel(std::move(p));
    }
    EXPECT_EQ(m.NextSoundId(), 5);
    EXPECT_EQ(m.NextButtonId(), 1001);
    EXPECT_EQ(m.NextPanelId(), 200);

    EXPECT_EQ(m.GetPanel(1)->m_nId, 300);
    EXPECT_EQ(m.GetPanel(2), nullptr);
    EXPECT_EQ(m.GetPanel(-1), nullptr);
    EXPECT_EQ(m.GetButton(2), nullptr);
    EXPECT_EQ(m.GetSound(7), nullptr);
    EXPECT_EQ(m.CreateObject(15), nullptr);
    EXPECT_EQ(m.CreateObject(18), nullptr);
    std::unique_ptr<CCPObject> panel(m.CreateObject(8));
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->IsPanel());
    EXPECT_EQ(panel->m_pManager, &m);
}

TEST(ManagerTemplate, DeclaredSizeDecidesTheBitmapAndFailuresKeepTheOldOne)
{
    CReadCockpit c;
    recordtest::CCountingLoader loader;
    c.manager.SetImageLoader(&loader);
    loader.picture = CBitmap(4, 4, 0xff112233u);
    loader.picture.SetPixel(3, 3, 0xff445566u);
    c.Read("#0 MANAGER\ntemplatefile 3 6 t.png;\n#end\n");
    const CBitmap& t = c.manager.m_bmpTemplate;
    ASSERT_EQ(t.Width(), 3);
    ASSERT_EQ(t.Height(), 6);
    EXPECT_EQ(t.Pixel(2, 2), 0xff112233u); // inside the picture
    EXPECT_EQ(t.Pixel(0, 5), 0xff000000u); // below the picture: black
    EXPECT_TRUE(c.ui.m_aBoxes.empty());

    // Unreadable picture: the message names the full path and says whether the file is
    // missing or not a picture; the old bitmap stays.
    loader.picture = CBitmap();
    c.manager.m_strTemplateFile = "gone.png";
    c.manager.LoadTemplate();
    ASSERT_EQ(c.ui.m_aBoxes.size(), 1u);
    EXPECT_EQ(c.ui.m_aBoxes[0].text, "gone.png\nI cannot read this file.\nThe file was not found.");
    EXPECT_EQ(c.manager.m_bmpTemplate.Width(), 3);
    CTempDir dir;
    dir.Write("notapicture.png", "text");
    c.manager.SetFolder(dir.Path() + "/");
    c.manager.m_strTemplateFile = "notapicture.png";
    c.manager.LoadTemplate();
    ASSERT_EQ(c.ui.m_aBoxes.size(), 2u);
    EXPECT_EQ(c.ui.m_aBoxes[1].text,
              dir.File("notapicture.png") +
                  "\nI cannot read this file.\n"
                  "This is not a valid image file, or its format is not currently supported.");
    c.ui.m_aBoxes.pop_back();
    c.manager.SetFolder(std::string());

    // Absurd declared sizes are refused before anything is allocated.
    loader.picture = CBitmap(2, 2);
    for (auto [w, h] : {std::pair{0, 10}, {-5, 10}, {20000, 10}, {16384, 16384}}) {
        c.manager.m_nTemplateWidth = w;
        c.manager.m_nTemplateHeight = h;
        c.manager.LoadTemplate();
        EXPECT_EQ(c.manager.m_bmpTemplate.Width(), 3) << w << "x" << h;
    }
    EXPECT_EQ(c.ui.m_aBoxes.size(), 5u);
}

TEST(ManagerBlits, OpaqueAndBlueKeyedCopiesScaleWithTruncation)
{
    CCPManager m;
    // 4x2 template: left half red, right half pure blue.
    m.m_bmpTemplate = CBitmap(4, 2, 0xffff0000u);
    for (int y = 0; y < 2; ++y)
        for (int x = 2; x < 4; ++x)
            m.m_bmpTemplate.SetPixel(x, y, 0xff0000ffu);

    QImage img(20, 10, QImage::Format_ARGB32_Premultiplied);
    img.fill(QColor(0, 255, 0));
    {
        QPainter p(&img);
        CQtCanvas canvas(p);
        // Dest (1,1,5,3) at zoom 1.5 -> (1,1,7,4): 6 wide, 3 high.
        m.BlitTransparent(1, 1, 5, 3, CRect(0, 0, 4, 2), canvas, 1.5f);
        m.BlitOpaque(10, 1, 14, 3, CRect(0, 0, 4, 2), canvas, 1.0f);
    }
    auto px = [&](int x, int y) { return img.pixel(x, y) & 0xffffffu; };
    EXPECT_EQ(px(1, 1), 0xff0000u);
    EXPECT_EQ(px(3, 3), 0xff0000u);
    EXPECT_EQ(px(5, 2), 0x00ff00u); // blue is see-through
    EXPECT_EQ(px(6, 3), 0x00ff00u);
    EXPECT_EQ(px(7, 1), 0x00ff00u); // right of the truncated rect
    EXPECT_EQ(px(1, 4), 0x00ff00u); // below it
    EXPECT_EQ(px(0, 1), 0x00ff00u);
    EXPECT_EQ(px(10, 1), 0xff0000u);
    EXPECT_EQ(px(13, 2), 0x0000ffu); // the opaque copy keeps blue
    EXPECT_EQ(px(14, 2), 0x00ff00u);
}

TEST(ManagerSettings, ResetKeepsTemplateNameScreenSizeAndComment)
{
    CCPManager m;
    m.m_strTemplateFile = "t.gif";
    m.m_strComment = "// c\r\n";
    m.SetScreenSize(800, 600);
    m.m_nHudFont = 3;
    m.m_nTemplateWidth = 9;
    m.m_nCockpit2d = {1, 2};
    m.m_astrLeftovers.push_back("#5 FOO\n");
    m.RemoveAll();
    EXPECT_EQ(m.m_strTemplateFile, "t.gif");
    EXPECT_EQ(m.m_strComment, "// c\r\n");
    EXPECT_EQ(m.m_nScreenWidth, 800);
    EXPECT_EQ(m.m_nHudFont, 0);
    EXPECT_EQ(m.m_nTemplateWidth, 0);
    EXPECT_EQ(m.m_nCockpit2d[0], 1196);
    EXPECT_TRUE(m.m_astrLeftovers.empty());
}

TEST(ManagerLookups, FirstRecordWithAnIdWinsAndIdChangesAreFollowed)
{
    CCPManager m;
    std::vector<CCPSound*> s;
    for (int id : {4, 7, 4}) {
        auto r = std::make_unique<CCPSound>(&m);
        r->m_nId = id;
        s.push_back(r.get());
        m.AddSound(std::move(r));
    }
    EXPECT_EQ(m.FindSound(4), s[0]);
    EXPECT_EQ(m.FindSound(5), nullptr);
    // The first one changes its id without telling anybody: the next look-up notices.
    s[0]->m_nId = 9;
    EXPECT_EQ(m.FindSound(4), s[2]);
    EXPECT_EQ(m.FindSound(9), s[0]);
    // A change the index could not see is followed once it is invalidated (sheets do so).
    s[1]->m_nId = 11;
    m.InvalidateIndex();
    EXPECT_EQ(m.FindSound(11), s[1]);
    EXPECT_EQ(m.FindSound(7), nullptr);

    auto a = std::make_unique<CCPButton>(&m), b = std::make_unique<CCPButton>(&m);
    a->m_nId = b->m_nId = 1001;
    m.AddButton(std::move(a));
    EXPECT_EQ(m.CountButtonsWithId(1001), 1);
    m.AddButton(std::move(b));
    EXPECT_EQ(m.CountButtonsWithId(1001), 2);
    m.Release(m.m_aButtons[0].get()).reset();
    EXPECT_EQ(m.CountButtonsWithId(1001), 1);
}
