// One frame of a drag in the panel view: the tracker of one record moved by a pixel and what
// changed painted, on the first panel of the 10,000-record cockpit (1,940 lights and button
// views, each in a state with a template picture), at zoom 1 and 2. The view is 1024 x 768 and
// shown; a frame is the pointer move plus the event loop's repaint of what it marked.
//   bench_drag --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include "ccockpitgenerator.h"
#include "ccppanel.h"
#include "cvireodoc.h"
#include "cvireoview.h"
#include "iuserinterface.h"
#include "panelpaint.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Counts the paints of the viewport and the pixels they covered: a frame that painted nothing
// measured nothing.
class CPaintCounter : public QObject
{
public:
    long paints = 0;
    double pixels = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint) {
            ++paints;
            for (const QRect& r : static_cast<QPaintEvent*>(e)->region())
                pixels += double(r.width()) * r.height();
        }
        return false;
    }
};

struct CDragView
{
    CSilentUserInterface ui;
    CVireoDoc doc;
    std::unique_ptr<CVireoView> view;
    QPoint at; // where the pointer is, in the viewport

    explicit CDragView(float zoom)
    {
        doc.SetUserInterface(&ui);
        doc.Load(CCockpitGenerator::Generate(10000));
        CCPManager& m = doc.m_manager;
        // A template with opaque pieces on the blue key, as real ones have.
        CBitmap t(256, 256, 0xff0000ffu);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                if ((x / 4 + y / 4) % 3)
                    t.SetPixel(x, y, 0xffc0a020u);
        m.m_bmpTemplate = t;
        CCPPanel* panel = m.FindPanel(CCockpitGenerator::kFirstPanel);
        WalkPanel(m, *panel, kAllLayers, [](CCPObject& r) {
            r.NextState();
            return false;
        });
        view = std::make_unique<CVireoView>(&doc);
        doc.AddObserver(view.get());
        view->resize(1024 + 2 * view->frameWidth(), 768 + 2 * view->frameWidth());
        view->show();
        view->OnInitialUpdate();
        doc.SetCurrentPanel(panel);
        view->ZoomAbout(zoom, CPoint{0, 0});
        // A record near the top left corner, so it is in the view at either zoom.
        CCPObject* record = nullptr;
        WalkPanel(m, *panel, kObjectLayer, [&](CCPObject& r) {
            CRect rc;
            if (r.GetDestRect(&rc) && rc.left > 40 && rc.top > 40 && rc.right < 300 &&
                rc.bottom < 300)
                record = &r;
            return record != nullptr;
        });
        doc.SetCurrentObject(record);
        Settle();
        CRect rc;
        record->GetDestRect(&rc);
        at = QPoint(int(float(rc.left + rc.right) / 2 * zoom) - view->GetScrollPosition().x,
                    int(float(rc.top + rc.bottom) / 2 * zoom) - view->GetScrollPosition().y);
        Send(QEvent::MouseButtonPress, Qt::LeftButton);
        // Past the start distance: the drag begins.
        at += QPoint(20, 0);
        Send(QEvent::MouseMove, Qt::NoButton);
        Settle();
    }
    ~CDragView()
    {
        Send(QEvent::MouseButtonRelease, Qt::LeftButton);
        doc.RemoveObserver(view.get());
    }

    void Send(QEvent::Type type, Qt::MouseButton button)
    {
        QMouseEvent e(type, QPointF(at), view->viewport()->mapToGlobal(QPointF(at)), button,
                      Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &e);
    }
    // What the event loop does before the user sees the frame.
    static void Settle() { QApplication::processEvents(); }
};

void BM_DragFrame(benchmark::State& state)
{
    CDragView d(float(state.range(0)));
    CPaintCounter counter;
    d.view->viewport()->installEventFilter(&counter);
    int step = 1;
    for (auto _ : state) {
        d.at += QPoint(step, 0);
        step = -step;
        d.Send(QEvent::MouseMove, Qt::NoButton);
        CDragView::Settle();
    }
    state.counters["paints/frame"] = double(counter.paints) / double(state.iterations());
    state.counters["pixels/frame"] = counter.pixels / double(state.iterations());
}

} // namespace

BENCHMARK(BM_DragFrame)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
