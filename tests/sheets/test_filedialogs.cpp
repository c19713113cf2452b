#include "sheettesting.h"

#include "cbufferdlg.h"
#include "ccpbuffer.h"
#include "ccpmanager.h"
#include "ccpsurface.h"
#include "ccpsurfaceref.h"
#include "cqtimageloader.h"
#include "cqtrecordeditor.h"
#include "cqtuserinterface.h"
#include "crecordingui.h"
#include "testcockpit.h"

#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>

#include <filesystem>

namespace {

// Picks path in the file chooser and accepts it. The chooser offers every picture format the
// loader reads, then all files, and opens in folder (when given).
CScriptedRunner::Step Browse(const std::string& path, const std::string& folder = {})
{
    return [path, folder](QDialog& d) {
        auto& chooser = As<QFileDialog>(d);
        const QStringList filters = chooser.nameFilters();
        EXPECT_TRUE(filters.first().startsWith("Picture Files (")) << filters.first().toStdString();
        for (const char* pattern : {"*.bmp", "*.gif", "*.jpg", "*.png"})
            EXPECT_TRUE(filters.first().contains(pattern)) << pattern;
        EXPECT_EQ(filters.last(), "All Files (*)");
        if (!folder.empty()) {
            EXPECT_EQ(chooser.directory().absolutePath(),
                      QDir(QString::fromStdString(folder)).absolutePath());
        }
        chooser.selectFile(QString::fromStdString(path));
        static_cast<QDialog&>(chooser).accept();
    };
}

// The chooser's preview of the picture under the pointer: whether it shows one, and the size
// it reads.
struct CPreviewSeen
{
    QString opened; // the size shown as the chooser opens
    bool picture = false;
    QString size;
};

CScriptedRunner::Step BrowseSeeingPreview(const std::string& path, CPreviewSeen& seen)
{
    return [path, &seen](QDialog& d) {
        auto& chooser = As<QFileDialog>(d);
        QLabel* picture = Find<QLabel>(chooser, "Preview");
        QLabel* size = Find<QLabel>(chooser, "Preview Size");
        ASSERT_TRUE(picture && size);
        seen.opened = size->text();
        // What the pointer rests on, as the file list reports it.
        emit chooser.currentChanged(QString::fromStdString(path));
        seen.picture = !picture->pixmap().isNull() && picture->pixmap().width() <= picture->width();
        seen.size = size->text();
        chooser.selectFile(QString::fromStdString(path));
        static_cast<QDialog&>(chooser).accept();
    };
}

void WritePicture(const std::string& path, int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(QString::fromStdString(path)));
}

// A cockpit's folder with art/back.png (20 x 10) in it, and far.png (7 x 5) elsewhere.
struct CPictureFolders
{
    CTempDir dir;
    CTempDir elsewhere;
    CRecordingUI ui;
    CQtImageLoader loader;
    CCPManager manager;

    CPictureFolders()
    {
        std::filesystem::create_directories(dir.File("art"));
        WritePicture(dir.File("art/back.png"), 20, 10);
        WritePicture(elsewhere.File("far.png"), 7, 5);
        manager.SetUserInterface(&ui);
        manager.SetImageLoader(&loader);
        manager.SetFolder(dir.Path() + "/");
    }
};

} // namespace

TEST(BufferDialog, StoresSizeAndFileOnOkOnly)
{
    CTempDir dir;
    CCPManager manager;
    manager.SetFolder(dir.Path());
    CCPBuffer buffer(&manager);
    buffer.m_nWidth = 640;
    buffer.m_nHeight = 480;
    {
        CBufferDlg dlg(buffer);
        EXPECT_EQ(Text(dlg, "Wid"), "640");
        EXPECT_EQ(Text(dlg, "Size Ht"), "480");
        SetText(dlg, "File", "panel.gif");
        dlg.reject();
    }
    EXPECT_EQ(buffer.m_strFile, "");

    CBufferDlg dlg(buffer);
    SetText(dlg, "File", "panel.gif");
    SetText(dlg, "Size Ht", "200");
    SetText(dlg, "Wid", "300");
    dlg.accept();
    EXPECT_TRUE(Accepted(dlg));
    EXPECT_EQ(buffer.m_nWidth, 300);
    EXPECT_EQ(buffer.m_nHeight, 200);
    EXPECT_EQ(buffer.m_strFile, "panel.gif");
    EXPECT_EQ(buffer.m_strPath, dir.File("panel.gif"));
}

