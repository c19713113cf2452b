// Arranging many records at once on a panel of 2,000 (the 10,000-record cockpit): a rubber band
// selecting what lies inside it, the snap lookup of one pointer move, and align, distribute and
// move of 1,000 selected records as one step each, with the memory that step keeps.
#include "arrange.h"
#include "ccockpitgenerator.h"
#include "ccppanel.h"
#include "cvireodoc.h"
#include "iuserinterface.h"
#include "panelpaint.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

struct CArrangeCockpit
{
    CSilentUserInterface ui;
    CVireoDoc doc;
    CCPPanel* panel = nullptr;
    std::vector<CCPObject*> records; // every record the panel shows
    std::vector<CRect> frames;

    CArrangeCockpit()
    {
        doc.SetUserInterface(&ui);
        doc.Load(CCockpitGenerator::Generate(10000));
        panel = doc.m_manager.FindPanel(CCockpitGenerator::kFirstPanel);
        doc.SetCurrentPanel(panel);
        WalkPanel(doc.m_manager, *panel, kButtonViewLayer | kObjectLayer, [this](CCPObject& r) {
            CRect rc;
            if (r.GetDestRect(&rc)) {
                records.push_back(&r);
                frames.push_back(rc);
            }
            return false;
        });
    }
    // The first count records as the selection, the first the key.
    void SelectFirst(size_t count)
    {
        doc.Select(std::vector<CCPObject*>(records.begin(), records.begin() + count),
                   records.front());
    }
};

CArrangeCockpit& Cockpit()
{
    static CArrangeCockpit cockpit;
    return cockpit;
}

// One pointer move of a band over the whole screen: the records wholly inside, then the
// document's selection set to them.
void BM_RubberBandSelect(benchmark::State& state)
{
    CArrangeCockpit& c = Cockpit();
    const CRect band(0, 0, c.doc.m_manager.m_nScreenWidth, c.doc.m_manager.m_nScreenHeight);
    std::vector<CCPObject*> inside;
    for (auto _ : state) {
        inside.clear();
        WalkPanel(c.doc.m_manager, *c.panel, kButtonViewLayer | kObjectLayer, [&](CCPObject& r) {
            CRect rc;
            if (r.GetDestRect(&rc) && rc.left >= band.left && rc.top >= band.top &&
                rc.right <= band.right && rc.bottom <= band.bottom)
                inside.push_back(&r);
            return false;
        });
        c.doc.Select(inside, nullptr);
    }
    state.counters["selected"] = double(c.doc.GetSelection().Count());
}

// The snap lines of a drag's start, and one pointer move's lookup.
void BM_SnapLinesBuild(benchmark::State& state)
{
    CArrangeCockpit& c = Cockpit();
    CSnapLines lines;
    for (auto _ : state)
        lines.Build(c.frames, c.doc.m_manager.m_nScreenWidth, c.doc.m_manager.m_nScreenHeight);
    state.counters["records"] = double(c.frames.size());
}

void BM_SnapLookup(benchmark::State& state)
{
    CArrangeCockpit& c = Cockpit();
    CSnapLines lines;
    lines.Build(c.frames, c.doc.m_manager.m_nScreenWidth, c.doc.m_manager.m_nScreenHeight);
    int x = 0;
    for (auto _ : state) {
        x = (x + 7) % 1000;
        const int xs[] = {x, x + 10, x + 20};
        const int ys[] = {x / 2, x / 2 + 10, x / 2 + 20};
        benchmark::DoNotOptimize(lines.SnapX(xs, 6));
        benchmark::DoNotOptimize(lines.SnapY(ys, 6));
    }
}

// An arrange command on 1,000 selected records, then its undo (the pair is timed).
void ArrangeAndUndo(benchmark::State& state, ArrangeCommand command)
{
    CArrangeCockpit& c = Cockpit();
    c.SelectFirst(1000);
    size_t bytes = 0;
    for (auto _ : state) {
        if (!c.doc.ArrangeSelection(command)) {
            state.SkipWithError("nothing to arrange");
            break;
        }
        bytes = c.doc.GetHistory().UndoStep()->Bytes();
        c.doc.Undo();
    }
    state.counters["step bytes per record"] = double(bytes) / 1000;
}

void BM_AlignLeft1000(benchmark::State& state)
{
    ArrangeAndUndo(state, ArrangeCommand::AlignLeft);
}

void BM_DistributeHorizontally1000(benchmark::State& state)
{
    ArrangeAndUndo(state, ArrangeCommand::DistributeHorizontally);
}

void BM_Move1000(benchmark::State& state)
{
    CArrangeCockpit& c = Cockpit();
    c.SelectFirst(1000);
    size_t bytes = 0;
    for (auto _ : state) {
        if (!c.doc.MoveSelection(1, 1)) {
            state.SkipWithError("nothing moved");
            break;
        }
        bytes = c.doc.GetHistory().UndoStep()->Bytes();
        c.doc.Undo();
    }
    state.counters["step bytes per record"] = double(bytes) / 1000;
}

} // namespace

BENCHMARK(BM_RubberBandSelect)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SnapLinesBuild)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SnapLookup)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AlignLeft1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DistributeHorizontally1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Move1000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
