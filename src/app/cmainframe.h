#pragma once

#include "arrange.h"
#include "ccommandroute.h"
#include "ccommandtarget.h"
#include "idocobserver.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>

class CCPTree;
class CCPTreePane;
class CHelpWindow;
class CProblemsPanel;
class CDocHandler;
class CHistoryPanel;
class CRecentFileList;
class CRecordsPalette;
class CTemplView;
class CVireoDoc;
class CVireoView;
class QLabel;
class QMenu;
class QSplitter;
class QToolBar;

// The main window: menus, toolbar, status bar and the three panes (tree, panel view, template
// view) side by side. Every menu item, toolbar button, accelerator and context-menu entry is
// one action per command id, carried out along the route active pane, document, frame,
// application. Command states are recomputed before a menu opens, before a shortcut is looked
// up, and once on the next turn of the event loop after anything they depend on changed (the
// document, its history, the focus, the tree's selection, a view's zoom, the bars, the recent
// files).
class CMainFrame : public QMainWindow, public CCommandTarget, public IDocObserver
{
public:
    enum Pane
    {
        kTreePane = 0,
        kViewPane = 1,
        kTemplPane = 2
    };

    CMainFrame(CVireoDoc* doc, CDocHandler* docHandler, CCommandTarget* app,
               QWidget* parent = nullptr);
    ~CMainFrame() override;

    CCPTree* GetTree() const { return m_pTree; }
    CVireoView* GetPanelView() const { return m_pView; }
    CTemplView* GetTemplView() const { return m_pTemplView; }
    QSplitter* GetSplitter() const { return m_pSplitter; }
    QToolBar* GetToolBar() const { return m_pToolBar; }
    CHistoryPanel* GetHistoryPanel() const { return m_pHistory; }
    CProblemsPanel* GetProblemsPanel() const { return m_pProblems; }
    CRecordsPalette* GetRecordsPalette() const { return m_pRecords; }
    // The panel view's context menu.
    QMenu* GetViewMenu() const { return m_pViewMenu; }
    // The help window, once Vireo Help has opened it.
    CHelpWindow* GetHelpWindow() const { return m_pHelp; }
    QAction* Action(int id) const;
    // The label of a status-bar pane (ID_INDICATOR_*).
    QLabel* StatusPane(int id) const;

    int GetActivePaneIndex() const { return m_nActivePane; }
    CCommandTarget* GetActivePane() const;
    QWidget* PaneWidget(int index) const;
    void SetActivePane(int index);

    // Recomputes every action's state and the status panes from the route.
    void UpdateCommandUI();
    // Asks for UpdateCommandUI on the next turn of the event loop: however many changes ask
    // before then, it runs once.
    void RequestCommandUpdate();
    // How often UpdateCommandUI ran.
    int CommandUpdateCount() const { return m_nCommandUpdates; }
    // Runs a command along the route if it is enabled now; true when it ran.
    bool ExecuteCommand(int id);

    // "<file>* - Vireo Editor" while modified (Qt's [*] mark); the folder in the status bar.
    void UpdateTitle();
    void UpdateRecentFileMenu(const CRecentFileList& recent);
    // Opens a file dropped on the window (after the question about saving changes).
    void SetOpenFileHandler(std::function<bool(const std::string&)> fn)
    {
        m_fnOpenFile = std::move(fn);
    }

    // Called when the window closes for good (the edits saved or given up).
    void SetClosedHandler(std::function<void()> fn) { m_fnClosed = std::move(fn); }

    bool OnUpdateCommand(CCmdUI& ui) override;
    bool OnCommand(int id) override;

    void OnUpdate(IDocObserver*, Hint, CCPObject*) override { RequestCommandUpdate(); }
    void OnInitialUpdate() override;
    void OnModifiedChanged(bool modified) override;
    void OnHistoryChanged() override { RequestCommandUpdate(); }

    // The status-bar panes that show the cockpit's folder and name the active pane.
    QLabel* FolderPane() const { return m_pFolderPane; }
    QLabel* ActivePaneLabel() const { return m_pActivePaneLabel; }
    // The frame drawn round the active pane (one per pane, shown on the active one only).
    QWidget* PaneMark(int index) const;
    // What the status bar calls a pane.
    static QString PaneName(int index);

    // Window place and size, bar states, splitter sizes and zoom, kept between runs with the
    // recent files (QSettings "Orvanta", "Vireo", group "Layout"). Saved when the window closes;
    // the snap settings and the grid size are saved as they change.
    void SaveLayout();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateClient();
    QMenu* AddMenu(QMenu* menu, std::initializer_list<int> ids);
    // A menu entry of its own text for a command whose shared action another menu names.
    QAction* MenuEntry(int id, const QString& text);
    void TrackLockKeys(const QKeyEvent* event);
    void CreateLocationPanes();
    void ShowActivePane();
    void RestoreLayout();
    bool RestorePaneSizes();
    int DefaultTreeWidth() const;
    void ShowHelp();
    // Whether the command may act with the keyboard focus where it is now.
    bool FocusAllowsRecordCommand(int id) const;
    // The Arrange menu's command for an id, if it is one.
    static std::optional<ArrangeCommand> ArrangeCommandOf(int id);
    void OnGridSettings();
    // Snapping and the grid, kept with the layout.
    void SaveArrangeSettings();
    // The Records palette, the template's pieces taken to the panel, Outlines and Light
    // Everything (cmainframedraw.cpp).
    void CreateDrawingTools();
    bool OnUpdateDrawingCommand(CCmdUI& ui);
    bool OnDrawingCommand(int id);

    CVireoDoc* m_pDoc;
    CDocHandler* m_pDocHandler;
    CCommandTarget* m_pApp;
    CCommandRoute m_route;
    std::map<int, QAction*> m_mapActions;
    std::map<int, QLabel*> m_mapPanes;
    QLabel* m_pReady = nullptr;
    QToolBar* m_pToolBar = nullptr;
    QSplitter* m_pSplitter = nullptr;
    CCPTree* m_pTree = nullptr;
    CCPTreePane* m_pTreePane = nullptr;
    CVireoView* m_pView = nullptr;
    CTemplView* m_pTemplView = nullptr;
    QMenu* m_pViewMenu = nullptr;
    CHistoryPanel* m_pHistory = nullptr;
    CProblemsPanel* m_pProblems = nullptr;
    CRecordsPalette* m_pRecords = nullptr;
    CHelpWindow* m_pHelp = nullptr;
    bool m_bUpdatePending = false;
    int m_nCommandUpdates = 0;
    int m_nActivePane = kViewPane;
    bool m_bSized = false;
    std::array<bool, 3> m_abLocks{}; // Caps, Num, Scroll Lock
    std::function<bool(const std::string&)> m_fnOpenFile;
    std::function<void()> m_fnClosed;
    QLabel* m_pFolderPane = nullptr;
    QLabel* m_pActivePaneLabel = nullptr;
    std::array<QWidget*, 3> m_apPaneMarks{};
    QMetaObject::Connection m_focusChanged;
};
