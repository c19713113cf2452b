// The Panel Map over a big cockpit: how long the window thread is kept from its events while
// the map opens and paints its pictures, and while they are painted again after an edit.
//
//   bench_panelmap [RECORDS [PER_PANEL]]      defaults: 100,000 records, 200 per panel (500 panels)
//
// The cockpit comes from CCockpitGenerator, written with a 256 x 256 template into a fresh
// folder under /tmp (removed afterwards), and opened in the editor with the platform of
// QT_QPA_PLATFORM (offscreen when unset). A 1 ms timer on the window thread measures the
// longest gap between its ticks.
#include "ccockpitgenerator.h"
#include "ccppanel.h"
#include "cmainframe.h"
#include "cpanelmapdock.h"
#include "cpanelmapview.h"
#include "cvireoapp.h"
#include "cvireodoc.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTimer>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {
struct CGapWatch
{
    QElapsedTimer clock;
    qint64 last = 0, longest = 0;
    QTimer timer;

    CGapWatch()
    {
        clock.start();
        timer.setInterval(1);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            const qint64 now = clock.elapsed();
            longest = std::max(longest, now - last);
            last = now;
        });
        timer.start();
    }
    void Reset()
    {
        last = clock.elapsed();
        longest = 0;
    }
};

// Runs the event loop until the map has every picture; the milliseconds it took.
qint64 WaitForPictures(CPanelMapView* map)
{
    QElapsedTimer clock;
    clock.start();
    while (map->PicturesPending() && clock.elapsed() < 600000)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    return clock.elapsed();
}
} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const int records = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int perPanel = argc > 2 ? std::atoi(argv[2]) : 200;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("bench_panelmap_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string file = (folder / "10_generated.dat").string();
    std::ofstream(file, std::ios::binary) << CCockpitGenerator::Generate(records, perPanel);

    int qargc = 1;
    char name[] = "bench_panelmap";
    char* qargv[] = {name, nullptr};
    QApplication qapp(qargc, qargv);
    setlocale(LC_NUMERIC, "C");
    QApplication::setOrganizationName(QStringLiteral("Orvanta"));
    QApplication::setApplicationName(QStringLiteral("VireoBench"));
    QImage picture(256, 256, QImage::Format_RGB32);
    picture.fill(Qt::gray);
    picture.save(QString::fromStdString((folder / "template.png").string()));

    int code = 0;
    {
        CVireoApp app;
        if (!app.InitInstance({QString::fromStdString(file)}))
            return 1;
        CMainFrame* frame = app.GetMainFrame();
        QApplication::processEvents();
        CGapWatch watch;
        CPanelMapView* map = frame->GetPanelMap()->GetView();
        QElapsedTimer open;
        open.start();
        watch.Reset();
        frame->GetPanelMap()->toggleViewAction()->trigger();
        QApplication::processEvents();
        const qint64 shown = open.elapsed();
        const qint64 filled = WaitForPictures(map);
        std::printf("%zu panels: map shown after %lld ms, every picture after %lld ms more "
                    "(%d pictures); longest gap between events (the opening too) %lld ms\n",
                    map->Geometry().Map().panels.size(), (long long)shown, (long long)filled,
                    map->PicturesReady(), (long long)watch.longest);

        // An edit: the pictures are painted again.
        CVireoDoc& doc = app.GetDocument();
        CCPPanel* first = doc.m_manager.m_aPanels.front().get();
        CCPPanel* second = doc.m_manager.m_aPanels.back().get();
        watch.Reset();
        doc.LinkPanels(first, 0, second, true);
        const qint64 again = WaitForPictures(map);
        std::printf("after an edit: every picture again after %lld ms; longest gap %lld ms\n",
                    (long long)again, (long long)watch.longest);
        code = map->PicturesReady() > 0 ? 0 : 1;
        doc.MarkSaved();
    }
    std::filesystem::remove_all(folder);
    return code;
}
