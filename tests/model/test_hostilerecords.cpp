// Records read from files made to hurt: coordinates at the ends of the int range, surfaces
// that claim huge cuts, many buffers of one picture, ids at the top of the range and lines
// whose transparency word is missing.
#include "ccpbuffer.h"
#include "ccpbutton.h"
#include "ccpbuttonview.h"
#include "ccpmanager.h"
#include "ccppanel.h"
#include "ccpsound.h"
#include "ccpsurface.h"
#include "ccpsurfaceref.h"
#include "cqtcanvas.h"
#include "panelpaint.h"
#include "readcockpit.h"
#include "recordtest.h"
#include "testdata.h"

#include <QPainter>

#include <climits>
#include <new>

using namespace recordtest;

namespace {

uint32_t PositionColour(int x, int y)
{
    return uint32_t(x) << 16 | uint32_t(y) << 8 | 7u;
}

// Paints every panel of the cockpit as the panel view does, at the zoom, selection frames
// included, onto a small image: what lies off it is clipped.
void PaintEveryPanel(CCPManager& m, float zoom)
{
    QImage img(64, 64, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter painter(&img);
    CQtCanvas canvas(painter);
    for (const auto& panel : m.m_aPanels) {
        PaintPanel(m, *panel, canvas, zoom, kAllLayers, panel.get());
        for (const auto& ref : panel->m_aSurfaces)
            ref->DrawSelected(canvas, zoom);
        WalkPanel(m, *panel, kAllLayers, [&](CCPObject& r) {
            r.DrawSelected(canvas, zoom);
            return false;
        });
    }
}

// A loader that hands out one picture for every path.
struct CPictureScene
{
    CCountingLoader loader;
    CReadCockpit c;
    explicit CPictureScene(const std::string& fixture, CBitmap picture)
    {
        loader.picture = std::move(picture);
        c.manager.SetImageLoader(&loader);
        c.manager.SetFolder("/cockpits/");
        c.Read(TestData(fixture));
    }
};

} // namespace

TEST(ExtremeCoordinates, RectangleSizesAndZoomStayInsideTheIntRange)
{
    EXPECT_EQ(CRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX).Width(), INT_MAX);
    EXPECT_EQ(CRect(INT_MAX, INT_MAX, INT_MIN, INT_MIN).Height(), INT_MIN);
    EXPECT_EQ(CRect(-5, 0, 5, 3).Width(), 10);
    EXPECT_EQ(ScaledRect(CRect(INT_MIN, -3, INT_MAX, 1000000000), 2.0f),
              CRect(INT_MIN, -6, INT_MAX, 2000000000));
    EXPECT_EQ(ScaledRect(CRect(1500000000, 0, 7, 3), 2.0f), CRect(INT_MAX, 0, 14, 6));
}

TEST(ExtremeCoordinates, EveryRecordChecksStepsDrawsAndSavesWithoutOverflow)
{
    // Built with the undefined-behaviour sanitizer, any overflow here ends the test.
    CPictureScene s("hostile_extreme_coordinates.dat", PositionPicture(8, 8));
    CCPManager& m = s.c.manager;
    m.m_bmpTemplate = PositionPicture(16, 16);
    ASSERT_EQ(m.m_aPanels.size(), 2u);
    ASSERT_EQ(m.m_aObjects.size(), 13u);
    for (bool full : {false, true}) {
        CCheckMessageArray messages;
        m.Check(messages, full);
        EXPECT_FALSE(messages.empty());
    }
    for (int step = 0; step < 4; ++step) {
        for (float zoom : {1.0f, 2.0f, 0.5f})
            PaintEveryPanel(m, zoom);
        for (const auto& r : m.m_aObjects)
            r->NextState();
        for (const auto& r : m.m_aButtonViews)
            r->NextState();
    }
    // The values themselves survive a save.
    const std::string saved = s.c.Saved();
    EXPECT_NE(saved.find("\tsrcloc = -2147483648 -2147483648 2147483647 2147483647;\n"),
              std::string::npos);
    const std::string again = CReadCockpit(saved).Saved();
    EXPECT_EQ(CReadCockpit(again).Saved(), again);
}