TEST(BufferDialog, RefusesNamesThatCannotBeReadBack)
{
    CTempDir dir;
    dir.Write("my panel.gif", "x");
    dir.Write("panel.gif", "x");
    CCPBuffer buffer;
    CScriptedRunner runner;
    CBufferDlg dlg(buffer);
    for (const char* bad : {"my panel.gif", "a,b.gif", "a=b.gif", "a;b.gif"}) {
        SetText(dlg, "File", bad);
        dlg.accept();
        EXPECT_FALSE(Accepted(dlg)) << bad;
    }
    ASSERT_EQ(runner.m_messages.size(), 4);
    EXPECT_TRUE(runner.m_messages[0].contains("\"my panel.gif\""))
        << runner.m_messages[0].toStdString();
    EXPECT_EQ(buffer.m_strFile, "");

    // Browsing to such a file is refused too and leaves the field alone; a good one gives the
    // full path.
    SetText(dlg, "File", "old.gif");
    runner.Then(Browse(dir.File("my panel.gif")));
    Click(dlg, "Browse...");
    EXPECT_EQ(runner.m_messages.size(), 5);
    EXPECT_EQ(Text(dlg, "File"), "old.gif");
    runner.Then(Browse(dir.File("panel.gif")));
    Click(dlg, "Browse...");
    EXPECT_EQ(Text(dlg, "File"), QString::fromStdString(dir.File("panel.gif")));
    dlg.accept();
    EXPECT_TRUE(Accepted(dlg));
    EXPECT_EQ(buffer.m_strFile, dir.File("panel.gif"));
}

TEST(FileNames, ManagerTemplateAndSurfaceEntryFileAreCheckedToo)
{
    CCPManager manager;
    manager.m_strTemplateFile = "template.bmp";
    CScriptedRunner runner;
    auto sheet = CQtRecordEditor::CreateSheet(manager, nullptr);
    sheet->Open();
    SetText(*sheet->GetActivePage(), "Template", "my template.bmp");
    sheet->accept();
    EXPECT_FALSE(Accepted(*sheet));
    EXPECT_EQ(manager.m_strTemplateFile, "template.bmp");
    SetText(*sheet->GetActivePage(), "Template", "cockpit.bmp");
    sheet->accept();
    EXPECT_TRUE(Accepted(*sheet));
    EXPECT_EQ(manager.m_strTemplateFile, "cockpit.bmp");

    CCPSurfaceRef entry(&manager);
    entry.m_nId = 101;
    sheet = CQtRecordEditor::CreateSheet(entry, nullptr);
    sheet->Open();
    SetText(*sheet->GetActivePage(), "File", "a,b.gif");
    sheet->accept();
    EXPECT_FALSE(Accepted(*sheet));
    EXPECT_EQ(runner.m_messages.size(), 2);
    EXPECT_TRUE(runner.m_messages[1].contains("\"a,b.gif\""));
}

TEST(UserInterface, BufferAnswersThroughTheDialog)
{
    CCPBuffer buffer;
    CQtUserInterface ui;
    CScriptedRunner runner;
    runner.Then([](QDialog& d) { d.reject(); }).Then([](QDialog& d) {
        SetText(d, "File", "cockpit.gif");
        d.accept();
    });
    EXPECT_EQ(ui.EditBuffer(buffer), IDCANCEL);
    EXPECT_EQ(buffer.m_strFile, "");
    EXPECT_EQ(ui.EditBuffer(buffer), IDOK);
    EXPECT_EQ(buffer.m_strFile, "cockpit.gif");
    EXPECT_EQ(runner.m_titles, (QStringList{"Buffer", "Buffer"}));
}

