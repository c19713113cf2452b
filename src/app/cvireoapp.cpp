#include "cvireoapp.h"

#include "caboutdlg.h"
#include "ccpbuttonview.h"
#include "ccppanel.h"
#include "ccptree.h"
#include "cfilewatcher.h"
#include "cmainframe.h"
#include "cqtframeprompts.h"
#include "cqtimageloader.h"
#include "cqtrecordeditor.h"
#include "cqtuserinterface.h"
#include "crecoverykeeper.h"
#include "cvireoview.h"
#include "panelpaint.h"
#include "textconvert.h"

#include <QApplication>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPixmap>
#include <QPrinter>
#include <QSplitter>

#include <algorithm>

CVireoApp::CVireoApp(IUserInterface* ui, IFramePrompts* prompts, IRecordEditor* editor)
    : m_pUI(ui), m_pPrompts(prompts), m_pEditor(editor)
{
}

CVireoApp::~CVireoApp()
{
    // The frame and its views go first: they unregister from the document.
    m_pWatcher.reset();
    m_pFrame.reset();
    m_pRecovery.reset();
}

bool CVireoApp::InitInstance(const QStringList& arguments)
{
    m_recent.ReadList();
    if (!m_pPrompts) {
        m_pOwnPrompts = std::make_unique<CQtFramePrompts>();
        m_pPrompts = m_pOwnPrompts.get();
    }
    m_pDocHandler = std::make_unique<CDocHandler>(&m_doc, m_pPrompts, &m_recent);
    m_pFrame = std::make_unique<CMainFrame>(&m_doc, m_pDocHandler.get(), this);
    CMainFrame* frame = m_pFrame.get();
    if (m_pOwnPrompts)
        m_pOwnPrompts->SetParent(frame);
    // Pictures changed on disk are read again; a changed cockpit file is offered for reloading.
    m_pWatcher = std::make_unique<CFileWatcher>(&m_doc, frame);
    m_pWatcher->SetReloadHandler([this](const std::string& path) {
        // The journal of the edits being given up is the open cockpit's own: nothing to offer.
        if (!OpenCockpit(path, false))
            return false;
        m_pFrame->UpdateTitle();
        return true;
    });

    if (!m_pUI) {
        m_pOwnUI = std::make_unique<CQtUserInterface>(frame);
        m_pUI = m_pOwnUI.get();
    }
    if (!m_pEditor) {
        auto editor = std::make_unique<CQtRecordEditor>(frame);
        CVireoView* view = frame->GetPanelView();
        editor->SetPanelLink(
            [view](const CCPObject& record) { return view->RecordOnScreen(record); },
            [this](CCPObject& record) {
                m_doc.SetCurrentObject(&record);
                m_pFrame->ExecuteCommand(ID_CALIBRATE);
            });
        m_pEditor = editor.get();
        m_pOwnEditor = std::move(editor);
    }
    m_pLoader = std::make_unique<CQtImageLoader>();
    m_doc.SetUserInterface(m_pUI);
    m_doc.SetRecordEditor(m_pEditor);
    m_doc.m_manager.SetImageLoader(m_pLoader.get());

    m_pPrinter = std::make_unique<QPrinter>();
    frame->GetPanelView()->SetPrinter(m_pPrinter.get());
    frame->SetOpenFileHandler([this](const std::string& path) { return OpenDocumentFile(path); });
    // Unsaved edits are journalled; a window closed for good leaves none.
    m_pRecovery =
        std::make_unique<CRecoveryKeeper>(m_doc, *m_pPrompts, CRecoveryKeeper::DefaultFolder());
    frame->SetClosedHandler([this] { m_pRecovery->Closing(); });
    m_pDocHandler->SetSavedCallback([this] {
        m_pRecovery->Saved();
        m_pWatcher->CockpitSaved();
        RecentFilesChanged();
        m_pFrame->UpdateTitle();
    });
    frame->UpdateRecentFileMenu(m_recent);

    QString file;
    for (const QString& argument : arguments)
        if (!argument.isEmpty()) {
            file = argument;
            break;
        }
    if (file.isEmpty()) {
        m_doc.OnNewDocument();
    } else {
        const std::string path = PathToCore(QFileInfo(file).absoluteFilePath());
        // A file that cannot be read has been reported; start empty rather than not at all.
        if (OpenCockpit(path)) {
            m_recent.Add(path);
            RecentFilesChanged();
        } else {
            m_doc.OnNewDocument();
        }
    }
    frame->UpdateTitle();
    frame->show();
    return true;
}

bool CVireoApp::OpenCockpit(const std::string& path, bool offerRecovery)
{
    switch (offerRecovery ? m_pRecovery->OfferRecovery(path) : CRecoveryKeeper::NotRecovered) {
    case CRecoveryKeeper::Failed:
        return false;
    case CRecoveryKeeper::NotRecovered:
        if (!m_doc.OnOpenDocument(path))
            return false;
        break;
    default:
        break;
    }
    CCPManager& m = m_doc.m_manager;
    int id = 0;
    CCPPanel* panel = CShownPanels::Recall(path, id) ? m.FindPanel(id) : nullptr;
    ShowPanel(panel ? panel : m.GetPanel(0));
    return true;
}

