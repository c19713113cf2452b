// The cockpit tree over big cockpits, in its pane as the editor shows it (260 x 800): showing it
// after an open, opening every panel, rebuilding it after an undo, and the Find field keystroke
// by keystroke, each timed from the key to the painted result.
#include "ccockpitgenerator.h"
#include "ccptree.h"
#include "ccptreepane.h"
#include "cvireodoc.h"
#include "iuserinterface.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>

namespace {

struct CBigCockpit
{
    CSilentUserInterface ui;
    CVireoDoc doc;
    explicit CBigCockpit(int records)
    {
        doc.SetUserInterface(&ui);
        doc.Load(CCockpitGenerator::Generate(records));
    }
};

CVireoDoc& Cockpit(int records)
{
    static std::map<int, std::unique_ptr<CBigCockpit>> cache;
    auto& loaded = cache[records];
    if (!loaded)
        loaded = std::make_unique<CBigCockpit>(records);
    return loaded->doc;
}

// Lays out and paints what is pending, as the event loop would before the user sees it.
void Settle(CCPTree* tree)
{
    QApplication::processEvents();
    tree->viewport()->repaint();
}

struct CShownTree
{
    CVireoDoc& doc;
    CCPTree* tree;
    CCPTreePane pane;
    explicit CShownTree(CVireoDoc& d) : doc(d), tree(new CCPTree(&d)), pane(tree)
    {
        doc.AddObserver(tree);
        tree->OnInitialUpdate();
        pane.resize(260, 800);
        pane.show();
        Settle(tree);
    }
    ~CShownTree() { doc.RemoveObserver(tree); }
};

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void BM_TreeShow(benchmark::State& state)
{
    CVireoDoc& doc = Cockpit(int(state.range(0)));
    for (auto _ : state) {
        CShownTree shown(doc);
        benchmark::DoNotOptimize(shown.tree->model()->rowCount());
    }
}

// Every panel open, the view scrolled to the end: all records are rows now.
void BM_TreeExpandAll(benchmark::State& state)
{
    CVireoDoc& doc = Cockpit(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto shown = std::make_unique<CShownTree>(doc);
        state.ResumeTiming();
        shown->tree->expandAll();
        shown->tree->scrollToBottom();
        Settle(shown->tree);
        state.PauseTiming();
        shown.reset();
        state.ResumeTiming();
    }
}

// Undo and redo of a move rebuild the rows (hint 7), with the first panel open.
void BM_TreeReload(benchmark::State& state)
{
    CVireoDoc& doc = Cockpit(int(state.range(0)));
    CShownTree shown(doc);
    shown.tree->expand(shown.tree->model()->index(0, 0));
    shown.tree->expand(shown.tree->FindItem(doc.m_manager.GetPanel(0)));
    Settle(shown.tree);
    for (auto _ : state) {
        shown.tree->OnUpdate(nullptr, Hint::Reload, nullptr);
        Settle(shown.tree);
    }
}

// The first panel (about 1,000 records) opened and current.
CCPPanel* ShowFirstPanel(CShownTree& shown)
{
    CCPPanel* panel = shown.doc.m_manager.GetPanel(0);
    shown.doc.SetCurrentPanel(panel);
    shown.tree->expand(shown.tree->model()->index(0, 0));
    shown.tree->expand(shown.tree->FindItem(panel));
    Settle(shown.tree);
    return panel;
}

// Select All in the panel view, then Escape: the tree highlights every row of the panel and
// lets them go again.
void BM_TreeMirrorsSelectAll(benchmark::State& state)
{
    CVireoDoc& doc = Cockpit(int(state.range(0)));
    CShownTree shown(doc);
    ShowFirstPanel(shown);
    for (auto _ : state) {
        doc.SelectAll();
        Settle(shown.tree);
        doc.ClearSelection();
        Settle(shown.tree);
    }
    doc.SelectAll();
    state.counters["rows"] = double(shown.tree->selectionModel()->selectedRows().size());
    doc.ClearSelection();
}

// A click on the panel's first row and a Shift+click on its last: every row becomes the
// document's selection.
void BM_TreeShiftClickAll(benchmark::State& state)
{
    CVireoDoc& doc = Cockpit(int(state.range(0)));
    CShownTree shown(doc);
    CCPPanel* panel = ShowFirstPanel(shown);
    const QModelIndex parent = shown.tree->FindItem(panel);
    const int rows = shown.tree->model()->rowCount(parent);
    const QModelIndex first = shown.tree->model()->index(0, 0, parent);
    const QModelIndex last = shown.tree->model()->index(rows - 1, 0, parent);
    for (auto _ : state) {
        shown.tree->selectionModel()->setCurrentIndex(first, QItemSelectionModel::ClearAndSelect |
                                                                 QItemSelectionModel::Rows);
        Settle(shown.tree);
        shown.tree->selectionModel()->setCurrentIndex(last, QItemSelectionModel::NoUpdate);
        shown.tree->selectionModel()->select(QItemSelection(first, last),
                                             QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
        Settle(shown.tree);
    }
    state.counters["selected"] = double(doc.GetSelection().Count());
}

const char* const kWords[] = {"light", "1000123", "view", "sound 5", "panel 7", "zz"};

// Types a word into the Find field; the time of the slowest keystroke is the iteration's
// time, the mean is a counter. The field is cleared (untimed) before each word.
void BM_FindTyping(benchmark::State& state)
{
    CVireoDoc& doc = Cockpit(int(state.range(0)));
    const QString word = QString::fromLatin1(kWords[state.range(1)]);
    state.SetLabel(word.toStdString());
    CShownTree shown(doc);
    QLineEdit* field = shown.pane.GetFindField();
    double total = 0;
    int keys = 0;
    for (auto _ : state) {
        field->clear();
        Settle(shown.tree);
        double slowest = 0;
        for (QChar c : word) {
            const auto start = std::chrono::steady_clock::now();
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(field, &press);
            Settle(shown.tree);
            const double s = Seconds(start);
            slowest = std::max(slowest, s);
            total += s;
            ++keys;
        }
        state.SetIterationTime(slowest);
    }
    state.counters["mean_key_ms"] = total / std::max(keys, 1) * 1000.0;
}

// Escape after a search that showed most records: every row again, as it was opened.
void BM_FindClear(benchmark::State& state)
{
    CVireoDoc& doc = Cockpit(int(state.range(0)));
    CShownTree shown(doc);
    QLineEdit* field = shown.pane.GetFindField();
    for (auto _ : state) {
        field->setText(QStringLiteral("l"));
        Settle(shown.tree);
        const auto start = std::chrono::steady_clock::now();
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(field, &escape);
        Settle(shown.tree);
        state.SetIterationTime(Seconds(start));
    }
}

// F3 through the matches of a search that shows most records.
void BM_FindNext(benchmark::State& state)
{
    CVireoDoc& doc = Cockpit(int(state.range(0)));
    CShownTree shown(doc);
    shown.pane.GetFindField()->setText(QStringLiteral("view"));
    Settle(shown.tree);
    for (auto _ : state) {
        shown.pane.FindNext(true);
        Settle(shown.tree);
    }
}

void FindArgs(benchmark::internal::Benchmark* b)
{
    for (int w = 0; w < int(std::size(kWords)); ++w)
        b->Args({100000, w});
}

} // namespace

BENCHMARK(BM_TreeShow)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeExpandAll)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeReload)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeMirrorsSelectAll)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeShiftClickAll)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindTyping)->Apply(FindArgs)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindClear)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindNext)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
