// Load, run the quick and the full check, step every state and paint every panel at zoom 1
// and 2 onto an offscreen canvas, selection frames included: nothing may crash, overflow or
// allocate what the file merely claims.
#include "cbitmap.h"
#include "ccockpitreader.h"
#include "ccpbuttonview.h"
#include "ccpmanager.h"
#include "ccppanel.h"
#include "ccpsurfaceref.h"
#include "cqtcanvas.h"
#include "cstatelist.h"
#include "iimageloader.h"
#include "iuserinterface.h"
#include "panelpaint.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <clocale>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

// Every picture a cockpit names is this one; nothing is read from disk.
class CFixedLoader : public IImageLoader
{
public:
    CFixedLoader() : m_picture(48, 40)
    {
        for (int y = 0; y < m_picture.Height(); ++y)
            for (int x = 0; x < m_picture.Width(); ++x)
                m_picture.SetPixel(x, y,
                                   (x + y) % 7 == 0
                                       ? 0xff0000ffu
                                       : 0xff000000u | uint32_t(x * 5) << 16 | uint32_t(y * 6));
    }
    bool Load(const std::string&, CBitmap& out) override
    {
        out = m_picture;
        return true;
    }

private:
    CBitmap m_picture;
};

// The editor's paint, then every selection frame it could draw on this panel.
void PaintWithSelections(CCPManager& m, CCPPanel& panel, Canvas& canvas, float zoom)
{
    PaintPanel(m, panel, canvas, zoom, kAllLayers, &panel);
    for (const auto& ref : panel.m_aSurfaces)
        ref->DrawSelected(canvas, zoom);
    WalkPanel(m, panel, kAllLayers, [&](CCPObject& r) {
        r.DrawSelected(canvas, zoom);
        return false;
    });
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int qtArgc = 1;
    static char* qtArgv[] = {(*argv)[0], nullptr};
    static QGuiApplication app(qtArgc, qtArgv); // fonts need it
    setlocale(LC_NUMERIC, "C");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static CFixedLoader loader;
    CSilentUserInterface ui;
    CCPManager m;
    m.SetUserInterface(&ui);
    m.SetImageLoader(&loader);
    m.SetPictureBudget(uint64_t(16) << 20); // a declared template size costs nothing beyond this
    CCockpitReader(m, &ui).Read(std::string_view(reinterpret_cast<const char*>(data), size));

    CCheckMessageArray messages;
    m.Check(messages, false);
    m.Check(messages, true);

    // Every state of every record is painted once, up to a few turns.
    int turns = 1;
    for (const auto& r : m.m_aObjects)
        turns = std::max(turns, CStateList::Count(*r));
    for (const auto& r : m.m_aButtonViews)
        turns = std::max(turns, CStateList::Count(*r));
    turns = std::min(turns, 12);

    QImage image(200, 150, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    CQtCanvas canvas(painter);
    for (int turn = 0; turn <= turns; ++turn) {
        for (const auto& panel : m.m_aPanels)
            for (float zoom : {1.0f, 2.0f})
                PaintWithSelections(m, *panel, canvas, zoom);
        for (const auto& r : m.m_aObjects)
            r->NextState();
        for (const auto& r : m.m_aButtonViews)
            r->NextState();
    }
    return 0;
}