TEST(SurfaceMemory, ACutNeverTakesMoreThanItsPictureHolds)
{
    // 25 surfaces each claiming an 8192 x 8192 cut of a 16 x 16 picture.
    CPictureScene s("hostile_big_surfaces.dat", PositionPicture(16, 16));
    CCPManager& m = s.c.manager;
    ASSERT_EQ(m.m_aSurfaces.size(), 25u);
    QImage img(64, 64, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter painter(&img);
        CQtCanvas canvas(painter);
        for (const auto& ref : m.m_aPanels[0]->m_aSurfaces)
            ref->Draw(canvas, 1.0f);
    }
    // One picture in memory for all of them, read once.
    EXPECT_EQ(s.loader.paths.size(), 1u);
    EXPECT_EQ(m.PictureBytesInUse(), 16u * 16u * 4u);
    EXPECT_TRUE(s.c.ui.m_aBoxes.empty());
    // Surface 1 is drawn 1:1 from the picture's corner; past the picture the cut is black.
    EXPECT_EQ(At(img, 1, 1), PositionColour(1, 1));
    EXPECT_EQ(At(img, 15, 15), PositionColour(15, 15));
    EXPECT_EQ(At(img, 16, 16), 0u);
    EXPECT_EQ(At(img, 30, 2), 0u);
    // Surface 2 cuts from (-4, -4): its first four columns and rows are black.
    EXPECT_EQ(At(img, 35, 35), 0u);
    EXPECT_EQ(At(img, 36, 36), PositionColour(0, 0));
    EXPECT_EQ(At(img, 51, 40), PositionColour(15, 4));
    EXPECT_EQ(At(img, 52, 40), 0u);
}

TEST(SurfaceMemory, BuffersOfOnePictureShareItAndABudgetBoundsThemAll)
{
    // 200 buffers name one file, each with a surface on the panel.
    CPictureScene s("hostile_shared_buffers.dat", PositionPicture(32, 32));
    CCPManager& m = s.c.manager;
    ASSERT_EQ(m.m_aBuffers.size(), 200u);
    PaintEveryPanel(m, 1.0f);
    EXPECT_EQ(s.loader.paths.size(), 1u);
    EXPECT_EQ(m.PictureBytesInUse(), 32u * 32u * 4u);
    EXPECT_EQ(m.m_aBuffers[0]->GetPicture(), m.m_aBuffers[199]->GetPicture());

    // Refresh lets every holder go: the file is read again, once.
    m.m_aPanels[0]->ReloadSurfaces();
    EXPECT_EQ(m.PictureBytesInUse(), 0u);
    PaintEveryPanel(m, 1.0f);
    EXPECT_EQ(s.loader.paths.size(), 2u);

    // Beyond the budget a picture is not loaded, and the user is told which and why.
    m.m_aPanels[0]->ReloadSurfaces();
    m.SetPictureBudget(32 * 32 * 4 - 1);
    PaintEveryPanel(m, 1.0f);
    EXPECT_EQ(m.PictureBytesInUse(), 0u);
    ASSERT_FALSE(s.c.ui.m_aBoxes.empty());
    EXPECT_EQ(s.c.ui.m_aBoxes[0].text,
              m.FullPath("shared.png") +
                  "\nThis picture is not loaded: with it the pictures of the cockpit "
                  "would take more than 4095 bytes of memory.");
}

TEST(SurfaceMemory, ALoaderOutOfMemoryBecomesAMessage)
{
    struct CFailingLoader : IImageLoader
    {
        bool Load(const std::string&, CBitmap&) override { throw std::bad_alloc(); }
    } loader;
    CReadCockpit c;
    c.manager.SetImageLoader(&loader);
    c.manager.SetFolder("/cockpits/");
    c.Read(TestData("hostile_shared_buffers.dat"));
    PaintEveryPanel(c.manager, 1.0f);
    ASSERT_EQ(c.ui.m_aBoxes.size(), 200u); // once per buffer
    EXPECT_EQ(
        c.ui.m_aBoxes[0].text,
        "/cockpits/shared.png\nThis picture is not loaded: there is not enough memory for it.");

    // The template likewise.
    c.ui.m_aBoxes.clear();
    c.Read(TestData("hostile_repeated_manager.dat"));
    ASSERT_EQ(c.ui.m_aBoxes.size(), 11u);
    EXPECT_EQ(c.ui.m_aBoxes[0].text,
              "/cockpits/t.png\nThis picture is not loaded: there is not enough memory for it.");
}

