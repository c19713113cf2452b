#include "ccpbuffer.h"
#include "ccpmanager.h"
#include "ccppanel.h"
#include "ccpsound.h"
#include "ccpsurface.h"
#include "ccpsurfaceref.h"
#include "clinereader.h"
#include "cqtcanvas.h"
#include "readcockpit.h"
#include "recordtest.h"
#include "testcockpit.h"
#include "testdata.h"

#include <QPainter>

using namespace recordtest;

namespace {

QImage Paint(CCPObject& r, float scale, bool selected = false, QColor background = Qt::white)
{
    QImage img(40, 40, QImage::Format_RGB32);
    img.fill(background);
    QPainter painter(&img);
    CQtCanvas canvas(painter);
    if (selected)
        r.DrawSelected(canvas, scale);
    else
        r.Draw(canvas, scale);
    return img;
}

// A manager with one panel 100 whose only entry shows SURFACE 7, cut from bg.gif.
struct CSurfaceScene
{
    CRecordingUI ui;
    CCountingLoader loader;
    CCPManager m;
    CCPBuffer* buffer = nullptr;
    CCPSurface* surface = nullptr;
    CCPPanel* panel = nullptr;
    CCPSurfaceRef* ref = nullptr;

    CSurfaceScene()
    {
        m.SetUserInterface(&ui);
        m.SetImageLoader(&loader);
        m.SetFolder("/cockpits/");
        auto b = std::make_unique<CCPBuffer>(&m);
        b->SetFile("bg.gif");
        buffer = b.get();
        m.AddBuffer(std::move(b));
        auto s = std::make_unique<CCPSurface>(&m);
        s->m_nId = 7;
        s->m_pBuffer = buffer;
        s->m_rcSrc = CRect(5, 5, 9, 9);
        surface = s.get();
        m.AddSurface(std::move(s));
        auto p = std::make_unique<CCPPanel>(&m);
        p->m_nId = 100;
        panel = p.get();
        m.AddPanel(std::move(p));
        auto r = std::make_unique<CCPSurfaceRef>(&m);
        r->m_nSurfaceId = 7;
        r->m_rcDest = CRect(10, 10, 13, 13);
        ref = r.get();
        panel->m_aSurfaces.push_back(std::move(r));
    }
};

} // namespace

TEST(SurfaceRecords, BuffersAreWrittenBeforeTheSurfacesThatStartANewFile)
{
    CReadCockpit c(TestData("surfaces_buffers_order.dat"));
    EXPECT_TRUE(c.ui.m_aBoxes.empty());
    const std::string saved = c.Saved();
    EXPECT_EQ(Between(saved, "\n#7 SURFACE", "// END OF"),
              "\n#7 SURFACE\n\tfilename = early.gif;\n\tsrcloc = 1 2 3 4;\n#end\n"
              "\n// the picture\r\n#1 BUFFER\n\tfilename = a.gif;\n\tbuffersize = 640 480;\n#end\n"
              "\n#8 SURFACE\n\tfilename = a.gif;\n\tsrcloc = 0 0 10 10;\n#end\n"
              "\n#9 SURFACE\n\tfilename = A.GIF;\n\tsrcloc = 0 0 10 10;\n#end\n"
              "\n#2 BUFFER\n\tfilename = b.gif;\n\tbuffersize = 10 20;\n#end\n"
              // a single all-zero rectangle is left out
              "\n#10 SURFACE\n\tfilename = b.gif;\n#end\n");
    EXPECT_EQ(saved.find("#12 SURFACE"), std::string::npos); // no panel used it

    // Reading the result back gives the same file.
    CReadCockpit back(saved);
    EXPECT_EQ(back.Saved(), Between(saved, "", "\n#10 SURFACE") +
                                "\n#10 SURFACE\n\tfilename = b.gif;\n\tsrcloc = 0 0 10 10;\n#end\n"
                                "// END OF THINGS WE KNOW ABOUT\n");
}

TEST(SurfaceRecords, UnknownKeysAreReportedWithTheirLine)
{
    CReadCockpit c(TestData("surfaces_unknown_keys.dat"));
    EXPECT_EQ(c.ui.Texts(),
              (std::vector<std::string>{"Error in file at line 2,  Buffer Bad string 'size'",
                                        "Error in file at line 5,  Surface Bad string 'src'",
                                        "Error in file at line 8,  Sound Bad string 'index'"}));
}

