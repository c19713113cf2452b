// The cost of undo on the 100,000-record cockpit: a nudge undone and redone, and a record
// taken off a panel that lists 2,000 records, then put back by undo.
#include "ccockpitgenerator.h"
#include "ccppanel.h"
#include "cvireodoc.h"
#include "iuserinterface.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct CBigCockpit
{
    CSilentUserInterface ui;
    CVireoDoc doc;
    CCPPanel* panel = nullptr;
    CCPObject* record = nullptr;

    CBigCockpit()
    {
        doc.SetUserInterface(&ui);
        doc.Load(CCockpitGenerator::Generate(100000));
        panel = doc.m_manager.FindPanel(CCockpitGenerator::kFirstPanel);
        // A record from the middle of the panel's list.
        record = doc.m_manager.FindObject(panel->m_anObjects[panel->m_anObjects.size() / 2]);
        doc.SetCurrentPanel(panel);
        doc.SetCurrentObject(record);
    }
};

CBigCockpit& Cockpit()
{
    static CBigCockpit cockpit;
    return cockpit;
}

void BM_NudgeUndoRedo(benchmark::State& state)
{
    CBigCockpit& c = Cockpit();
    CRect rc;
    c.record->GetDestRect(&rc);
    rc.OffsetRect(1, 0);
    c.doc.NudgeRecord(c.record, false, rc);
    // With a look-up by id after each, as the repaint that follows makes.
    for (auto _ : state) {
        c.doc.Undo();
        benchmark::DoNotOptimize(c.doc.m_manager.FindObject(c.record->m_nId));
        c.doc.Redo();
        benchmark::DoNotOptimize(c.doc.m_manager.FindObject(c.record->m_nId));
    }
    c.doc.Undo();
    state.counters["records"] =
        double(c.doc.m_manager.m_aObjects.size() + c.doc.m_manager.m_aButtonViews.size());
}

void BM_DeleteAndUndoOnA2000RecordPanel(benchmark::State& state)
{
    CBigCockpit& c = Cockpit();
    for (auto _ : state) {
        c.doc.RemoveObject(c.record, c.panel);
        benchmark::DoNotOptimize(c.doc.m_manager.FindObject(c.record->m_nId));
        c.doc.Undo();
        benchmark::DoNotOptimize(c.doc.m_manager.FindObject(c.record->m_nId));
    }
    state.counters["panel records"] =
        double(c.panel->m_anObjects.size() + c.panel->m_anButtonViews.size());
}

} // namespace

BENCHMARK(BM_NudgeUndoRedo)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DeleteAndUndoOnA2000RecordPanel)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
