#pragma once

#include "ccommandtarget.h"
#include "cdochandler.h"
#include "crecentfilelist.h"
#include "cshownpanels.h"
#include "cvireodoc.h"

#include <QStringList>

#include <memory>
#include <string>

class CFileWatcher;
class CCPPanel;
class CMainFrame;
class CQtFramePrompts;
class CRecoveryKeeper;
class IImageLoader;
class IRecordEditor;
class IUserInterface;
class QPrinter;

// The editor program: one document, one main frame, the recent-file list and the commands
// that belong to the application (New, Open, the recent files, Print Setup, About, Exit).
class CVireoApp : public CCommandTarget
{
public:
    // Services left null are the editor's own dialogs; tests pass their own.
    explicit CVireoApp(IUserInterface* ui = nullptr, IFramePrompts* prompts = nullptr,
                       IRecordEditor* editor = nullptr);
    ~CVireoApp() override;

    // Builds the window and carries out the command line: a file to open, or a new document.
    // A file that cannot be opened is reported and the editor starts with an empty document.
    bool InitInstance(const QStringList& arguments);

    CVireoDoc& GetDocument() { return m_doc; }
    CMainFrame* GetMainFrame() const { return m_pFrame.get(); }
    CFileWatcher* GetFileWatcher() const { return m_pWatcher.get(); }
    CRecoveryKeeper* GetRecovery() const { return m_pRecovery.get(); }

    // New: after the question about saving changes, an empty document.
    bool OnFileNew();
    void OnFileOpen();
    // Opens path after the question about saving changes; false when nothing was opened.
    bool OpenDocumentFile(const std::string& path);
    void OnFilePrintSetup();
    void OnAppAbout();

    bool OnUpdateCommand(CCmdUI& ui) override;
    bool OnCommand(int id) override;

    // For the screenshot option: shows panelId (or the first panel) with recordId (or the
    // panel's first record that has a piece of the template) selected, then saves the window.
    bool SaveScreenshot(const std::string& file, int panelId, int recordId);

    // Shows panel (none: nothing) as a click on its row in the tree would: its branch open, the
    // panel current there and in the panel view.
    void ShowPanel(CCPPanel* panel);

private:
    void RecentFilesChanged();
    // Opens path onto the panel it showed when it was last closed, else onto the first panel;
    // first offers the unsaved edits an editor that crashed left of it.
    bool OpenCockpit(const std::string& path, bool offerRecovery = true);

    CVireoDoc m_doc;
    std::unique_ptr<IUserInterface> m_pOwnUI;
    std::unique_ptr<IRecordEditor> m_pOwnEditor;
    std::unique_ptr<IImageLoader> m_pLoader;
    std::unique_ptr<CQtFramePrompts> m_pOwnPrompts;
    IUserInterface* m_pUI;
    IFramePrompts* m_pPrompts;
    IRecordEditor* m_pEditor;
    CRecentFileList m_recent{kMaxRecentFiles};
    CShownPanels m_shownPanels{&m_doc};
    std::unique_ptr<CDocHandler> m_pDocHandler;
    std::unique_ptr<QPrinter> m_pPrinter;
    std::unique_ptr<CMainFrame> m_pFrame;
    std::unique_ptr<CFileWatcher> m_pWatcher;
    std::unique_ptr<CRecoveryKeeper> m_pRecovery;
};