TEST(PictureBrowse, ABufferNamesAPictureInTheCockpitsFolderRelativeToIt)
{
    CPictureFolders f;
    CCPBuffer buffer(&f.manager);
    CScriptedRunner runner;
    CBufferDlg dlg(buffer);

    // Opened in the cockpit's folder; a picture below it is named from there, and its size
    // fills the size fields that read 0.
    runner.Then(Browse(f.dir.File("art/back.png"), f.dir.Path()));
    Click(dlg, "Browse...");
    EXPECT_EQ(Text(dlg, "File"), "art/back.png");
    EXPECT_EQ(Text(dlg, "Wid"), "20");
    EXPECT_EQ(Text(dlg, "Size Ht"), "10");
    EXPECT_TRUE(f.ui.m_aStatus.empty());

    // Browsing again opens on the picture named now. One elsewhere keeps its full path, and
    // the status bar says so; its size replaces the one given.
    runner.Then(Browse(f.elsewhere.File("far.png"), f.dir.File("art")));
    Click(dlg, "Browse...");
    EXPECT_EQ(Text(dlg, "File"), QString::fromStdString(f.elsewhere.File("far.png")));
    EXPECT_EQ(Text(dlg, "Wid"), "7");
    EXPECT_EQ(Text(dlg, "Size Ht"), "5");
    ASSERT_EQ(f.ui.m_aStatus.size(), 1u);
    EXPECT_EQ(f.ui.m_aStatus[0], "Stored with its full path (outside the cockpit's folder): " +
                                     f.elsewhere.File("far.png"));

    runner.Then(Browse(f.dir.File("art/back.png")));
    Click(dlg, "Browse...");
    dlg.accept();
    EXPECT_TRUE(Accepted(dlg));
    EXPECT_EQ(buffer.m_strFile, "art/back.png");
    EXPECT_EQ(buffer.m_strPath, f.dir.File("art/back.png"));
    EXPECT_TRUE(runner.m_messages.isEmpty());
}

TEST(PictureBrowse, OnlyTheNameStoredMustReadBack)
{
    // A cockpit in a folder whose own path has a blank: the short name reads back whole.
    CPictureFolders f;
    const std::string spaced = f.dir.File("My Cockpit");
    std::filesystem::create_directories(spaced);
    WritePicture(spaced + "/front.png", 4, 4);
    f.manager.SetFolder(spaced + "/");
    CCPBuffer buffer(&f.manager);
    CScriptedRunner runner;
    CBufferDlg dlg(buffer);
    runner.Then(Browse(spaced + "/front.png", spaced));
    Click(dlg, "Browse...");
    EXPECT_EQ(Text(dlg, "File"), "front.png");
    EXPECT_TRUE(runner.m_messages.isEmpty());

    // From another folder the full path would be stored, blank and all: refused.
    f.manager.SetFolder(f.elsewhere.Path() + "/");
    runner.Then(Browse(spaced + "/front.png"));
    Click(dlg, "Browse...");
    EXPECT_EQ(Text(dlg, "File"), "front.png");
    ASSERT_EQ(runner.m_messages.size(), 1);
    EXPECT_TRUE(runner.m_messages[0].contains("My Cockpit/front.png"));
    EXPECT_TRUE(f.ui.m_aStatus.empty());
}

TEST(PictureBrowse, TheTemplateAndASurfaceEntryBrowseTheSameWay)
{
    CPictureFolders f;
    CScriptedRunner runner;

    // The template: a relative name, and the picture's size while the template has none.
    auto sheet = CQtRecordEditor::CreateSheet(f.manager, nullptr);
    sheet->Open();
    QWidget& page = *sheet->GetActivePage();
    runner.Then(Browse(f.dir.File("art/back.png"), f.dir.Path()));
    Click(page, "Browse...");
    EXPECT_EQ(Text(page, "Template"), "art/back.png");
    EXPECT_EQ(Text(page, "Template Width"), "20");
    EXPECT_EQ(Text(page, "Template Height"), "10");
    sheet->accept();
    EXPECT_EQ(f.manager.m_strTemplateFile, "art/back.png");
    EXPECT_EQ(f.manager.m_nTemplateWidth, 20);

    // A surface entry's file: the surface is cut from that picture once the sheet is accepted.
    CCPSurfaceRef entry(&f.manager);
    entry.m_nId = 101;
    sheet = CQtRecordEditor::CreateSheet(entry, nullptr);
    sheet->Open();
    QWidget& surfacePage = *sheet->GetActivePage();
    runner.Then(Browse(f.dir.File("art/back.png"), f.dir.Path()));
    Click(surfacePage, "Browse...");
    EXPECT_EQ(Text(surfacePage, "File"), "art/back.png");
    sheet->accept();
    CCPSurface* surface = f.manager.FindSurface(101);
    ASSERT_NE(surface, nullptr);
    ASSERT_NE(surface->m_pBuffer, nullptr);
    EXPECT_EQ(surface->m_pBuffer->m_strFile, "art/back.png");
    EXPECT_EQ(surface->m_pBuffer->m_nWidth, 20);
    EXPECT_EQ(surface->m_pBuffer->m_nHeight, 10);
    EXPECT_TRUE(runner.m_messages.isEmpty());
}

