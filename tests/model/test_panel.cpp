#include "ccpbutton.h"
#include "ccpbuttonview.h"
#include "ccpmanager.h"
#include "ccppanel.h"
#include "ccpsurface.h"
#include "ccpsurfaceref.h"
#include "clinereader.h"
#include "cqtcanvas.h"
#include "readcockpit.h"
#include "recordtest.h"
#include "strformat.h"

#include <QPainter>

using namespace recordtest;

namespace {

// Forty OSB values with signs and fractions.
std::string OsbValues()
{
    std::string s;
    for (int i = 0; i < 40; ++i)
        s += StrFormat(" %g", (i % 5 - 2) * 0.5 + (i % 3) * 0.125);
    return s;
}

CCPPanel* AddPanel(CCPManager& m, int id)
{
    auto p = std::make_unique<CCPPanel>(&m);
    p->m_nId = id;
    CCPPanel* raw = p.get();
    m.AddPanel(std::move(p));
    return raw;
}

CCPButtonView* AddView(CCPManager& m, int id)
{
    auto v = std::make_unique<CCPButtonView>(&m);
    v->m_nId = id;
    CCPButtonView* raw = v.get();
    m.AddButtonView(std::move(v));
    return raw;
}

CCPSurfaceRef* AddRef(CCPPanel& p, int surfaceId)
{
    auto r = std::make_unique<CCPSurfaceRef>(p.m_pManager);
    r->m_nSurfaceId = surfaceId;
    CCPSurfaceRef* raw = r.get();
    p.m_aSurfaces.push_back(std::move(r));
    return raw;
}

std::vector<int> RefIds(const CCPPanel& p)
{
    std::vector<int> ids;
    for (const auto& r : p.m_aSurfaces)
        ids.push_back(r->m_nSurfaceId);
    return ids;
}

const std::string kFullPanel = "\tnumsurfaces = 2;\n"
                               "\tnumobjects = 3;\n"
                               "\tnumbuttonviews = 2;\n"
                               "\tdogeometry;\n"
                               "\tmfdleft = 300 10 500 210;\n"
                               "\tosbleft = " +
                               OsbValues() +
                               ";\n"
                               "\tmfdright = 300 600 500 800;\n"
                               "\tosbright = " +
                               OsbValues() +
                               ";\n"
                               "\thud = 20 200 180 600;\n"
                               "\trwr = 400 350 480 430;\n"
                               "\tmousebounds = 0 0 768 1024;\n"
                               "\tadjpanels =  -1 200 -1 -1 300 -1 -1 7;\n"
                               "\tsurfaces = 7 0 opaque 0 0 384 1024;\n"
                               "\tsurfaces = 8 1 transparent 384 0 768 1024;\n"
                               "\tobjects =  101 102 105;\n"
                               "\toffset = 5 -6;\n"
                               "\tbuttonviews =  103 104;\n"
                               "\tpantilt = 12.5 -3.25;\n"
                               "\thudfont = 1;\n"
                               "\tmfdfont = 2;\n"
                               "\tdedfont = 0;\n"
                               "\tmasktop = 150;\n"
                               "\tcursorid = 4;\n"
                               "#end\n";

} // namespace

TEST(PanelRecord, EveryKeyRoundTripsByteForByte)
{
    CReadCockpit c("// Name: Front\n#100 PANEL\n" + kFullPanel);
    EXPECT_TRUE(c.ui.m_aBoxes.empty());
    ASSERT_EQ(c.manager.m_aPanels.size(), 1u);
    const CCPPanel& p = *c.manager.m_aPanels[0];
    EXPECT_EQ(p.m_rcMfdLeft, CRect(10, 300, 210, 500));
    EXPECT_EQ(p.m_aOsbLeft[1], (CFloatPoint{0.25f, 0.5f}));
    EXPECT_FALSE(p.m_aSurfaces[0]->m_bTransparent);
    EXPECT_EQ(p.m_aSurfaces[1]->m_nPersistent, 1);
    EXPECT_EQ(p.m_anAdjPanels[CCPPanel::NW], 7);
    EXPECT_EQ(Between(c.Saved(), "\n// Name: Front", "#end\n"),
              "\n// Name: Front\r\n#100 PANEL\n" + kFullPanel.substr(0, kFullPanel.size() - 5));
}

