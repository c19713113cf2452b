#pragma once

#include "ccommandroute.h"
#include "ccommandtarget.h"
#include "idocobserver.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <map>
#include <string>

class CCPTree;
class CHelpWindow;
class CProblemsPanel;
class CDocHandler;
class CRecentFileList;
class CTemplView;
class CVireoDoc;
class CVireoView;
class QLabel;
class QMenu;
class QSplitter;
class QTimer;
class QToolBar;

// The main window: menus, toolbar, status bar and the three panes (tree, panel view, template
// view) side by side. Every menu item, toolbar button, accelerator and context-menu entry is
// one action per command id, carried out along the route active pane, document, frame,
// application. Command states are recomputed before a menu opens, before a shortcut is looked
// up, and on idle.
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
    QMenu* GetViewContextMenu() const { return m_pViewMenu; }
    CProblemsPanel* GetProblemsPanel() const { return m_pProblems; }
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
    // Runs a command along the route if it is enabled now; true when it ran.
    bool ExecuteCommand(int id);
    bool IsCommandEnabled(int id);

    void UpdateTitle();
    void UpdateRecentFileMenu(const CRecentFileList& recent);
    // Opens a file dropped on the window (after the question about saving changes).
    void SetOpenFileHandler(std::function<bool(const std::string&)> fn)
    {
        m_fnOpenFile = std::move(fn);
    }

    bool OnUpdateCommand(CCmdUI& ui) override;
    bool OnCommand(int id) override;

    void OnUpdate(IDocObserver*, int, CCPObject*) override {}
    void OnInitialUpdate() override { UpdateTitle(); }

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
    void TrackLockKeys(const QKeyEvent* event);
    void ShowHelp();

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
    CVireoView* m_pView = nullptr;
    CTemplView* m_pTemplView = nullptr;
    QMenu* m_pViewMenu = nullptr;
    CProblemsPanel* m_pProblems = nullptr;
    CHelpWindow* m_pHelp = nullptr;
    QTimer* m_pIdleTimer = nullptr;
    int m_nActivePane = kViewPane;
    bool m_bSized = false;
    std::array<bool, 3> m_abLocks{}; // Caps, Num, Scroll Lock
    std::function<bool(const std::string&)> m_fnOpenFile;
};
