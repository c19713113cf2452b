// Opening a big cockpit in the editor against `vireo-cli format` on the same file, each run
// in a process of its own, as a user would start them: the wall time (for the editor, until
// its window is usable: shown, every pane painted once, nothing left in the event queue) and
// the peak memory (maximum resident set).
//
//   bench_open [RECORDS [RUNS]]      defaults: 100000 records, 5 runs of each, taken by turns
//
// The cockpit comes from CCockpitGenerator, written with a 256 x 256 template picture into a
// fresh folder under /tmp, which is removed afterwards. The editor runs with the platform of
// QT_QPA_PLATFORM (offscreen when unset) and its own settings folder.
#include "ccockpitgenerator.h"
#include "ccptree.h"
#include "cmainframe.h"
#include "ctemplview.h"
#include "cvireoapp.h"
#include "cvireoview.h"

#include <QApplication>
#include <QImage>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <set>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

long long NowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Counts the first paint of each pane's viewport.
class CPaintWatch : public QObject
{
public:
    std::set<QObject*> m_painted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            m_painted.insert(watched);
        return false;
    }
};

// The child: the editor as main() starts it, with the file on its command line.
int RunEditor(const char* file, long long startNs)
{
    int argc = 1;
    char name[] = "vireo";
    char* argv[] = {name, nullptr};
    QApplication qapp(argc, argv);
    setlocale(LC_NUMERIC, "C");
    QApplication::setOrganizationName(QStringLiteral("Orvanta"));
    QApplication::setApplicationName(QStringLiteral("Vireo"));
    CPaintWatch watch;
    qapp.installEventFilter(&watch);

    CVireoApp app;
    if (!app.InitInstance({QString::fromLocal8Bit(file)}))
        return 1;
    CMainFrame* frame = app.GetMainFrame();
    const QWidget* panes[] = {frame->GetTree()->viewport(), frame->GetPanelView()->viewport(),
                              frame->GetTemplView()->viewport()};
    auto painted = [&] {
        return std::all_of(std::begin(panes), std::end(panes), [&](const QWidget* w) {
            return watch.m_painted.count(const_cast<QWidget*>(w)) > 0;
        });
    };
    while (!painted())
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    QApplication::processEvents();
    const long long usable = NowNs() - startNs;
    std::printf("%lld %d\n", usable, frame->GetTree()->model()->rowCount());
    std::fflush(stdout);
    // Nobody waits for the teardown when the window is up.
    _exit(0);
}

struct CRun
{
    double seconds = 0;
    double megabytes = 0;
    bool ok = false;
};

// Runs argv with stdout into outFile (or /dev/null); its wall time and peak memory.
CRun Spawn(const std::vector<std::string>& args, const std::string& outFile, long long startNs)
{
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.empty() ? "/dev/null" : outFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    CRun run;
    const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed) {
        std::fprintf(stderr, "bench_open: cannot start %s: %s\n", argv[0], std::strerror(failed));
        return run;
    }
    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    run.seconds = double(NowNs() - startNs) / 1e9;
    run.megabytes = double(usage.ru_maxrss) / 1024.0;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--editor") == 0)
        return RunEditor(argv[2], std::atoll(argv[3]));

    const int records = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    char folderTemplate[] = "/tmp/vireo-bench-XXXXXX";
    const char* made = mkdtemp(folderTemplate);
    if (!made) {
        std::perror("bench_open: mkdtemp");
        return 2;
    }
    const std::string folder = made;
    const std::string file = folder + "/cockpit.dat";
    {
        std::ofstream out(file, std::ios::binary);
        const std::string text = CCockpitGenerator::Generate(records);
        out.write(text.data(), std::streamsize(text.size()));
        QImage picture(256, 256, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        picture.save(QString::fromStdString(folder + "/template.png"));
    }
    // The editor keeps its recent files and layout in a settings folder of its own here.
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    if (!getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);

    char self[4096] = {};
    if (readlink("/proc/self/exe", self, sizeof self - 1) < 0) {
        std::perror("bench_open: /proc/self/exe");
        return 2;
    }
    std::vector<double> formatTimes, formatMemory, editorTimes, editorMemory;
    const std::string reply = folder + "/editor.txt";
    for (int i = 0; i < runs; ++i) {
        // By turns, so that a busy moment of the machine does not fall on one side only.
        const CRun format = Spawn({VIREO_CLI, "format", file, "-o", "-"}, std::string(), NowNs());
        const long long start = NowNs();
        const CRun editor = Spawn({self, "--editor", file, std::to_string(start)}, reply, start);
        long long usableNs = 0;
        int roots = 0;
        if (FILE* f = std::fopen(reply.c_str(), "r")) {
            if (std::fscanf(f, "%lld %d", &usableNs, &roots) != 2)
                usableNs = 0;
            std::fclose(f);
        }
        if (!format.ok || !editor.ok || usableNs <= 0 || roots != 3) {
            std::fprintf(stderr, "bench_open: run %d failed\n", i + 1);
            std::filesystem::remove_all(folder);
            return 1;
        }
        std::printf("run %d: format %.3f s %.1f MB, editor usable %.3f s %.1f MB\n", i + 1,
                    format.seconds, format.megabytes, double(usableNs) / 1e9, editor.megabytes);
        std::fflush(stdout);
        formatTimes.push_back(format.seconds);
        formatMemory.push_back(format.megabytes);
        editorTimes.push_back(double(usableNs) / 1e9);
        editorMemory.push_back(editor.megabytes);
    }
    std::filesystem::remove_all(folder);

    const double ft = *std::min_element(formatTimes.begin(), formatTimes.end());
    const double et = *std::min_element(editorTimes.begin(), editorTimes.end());
    std::printf("\n%d records, %d runs, platform %s\n", records, runs, getenv("QT_QPA_PLATFORM"));
    std::printf("%-28s %10s %10s %12s\n", "", "best s", "median s", "median MB");
    std::printf("%-28s %10.3f %10.3f %12.1f\n", "vireo-cli format", ft, Median(formatTimes),
                Median(formatMemory));
    std::printf("%-28s %10.3f %10.3f %12.1f\n", "editor, usable window", et, Median(editorTimes),
                Median(editorMemory));
    std::printf("editor / format: time %.2f (best), %.2f (median); memory %.2f (median)\n", et / ft,
                Median(editorTimes) / Median(formatTimes),
                Median(editorMemory) / Median(formatMemory));
    return 0;
}
