#include "sheettesting.h"

#include "cbufferdlg.h"
#include "ccpbuffer.h"
#include "ccpmanager.h"
#include "ccpsurface.h"
#include "ccpsurfaceref.h"
#include "cqtrecordeditor.h"
#include "cqtuserinterface.h"
#include "testcockpit.h"

#include <QFileDialog>

namespace {

// Picks path in the file chooser and accepts it.
CScriptedRunner::Step Browse(const std::string& path)
{
    return [path](QDialog& d) {
        auto& chooser = As<QFileDialog>(d);
        EXPECT_EQ(chooser.defaultSuffix(), "gif");
        EXPECT_EQ(chooser.nameFilters().first(), "GIF Files (*.gif)");
        chooser.selectFile(QString::fromStdString(path));
        static_cast<QDialog&>(chooser).accept();
    };
}

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
