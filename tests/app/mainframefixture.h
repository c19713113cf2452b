#pragma once

#include "ccpbuttonview.h"
#include "ccplight.h"
#include "ccppanel.h"
#include "ccpsound.h"
#include "ccptree.h"
#include "cmainframe.h"
#include "crecordingui.h"
#include "ctemplview.h"
#include "ctoolbarart.h"
#include "cvireoapp.h"
#include "cvireoview.h"
#include "iframeprompts.h"
#include "irecordeditor.h"
#include "keypress.h"
#include "testcockpit.h"
#include "testdata.h"

#include <QAction>
#include <QApplication>
#include <QColor>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QSettings>
#include <QSplitter>
#include <QToolBar>
#include <QUrl>
#include <QWindow>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
class CAnswers : public IFramePrompts
{
public:
    std::string m_strOpen;
    std::string m_strSave;
    Answer m_nAnswer = Cancel;
    std::vector<std::string> m_aAsked; // names in "Save changes to %1?"
    Answer m_nCopyAnswer = No;
    std::vector<std::vector<std::string>> m_aCopyAsked; // pictures offered for copying
    std::vector<std::string> m_aCopyFolders;
    Answer m_nRecoverAnswer = No;
    std::vector<std::string> m_aRecoverAsked; // questions offering a crashed editor's edits

    std::string AskOpenFileName() override { return m_strOpen; }
    std::string AskSaveFileName(const std::string&) override { return m_strSave; }
    Answer AskSaveChanges(const std::string& name) override
    {
        m_aAsked.push_back(name);
        return m_nAnswer;
    }
    Answer AskCopyPictures(const std::vector<std::string>& names,
                           const std::string& folder) override
    {
        m_aCopyAsked.push_back(names);
        m_aCopyFolders.push_back(folder);
        return m_nCopyAnswer;
    }
    Answer AskRecover(const std::string& question) override
    {
        m_aRecoverAsked.push_back(question);
        return m_nRecoverAnswer;
    }
};

class COkEditor : public IRecordEditor
{
public:
    int EditProperties(CCPObject&) override { return IDOK; }
};

// The editor window over a cockpit, with recorded messages and answered questions.
class MainFrameTest : public ::testing::Test
{
protected:
    static inline std::unique_ptr<CTempDir> s_settings;
    CTempDir dir;
    CRecordingUI ui;
    CAnswers prompts;
    COkEditor editor;
    std::unique_ptr<CVireoApp> app;

    static void SetUpTestSuite()
    {
        // The recent-file list goes to a folder of the tests', not the user's settings.
        s_settings = std::make_unique<CTempDir>();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(s_settings->Path()));
    }
    static void TearDownTestSuite() { s_settings.reset(); }

    void SetUp() override { QSettings(QStringLiteral("Orvanta"), QStringLiteral("Vireo")).clear(); }

    void TearDown() override
    {
        if (app)
            app->GetDocument().MarkSaved();
        app.reset();
    }

    void Start(QStringList args = {})
    {
        app = std::make_unique<CVireoApp>(&ui, &prompts, &editor);
        ASSERT_TRUE(app->InitInstance(args));
        frame()->activateWindow();
        QApplication::processEvents();
    }

    // tests/data/frame_panel_light_sound.dat unless told otherwise: panel 100 with button view 1
    // and light 101, and sound 101 that shares the light's id.
    std::string Write(const std::string& name,
                      const std::string& text = TestData("frame_panel_light_sound.dat"))
    {
        dir.Write(name, text);
        return dir.File(name);
    }

    // Copies a cockpit of tests/data into the folder under name and starts the editor on it.
    void StartOn(const std::string& fixture, const std::string& name)
    {
        Start({QString::fromStdString(Write(name, TestData(fixture)))});
    }

    // A picture of one colour, written where the cockpit looks for it.
    void WritePicture(const std::string& name, QColor colour, int w = 64, int h = 64)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(QString::fromStdString(dir.File(name)), "PNG"));
    }

    // Runs the event loop until done() holds or ms have passed; whether it held. The deadline
    // is generous: a loaded machine (or a sanitizer build) may be slow to get there.
    static bool WaitFor(const std::function<bool()>& done, int ms = 30000)
    {
        QElapsedTimer clock;
        clock.start();
        while (!done()) {
            if (clock.elapsed() > ms)
                return false;
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        return true;
    }

    CMainFrame* frame() { return app->GetMainFrame(); }
    CVireoDoc& doc() { return app->GetDocument(); }
    bool Enabled(int id)
    {
        frame()->UpdateCommandUI();
        return frame()->Action(id)->isEnabled();
    }
    QString Pane(int id) { return frame()->StatusPane(id)->text(); }
    // The title as the window shows it (with the modified mark filled in).
    std::string Title() { return frame()->windowHandle()->title().toStdString(); }
    QStringList Recent()
    {
        QSettings settings(QStringLiteral("Orvanta"), QStringLiteral("Vireo"));
        settings.beginGroup(QStringLiteral("Recent File List"));
        QStringList files;
        for (int i = 1; i <= 8; ++i)
            files << settings.value(QStringLiteral("File%1").arg(i)).toString();
        while (!files.isEmpty() && files.back().isEmpty())
            files.pop_back();
        return files;
    }
};