void CVireoApp::ShowPanel(CCPPanel* panel)
{
    if (!panel)
        return;
    CCPTree* tree = m_pFrame->GetTree();
    const QModelIndex row = tree->FindItem(panel);
    tree->expand(row.parent());
    tree->expand(row);
    // Chosen in the tree, so that the document follows as it does after a click there.
    tree->setCurrentIndex(row);
    tree->scrollTo(row);
    if (m_doc.m_pCurrentPanel != panel) {
        m_doc.SetCurrentPanel(panel);
        m_doc.SetCurrentObject(panel);
    }
}

void CVireoApp::RecentFilesChanged()
{
    m_recent.WriteList();
    if (m_pFrame)
        m_pFrame->UpdateRecentFileMenu(m_recent);
}

bool CVireoApp::OnFileNew()
{
    if (!m_pDocHandler->SaveModified())
        return false;
    m_doc.OnNewDocument();
    m_pFrame->UpdateTitle();
    return true;
}

void CVireoApp::OnFileOpen()
{
    const std::string path = m_pPrompts->AskOpenFileName();
    if (!path.empty())
        OpenDocumentFile(path);
}

bool CVireoApp::OpenDocumentFile(const std::string& path)
{
    if (!m_pDocHandler->SaveModified())
        return false;
    const std::string full = PathToCore(QFileInfo(PathFromCore(path)).absoluteFilePath());
    if (!OpenCockpit(full))
        return false;
    m_recent.Add(full);
    RecentFilesChanged();
    m_pFrame->UpdateTitle();
    return true;
}

void CVireoApp::OnFilePrintSetup()
{
    QPageSetupDialog dialog(m_pPrinter.get(), m_pFrame.get());
    dialog.exec();
}

void CVireoApp::OnAppAbout()
{
    CAboutDlg dialog(m_pFrame.get());
    dialog.exec();
}

bool CVireoApp::OnUpdateCommand(CCmdUI& ui)
{
    const int recent = ui.m_nID - ID_FILE_MRU_FILE1;
    if (recent >= 0 && recent < kMaxRecentFiles) {
        ui.Enable(recent < m_recent.GetSize());
        return true;
    }
    switch (ui.m_nID) {
    case ID_FILE_NEW:
    case ID_FILE_OPEN:
    case ID_FILE_PRINT_SETUP:
    case ID_APP_ABOUT:
    case ID_APP_EXIT:
        ui.Enable();
        return true;
    default:
        return false;
    }
}

bool CVireoApp::OnCommand(int id)
{
    const int recent = id - ID_FILE_MRU_FILE1;
    if (recent >= 0 && recent < kMaxRecentFiles) {
        if (recent >= m_recent.GetSize() || !m_pDocHandler->SaveModified())
            return true;
        const std::string path = m_recent[recent];
        if (OpenCockpit(path)) {
            m_recent.Add(path);
            m_pFrame->UpdateTitle();
        } else {
            // Gone or unreadable: it leaves the list.
            m_recent.Remove(recent);
        }
        RecentFilesChanged();
        return true;
    }
    switch (id) {
    case ID_FILE_NEW:
        OnFileNew();
        return true;
    case ID_FILE_OPEN:
        OnFileOpen();
        return true;
    case ID_FILE_PRINT_SETUP:
        OnFilePrintSetup();
        return true;
    case ID_APP_ABOUT:
        OnAppAbout();
        return true;
    case ID_APP_EXIT:
        m_pFrame->close();
        return true;
    default:
        return false;
    }
}

bool CVireoApp::SaveScreenshot(const std::string& file, int panelId, int recordId)
{
    CMainFrame* frame = m_pFrame.get();
    CCPManager& m = m_doc.m_manager;
    CCPPanel* panel = panelId ? m.FindPanel(panelId) : m.GetPanel(0);
    if (panel) {
        ShowPanel(panel);
        CCPObject* record = nullptr;
        CRect rc;
        if (recordId) {
            record = m.FindButtonView(recordId);
            if (!record)
                record = m.FindObject(recordId);
        }
        if (!record)
            record = WalkPanel(m, *panel, kAllLayers,
                               [&](CCPObject& shown) { return shown.GetSrcRect(&rc); });
        if (record)
            m_doc.SetCurrentObject(record);
    }
    // Room for the tree's labels and a good part of the template, as a user would drag the
    // splitter bars.
    frame->resize(1280, 900);
    QApplication::processEvents();
    QSplitter* panes = frame->GetSplitter();
    CCPTree* tree = frame->GetTree();
    tree->resizeColumnToContents(0);
    const int treeWidth = std::clamp(tree->columnWidth(0) + 2 * tree->frameWidth() + 24, 100, 280);
    const int templWidth = 320;
    panes->setSizes(
        {treeWidth, std::max(100, panes->width() - treeWidth - templWidth), templWidth});
    if (tree->currentIndex().isValid())
        tree->scrollTo(tree->currentIndex());
    m_doc.UpdateAllViews(nullptr, Hint::Refresh); // centres the record in the resized views
    frame->UpdateCommandUI();
    QApplication::processEvents();
    return frame->grab().save(PathFromCore(file), "PNG");
}
