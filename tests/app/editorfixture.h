#pragma once

#include "cmainframe.h"
#include "crecordingui.h"
#include "cvireoapp.h"
#include "fixturefile.h"
#include "iframeprompts.h"
#include "irecordeditor.h"
#include "testcockpit.h"

#include <QApplication>
#include <QColor>
#include <QElapsedTimer>
#include <QImage>
#include <QSettings>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// The editor started on a cockpit of tests/data copied into a folder of the test's own, with
// every dialog answered by the test.
class EditorTest : public ::testing::Test
{
protected:
    class CPrompts : public IFramePrompts
    {
    public:
        std::string m_strSave;
        Answer m_nAnswer = No;
        std::string AskOpenFileName() override { return std::string(); }
        std::string AskSaveFileName(const std::string&) override { return m_strSave; }
        Answer AskSaveChanges(const std::string&) override { return m_nAnswer; }
    };
    class COkEditor : public IRecordEditor
    {
    public:
        int EditProperties(CCPObject&) override { return IDOK; }
    };

    static inline std::unique_ptr<CTempDir> s_settings;
    CTempDir dir;
    CRecordingUI ui;
    CPrompts prompts;
    COkEditor editor;
    std::unique_ptr<CVireoApp> app;

    static void SetUpTestSuite()
    {
        // Recent files go to the tests' own folder.
        s_settings = std::make_unique<CTempDir>();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(s_settings->Path()));
    }
    static void TearDownTestSuite() { s_settings.reset(); }

    void TearDown() override
    {
        if (app)
            app->GetDocument().MarkSaved();
        app.reset();
    }

    // Copies the fixture into the folder under name and starts the editor on it.
    void StartOn(const std::string& fixture, const std::string& name)
    {
        dir.Write(name, FixtureText(fixture));
        app = std::make_unique<CVireoApp>(&ui, &prompts, &editor);
        ASSERT_TRUE(app->InitInstance({QString::fromStdString(dir.File(name))}));
        frame()->activateWindow();
        QApplication::processEvents();
    }

    // A picture of one colour, written where the cockpit looks for it.
    void WritePicture(const std::string& name, QColor colour, int w = 64, int h = 64)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(QString::fromStdString(dir.File(name)), "PNG"));
    }

    // Runs the event loop until done() holds or ms have passed; whether it held.
    static bool WaitFor(const std::function<bool()>& done, int ms = 3000)
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
};