TEST(UserInterface, NotesGoToTheStatusBarOfTheMainWindow)
{
    QMainWindow frame;
    auto* inside = new QWidget(&frame);
    frame.setCentralWidget(inside);
    CQtUserInterface ui(inside);
    ui.StatusMessage("Stored with its full path");
    EXPECT_EQ(frame.statusBar()->currentMessage(), "Stored with its full path");
}

TEST(PictureBrowse, TheChooserPreviewsThePictureAndANewSurfaceFillsTheScreen)
{
    CPictureFolders f;
    WritePicture(f.dir.File("art/wide.png"), 1600, 400);
    CScriptedRunner runner;
    f.manager.m_nScreenWidth = 800;
    f.manager.m_nScreenHeight = 600;

    // A surface entry without a picture yet: the one browsed is the whole background.
    CCPSurfaceRef entry(&f.manager);
    entry.m_nId = 102;
    entry.m_bTransparent = true;
    auto sheet = CQtRecordEditor::CreateSheet(entry, nullptr);
    sheet->Open();
    QWidget& page = *sheet->GetActivePage();
    EXPECT_TRUE(IsChecked(page, "Transparent"));
    CPreviewSeen seen;
    runner.Then(BrowseSeeingPreview(f.dir.File("art/wide.png"), seen));
    Click(page, "Browse...");
    EXPECT_EQ(seen.opened, "");
    EXPECT_TRUE(seen.picture);
    EXPECT_EQ(seen.size, "1600 x 400");
    EXPECT_FALSE(IsChecked(page, "Transparent"));
    sheet->accept();
    CCPSurface* surface = f.manager.FindSurface(102);
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->m_rcSrc, CRect(0, 0, 1600, 400));
    EXPECT_EQ(entry.m_rcDest, CRect(0, 0, 800, 600));
    EXPECT_FALSE(entry.m_bTransparent);

    // One that has its picture keeps its pieces when another picture is chosen.
    entry.m_rcDest = CRect(10, 10, 50, 50);
    surface->m_rcSrc = CRect(5, 5, 45, 45);
    sheet = CQtRecordEditor::CreateSheet(entry, nullptr);
    sheet->Open();
    runner.Then(BrowseSeeingPreview(f.dir.File("art/back.png"), seen));
    Click(*sheet->GetActivePage(), "Browse...");
    EXPECT_EQ(seen.opened, "1600 x 400") << "the picture named now";
    EXPECT_EQ(seen.size, "20 x 10");
    sheet->accept();
    EXPECT_EQ(surface->m_rcSrc, CRect(5, 5, 45, 45));
    EXPECT_EQ(entry.m_rcDest, CRect(10, 10, 50, 50));

    // Not a picture: no preview, no size.
    f.dir.Write("notes.txt", "not a picture");
    CCPBuffer buffer(&f.manager);
    CBufferDlg dlg(buffer);
    runner.Then(BrowseSeeingPreview(f.dir.File("notes.txt"), seen));
    Click(dlg, "Browse...");
    EXPECT_FALSE(seen.picture);
    EXPECT_EQ(seen.size, "");
    EXPECT_EQ(Text(dlg, "Wid"), "0");
}