TEST(ManagerTemplate, ATemplateNamedByManyManagerRecordsIsDecodedOncePerLoad)
{
    CPictureScene s("hostile_repeated_manager.dat", PositionPicture(8, 8));
    EXPECT_EQ(s.loader.paths.size(), 1u);
    // The records still apply in order: the last one's values stand.
    EXPECT_EQ(s.c.manager.m_nMouseBorder, 50);
    EXPECT_EQ(s.c.manager.m_bmpTemplate.Width(), 8);
    // The next load decodes again; a template that cannot be read is told once per record.
    s.loader.picture = CBitmap();
    s.c.Read(TestData("hostile_repeated_manager.dat"));
    EXPECT_EQ(s.loader.paths.size(), 2u);
    EXPECT_EQ(s.c.ui.m_aBoxes.size(), 11u); // ten boxes and the summary of the other 40
    EXPECT_NE(s.c.ui.m_aBoxes.back().text.find("40 more errors"), std::string::npos);
}

TEST(SurfaceRecords, ABufferWithAnEmptyFileNameIsStillWritten)
{
    CReadCockpit c(TestData("hostile_empty_buffer_name.dat"));
    const std::string saved = c.Saved();
    EXPECT_EQ(Between(saved, "\n#4 BUFFER", "// END OF"),
              "\n#4 BUFFER\n\tfilename = ;\n\tbuffersize = 16 16;\n#end\n"
              "\n#20 SURFACE\n\tfilename = ;\n\tsrcloc = 0 0 8 8;\n#end\n"
              "\n#21 SURFACE\n\tfilename = ;\n\tsrcloc = 8 8 16 16;\n#end\n");
    // Read back, both surfaces still cut from that buffer.
    CReadCockpit back(saved);
    ASSERT_EQ(back.manager.m_aSurfaces.size(), 2u);
    for (const auto& surface : back.manager.m_aSurfaces)
        EXPECT_NE(surface->m_pBuffer, nullptr);
    EXPECT_EQ(back.Saved(), saved);
}

TEST(ManagerIds, NewSoundAndButtonIdsNeverPassTheIntRange)
{
    CReadCockpit c(TestData("hostile_top_ids.dat"));
    const CCPManager& m = c.manager;
    // The highest ids are taken: the lowest free ones are proposed instead.
    EXPECT_EQ(m.NextSoundId(), 2);
    EXPECT_EQ(m.NextButtonId(), 1002);
    CReadCockpit low("#5 SOUND\n#end\n#1200 BUTTON\n#end\n");
    EXPECT_EQ(low.manager.NextSoundId(), 6);
    EXPECT_EQ(low.manager.NextButtonId(), 1201);
}

TEST(TransparencyWords, AMissingOrUnreachedWordIsReported)
{
    CReadCockpit c(TestData("hostile_missing_transparency.dat"));
    EXPECT_EQ(c.ui.Texts(),
              (std::vector<std::string>{
                  "Error in file at line 3,  Panel Bad transparency '8'",
                  "Error in file at line 4,  Panel Bad transparency 'points 0 opaque 0 0 32 32'",
                  "Error in file at line 5,  Panel Bad transparency ''",
                  "Error in file at line 6,  Panel Bad transparency '9 0 clear 0 0 4 4'",
                  "Error in file at line 12,  Buttonview Bad transparency ''",
                  "Error in file at line 17,  Buttonview Bad transparency '1 2 3 4'",
                  "Error in file at line 21,  Adi Bad Transparency Type ''",
                  "Error in file at line 24,  HSI Bad transparency ''",
                  "Error in file at line 27,  MachAsi Bad transparency ''",
              }));
    // What is stored stays as the scan leaves it: every entry is added, the flags keep their
    // defaults.
    const CCPManager& m = c.manager;
    ASSERT_EQ(m.m_aPanels.size(), 1u);
    const auto& refs = m.m_aPanels[0]->m_aSurfaces;
    ASSERT_EQ(refs.size(), 5u);
    EXPECT_EQ(refs[0]->m_nSurfaceId, 8);
    EXPECT_TRUE(refs[0]->m_bTransparent);
    EXPECT_EQ(refs[3]->m_rcDest, CRect(0, 0, 4, 4));
    EXPECT_FALSE(refs[4]->m_bTransparent);
    ASSERT_EQ(m.m_aButtonViews.size(), 2u);
    EXPECT_EQ(m.m_aButtonViews[0]->m_rcDest, CRect(0, 0, 10, 10));
    EXPECT_TRUE(m.m_aButtonViews[0]->m_bTransparent);
}