TEST(PanelRecord, KeysIgnoreCaseAndOrderAndAreWrittenInTheirFixedOrder)
{
    std::string shuffled =
        "#100 PANEL\n"
        "CursorId = 4;\n\tMASKTOP = 150;\n\tDedFont = 0;\n\tMfdFont = 2;\n\tHudFont = 1;\n"
        "PanTilt = 12.5 -3.25;\n\tButtonViews = 103 104;\n\tOffset = 5 -6;\n"
        "Objects = 101 102 105;\n"
        "Surfaces = 7 0 OPAQUE 0 0 384 1024;\n"
        "SURFACES = 8 1 Transparent 384 0 768 1024;\n"
        "AdjPanels = -1 200 -1 -1 300 -1 -1 7;\n"
        "MouseBounds = 0 0 768 1024;\n\tRWR = 400 350 480 430;\n\tHUD = 20 200 180 600;\n"
        "OsbRight = " +
        OsbValues() +
        ";\n\tMfdRight = 300 600 500 800;\n"
        "OsbLeft = " +
        OsbValues() +
        ";\n\tMfdLeft = 300 10 500 210;\n"
        "DoGeometry;\n\tNumSurfaces = 9;\n\tNumObjects = 9;\n\tNumButtonViews = 9;\n"
        "#END\n";
    CReadCockpit c(shuffled);
    EXPECT_TRUE(c.ui.m_aBoxes.empty());
    EXPECT_EQ(Between(c.Saved(), "#100 PANEL", "#end\n"),
              "#100 PANEL\n" + kFullPanel.substr(0, kFullPanel.size() - 5));
}

