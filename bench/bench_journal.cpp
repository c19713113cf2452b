// What the recovery journal costs the window's thread on the 100,000-record cockpit: a nudge,
// and a record taken off a panel that lists 2,000 records (then put back by undo), each with
// and without a journal; and the journal's size after 1,000 nudges.
#include "ccockpitgenerator.h"
#include "ccppanel.h"
#include "crecoveryjournal.h"
#include "cvireodoc.h"
#include "iuserinterface.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

struct CJournalledCockpit
{
    CSilentUserInterface ui;
    CVireoDoc doc;
    std::string folder;
    std::unique_ptr<CRecoveryJournal> journal;
    CCPPanel* panel = nullptr;
    CCPObject* record = nullptr;
    double now = 0;

    CJournalledCockpit()
    {
        char tmp[] = "/tmp/vireo-bench-journal-XXXXXX";
        folder = mkdtemp(tmp);
        const std::string path = folder + "/big.dat";
        std::ofstream(path, std::ios::binary) << CCockpitGenerator::Generate(100000);
        doc.SetUserInterface(&ui);
        // Each nudge a step of its own, not part of a burst.
        doc.SetClock([this] { return now; });
        journal = std::make_unique<CRecoveryJournal>(doc, folder + "/journals");
        doc.SetJournal(journal.get());
        doc.OnOpenDocument(path);
        panel = doc.m_manager.FindPanel(CCockpitGenerator::kFirstPanel);
        record = doc.m_manager.FindObject(panel->m_anObjects[panel->m_anObjects.size() / 2]);
        doc.SetCurrentPanel(panel);
        doc.SetCurrentObject(record);
    }
    ~CJournalledCockpit()
    {
        doc.SetJournal(nullptr);
        journal->Discard();
        journal.reset();
        std::filesystem::remove_all(folder);
    }
    void Journalled(bool on) { doc.SetJournal(on ? journal.get() : nullptr); }
    void Nudge(int dx)
    {
        now += 10;
        CRect rc;
        record->GetDestRect(&rc);
        rc.OffsetRect(dx, 0);
        doc.NudgeRecord(record, false, rc);
    }
};

CJournalledCockpit& Cockpit()
{
    static CJournalledCockpit cockpit;
    return cockpit;
}

void BM_Nudge(benchmark::State& state)
{
    CJournalledCockpit& c = Cockpit();
    c.Journalled(state.range(0) != 0);
    int dx = 1;
    for (auto _ : state) {
        c.Nudge(dx);
        dx = -dx;
    }
    c.Journalled(true);
    state.SetLabel(state.range(0) ? "journalled" : "no journal");
}

void BM_DeleteOnA2000RecordPanel(benchmark::State& state)
{
    CJournalledCockpit& c = Cockpit();
    c.Journalled(state.range(0) != 0);
    for (auto _ : state) {
        c.doc.RemoveObject(c.record, c.panel);
        c.doc.Undo();
    }
    c.Journalled(true);
    state.SetLabel(state.range(0) ? "journalled, with its undo" : "no journal, with its undo");
}

void BM_JournalOf1000Nudges(benchmark::State& state)
{
    CJournalledCockpit& c = Cockpit();
    for (auto _ : state) {
        // A journal of its own, as after a save.
        c.journal->Saved(c.doc.GetPathName(), std::string());
        for (int i = 0; i < 1000; ++i)
            c.Nudge(i % 2 ? -1 : 1);
        c.journal->Sync();
    }
    std::error_code ec;
    state.counters["journal KB"] =
        double(std::filesystem::file_size(c.journal->CurrentFile(), ec)) / 1024.0;
}

} // namespace

BENCHMARK(BM_Nudge)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DeleteOnA2000RecordPanel)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_JournalOf1000Nudges)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