TEST(SoundRecord, EntryReadsLeadingDigitsAndTextAsZero)
{
    CReadCockpit c(TestData("sounds_entries.dat"));
    const auto& sounds = c.manager.m_aSounds;
    ASSERT_EQ(sounds.size(), 3u);
    EXPECT_EQ(sounds[1]->m_nEntry, 12);
    EXPECT_EQ(sounds[2]->m_nEntry, 0);
    EXPECT_EQ(Between(c.Saved(), "\n// Name: Click", "\n#4 SOUND"),
              "\n// Name: Click\r\n#3 SOUND\n\tentry = 3;\n#end\n");
}

TEST(BufferRecord, EmbeddedAndNewBuffersWriteTheirKeys)
{
    CLineReader ar("filename = a.gif;\nbuffersize = 640 480;\n#end\n");
    CCPBuffer read(4, ar, "", nullptr);
    CLineWriter embedded;
    read.Write(embedded, true);
    EXPECT_EQ(embedded.Data(), "\tfilename = a.gif;\n\tbuffersize = 640 480;\n#end\n");

    CCPBuffer fresh(nullptr);
    EXPECT_EQ(Written(fresh), "\n#0 BUFFER\n\tfilename = ;\n\tbuffersize = 0 0;\n#end\n");
}

TEST(SurfaceDrawing, CutIsCopiedOnceAndStretchedOverTheInclusiveDestination)
{
    CSurfaceScene s;
    s.loader.picture = PositionPicture(20, 20);
    QImage img = Paint(*s.ref, 1.0f);
    EXPECT_EQ(At(img, 10, 10), TemplateRgb(5, 5));
    EXPECT_EQ(At(img, 13, 13), TemplateRgb(8, 8)); // right and bottom are drawn too
    EXPECT_EQ(At(img, 14, 14), 0xffffffu);
    EXPECT_EQ(At(img, 9, 9), 0xffffffu);

    img = Paint(*s.ref, 2.0f);
    EXPECT_EQ(At(img, 21, 21), TemplateRgb(5, 5));
    EXPECT_EQ(At(img, 27, 27), TemplateRgb(8, 8));
    EXPECT_EQ(At(img, 28, 28), 0xffffffu);
    EXPECT_EQ(s.loader.paths, (std::vector<std::string>{s.m.FullPath("bg.gif")}));

    // Moving the entry also moves the cut; the kept picture serves it.
    const CRect corner(0, 0, 2, 2);
    s.ref->SetDestRect(&corner);
    EXPECT_EQ(s.surface->m_rcSrc, corner);
    img = Paint(*s.ref, 1.0f);
    EXPECT_EQ(At(img, 0, 0), TemplateRgb(0, 0));
    EXPECT_EQ(s.loader.paths.size(), 1u);

    // Refresh reads the file again.
    s.panel->ReloadSurfaces();
    Paint(*s.ref, 1.0f);
    EXPECT_EQ(s.loader.paths.size(), 2u);
    EXPECT_TRUE(s.ui.m_aBoxes.empty());

    // The selection frame is white, on the scaled destination.
    img = Paint(*s.ref, 2.0f, true, Qt::black);
    EXPECT_EQ(At(img, 0, 0), 0xffffffu);
    EXPECT_EQ(At(img, 3, 2), 0xffffffu);
    EXPECT_EQ(At(img, 4, 4), 0u);
}

TEST(SurfaceDrawing, UnreadablePictureIsReportedOncePerLoadAndMissingPartsDrawNothing)
{
    CSurfaceScene s; // the loader has no picture
    Paint(*s.ref, 1.0f);
    Paint(*s.ref, 1.0f);
    EXPECT_EQ(s.ui.Texts(), (std::vector<std::string>{ImageErrorText(s.m.FullPath("bg.gif"))}));
    s.panel->ReloadSurfaces();
    Paint(*s.ref, 1.0f);
    EXPECT_EQ(s.ui.m_aBoxes.size(), 2u);

    s.loader.picture = PositionPicture(20, 20);
    s.surface->m_pBuffer = nullptr;
    s.surface->ResetImage();
    EXPECT_EQ(Paint(*s.ref, 1.0f), Paint(*s.panel, 1.0f)); // no buffer: nothing at all
    s.surface->m_pBuffer = s.buffer;
    s.ref->m_nSurfaceId = 99;
    EXPECT_EQ(Paint(*s.ref, 1.0f), Paint(*s.panel, 1.0f)); // no SURFACE record
    s.panel->ReloadSurfaces();
    EXPECT_EQ(s.loader.paths.size(), 2u);
}

