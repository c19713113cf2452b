// Load, save, check and paint at 1,000, 10,000 and 100,000 records, with baselines measured
// in the same run: reading the same bytes line by line, and drawing the same rectangles
// straight from one image with QPainter.
#include "ccockpitgenerator.h"
#include "ccockpitreader.h"
#include "ccpmanager.h"
#include "ccppanel.h"
#include "clinereader.h"
#include "clinewriter.h"
#include "cqtcanvas.h"
#include "iuserinterface.h"
#include "outlinepaint.h"
#include "panelpaint.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>

namespace {

const std::string& CockpitText(int records)
{
    static std::map<int, std::string> cache;
    auto it = cache.find(records);
    if (it == cache.end())
        it = cache.emplace(records, CCockpitGenerator::Generate(records)).first;
    return it->second;
}

// What a save writes.
std::string Stored(CCPManager& m)
{
    CLineWriter out;
    m.Serialize(out);
    return out.Take();
}

struct CLoaded
{
    CSilentUserInterface ui;
    CCPManager manager;
    explicit CLoaded(const std::string& text)
    {
        manager.SetUserInterface(&ui);
        CCockpitReader(manager, &ui).Read(text);
        // A template with opaque pieces and a blue background, as real ones have.
        CBitmap t(256, 256, 0xff0000ffu);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                if ((x / 4 + y / 4) % 3)
                    t.SetPixel(x, y, 0xffc0a020u);
        manager.m_bmpTemplate = t;
    }
};

void PerRecord(benchmark::State& state, int records)
{
    state.counters["records"] = records;
    state.counters["time/record"] =
        benchmark::Counter(double(records), benchmark::Counter::kIsIterationInvariantRate |
                                                benchmark::Counter::kInvert);
}

void ReadLines(const std::string& text)
{
    CLineReader r(text);
    std::string line;
    size_t n = 0;
    while (r.ReadLine(line))
        n += line.size();
    benchmark::DoNotOptimize(n);
}

void BM_ReadLinesBaseline(benchmark::State& state)
{
    const std::string& text = CockpitText(int(state.range(0)));
    for (auto _ : state)
        ReadLines(text);
    PerRecord(state, int(state.range(0)));
}

void LoadEach(benchmark::State& state, bool store)
{
    const std::string& text = CockpitText(int(state.range(0)));
    for (auto _ : state) {
        CSilentUserInterface ui;
        CCPManager manager;
        manager.SetUserInterface(&ui);
        CCockpitReader(manager, &ui).Read(text);
        if (store)
            benchmark::DoNotOptimize(Stored(manager));
        benchmark::DoNotOptimize(manager.m_aObjects.size());
    }
    PerRecord(state, int(state.range(0)));
}
void BM_Load(benchmark::State& state)
{
    LoadEach(state, false);
}
void BM_LoadAndSave(benchmark::State& state)
{
    LoadEach(state, true);
}

// Load plus save against the baseline, the two timed by turns within each iteration, their
// fastest times compared: on a shared machine neighbours slow some iterations down, and the
// ratio of the best times holds where the separate figures drift. The cockpit's teardown is
// timed apart and reported as a second ratio that includes it.
void BM_LoadAndSaveAgainstBaseline(benchmark::State& state)
{
    const std::string& text = CockpitText(int(state.range(0)));
    using Clock = std::chrono::steady_clock;
    const auto seconds = [](Clock::duration d) { return std::chrono::duration<double>(d).count(); };
    double baseline = 1e9, loadAndSave = 1e9, withTeardown = 1e9;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        ReadLines(text);
        const auto t1 = Clock::now();
        CSilentUserInterface ui;
        auto manager = std::make_unique<CCPManager>();
        manager->SetUserInterface(&ui);
        CCockpitReader(*manager, &ui).Read(text);
        benchmark::DoNotOptimize(Stored(*manager));
        const auto t2 = Clock::now();
        manager.reset();
        const auto t3 = Clock::now();
        baseline = std::min(baseline, seconds(t1 - t0));
        loadAndSave = std::min(loadAndSave, seconds(t2 - t1));
        withTeardown = std::min(withTeardown, seconds(t3 - t1));
    }
    state.counters["times baseline"] = loadAndSave / baseline;
    state.counters["with teardown"] = withTeardown / baseline;
    PerRecord(state, int(state.range(0)));
}

// The heap a loaded cockpit holds, per record, against the bytes of its text per record: glibc's
// count of bytes in use, malloc's own overhead included.
size_t HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

void BM_LoadMemory(benchmark::State& state)
{
    const std::string& text = CockpitText(int(state.range(0)));
    double held = 0;
    for (auto _ : state) {
        const size_t before = HeapInUse();
        CSilentUserInterface ui;
        auto manager = std::make_unique<CCPManager>();
        manager->SetUserInterface(&ui);
        CCockpitReader(*manager, &ui).Read(text);
        held = double(HeapInUse() - before);
    }
    state.counters["heap/record"] = held / double(state.range(0));
    state.counters["text/record"] = double(text.size()) / double(state.range(0));
}

