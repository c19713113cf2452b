#include "ccpbuffer.h"
#include "ccppanel.h"
#include "ccpsound.h"
#include "cfilewatcher.h"
#include "cvireoview.h"
#include "mainframefixture.h"

#include <QDialog>
#include <QFileSystemWatcher>
#include <QTimer>

#include <filesystem>

namespace {

// Follows the file watcher from outside: the changes the system tells it of, and each look it
// takes at the files (one of its timers firing). Tests wait on these instead of for a while.
class CWatchProbe
{
public:
    explicit CWatchProbe(QObject* watcher)
    {
        auto* system = watcher->findChild<QFileSystemWatcher*>();
        EXPECT_NE(system, nullptr);
        if (system) {
            QObject::connect(system, &QFileSystemWatcher::fileChanged, &m_context,
                             [this] { ++m_nNotices; });
            QObject::connect(system, &QFileSystemWatcher::directoryChanged, &m_context,
                             [this] { ++m_nNotices; });
        }
        m_aTimers = watcher->findChildren<QTimer*>();
        EXPECT_FALSE(m_aTimers.isEmpty());
        // Connected after the watcher's own slot: counted once the look is done.
        for (QTimer* timer : m_aTimers)
            QObject::connect(timer, &QTimer::timeout, &m_context, [this] { ++m_nLooks; });
    }

    int Notices() const { return m_nNotices; }
    int Looks() const { return m_nLooks; }
    // Nothing more to look at: no change waits to settle, no retry is due.
    bool Idle() const
    {
        for (const QTimer* timer : m_aTimers)
            if (timer->isActive())
                return false;
        return true;
    }

private:
    QObject m_context;
    QList<QTimer*> m_aTimers;
    int m_nNotices = 0;
    int m_nLooks = 0;
};

class FileWatchTest : public MainFrameTest
{
protected:
    struct CAsked
    {
        std::string path;
        bool modified;
    };
    std::vector<CAsked> asked;
    bool reload = false;

    void Start()
    {
        WritePicture("watch_template.png", Qt::darkRed);
        WritePicture("watch_back.png", Qt::darkCyan);
        StartOn("watched.dat", "10_watched.dat");
        app->GetFileWatcher()->SetReloadQuestion([this](const std::string& path, bool modified) {
            asked.push_back({path, modified});
            return reload;
        });
        doc().SetCurrentPanel(doc().m_manager.FindPanel(100));
        probe = std::make_unique<CWatchProbe>(app->GetFileWatcher());
    }

    std::unique_ptr<CWatchProbe> probe;

    // Runs the event loop until the watcher has been told of a change made after `notices` and
    // has done everything it does about it.
    bool WaitUntilHandled(int notices)
    {
        return WaitFor([&] { return probe->Notices() > notices && probe->Idle(); });
    }
    // Runs the event loop until the watcher has been told of a change made after `notices`.
    bool WaitForNotice(int notices)
    {
        return WaitFor([&] { return probe->Notices() > notices; });
    }
    // Runs the event loop until the watcher has looked at the files count more times.
    bool WaitForLooks(int count)
    {
        const int seen = probe->Looks();
        return WaitFor([&] { return probe->Looks() >= seen + count; });
    }

    // The colour the panel view shows where the background surface lies.
    QColor Background()
    {
        return frame()->GetPanelView()->viewport()->grab().toImage().pixelColor(5, 5);
    }
    QColor Template() { return QColor::fromRgba(doc().m_manager.m_bmpTemplate.Pixel(1, 1)); }

    // What an image editor does on saving: write a new file, then rename it over the old one.
    void ReplaceByRename(const std::string& name, QColor colour)
    {
        WritePicture(name + ".new", colour);
        std::filesystem::rename(dir.File(name + ".new"), dir.File(name));
    }
};

} // namespace

