// Open takes a file whole or leaves the cockpit as it was; Save replaces a file without
// losing it; a load never buries the user in boxes nor keeps every message it finds.
#include "ccpbuffer.h"
#include "ccpmanager.h"
#include "ccppanel.h"
#include "ccpsound.h"
#include "ccpsurfaceref.h"
#include "cloaderrorlimiter.h"
#include "cqtcanvas.h"
#include "cqtimageloader.h"
#include "failingreader.h"
#include "filepaths.h"
#include "testcockpit.h"
#include "testdata.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A user interface that prints as it goes, as the command-line tool's does.
struct CStreamingUI : CRecordingUI
{
    bool StreamsMessages() const override { return true; }
};

} // namespace

TEST(DocumentOpen, AReadErrorPartWayFailsTheOpenAndKeepsTheCockpit)
{
    CTempDir dir;
    dir.Write("a.dat", "#1 SOUND\n#end\n");
    dir.Write("big.dat", TestData("hostile_shared_buffers.dat"));
    CTestCockpit c;
    ASSERT_TRUE(c.doc.OnOpenDocument(dir.File("a.dat")));
    c.Touch();

    CFailingReader failing(10000);
    c.doc.SetFileReader(&failing);
    EXPECT_FALSE(c.doc.OnOpenDocument(dir.File("big.dat")));
    ASSERT_EQ(c.ui.m_aBoxes.size(), 1u);
    EXPECT_EQ(c.ui.m_aBoxes[0].text, "Failed to open document.\n" +
                                         std::string(dir.File("big.dat") + ": Input/output error") +
                                         ".");
    // Nothing of the part read came in: the open cockpit is as it was.
    EXPECT_EQ(c.doc.m_manager.m_aSounds.size(), 1u);
    EXPECT_TRUE(c.doc.m_manager.m_aBuffers.empty());
    EXPECT_EQ(c.doc.GetPathName(), dir.File("a.dat"));
    EXPECT_TRUE(c.doc.IsModified());

    // Without the failure the whole file comes in.
    c.doc.SetFileReader(nullptr);
    ASSERT_TRUE(c.doc.OnOpenDocument(dir.File("big.dat")));
    EXPECT_EQ(c.doc.m_manager.m_aBuffers.size(), 200u);
}

TEST(DocumentOpen, OnlyRegularFilesOfAtMostAGibibyteAreOpened)
{
    CTempDir dir;
    ASSERT_EQ(mkfifo(dir.File("pipe.dat").c_str(), 0644), 0); // no writer: must not wait
    const int fd = open(dir.File("huge.dat").c_str(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, off_t(kMaxCockpitBytes) + 1), 0); // sparse: takes no disk
    close(fd);
    CTestCockpit c;
    EXPECT_FALSE(c.doc.OnOpenDocument(dir.File("pipe.dat")));
    EXPECT_FALSE(c.doc.OnOpenDocument("/dev/zero"));
    EXPECT_FALSE(c.doc.OnOpenDocument(dir.File("huge.dat")));
    ASSERT_EQ(c.ui.m_aBoxes.size(), 3u);
    EXPECT_EQ(c.ui.m_aBoxes[0].text,
              "Failed to open document.\n" +
                  std::string(dir.File("pipe.dat") + ": not a regular file") + ".");
    EXPECT_EQ(c.ui.m_aBoxes[1].text,
              "Failed to open document.\n" + std::string("/dev/zero: not a regular file") + ".");
    EXPECT_EQ(c.ui.m_aBoxes[2].text,
              "Failed to open document.\n" +
                  std::string(dir.File("huge.dat") + ": the file is larger than 1 GiB") + ".");
}

TEST(DocumentOpen, PicturesThatAreFifosAreReportedInsteadOfWaitedFor)
{
    CTempDir dir;
    dir.Write("c.dat", TestData("hostile_fifo_pictures.dat"));
    ASSERT_EQ(mkfifo(dir.File("pipe.png").c_str(), 0644), 0);
    CTestCockpit c;
    CQtImageLoader loader;
    c.doc.m_manager.SetImageLoader(&loader);
    ASSERT_TRUE(c.doc.OnOpenDocument(dir.File("c.dat")));
    QImage img(16, 16, QImage::Format_RGB32);
    {
        QPainter painter(&img);
        CQtCanvas canvas(painter);
        c.doc.m_manager.m_aPanels[0]->m_aSurfaces[0]->Draw(canvas, 1.0f);
    }
    EXPECT_EQ(c.ui.Texts(), (std::vector<std::string>{ImageErrorText(dir.File("pipe.png")),
                                                      ImageErrorText(dir.File("pipe.png"))}));
}

TEST(DocumentSave, ALinkIsKeptAndAWriteProtectedFileIsNotOverwritten)
{
    CTempDir dir;
    dir.Write("real.dat", "old");
    ASSERT_EQ(symlink("real.dat", dir.File("link.dat").c_str()), 0);
    CTestCockpit c("#0 MANAGER\ntemplatefile 1 1 t.png;\n#end\n");
    c.Touch();
    ASSERT_TRUE(c.doc.OnSaveDocument(dir.File("link.dat")));
    struct stat st;
    ASSERT_EQ(lstat(dir.File("link.dat").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(dir.Read("real.dat"), c.Saved());

    chmod(dir.File("real.dat").c_str(), 0444);
    c.Touch();
    EXPECT_FALSE(c.doc.OnSaveDocument(dir.File("link.dat")));
    ASSERT_FALSE(c.ui.m_aBoxes.empty());
    EXPECT_EQ(c.ui.m_aBoxes.back().text, "Failed to save document.");
    EXPECT_EQ(c.ui.m_aBoxes.back().details, dir.File("link.dat") + ": the file is write-protected");
    EXPECT_TRUE(c.doc.IsModified());
}

TEST(DocumentLoad, OnlySoManyErrorsAreKeptForTheSummary)
{
    std::string file = "#1 SOUND\n";
    for (int i = 0; i < 5000; ++i)
        file += "bad" + std::to_string(i) + " = 1;\n";
    file += "#end\n";
    CTestCockpit c(file);
    ASSERT_EQ(c.ui.m_aBoxes.size(), 11u);
    const CRecordingUI::Box& summary = c.ui.m_aBoxes[10];
    EXPECT_EQ(summary.text,
              "The file holds 4,990 more errors. Open the details to see the first 1,000.");
    EXPECT_EQ(std::count(summary.details.begin(), summary.details.end(), '\n'), 1001);
    EXPECT_EQ(summary.details.find("Error in file at line 12,  Sound Bad string 'bad10'\n"), 0u);
    EXPECT_NE(summary.details.find("line 1011,  Sound Bad string 'bad1009'\n... and 3,990 more\n"),
              std::string::npos);

    // A user interface that prints as it goes gets every message when it comes.
    CStreamingUI streaming;
    CVireoDoc doc;
    doc.SetUserInterface(&streaming);
    doc.Load(file);
    EXPECT_EQ(streaming.m_aBoxes.size(), 5000u);
    EXPECT_EQ(streaming.m_aBoxes.back().text,
              "Error in file at line 5001,  Sound Bad string 'bad4999'");
    EXPECT_EQ(CountText(9998990), "9,998,990");
    EXPECT_EQ(CountText(999), "999");
}