void BM_Save(benchmark::State& state)
{
    CLoaded c(CockpitText(int(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(Stored(c.manager));
    PerRecord(state, int(state.range(0)));
}

// The records the first panel shows, button views first as the view paints them.
std::vector<CCPObject*> FirstPanelRecords(CCPManager& m)
{
    std::vector<CCPObject*> records;
    WalkPanel(m, *m.FindPanel(CCockpitGenerator::kFirstPanel), kAllLayers, [&](CCPObject& r) {
        records.push_back(&r);
        return false;
    });
    return records;
}

void BM_Check(benchmark::State& state, bool full)
{
    CLoaded c(CockpitText(int(state.range(0))));
    for (auto _ : state) {
        CCheckMessageArray messages;
        benchmark::DoNotOptimize(c.manager.Check(messages, full));
    }
    PerRecord(state, int(state.range(0)));
}
void BM_QuickCheck(benchmark::State& state)
{
    BM_Check(state, false);
}
void BM_FullCheck(benchmark::State& state)
{
    BM_Check(state, true);
}

// The first panel lists 2,000 lights and button views; every one is shown in state 1, painted
// at zoom 2 as the panel view paints it, with or without its outlines.
struct CPanelScene
{
    CLoaded c;
    size_t records;
    const CCPPanel& panel;
    static constexpr float kZoom = 2.0f;
    QImage image;

    explicit CPanelScene(int total)
        : c(CockpitText(total)), records(FirstPanelRecords(c.manager).size()),
          panel(*c.manager.FindPanel(CCockpitGenerator::kFirstPanel)),
          image(int(c.manager.m_nScreenWidth * kZoom), int(c.manager.m_nScreenHeight * kZoom),
                QImage::Format_ARGB32_Premultiplied)
    {
        for (CCPObject* r : FirstPanelRecords(c.manager))
            r->NextState();
    }
    void Paint(bool outlines)
    {
        image.fill(Qt::transparent);
        QPainter painter(&image);
        CQtCanvas canvas(painter);
        PaintPanel(c.manager, panel, canvas, kZoom);
        if (outlines)
            PaintOutlines(c.manager, panel, canvas, kZoom);
    }
};

void BM_PaintPanel(benchmark::State& state)
{
    CPanelScene scene(int(state.range(0)));
    for (auto _ : state)
        scene.Paint(false);
    PerRecord(state, int(scene.records));
}

// The same panel with View > Outlines on: every record's frame and name over the paint.
void BM_PaintPanelOutlined(benchmark::State& state)
{
    CPanelScene scene(int(state.range(0)));
    for (auto _ : state)
        scene.Paint(true);
    PerRecord(state, int(scene.records));
}

// The outlined paint against the plain one, timed by turns within each iteration and compared
// by their best times, as the load-and-save ratio is (the target: within 1.5 times).
void BM_PaintOutlinedAgainstPlain(benchmark::State& state)
{
    CPanelScene scene(int(state.range(0)));
    using Clock = std::chrono::steady_clock;
    const auto seconds = [](Clock::duration d) { return std::chrono::duration<double>(d).count(); };
    double best[2] = {1e9, 1e9}; // plain, outlined
    for (auto _ : state) {
        for (bool outlines : {false, true}) {
            const auto t0 = Clock::now();
            scene.Paint(outlines);
            best[outlines] = std::min(best[outlines], seconds(Clock::now() - t0));
        }
    }
    state.counters["times plain"] = best[1] / best[0];
}

// The same rectangles drawn straight from one image, with the blue key prepared once.
void BM_PaintQPainterBaseline(benchmark::State& state)
{
    CLoaded c(CockpitText(int(state.range(0))));
    CCPManager& m = c.manager;
    std::vector<std::pair<QRect, QRect>> blits;
    for (CCPObject* r : FirstPanelRecords(m)) {
        CRect d, s;
        r->GetDestRect(&d);
        r->NextState();
        r->GetSrcRect(&s);
        blits.push_back({QRect(d.left * 2, d.top * 2, d.Width() * 2, d.Height() * 2),
                         QRect(s.left, s.top, s.Width(), s.Height())});
    }
    const CBitmap& t = m.m_bmpTemplate;
    const QImage keyed(reinterpret_cast<const uchar*>(t.KeyedBits()), t.Width(), t.Height(),
                       t.Width() * 4, QImage::Format_ARGB32_Premultiplied);
    QImage image(m.m_nScreenWidth * 2, m.m_nScreenHeight * 2, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::transparent);
        QPainter painter(&image);
        for (const auto& [dest, src] : blits)
            painter.drawImage(dest, keyed, src);
    }
    PerRecord(state, int(blits.size()));
}

} // namespace

#define SIZES ->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_ReadLinesBaseline) SIZES;
BENCHMARK(BM_Load) SIZES;
BENCHMARK(BM_Save) SIZES;
BENCHMARK(BM_LoadMemory) SIZES;
BENCHMARK(BM_LoadAndSave) SIZES;
BENCHMARK(BM_LoadAndSaveAgainstBaseline) SIZES;
BENCHMARK(BM_QuickCheck) SIZES;
BENCHMARK(BM_FullCheck) SIZES;
BENCHMARK(BM_PaintQPainterBaseline)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintPanel)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintPanelOutlined)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintOutlinedAgainstPlain)->Arg(10000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
