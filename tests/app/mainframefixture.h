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
#include "testcockpit.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QSettings>
#include <QSplitter>
#include <QToolBar>
#include <QUrl>
#include <QWindow>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

// What QTest uses to offer a key press to the shortcut map, as a real key press would.
Q_GUI_EXPORT bool qt_sendShortcutOverrideEvent(QObject* o, ulong timestamp, int k,
                                               Qt::KeyboardModifiers mods, const QString& text,
                                               bool autorep, ushort count);

inline const char* const kCockpit = "#100 PANEL\n"
                                    "objects = 101;\n"
                                    "buttonviews = 1;\n"
                                    "#end\n"
                                    "#1 BUTTONVIEW\n"
                                    "srcloc = 0 0 16 16;\n"
                                    "destloc = opaque 10 10 30 30;\n"
                                    "#end\n"
                                    "#101 LIGHT\n"
                                    "srcloc = 0 16 16 32;\n"
                                    "destloc = opaque 20 20 40 40;\n"
                                    "#end\n"
                                    "#101 SOUND\n"
                                    "#end\n";

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

    std::string Write(const std::string& name, const std::string& text = kCockpit)
    {
        dir.Write(name, text);
        return dir.File(name);
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