TEST(PanelRecord, DefaultsAndConditionalKeys)
{
    // Empty areas (also inverted ones), unset fonts and empty id lists are left out; an empty
    // MFD takes its OSB points with it, which then read back as 0.
    CReadCockpit c("#100 PANEL\n"
                   "hud = 30 40 10 20;\n"
                   "osbleft = " +
                   OsbValues() +
                   ";\n"
                   "dedfont = -1;\n"
                   "#end\n");
    const std::string expected = "#100 PANEL\n"
                                 "\tnumsurfaces = 0;\n\tnumobjects = 0;\n\tnumbuttonviews = 0;\n"
                                 "\tadjpanels =  0 0 0 0 0 0 0 0;\n"
                                 "\toffset = 0 0;\n"
                                 "\tpantilt = 0 0;\n"
                                 "\tmasktop = 0;\n\tcursorid = 0;\n";
    const std::string saved = c.Saved();
    EXPECT_EQ(Between(saved, "#100 PANEL", "#end\n"), expected);

    CReadCockpit back(saved);
    EXPECT_EQ(back.manager.m_aPanels[0]->m_aOsbLeft[0], (CFloatPoint{0, 0}));

    // Made in the editor: no neighbours.
    CCPPanel fresh(nullptr);
    EXPECT_EQ(fresh.m_anAdjPanels, (std::array<int, 8>{-1, -1, -1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(fresh.m_nHudFont, -1);
}

TEST(PanelRecord, ValuesThatDoNotScanAndShortLists)
{
    // A later osbleft line with two numbers changes only the first point; a token that is no
    // number adds no id; surfaces lines add an entry per line even with a bad word.
    CReadCockpit c("#100 PANEL\n"
                   "osbleft = " +
                   OsbValues() +
                   ";\n"
                   "osbleft = 1 -1;\n"
                   "objects = 101 x 102 ;\n"
                   "buttonviews = 7,8 junk 9;\n"
                   "adjpanels = 1 2 three 4;\n"
                   "surfaces = 9 1 glass 1 2 3 4;\n"
                   "surfaces = 7 0 opaque 10 20 30 40;\n"
                   "colour = 3;\n"
                   "#end\n");
    const CCPPanel& p = *c.manager.m_aPanels[0];
    EXPECT_EQ(p.m_aOsbLeft[0], (CFloatPoint{1, -1}));
    CCPPanel reference(nullptr);
    CLineReader ar("osbleft = " + OsbValues() + ";\n#end\n");
    reference.Load(1, ar, "", nullptr);
    for (size_t i = 1; i < 20; ++i)
        EXPECT_EQ(p.m_aOsbLeft[i], reference.m_aOsbLeft[i]) << i;
    EXPECT_EQ(p.m_anObjects, (std::vector<int>{101, 102}));
    EXPECT_EQ(p.m_anButtonViews, (std::vector<int>{7, 8, 9}));
    EXPECT_EQ(p.m_anAdjPanels, (std::array<int, 8>{1, 2, 0, 0, 0, 0, 0, 0}));

    ASSERT_EQ(p.m_aSurfaces.size(), 2u);
    const CCPSurfaceRef& bad = *p.m_aSurfaces[0];
    EXPECT_EQ(bad.m_nSurfaceId, 9);
    EXPECT_EQ(bad.m_nPersistent, 1);
    EXPECT_TRUE(bad.m_bTransparent);
    EXPECT_EQ(bad.m_rcDest, CRect(2, 1, 4, 3));
    const CCPSurfaceRef& good = *p.m_aSurfaces[1];
    EXPECT_EQ(good.m_nSurfaceId, 7);
    EXPECT_EQ(good.m_nPersistent, 0);
    EXPECT_FALSE(good.m_bTransparent);
    EXPECT_EQ(good.m_rcDest, CRect(20, 10, 40, 30));
    EXPECT_EQ(good.m_nId, 0);

    EXPECT_EQ(c.ui.Texts(),
              (std::vector<std::string>{
                  "Error in file at line 7,  Panel Bad transparency '9 1 glass 1 2 3 4'",
                  "Error in file at line 9,  Panel Bad string 'colour'"}));
}

TEST(PanelIds, NextObjectIdSkipsEveryIdInUse)
{
    CCPManager m;
    CCPPanel* p = AddPanel(m, 100);
    p->m_anObjects = {101, 102};
    auto b = std::make_unique<CCPButton>(&m);
    b->m_nId = 103;
    m.AddButton(std::move(b));
    EXPECT_EQ(p->NextObjectId(), 104);

    p->m_anButtonViews = {104};
    auto elsewhere = std::make_unique<CCPObject>(&m); // an object of another panel
    elsewhere->m_nId = 105;
    m.AddObject(std::move(elsewhere));
    AddRef(*p, 106);
    auto surface = std::make_unique<CCPSurface>(&m);
    surface->m_nId = 107;
    m.AddSurface(std::move(surface));
    EXPECT_EQ(p->NextObjectId(), 108);

    // Ids of other kinds that the rule does not name do not block a number.
    AddPanel(m, 108);
    AddView(m, 108);
    EXPECT_EQ(p->NextObjectId(), 108);
}

TEST(PanelLists, RemoveRecordTakesOnlyThePanelsEntries)
{
    CCPManager m;
    CCPPanel* p = AddPanel(m, 100);
    CCPButtonView* v = AddView(m, 103);
    auto obj = std::make_unique<CCPObject>(&m);
    obj->m_nId = 101;
    CCPObject* o = obj.get();
    m.AddObject(std::move(obj));
    p->m_anObjects = {101, 102, 101};
    p->m_anButtonViews = {103, 104, 103};

    EXPECT_TRUE(p->RemoveRecord(v, true));
    EXPECT_EQ(p->m_anButtonViews, (std::vector<int>{104}));
    EXPECT_FALSE(p->RemoveRecord(v, true));
    EXPECT_TRUE(p->RemoveRecord(o, true));
    EXPECT_EQ(p->m_anObjects, (std::vector<int>{102}));
    EXPECT_EQ(m.FindButtonView(103), v); // the records stay with the manager
    EXPECT_EQ(m.FindObject(101), o);

    CCPSurfaceRef* kept = AddRef(*p, 7);
    AddRef(*p, 8);
    EXPECT_FALSE(p->RemoveRecord(kept, false));
    std::unique_ptr<CCPSurfaceRef> owned(kept); // released to us, still alive
    EXPECT_EQ(owned->m_nSurfaceId, 7);
    EXPECT_FALSE(p->HasSurfaceRef(kept));
    EXPECT_FALSE(p->RemoveRecord(p->m_aSurfaces[0].get(), true));
    EXPECT_TRUE(p->m_aSurfaces.empty());
}

TEST(PanelLists, InsertRecordAfterPlacesEachKindByItsAnchor)
{
    CCPManager m;
    CCPPanel* p = AddPanel(m, 100);
    CCPButtonView* v1 = AddView(m, 1);
    CCPButtonView* v2 = AddView(m, 2);
    CCPButtonView* v9 = AddView(m, 9); // not on the panel
    CCPButtonView* vNew = AddView(m, 5);
    CCPObject anchorObject(&m);
    anchorObject.m_nId = 20;

    p->m_anButtonViews = {1, 2};
    p->InsertRecordAfter(v1, vNew);
    EXPECT_EQ(p->m_anButtonViews, (std::vector<int>{1, 5, 2}));
    p->InsertRecordAfter(v9, vNew);
    EXPECT_EQ(p->m_anButtonViews, (std::vector<int>{1, 5, 2, 5}));
    p->InsertRecordAfter(&anchorObject, v2);
    EXPECT_EQ(p->m_anButtonViews, (std::vector<int>{1, 5, 2, 5, 2}));
    p->m_anButtonViews = {1, 2};
    p->InsertRecordAfter(nullptr, vNew);
    EXPECT_EQ(p->m_anButtonViews, (std::vector<int>{5, 1, 2}));

    CCPSurfaceRef* r7 = AddRef(*p, 7);
    CCPSurfaceRef* r8 = AddRef(*p, 8);
    p->InsertRecordAfter(r8, v2);
    EXPECT_EQ(p->m_anButtonViews, (std::vector<int>{2, 5, 1, 2}));

    auto newRef = [&](int id) {
        auto r = new CCPSurfaceRef(&m);
        r->m_nSurfaceId = id;
        return r;
    };
    p->InsertRecordAfter(r7, newRef(1));
    EXPECT_EQ(RefIds(*p), (std::vector<int>{7, 1, 8}));
    CCPSurfaceRef stranger(&m);
    p->InsertRecordAfter(&stranger, newRef(2));
    EXPECT_EQ(RefIds(*p), (std::vector<int>{7, 1, 8, 2}));
    p->InsertRecordAfter(v1, newRef(3));
    EXPECT_EQ(RefIds(*p), (std::vector<int>{7, 1, 8, 2, 3}));
    p->InsertRecordAfter(nullptr, newRef(4));
    EXPECT_EQ(RefIds(*p), (std::vector<int>{4, 7, 1, 8, 2, 3}));
    // An entry moved within the panel stays owned once.
    p->InsertRecordAfter(r8, r7);
    EXPECT_EQ(RefIds(*p), (std::vector<int>{4, 1, 8, 7, 2, 3}));
    p->InsertRecordAfter(r7, r7);
    EXPECT_EQ(RefIds(*p), (std::vector<int>{4, 1, 8, 7, 2, 3}));

    CCPObject o30(&m), o40(&m);
    o30.m_nId = 30;
    o40.m_nId = 40;
    p->m_anObjects = {10, 20};
    p->InsertRecordAfter(&anchorObject, &o30);
    EXPECT_EQ(p->m_anObjects, (std::vector<int>{10, 20, 30}));
    p->InsertRecordAfter(&o40, &o30);
    EXPECT_EQ(p->m_anObjects, (std::vector<int>{10, 20, 30, 30}));
    p->InsertRecordAfter(v1, &o40);
    p->InsertRecordAfter(r7, &o40);
    p->InsertRecordAfter(nullptr, &o40);
    EXPECT_EQ(p->m_anObjects, (std::vector<int>{40, 40, 40, 10, 20, 30, 30}));
}

TEST(PanelLists, OpenAdjacentOpensTheNeighboursSheet)
{
    CCPManager m;
    CRecordingEditor editor;
    editor.answer = IDOK;
    m.SetEditor(&editor);
    CCPPanel* p = AddPanel(m, 100);
    CCPPanel* east = AddPanel(m, 200);
    EXPECT_EQ(p->OpenAdjacent(200), IDOK);
    EXPECT_EQ(p->OpenAdjacent(999), 0);
    EXPECT_EQ(editor.opened, (std::vector<CCPObject*>{east}));
}

TEST(PanelOverlay, FramesAreasOsbSquaresAndTheDashedMaskLine)
{
    CCPManager m;
    m.SetScreenSize(120, 90);
    CCPPanel p(&m);
    p.m_rcMfdLeft = CRect(0, 0, 100, 100);
    p.m_aOsbLeft.fill(CFloatPoint{1, 1});
    p.m_rcHud = CRect(20, 150, 60, 170);
    p.m_rcMouseBounds = CRect(2, 2, 200, 200);
    p.m_nMaskTop = 180;

    QImage img = WhiteImage(300, 260);
    {
        QPainter painter(&img);
        CQtCanvas canvas(painter);
        p.DrawSelected(canvas, 1.0f);
    }
    const uint32_t red = 0xff0000, white = 0xffffff;
    EXPECT_EQ(At(img, 0, 50), red); // left MFD frame
    EXPECT_EQ(At(img, 99, 50), red);
    EXPECT_EQ(At(img, 100, 50), white);
    EXPECT_EQ(At(img, 95, 100), red); // OSB square 95,95 to 105,105
    EXPECT_EQ(At(img, 104, 104), red);
    EXPECT_EQ(At(img, 105, 105), white);
    EXPECT_EQ(At(img, 101, 101), white);
    EXPECT_EQ(At(img, 40, 150), red);  // HUD
    EXPECT_EQ(At(img, 2, 120), white); // mouse bounds are not drawn
    int redOnMask = 0;
    for (int x = 0; x < 120; ++x)
        redOnMask += At(img, x, 180) == red;
    EXPECT_GT(redOnMask, 40);
    EXPECT_LT(redOnMask, 120); // dashed
    for (int x = 120; x < 300; ++x)
        ASSERT_EQ(At(img, x, 180), white) << x; // ends at the screen width

    // At zoom 1.5 everything scales with truncation.
    img = WhiteImage(300, 300);
    {
        QPainter painter(&img);
        CQtCanvas canvas(painter);
        p.DrawSelected(canvas, 1.5f);
    }
    EXPECT_EQ(At(img, 149, 10), red);  // MFD right edge at 150
    EXPECT_EQ(At(img, 145, 145), red); // OSB square around 150,150
    EXPECT_EQ(At(img, 100, 100), white);
    redOnMask = 0;
    for (int x = 0; x < 300; ++x)
        redOnMask += At(img, x, 270) == red;
    EXPECT_GT(redOnMask, 60);
    EXPECT_EQ(At(img, 185, 270), white); // 120 * 1.5 = 180 is the end
}
