#include "ccliapp.h"
#include "ccliqtpart.h"
#include "ccpadi.h"
#include "ccpbuffer.h"
#include "ccpbutton.h"
#include "ccpbuttonview.h"
#include "ccpdial.h"
#include "ccpdigits.h"
#include "ccphsi.h"
#include "ccpindicator.h"
#include "ccplight.h"
#include "ccpmanager.h"
#include "ccppanel.h"
#include "ccpsound.h"
#include "ccpsurface.h"
#include "ccpsurfaceref.h"
#include "cqtimageloader.h"
#include "panelimage.h"
#include "panelpaint.h"
#include "testcockpit.h"
#include "testdata.h"

#include <QImage>
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

// The demo cockpit in examples/ is what a new user opens first: it must load silently, pass the
// full check, survive a save unchanged and draw every panel.

namespace {

const std::string kDemo = ExamplePath("10_demo.dat");

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// The demo opened as the editor opens it, with every message recorded.
struct CDemo
{
    CRecordingUI ui;
    CQtImageLoader loader;
    CVireoDoc doc;
    bool opened = false;

    CDemo()
    {
        doc.SetUserInterface(&ui);
        doc.m_manager.SetImageLoader(&loader);
        opened = doc.OnOpenDocument(kDemo);
    }
    CCPManager& M() { return doc.m_manager; }
};

struct CRun
{
    int code;
    std::string out, err;
};

CRun Cli(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    CCliApp app(out, err, LinkedQtPart());
    const int code = app.Run(args);
    return {code, out.str(), err.str()};
}

// Paints a panel as the panel view does: surfaces, then button views, then objects.
QImage Paint(CCPManager& m, CCPPanel& panel)
{
    return PaintPanelImage(m, panel, 1.0f).convertToFormat(QImage::Format_ARGB32);
}

bool RegionDiffers(const QImage& a, const QImage& b, const CRect& rc)
{
    for (int y = std::max(rc.top, 0); y < std::min(rc.bottom, a.height()); ++y)
        for (int x = std::max(rc.left, 0); x < std::min(rc.right, a.width()); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return true;
    return false;
}

std::string NameOf(const CCPObject& r)
{
    std::string name;
    return r.GetName(name) ? name : "(" + r.GetTypeName() + " " + std::to_string(r.m_nId) + ")";
}

} // namespace

TEST(DemoCockpit, LoadsWithoutAMessageAndPassesTheFullCheck)
{
    CDemo demo;
    ASSERT_TRUE(demo.opened);
    EXPECT_TRUE(demo.ui.m_aBoxes.empty()) << demo.ui.Texts().front();
    CCPManager& m = demo.M();
    EXPECT_EQ(m.m_nScreenWidth, 1024);
    EXPECT_EQ(m.m_nScreenHeight, 768);
    EXPECT_GE(m.m_aPanels.size(), 3u);
    EXPECT_FALSE(m.m_bmpTemplate.IsNull());

    size_t entries = 0;
    for (const auto& panel : m.m_aPanels)
        entries += panel->m_aSurfaces.size();
    EXPECT_EQ(m.m_aSurfaces.size(), entries);
    CCheckMessageArray messages;
    EXPECT_TRUE(m.Check(messages, true));
    for (const CCheckMessage& msg : messages)
        ADD_FAILURE() << msg.m_strMessage;
    // The check drops orphan surfaces: the demo has none.
    EXPECT_EQ(m.m_aSurfaces.size(), entries);

    // Every record carries a name, and every instrument type appears at least once.
    std::set<std::string> types;
    auto named = [&](const CCPObject& r) {
        std::string name;
        EXPECT_TRUE(r.GetName(name) && !name.empty())
            << r.GetTypeName() << " " << r.m_nId << " has no name";
        types.insert(r.GetTypeName());
    };
    named(m);
    for (const auto& r : m.m_aSounds)
        named(*r);
    for (const auto& r : m.m_aButtons)
        named(*r);
    for (const auto& r : m.m_aButtonViews)
        named(*r);
    for (const auto& r : m.m_aPanels)
        named(*r);
    for (const auto& r : m.m_aSurfaces)
        named(*r);
    for (const auto& r : m.m_aBuffers)
        named(*r);
    for (const auto& r : m.m_aObjects)
        named(*r);
    for (const char* type :
         {"Light", "Digits", "Adi", "Hsi", "Dial", "Indicator", "Text", "Ded", "Chevron",
          "LiftLine", "MachAsi", "KneeView", "ButtonView", "Button", "Sound"})
        EXPECT_TRUE(types.count(type)) << "no " << type << " in the demo";

    // Buttons have sounds and views whose states match theirs.
    for (const auto& b : m.m_aButtons) {
        EXPECT_NE(m.FindSound(b->m_nSound1), nullptr) << NameOf(*b);
        EXPECT_GE(b->m_nNumViews, 1) << NameOf(*b);
    }
}

TEST(DemoCockpit, IsStoredExactlyAsSaveWritesIt)
{
    CTempDir dir;
    const CRun first = Cli({"format", kDemo, "-o", dir.File("10_once.dat")});
    ASSERT_EQ(first.code, 0) << first.err;
    EXPECT_EQ(first.err, "");
    const std::string once = dir.Read("10_once.dat");
    EXPECT_EQ(once, ReadBytes(kDemo)) << "the demo is not in saved form: run vireo-drawdemo again";
    // Formatting the saved form again changes nothing (the images stay behind, so only the
    // bytes matter here).
    const CRun second = Cli({"format", dir.File("10_once.dat"), "-o", "-"});
    ASSERT_EQ(second.code, 0);
    EXPECT_EQ(second.out, once);
}

TEST(DemoCockpit, EveryPanelDrawsItsSurfacesAndChangesWithItsStates)
{
    CDemo demo;
    ASSERT_TRUE(demo.opened);
    CCPManager& m = demo.M();
    for (const auto& panel : m.m_aPanels) {
        SCOPED_TRACE("panel " + NameOf(*panel));
        // Button views and lights of the panel, stepped into state 1 for the second picture.
        std::vector<std::pair<CCPObject*, CRect>> stateful;
        WalkPanel(m, *panel, kAllLayers, [&](CCPObject& r) {
            if (auto* v = dynamic_cast<CCPButtonView*>(&r))
                stateful.emplace_back(v, v->m_rcDest);
            else if (auto* light = dynamic_cast<CCPLight*>(&r))
                stateful.emplace_back(light, light->m_rcDest);
            return false;
        });

        const QImage rest = Paint(m, *panel);
        for (const auto& [record, rc] : stateful)
            record->NextState();
        const QImage stepped = Paint(m, *panel);
        ASSERT_EQ(rest.size(), QSize(1024, 768));

        // Opaque wherever a surface lies, see-through above the mask line where none does.
        ASSERT_FALSE(panel->m_aSurfaces.empty());
        for (const auto& ref : panel->m_aSurfaces) {
            const CRect& d = ref->m_rcDest;
            for (int y = d.top; y < d.bottom; y += 5)
                for (int x = d.left; x < d.right; x += 5)
                    ASSERT_EQ(qAlpha(rest.pixel(x, y)), 255) << "hole at " << x << "," << y;
        }
        ASSERT_GT(panel->m_nMaskTop, 0);
        EXPECT_EQ(qAlpha(rest.pixel(2, panel->m_nMaskTop / 2)), 0);

        // Every button view and light shows something else in state 1.
        EXPECT_FALSE(stateful.empty());
        for (const auto& [record, rc] : stateful)
            EXPECT_TRUE(RegionDiffers(rest, stepped, rc))
                << NameOf(*record) << " looks the same in state 1";
    }
}

// The panel picture shows each button and light as its state 0 piece does, so nothing jumps
// when the simulator first draws them.
TEST(DemoCockpit, StateZeroPiecesMatchThePanelPictures)
{
    CDemo demo;
    ASSERT_TRUE(demo.opened);
    CCPManager& m = demo.M();
    const QImage tmpl = QImage(QString::fromStdString(ExamplePath(m.m_strTemplateFile)))
                            .convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(tmpl.isNull());
    for (const auto& panel : m.m_aPanels) {
        ASSERT_FALSE(panel->m_aSurfaces.empty());
        const CCPSurface* surface = m.FindSurface(panel->m_aSurfaces.front()->m_nSurfaceId);
        ASSERT_TRUE(surface && surface->m_pBuffer);
        const QImage bg = QImage(QString::fromStdString(surface->m_pBuffer->m_strPath))
                              .convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(bg.isNull());
        auto compare = [&](const CCPObject& r, const CRect& src, const CRect& dest, bool keyed) {
            ASSERT_EQ(src.Width(), dest.Width());
            ASSERT_EQ(src.Height(), dest.Height());
            int off = 0, counted = 0;
            for (int y = 0; y < src.Height(); ++y)
                for (int x = 0; x < src.Width(); ++x) {
                    const QRgb a = tmpl.pixel(src.left + x, src.top + y);
                    if (keyed && (a & 0xffffff) == 0x0000ff)
                        continue;
                    const QRgb b = bg.pixel(dest.left + x, dest.top + y);
                    ++counted;
                    if (std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                            std::abs(qBlue(a) - qBlue(b)) >
                        24)
                        ++off;
                }
            EXPECT_LE(off, counted / 50) << NameOf(r) << " differs from the panel in " << off
                                         << " of " << counted << " pixels";
        };
        WalkPanel(m, *panel, kAllLayers, [&](CCPObject& r) {
            if (const auto* v = dynamic_cast<const CCPButtonView*>(&r))
                compare(*v, v->m_arcSrc.at(0), v->m_rcDest, v->m_bTransparent);
            else if (const auto* light = dynamic_cast<const CCPLight*>(&r))
                compare(*light, light->m_arcSrc.at(0), light->m_rcDest, light->m_bTransparent);
            return false;
        });
    }
}

// Pieces cut from the template are either the same piece or apart: a piece drawn over another
// would spoil both pictures.
TEST(DemoCockpit, TemplatePiecesLieInsideTheTemplateAndApart)
{
    CDemo demo;
    ASSERT_TRUE(demo.opened);
    CCPManager& m = demo.M();
    std::vector<std::pair<CRect, std::string>> pieces;
    auto add = [&](const CRect& rc, const CCPObject& r) { pieces.emplace_back(rc, NameOf(r)); };
    for (const auto& v : m.m_aButtonViews)
        for (const CRect& rc : v->m_arcSrc)
            add(rc, *v);
    for (const auto& o : m.m_aObjects) {
        if (auto* light = dynamic_cast<CCPLight*>(o.get()))
            for (const CRect& rc : light->m_arcSrc)
                add(rc, *o);
        if (auto* digits = dynamic_cast<CCPDigits*>(o.get()))
            for (const CRect& rc : digits->m_arcSrc)
                add(rc, *o);
        if (auto* tape = dynamic_cast<CCPIndicator*>(o.get()))
            for (const CRect& rc : tape->m_arcSrc)
                add(rc, *o);
        if (auto* hsi = dynamic_cast<CCPHsi*>(o.get()))
            for (const CRect& rc : hsi->m_arcSrc)
                add(rc, *o);
        if (auto* adi = dynamic_cast<CCPAdi*>(o.get()))
            add(adi->m_rcSrc, *o);
        if (auto* dial = dynamic_cast<CCPDial*>(o.get()))
            add(dial->m_rcSrc, *o);
    }
    ASSERT_GT(pieces.size(), 100u);
    const CRect bounds(0, 0, m.m_nTemplateWidth, m.m_nTemplateHeight);
    for (size_t i = 0; i < pieces.size(); ++i) {
        const CRect& a = pieces[i].first;
        EXPECT_TRUE(!a.IsRectEmpty() && a.left >= 0 && a.top >= 0 && a.right <= bounds.right &&
                    a.bottom <= bounds.bottom)
            << pieces[i].second << " reaches outside the template";
        for (size_t j = i + 1; j < pieces.size(); ++j) {
            if (!(a == pieces[j].first)) {
                EXPECT_FALSE(a.Intersects(pieces[j].first))
                    << pieces[i].second << " and " << pieces[j].second;
            }
        }
    }
}