TEST(SurfaceEntries, AttachNewSurfaceAsksForThePanelsFirstPictureOnly)
{
    CTestCockpit c("#100 PANEL\n\tmasktop = 1;\n#end\n");
    CCPManager& m = c.doc.m_manager;
    CCPPanel* panel = m.m_aPanels[0].get();
    c.doc.SetCurrentPanel(panel);
    auto newEntry = [&] { return std::unique_ptr<CCPObject>(m.CreateObject(0)); };

    EXPECT_FALSE(c.doc.InsertObject(newEntry(), false)); // the Buffer dialog was cancelled
    EXPECT_TRUE(panel->m_aSurfaces.empty());
    EXPECT_TRUE(m.m_aSurfaces.empty());
    EXPECT_TRUE(m.m_aBuffers.empty());

    int asked = 0;
    c.ui.m_nBufferAnswer = IDOK;
    c.ui.m_fnFillBuffer = [&](CCPBuffer& b) {
        ++asked;
        b.m_strFile = "bg.gif";
        b.m_nWidth = 640;
        b.m_nHeight = 480;
    };
    ASSERT_TRUE(c.doc.InsertObject(newEntry(), false));
    ASSERT_TRUE(c.doc.InsertObject(newEntry(), false));
    EXPECT_EQ(asked, 1);
    ASSERT_EQ(panel->m_aSurfaces.size(), 2u);
    EXPECT_EQ(panel->m_aSurfaces[1]->m_nSurfaceId, 102);
    ASSERT_EQ(m.m_aBuffers.size(), 1u);
    EXPECT_EQ(m.m_aBuffers[0]->m_strPath, m.FullPath("bg.gif"));
    ASSERT_NE(m.FindSurface(102), nullptr);
    EXPECT_EQ(m.FindSurface(102)->m_pBuffer, m.m_aBuffers[0].get());

    const std::string saved = c.Saved();
    // The first is the background: the whole picture over the whole screen, opaque.
    EXPECT_NE(saved.find("\tsurfaces = 101 0 opaque 0 0 768 1024;\n\tsurfaces = 102 0 "
                         "transparent 0 0 10 10;\n"),
              std::string::npos)
        << saved;
    EXPECT_EQ(Between(saved, "\n#0 BUFFER", "// END OF"),
              "\n#0 BUFFER\n\tfilename = bg.gif;\n\tbuffersize = 640 480;\n#end\n"
              "\n#101 SURFACE\n\tfilename = bg.gif;\n\tsrcloc = 0 0 480 640;\n#end\n"
              "\n#102 SURFACE\n\tfilename = bg.gif;\n\tsrcloc = 0 0 10 10;\n#end\n");
}

TEST(SurfaceEntries, AttachNewSurfaceWithoutAUserOrAFirstSurface)
{
    CCPManager m; // nobody to show the Buffer dialog to
    CCPPanel panel(&m);
    panel.m_nId = 100;
    CCPSurfaceRef entry(&m);
    entry.m_nId = 101;
    EXPECT_EQ(entry.AttachNewSurface(&panel), IDCANCEL);
    EXPECT_TRUE(m.m_aSurfaces.empty());

    auto first = std::make_unique<CCPSurfaceRef>(&m);
    first->m_nSurfaceId = 55; // names no SURFACE record
    panel.m_aSurfaces.push_back(std::move(first));
    EXPECT_EQ(entry.AttachNewSurface(&panel), IDOK);
    ASSERT_NE(m.FindSurface(101), nullptr);
    EXPECT_EQ(m.FindSurface(101)->m_pBuffer, nullptr);
    EXPECT_EQ(m.FindSurface(101)->m_strFile, "");
}