TEST_F(FileWatchTest, PicturesChangedOnDiskAreReadAgainWithoutMarkingTheCockpitModified)
{
    Start();
    EXPECT_EQ(app->GetFileWatcher()->WatchedFiles(),
              (std::vector<std::string>{dir.File("10_watched.dat"), dir.File("watch_back.png"),
                                        dir.File("watch_template.png")}));
    EXPECT_EQ(Background(), QColor(Qt::darkCyan));
    EXPECT_EQ(Template(), QColor(Qt::darkRed));

    // Replaced by a rename, twice: the watch survives the first replacement.
    ReplaceByRename("watch_back.png", Qt::darkGreen);
    EXPECT_TRUE(WaitFor([&] { return Background() == QColor(Qt::darkGreen); }));
    ReplaceByRename("watch_back.png", Qt::darkMagenta);
    EXPECT_TRUE(WaitFor([&] { return Background() == QColor(Qt::darkMagenta); }));

    // Written over in place.
    WritePicture("watch_template.png", Qt::darkYellow);
    EXPECT_TRUE(WaitFor([&] { return Template() == QColor(Qt::darkYellow); }));

    // A picture that disappears keeps what was read until it is back.
    const int notices = probe->Notices();
    std::filesystem::remove(dir.File("watch_template.png"));
    EXPECT_TRUE(WaitUntilHandled(notices));
    EXPECT_EQ(Template(), QColor(Qt::darkYellow));
    WritePicture("watch_template.png", Qt::darkBlue);
    EXPECT_TRUE(WaitFor([&] { return Template() == QColor(Qt::darkBlue); }));

    EXPECT_FALSE(doc().IsModified());
    EXPECT_TRUE(ui.m_aBoxes.empty()) << ui.m_aBoxes.front().text;
    EXPECT_TRUE(asked.empty());
}

TEST_F(FileWatchTest, AChangedCockpitFileIsReloadedOnlyWhenTheUserSaysSo)
{
    Start();
    const std::string path = dir.File("10_watched.dat");
    const std::string sound = "\n#5 SOUND\n\tentry = 1;\n#end\n";

    // Unchanged cockpit: reloading loses nothing, and the user agrees.
    reload = true;
    dir.Write("10_watched.dat", TestData("watched.dat") + sound);
    ASSERT_TRUE(WaitFor([&] { return !asked.empty(); }));
    EXPECT_EQ(asked[0].path, path);
    EXPECT_FALSE(asked[0].modified);
    EXPECT_NE(doc().m_manager.FindSound(5), nullptr);
    EXPECT_FALSE(doc().IsModified());
    EXPECT_EQ(doc().GetPathName(), path);

    // With unsaved changes the question says so; declining keeps them.
    ASSERT_TRUE(doc().NewSound());
    ASSERT_TRUE(doc().IsModified());
    reload = false;
    dir.Write("10_watched.dat", TestData("watched.dat"));
    ASSERT_TRUE(WaitFor([&] { return asked.size() == 2; }));
    EXPECT_TRUE(asked[1].modified);
    EXPECT_NE(doc().m_manager.FindSound(6), nullptr);
    EXPECT_TRUE(doc().IsModified());

    // The editor's own save is no change from elsewhere.
    prompts.m_strSave = path;
    const int notices = probe->Notices();
    ASSERT_TRUE(frame()->ExecuteCommand(ID_FILE_SAVE));
    ASSERT_FALSE(doc().IsModified());
    EXPECT_TRUE(WaitUntilHandled(notices));
    EXPECT_EQ(asked.size(), 2u);
}

TEST_F(FileWatchTest, PicturesRewrittenWhileADialogIsOpenAreReadOnceItHasClosed)
{
    Start();
    ASSERT_EQ(Background(), QColor(Qt::darkCyan)); // read once already
    // A dialog is up (the box about a bad picture, a sheet): rewrites wait for it, so no box
    // opens over it however often the picture changes.
    QDialog open(frame());
    open.setModal(true);
    open.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &open);
    // Each rewrite is seen and looked at on its own.
    for (int i = 0; i < 8; ++i) {
        const int notices = probe->Notices();
        dir.Write("watch_back.png", "no picture " + std::to_string(i));
        ASSERT_TRUE(WaitForNotice(notices)) << i;
        ASSERT_TRUE(WaitForLooks(1)) << i;
    }
    // The last one has settled and been found while the dialog is up, more than once.
    ASSERT_TRUE(WaitForLooks(2));
    EXPECT_TRUE(ui.m_aBoxes.empty());
    EXPECT_EQ(Background(), QColor(Qt::darkCyan));

    // Closed: read once, one message.
    open.close();
    EXPECT_TRUE(WaitFor([&] { return !ui.m_aBoxes.empty(); }));
    EXPECT_TRUE(WaitFor([&] { return probe->Idle(); }));
    EXPECT_EQ(ui.m_aBoxes.size(), 1u);
    EXPECT_FALSE(doc().IsModified());
}
