#include "cmainframe.h"

#include "ccptree.h"
#include "ccptreepane.h"
#include "cdialogrunner.h"
#include "cdochandler.h"
#include "cgridsettingsdlg.h"
#include "chelpwindow.h"
#include "chistorypanel.h"
#include "cproblemspanel.h"
#include "crecentfilelist.h"
#include "crecordspalette.h"
#include "ctemplview.h"
#include "ctoolbarart.h"
#include "cvireodoc.h"
#include "cvireoview.h"
#include "filepaths.h"
#include "strformat.h"
#include "textconvert.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include <algorithm>

namespace {
struct CommandDef
{
    int id;
    const char* text;
    const char* prompt; // status-bar text "\n" tooltip
    std::initializer_list<QKeyCombination> keys;
    bool checkable = false;
};

const CommandDef kCommands[] = {
    {ID_FILE_NEW, "&New\tCtrl+N", "Create a new cockpit\nNew", {Qt::CTRL | Qt::Key_N}},
    {ID_FILE_OPEN, "&Open...\tCtrl+O", "Open an existing cockpit\nOpen", {Qt::CTRL | Qt::Key_O}},
    {ID_FILE_SAVE, "&Save\tCtrl+S", "Save the cockpit\nSave", {Qt::CTRL | Qt::Key_S}},
    {ID_FILE_SAVE_AS, "Save &As...", "Save the cockpit under a new name\nSave As", {}},
    {ID_FILE_PRINT, "&Print...\tCtrl+P", "Print the panel\nPrint", {Qt::CTRL | Qt::Key_P}},
    {ID_FILE_PRINT_PREVIEW,
     "Print Pre&view",
     "Show the panel as it will be printed\nPrint Preview",
     {}},
    {ID_FILE_PRINT_SETUP, "P&rint Setup...", "Choose the printer and the page\nPrint Setup", {}},
    {ID_FILE_PRINT_DIRECT, "Print Direct", "Print the panel without asking\nPrint", {}},
    {ID_APP_EXIT, "E&xit", "Quit the editor; asks to save a changed cockpit\nExit", {}},
    {ID_EDIT_UNDO,
     "&Undo\tCtrl+Z",
     "Undo the last action\nUndo",
     {Qt::CTRL | Qt::Key_Z, Qt::ALT | Qt::Key_Backspace}},
    {ID_EDIT_REDO,
     "&Redo\tCtrl+Y",
     "Redo the last undone action\nRedo",
     {Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::SHIFT | Qt::Key_Z}},
    {ID_ADD_OBJECT, "Add Object", "Add New Object\nAdd Object", {}},
    {ID_ADD_PANEL, "Add Panel", "Add Panel\nAdd Panel", {}},
    {ID_ADD_SOUND, "Add Sound", "Add SButton\nAdd Button", {}},
    {ID_ADD_BUTTON, "Add Parent Button", "Add Button\nAdd Button", {}},
    {ID_DUPLICATE, "Duplicate", "Duplicate this Object\nDuplicate", {}},
    {ID_EDIT_CUT,
     "Cu&t\tCtrl+X",
     "Cut the selected record\nCut",
     {Qt::CTRL | Qt::Key_X, Qt::SHIFT | Qt::Key_Delete}},
    {ID_EDIT_COPY,
     "&Copy\tCtrl+C",
     "Copy the selected record\nCopy",
     {Qt::CTRL | Qt::Key_C, Qt::CTRL | Qt::Key_Insert}},
    {ID_EDIT_PASTE,
     "&Paste\tCtrl+V",
     "Paste the copied record\nPaste",
     {Qt::CTRL | Qt::Key_V, Qt::SHIFT | Qt::Key_Insert}},
    {ID_EDIT_CLEAR,
     "&Delete",
     "Take the selected record off the panel\nDelete",
     {QKeyCombination(Qt::Key_Delete)}},
    {ID_EDIT_RENAME,
     "Rena&me\tF2",
     "Rename the selected record: its \"// Name:\" line\nRename",
     {QKeyCombination(Qt::Key_F2)}},
    {ID_EDIT_SELECT_ALL,
     "Select &All\tCtrl+A",
     "Select every object and button view of the panel\nSelect All",
     {Qt::CTRL | Qt::Key_A}},
    {ID_ALIGN_LEFT,
     "Align &Left",
     "Line up the left edges of the selected records\nAlign Left",
     {}},
    {ID_ALIGN_RIGHT,
     "Align &Right",
     "Line up the right edges of the selected records\nAlign Right",
     {}},
    {ID_ALIGN_TOP, "Align &Top", "Line up the top edges of the selected records\nAlign Top", {}},
    {ID_ALIGN_BOTTOM,
     "Align &Bottom",
     "Line up the bottom edges of the selected records\nAlign Bottom",
     {}},
    {ID_ALIGN_CENTRES_HORZ,
     "Align Centres &Horizontally",
     "Put the centres of the selected records on one vertical line\nAlign Centres Horizontally",
     {}},
    {ID_ALIGN_CENTRES_VERT,
     "Align Centres &Vertically",
     "Put the centres of the selected records on one horizontal line\nAlign Centres Vertically",
     {}},
    {ID_DISTRIBUTE_HORZ,
     "Distribute Hori&zontally",
     "Space the selected records evenly between the leftmost and the rightmost\nDistribute "
     "Horizontally",
     {}},
    {ID_DISTRIBUTE_VERT,
     "Distribute Verti&cally",
     "Space the selected records evenly between the topmost and the lowest\nDistribute "
     "Vertically",
     {}},
    {ID_SAME_WIDTH,
     "Same &Width",
     "Give the selected records the width of the key record\nSame Width",
     {}},
    {ID_SAME_HEIGHT,
     "Same H&eight",
     "Give the selected records the height of the key record\nSame Height",
     {}},
    {ID_SAME_WIDTH_HEIGHT,
     "Same &Size",
     "Give the selected records the size of the key record\nSame Size",
     {}},
    {ID_SNAP_OBJECTS,
     "Snap to &Objects",
     "Snap dragged records to the edges and centres of the others\nSnap to Objects",
     {},
     true},
    {ID_SNAP_GRID, "Snap to &Grid", "Snap dragged records to the grid\nSnap to Grid", {}, true},
    {ID_GRID_SETTINGS, "Grid Setti&ngs...", "Set the spacing of the grid\nGrid Settings", {}},
    {ID_CALIBRATE,
     "Ca&librate",
     "Make the dial's calibration table by clicking on its face\nCalibrate",
     {}},
    {ID_CHECK_COCKPIT, "Check Cockpit", "Check Cockpit Consistency\nCheck Cockpit", {}},
    {ID_VIEW_TOOLBAR, "&Toolbar", "Show or hide the toolbar\nToggle Toolbar", {}, true},
    {ID_VIEW_STATUS_BAR, "&Status Bar", "Show or hide the status bar\nToggle Status Bar", {}, true},
    {ID_SHOW_OBJECTS, "Show Objects", "Show Objects\nShow Objects", {}, true},
    {ID_SHOW_BUTTONS, "Show Buttons", "Show Buttons\nShow Buttons", {}, true},
    {ID_VIEW_OUTLINES,
     "&Outlines\tCtrl+Shift+O",
     "Outline every record and area of the panel, named and coloured by type\nOutlines",
     {Qt::CTRL | Qt::SHIFT | Qt::Key_O},
     true},
    {ID_VIEW_LIGHT_EVERYTHING,
     "&Light Everything",
     "Show every light and button view in its last state; changes nothing\nLight Everything",
     {},
     true},
    {ID_VIEW_REFRESH, "Refresh\tF5", "Refresh Images\nRefresh Images", {Qt::Key_F5}},
    {ID_HELP, "&Vireo Help\tF1", "Open the user manual\nVireo Help", {Qt::Key_F1}},
    {ID_HELP_INDEX, "Help &Index", "List the help topics\nHelp Index", {}},
    {ID_HELP_CONTENTS, "Help &Contents", "Show the help contents\nHelp Contents", {}},
    {ID_HELP_USING, "Help on &Help", "How to use help\nHelp on Help", {}},
    {ID_APP_ABOUT, "&About Vireo...", "Show the program's version\nAbout", {}},
    {ID_NEXT_STATE, "&Next State\tAlt+N", "Move to next state\nNext State", {Qt::ALT | Qt::Key_N}},
    {ID_PROPERTIES,
     "Properties\tAlt+Ret",
     "Properties\nProperties",
     {Qt::ALT | Qt::Key_Return, Qt::ALT | Qt::Key_Enter}},
    {ID_ZOOM_IN,
     "Zoom In\tAlt+I",
     "Zoom In\nZoom In",
     {Qt::ALT | Qt::Key_I, Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_Equal}},
    {ID_ZOOM_OUT,
     "Zoom Out\tAlt+O",
     "Zoom Out\nZoom Out",
     {Qt::ALT | Qt::Key_O, Qt::CTRL | Qt::Key_Minus}},
    {ID_ZOOM_ACTUAL,
     "Actual Size\tCtrl+0",
     "Show one pixel of the picture as one pixel on screen\nActual Size",
     {Qt::CTRL | Qt::Key_0}},
    {ID_ZOOM_FIT,
     "Fit to Window",
     "Zoom so that the whole picture fits the pane\nFit to Window",
     {}},
    {ID_NUDGE_LEFT, "Nudge Left", "Nudge Left\nNudge Left", {Qt::CTRL | Qt::Key_Left}},
    {ID_NUDGE_RIGHT, "Nudge Right", "Nudge Right\nNudge Right", {Qt::CTRL | Qt::Key_Right}},
    {ID_NUDGE_UP, "Nudge Up", "Nudge Up\nNudge Up", {Qt::CTRL | Qt::Key_Up}},
    {ID_NUDGE_DOWN, "Nudge Down", "Nudge Down\nNudge Down", {Qt::CTRL | Qt::Key_Down}},
    {ID_SAME_SIZE,
     "Make Src/Dest same size",
     "Make Src/Dest same size\nMake Src/Dest Same Size",
     {}},
    {ID_NEXT_PANE, "Next Pane", "Switch to the next pane\nNext Pane", {Qt::Key_F6}},
    {ID_PREV_PANE,
     "Previous Pane",
     "Switch back to the previous pane\nPrevious Pane",
     {Qt::SHIFT | Qt::Key_F6}},
};

struct PaneDef
{
    int id;
    const char* sizing;
};

const PaneDef kPanes[] = {
    {ID_INDICATOR_MOUSE, "0000, 0000"}, {ID_INDICATOR_ID, "ID:0000"}, {ID_INDICATOR_ZOOM, "1600%"},
    {ID_INDICATOR_CAPS, "CAP"},         {ID_INDICATOR_NUM, "NUM"},    {ID_INDICATOR_SCRL, "SCRL"},
};

constexpr int kSeparator = 0;
constexpr int kArrangeMenu = -1; // where the panel view's popup holds the Arrange submenu
} // namespace

CMainFrame::CMainFrame(CVireoDoc* doc, CDocHandler* docHandler, CCommandTarget* app,
                       QWidget* parent)
    : QMainWindow(parent), m_pDoc(doc), m_pDocHandler(docHandler), m_pApp(app)
{
    setWindowIcon(CToolBarArt::AppIcon());
    setAcceptDrops(true);
    resize(1024, 768);

    CreateActions();
    CreateClient();
    // Beside the tree, hidden until View > History shows it.
    m_pHistory = new CHistoryPanel(m_pDoc, this);
    addDockWidget(Qt::LeftDockWidgetArea, m_pHistory);
    m_pHistory->hide();
    CreateDrawingTools();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();

    m_pDoc->AddObserver(m_pTree);
    m_pDoc->AddObserver(m_pHistory);
    m_pDoc->AddObserver(this);
    m_focusChanged =
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
            for (int i = kTreePane; i <= kTemplPane; ++i)
                if (now && (now == PaneWidget(i) || PaneWidget(i)->isAncestorOf(now)) &&
                    m_nActivePane != i) {
                    m_nActivePane = i;
                    ShowActivePane();
                }
            // The route starts at the active pane, and Cut, Copy, Paste and Delete follow the
            // focus.
            RequestCommandUpdate();
        });
    qApp->installEventFilter(this);

    // What else the commands' states depend on.
    connect(m_pTree, &CCPTree::CommandsChanged, this, &CMainFrame::RequestCommandUpdate);
    connect(m_pView, &CScrollView::StateChanged, this, &CMainFrame::RequestCommandUpdate);
    connect(m_pTemplView, &CScrollView::StateChanged, this, &CMainFrame::RequestCommandUpdate);
    connect(m_pToolBar, &QToolBar::visibilityChanged, this, &CMainFrame::RequestCommandUpdate);

    RestoreLayout();
    ShowActivePane();
    UpdateTitle();
    UpdateCommandUI();
}

CMainFrame::~CMainFrame()
{
    // The panes go before QObject would cut this connection, and hiding them moves the focus.
    disconnect(m_focusChanged);
    qApp->removeEventFilter(this);
    m_pDoc->RemoveObserver(this);
    m_pDoc->RemoveObserver(m_pHistory);
    m_pDoc->RemoveObserver(m_pTree);
}

void CMainFrame::CreateActions()
{
    for (const CommandDef& def : kCommands) {
        auto* action = new QAction(QString::fromLatin1(def.text), this);
        const QStringList prompt = QString::fromLatin1(def.prompt).split(QLatin1Char('\n'));
        action->setStatusTip(prompt.value(0));
        action->setToolTip(prompt.value(1));
        QList<QKeySequence> keys;
        for (QKeyCombination key : def.keys)
            keys << QKeySequence(key);
        action->setShortcuts(keys);
        action->setCheckable(def.checkable);
        action->setIconVisibleInMenu(false);
        action->setIcon(CToolBarArt::Icon(def.id));
        const int id = def.id;
        connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
        m_mapActions[id] = action;
        // Shortcuts of commands that live in no menu still work.
        addAction(action);
    }
    for (int i = 0; i < kMaxRecentFiles; ++i) {
        auto* action = new QAction(QStringLiteral("Recent File"), this);
        action->setStatusTip(QStringLiteral("Open this cockpit"));
        const int id = ID_FILE_MRU_FILE1 + i;
        connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
        action->setVisible(i == 0);
        m_mapActions[id] = action;
    }
}

QAction* CMainFrame::MenuEntry(int id, const QString& text)
{
    QAction* shared = Action(id);
    auto* entry = new QAction(text, this);
    entry->setStatusTip(shared->statusTip());
    entry->setEnabled(shared->isEnabled());
    connect(shared, &QAction::changed, entry,
            [entry, shared] { entry->setEnabled(shared->isEnabled()); });
    connect(entry, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
    return entry;
}

QMenu* CMainFrame::AddMenu(QMenu* menu, std::initializer_list<int> ids)
{
    for (int id : ids) {
        if (id == kSeparator)
            menu->addSeparator();
        else
            menu->addAction(Action(id));
    }
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
    return menu;
}

void CMainFrame::CreateMenus()
{
    QMenu* file = AddMenu(menuBar()->addMenu(QStringLiteral("&File")),
                          {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_SAVE_AS, kSeparator,
                           ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP, kSeparator});
    for (int i = 0; i < kMaxRecentFiles; ++i)
        file->addAction(Action(ID_FILE_MRU_FILE1 + i));
    file->addSeparator();
    file->addAction(Action(ID_APP_EXIT));

    QMenu* edit = AddMenu(menuBar()->addMenu(QStringLiteral("&Edit")),
                          {ID_EDIT_UNDO, ID_EDIT_REDO, kSeparator, ID_ADD_OBJECT, ID_ADD_PANEL,
                           ID_ADD_SOUND, ID_ADD_BUTTON, ID_DUPLICATE, ID_EDIT_CUT, ID_EDIT_COPY,
                           ID_EDIT_PASTE, ID_EDIT_CLEAR, ID_EDIT_RENAME, ID_CALIBRATE, kSeparator,
                           ID_EDIT_SELECT_ALL, kSeparator, ID_CHECK_COCKPIT, kSeparator});
    edit->addActions(m_pTreePane->FindActions());
    const std::initializer_list<int> arrange = {
        ID_ALIGN_LEFT,         ID_ALIGN_RIGHT,        ID_ALIGN_TOP,         ID_ALIGN_BOTTOM,
        ID_ALIGN_CENTRES_HORZ, ID_ALIGN_CENTRES_VERT, ID_DISTRIBUTE_HORZ,   ID_DISTRIBUTE_VERT,
        ID_SAME_WIDTH,         ID_SAME_HEIGHT,        ID_SAME_WIDTH_HEIGHT, kSeparator,
        ID_SNAP_OBJECTS,       ID_SNAP_GRID,          ID_GRID_SETTINGS};
    AddMenu(menuBar()->addMenu(QStringLiteral("&Arrange")), arrange);
    QMenu* view =
        AddMenu(menuBar()->addMenu(QStringLiteral("&View")),
                {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, kSeparator, ID_ZOOM_IN, ID_ZOOM_OUT,
                 ID_ZOOM_ACTUAL, ID_ZOOM_FIT, kSeparator, ID_SHOW_OBJECTS, ID_SHOW_BUTTONS,
                 ID_VIEW_OUTLINES, ID_VIEW_LIGHT_EVERYTHING, ID_VIEW_REFRESH, kSeparator});
    view->addAction(m_pRecords->toggleViewAction());
    QAction* history = m_pHistory->toggleViewAction();
    history->setText(QStringLiteral("&History"));
    history->setStatusTip(QStringLiteral("Show or hide the list of edits"));
    view->addAction(history);
    view->addAction(m_pProblems->toggleViewAction());
    AddMenu(menuBar()->addMenu(QStringLiteral("&Help")),
            {ID_HELP, kSeparator, ID_HELP_INDEX, ID_HELP_CONTENTS, ID_HELP_USING, kSeparator,
             ID_APP_ABOUT});

    // The panel view's popup runs the same commands; where its text (mnemonic) differs from
    // the main menu's, it has an entry of its own that follows the command's state.
    m_pViewMenu = new QMenu(this);
    const std::pair<int, const char*> popup[] = {
        {ID_ADD_OBJECT, "&Add Object"}, {ID_ADD_SOUND, nullptr},  {ID_ADD_BUTTON, nullptr},
        {ID_DUPLICATE, nullptr},        {ID_EDIT_CUT, nullptr},   {ID_EDIT_COPY, nullptr},
        {ID_EDIT_PASTE, nullptr},       {ID_EDIT_CLEAR, nullptr}, {ID_EDIT_RENAME, nullptr},
        {kSeparator, nullptr},          {kArrangeMenu, nullptr},  {kSeparator, nullptr},
        {ID_NEXT_STATE, nullptr},       {ID_CALIBRATE, nullptr},  {kSeparator, nullptr},
        {ID_PROPERTIES, nullptr},       {kSeparator, nullptr},    {ID_ZOOM_IN, nullptr},
        {ID_ZOOM_OUT, nullptr}};
    for (const auto& [id, text] : popup) {
        if (id == kSeparator)
            m_pViewMenu->addSeparator();
        else if (id == kArrangeMenu)
            AddMenu(m_pViewMenu->addMenu(QStringLiteral("&Arrange")), arrange);
        else if (!text)
            m_pViewMenu->addAction(Action(id));
        else
            m_pViewMenu->addAction(MenuEntry(id, QString::fromLatin1(text)));
    }
    connect(m_pViewMenu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
    m_pView->SetContextMenu(m_pViewMenu);
}

void CMainFrame::CreateToolBar()
{
    m_pToolBar = addToolBar(QStringLiteral("Toolbar"));
    m_pToolBar->setObjectName(QStringLiteral("toolbar"));
    m_pToolBar->setIconSize(QSize(CToolBarArt::kWidth, CToolBarArt::kHeight));
    m_pToolBar->setMovable(true);
    m_pToolBar->setFloatable(true);
    m_pToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    const int buttons[] = {
        ID_FILE_NEW,   ID_FILE_OPEN,  ID_FILE_SAVE, kSeparator,    ID_EDIT_UNDO,
        ID_EDIT_REDO,  kSeparator,    ID_EDIT_CUT,  ID_EDIT_COPY,  ID_EDIT_PASTE,
        kSeparator,    ID_FILE_PRINT, kSeparator,   ID_ZOOM_IN,    ID_ZOOM_OUT,
        kSeparator,    ID_NEXT_STATE, kSeparator,   ID_NUDGE_LEFT, ID_NUDGE_RIGHT,
        ID_NUDGE_DOWN, ID_NUDGE_UP,   ID_SAME_SIZE, kSeparator,    ID_APP_ABOUT};
    for (int id : buttons) {
        if (id == kSeparator)
            m_pToolBar->addSeparator();
        else
            m_pToolBar->addAction(Action(id));
    }
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    m_pReady = new QLabel(QStringLiteral("Ready"), bar);
    bar->addWidget(m_pReady, 1);
    CreateLocationPanes();
    for (const PaneDef& def : kPanes) {
        auto* pane = new QLabel(QString::fromLatin1(def.sizing), bar);
        pane->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(
            pane->fontMetrics().horizontalAdvance(QString::fromLatin1(def.sizing)) + 12);
        bar->addPermanentWidget(pane);
        m_mapPanes[def.id] = pane;
    }
    // The lock panes show their key's name only while it is on.
    for (int id : {ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL})
        m_mapPanes[id]->clear();
}

void CMainFrame::CreateClient()
{
    m_pSplitter = new QSplitter(Qt::Horizontal, this);
    m_pSplitter->setObjectName(QStringLiteral("panes"));
    m_pView = new CVireoView(m_pDoc);
    m_pTree = new CCPTree(m_pDoc);
    m_pTemplView = new CTemplView(m_pDoc);
    m_pTreePane = new CCPTreePane(m_pTree); // the tree under its Find field
    m_pSplitter->addWidget(m_pTreePane);
    m_pSplitter->addWidget(m_pView);
    m_pSplitter->addWidget(m_pTemplView);
    m_pSplitter->setStretchFactor(1, 1);
    setCentralWidget(m_pSplitter);

    // The messages of the last check, docked below the panes until a check shows them.
    m_pProblems = new CProblemsPanel(m_pDoc, this);
    m_pProblems->SetCheckHandler([this] { ExecuteCommand(ID_CHECK_COCKPIT); });
    addDockWidget(Qt::BottomDockWidgetArea, m_pProblems);
    m_pProblems->hide();
}

void CMainFrame::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_bSized)
        return;
    m_bSized = true;
    if (!RestorePaneSizes()) {
        // The tree wide enough to read its labels, the template view 200 wide, the panel
        // view the rest.
        const int w = m_pSplitter->width();
        const int bars = 2 * m_pSplitter->handleWidth();
        const int tree = std::min(DefaultTreeWidth(), std::max(100, w / 3));
        const int templ = std::max(0, 200 - bars);
        m_pSplitter->setSizes({tree, std::max(0, w - tree - templ - bars), templ});
    }
    SetActivePane(kViewPane);
}

QAction* CMainFrame::Action(int id) const
{
    auto it = m_mapActions.find(id);
    return it == m_mapActions.end() ? nullptr : it->second;
}

QLabel* CMainFrame::StatusPane(int id) const
{
    auto it = m_mapPanes.find(id);
    return it == m_mapPanes.end() ? nullptr : it->second;
}

QWidget* CMainFrame::PaneWidget(int index) const
{
    switch (index) {
    case kTreePane:
        return m_pTree->parentWidget(); // the tree with its Find field
    case kViewPane:
        return m_pView;
    case kTemplPane:
        return m_pTemplView;
    default:
        return nullptr;
    }
}

CCommandTarget* CMainFrame::GetActivePane() const
{
    switch (m_nActivePane) {
    case kTreePane:
        return m_pTree;
    case kTemplPane:
        return m_pTemplView;
    default:
        return m_pView;
    }
}

void CMainFrame::SetActivePane(int index)
{
    if (index < kTreePane || index > kTemplPane)
        return;
    m_nActivePane = index;
    PaneWidget(index)->setFocus(Qt::OtherFocusReason);
    ShowActivePane();
}

bool CMainFrame::FocusAllowsRecordCommand(int id) const
{
    switch (id) {
    case ID_EDIT_CLEAR:
    case ID_EDIT_CUT:
    case ID_EDIT_COPY:
    case ID_EDIT_PASTE:
    case ID_EDIT_SELECT_ALL:
        break;
    default:
        return true;
    }
    // With the keyboard in a dock (Problems, History) these keys are that widget's: Delete
    // there must not take the current record off its panel, nor Ctrl+A choose records.
    QWidget* focus = QApplication::focusWidget();
    if (!focus || focus->window() != this)
        return true;
    for (int i = kTreePane; i <= kTemplPane; ++i)
        if (focus == PaneWidget(i) || PaneWidget(i)->isAncestorOf(focus))
            return true;
    return false;
}

void CMainFrame::RequestCommandUpdate()
{
    if (m_bUpdatePending)
        return;
    m_bUpdatePending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_bUpdatePending)
                UpdateCommandUI();
        },
        Qt::QueuedConnection);
}

void CMainFrame::UpdateCommandUI()
{
    m_bUpdatePending = false;
    ++m_nCommandUpdates;
    m_route.SetTargets({GetActivePane(), m_pDocHandler, this, m_pApp});
    for (auto& [id, action] : m_mapActions) {
        CCmdUI ui(id);
        m_route.Update(ui);
        action->setEnabled(ui.m_bEnabled && FocusAllowsRecordCommand(id));
        if (ui.m_bTextSet)
            action->setText(Latin1ToQt(ui.m_strText));
        if (action->isCheckable())
            action->setChecked(ui.m_bChecked);
    }
    // A pane nobody on the route fills keeps its text.
    for (auto& [id, pane] : m_mapPanes) {
        CCmdUI ui(id);
        if (m_route.Update(ui) && ui.m_bTextSet)
            pane->setText(Latin1ToQt(ui.m_strText));
    }
}

bool CMainFrame::ExecuteCommand(int id)
{
    // A rename typed but not yet confirmed lands first, as its own step; Undo and Redo drop it
    // instead, as Escape would.
    m_pTree->EndPendingEdit(id != ID_EDIT_UNDO && id != ID_EDIT_REDO);
    if (!FocusAllowsRecordCommand(id))
        return false;
    m_route.SetTargets({GetActivePane(), m_pDocHandler, this, m_pApp});
    const bool ran = m_route.Execute(id);
    UpdateCommandUI();
    return ran;
}

void CMainFrame::OnInitialUpdate()
{
    UpdateTitle();
    RequestCommandUpdate();
    // Nothing of the previous cockpit stays on show: the id pane is as at start-up.
    for (const PaneDef& def : kPanes)
        if (def.id == ID_INDICATOR_ID && StatusPane(def.id))
            StatusPane(def.id)->setText(QString::fromLatin1(def.sizing));
}

bool CMainFrame::OnUpdateCommand(CCmdUI& ui)
{
    switch (ui.m_nID) {
    case ID_NEXT_PANE:
    case ID_PREV_PANE:
    case ID_HELP:
    case ID_HELP_CONTENTS:
    case ID_HELP_INDEX:
    case ID_HELP_USING:
        ui.Enable();
        return true;
    case ID_VIEW_TOOLBAR:
        ui.Enable();
        ui.SetCheck(m_pToolBar && !m_pToolBar->isHidden());
        return true;
    case ID_VIEW_STATUS_BAR:
        ui.Enable();
        ui.SetCheck(!statusBar()->isHidden());
        return true;
    case ID_ZOOM_IN:
    case ID_ZOOM_OUT:
    case ID_ZOOM_ACTUAL:
    case ID_ZOOM_FIT:
    case ID_INDICATOR_ZOOM:
        // Reached from the tree: zooming there means the panel.
        return m_pView->OnUpdateZoomCommand(ui);
    case ID_INDICATOR_ID:
        // Reached when the active pane does not fill it (tree, template view): the pane
        // follows the current record wherever it was chosen, and keeps the last id shown
        // while there is none, as the panel view does.
        ui.Enable();
        if (m_pDoc->m_pCurrentObject)
            ui.SetText(StrFormat("ID: %d", m_pDoc->m_pCurrentObject->m_nId));
        return true;
    case ID_EDIT_RENAME:
        // From the panel or template view: the current record's row in the tree.
        ui.Enable(m_pDoc->m_pCurrentObject != nullptr);
        return true;
    case ID_EDIT_SELECT_ALL:
    case ID_CALIBRATE:
        // Reached from the tree or the template view: the panel's records, as there.
        return m_pView->OnUpdateCommand(ui);
    case ID_SNAP_OBJECTS:
        ui.Enable();
        ui.SetCheck(m_pView->m_bSnapObjects);
        return true;
    case ID_SNAP_GRID:
        ui.Enable();
        ui.SetCheck(m_pView->m_bSnapGrid);
        return true;
    case ID_GRID_SETTINGS:
        ui.Enable();
        return true;
    case ID_INDICATOR_CAPS:
    case ID_INDICATOR_NUM:
    case ID_INDICATOR_SCRL: {
        static const char* const names[] = {"CAP", "NUM", "SCRL"};
        const int i = ui.m_nID - ID_INDICATOR_CAPS;
        ui.Enable(m_abLocks[size_t(i)]);
        ui.SetText(m_abLocks[size_t(i)] ? names[i] : "");
        return true;
    }
    default:
        if (const auto command = ArrangeCommandOf(ui.m_nID)) {
            // Only what would move or size something: the selection, not the pane, decides.
            ui.Enable(m_pDoc->CanArrange(*command));
            return true;
        }
        return OnUpdateDrawingCommand(ui);
    }
}

bool CMainFrame::OnCommand(int id)
{
    if (const auto command = ArrangeCommandOf(id)) {
        m_pDoc->ArrangeSelection(*command);
        return true;
    }
    switch (id) {
    case ID_EDIT_SELECT_ALL:
        return m_pView->OnCommand(id);
    case ID_CALIBRATE:
        // The clicks go to the panel.
        SetActivePane(kViewPane);
        return m_pView->OnCommand(id);
    case ID_SNAP_OBJECTS:
        m_pView->m_bSnapObjects = !m_pView->m_bSnapObjects;
        SaveArrangeSettings();
        return true;
    case ID_SNAP_GRID:
        m_pView->m_bSnapGrid = !m_pView->m_bSnapGrid;
        m_pView->viewport()->update(); // the grid is drawn while it snaps
        SaveArrangeSettings();
        return true;
    case ID_GRID_SETTINGS:
        OnGridSettings();
        return true;
    case ID_EDIT_RENAME:
        SetActivePane(kTreePane);
        m_pTree->StartRename();
        return true;
    case ID_NEXT_PANE:
        SetActivePane((m_nActivePane + 1) % 3);
        return true;
    case ID_PREV_PANE:
        SetActivePane((m_nActivePane + 2) % 3);
        return true;
    case ID_VIEW_TOOLBAR:
        m_pToolBar->setVisible(m_pToolBar->isHidden());
        return true;
    case ID_VIEW_STATUS_BAR:
        statusBar()->setVisible(statusBar()->isHidden());
        return true;
    case ID_HELP:
    case ID_HELP_CONTENTS:
    case ID_HELP_INDEX:
    case ID_HELP_USING:
        ShowHelp();
        return true;
    case ID_ZOOM_IN:
    case ID_ZOOM_OUT:
    case ID_ZOOM_ACTUAL:
    case ID_ZOOM_FIT:
        return m_pView->OnZoomCommand(id);
    default:
        return OnDrawingCommand(id);
    }
}

std::optional<ArrangeCommand> CMainFrame::ArrangeCommandOf(int id)
{
    if (id < ID_ALIGN_LEFT || id > ID_SAME_WIDTH_HEIGHT)
        return std::nullopt;
    return static_cast<ArrangeCommand>(id - ID_ALIGN_LEFT);
}

void CMainFrame::OnGridSettings()
{
    CGridSettingsDlg dlg(m_pView->m_nGridSize, this);
    if (CDialogRunner::RunModal(dlg) != IDOK)
        return;
    m_pView->m_nGridSize = dlg.GridSize();
    m_pView->viewport()->update();
    SaveArrangeSettings();
}

void CMainFrame::ShowHelp()
{
    if (!m_pHelp)
        m_pHelp = new CHelpWindow(this);
    m_pHelp->show();
    m_pHelp->raise();
    m_pHelp->activateWindow();
}

void CMainFrame::UpdateTitle()
{
    const std::string title = m_pDocHandler ? m_pDocHandler->GetTitle() : std::string("Untitled");
    setWindowTitle(PathFromCore(title) + QStringLiteral("[*] - Vireo Editor"));
    setWindowModified(m_pDoc->IsModified());
    const std::string& path = m_pDoc->GetPathName();
    const QString folder = PathFromCore(FolderOf(path));
    m_pFolderPane->setText(folder);
    m_pFolderPane->setToolTip(path.empty() ? QString() : PathFromCore(path));
    m_pFolderPane->setVisible(!folder.isEmpty());
}

void CMainFrame::OnModifiedChanged(bool modified)
{
    setWindowModified(modified);
    RequestCommandUpdate();
}

void CMainFrame::UpdateRecentFileMenu(const CRecentFileList& recent)
{
    for (int i = 0; i < kMaxRecentFiles; ++i) {
        QAction* action = Action(ID_FILE_MRU_FILE1 + i);
        if (i < recent.GetSize()) {
            action->setText(recent.MenuText(i));
            action->setVisible(true);
        } else {
            // With no files the first entry stays as a disabled "Recent File".
            action->setText(QStringLiteral("Recent File"));
            action->setVisible(i == 0);
        }
    }
    RequestCommandUpdate();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (m_pDocHandler && !m_pDocHandler->SaveModified()) {
        event->ignore();
        return;
    }
    SaveLayout();
    event->accept();
    if (m_fnClosed)
        m_fnClosed();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        for (const QUrl& url : event->mimeData()->urls())
            if (url.isLocalFile()) {
                event->acceptProposedAction();
                return;
            }
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            if (m_fnOpenFile) {
                // Opened after the drop has finished, so that the source is not kept waiting
                // by the question about saving changes.
                const std::string path = PathToCore(url.toLocalFile());
                QTimer::singleShot(0, this, [this, path] { m_fnOpenFile(path); });
            }
            return;
        }
}

void CMainFrame::TrackLockKeys(const QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_CapsLock:
        m_abLocks[0] = !m_abLocks[0];
        return;
    case Qt::Key_NumLock:
        m_abLocks[1] = !m_abLocks[1];
        return;
    case Qt::Key_ScrollLock:
        m_abLocks[2] = !m_abLocks[2];
        return;
    default:
        break;
    }
    // On X11 the key's state carries the lock modifiers (Lock = Caps, Mod2 = Num).
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        const quint32 state = event->nativeModifiers();
        m_abLocks[0] = (state & 0x02) != 0;
        m_abLocks[1] = (state & 0x10) != 0;
    }
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    // Key events travel up the parents; look at them once, where they start.
    if ((type == QEvent::ShortcutOverride || type == QEvent::KeyPress) &&
        watched == QGuiApplication::focusObject() && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        if (type == QEvent::ShortcutOverride) {
            UpdateCommandUI(); // the shortcut map skips disabled actions: bring them up to date
                               // first
        } else {
            TrackLockKeys(static_cast<QKeyEvent*>(event));
            RequestCommandUpdate(); // the lock panes
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// --- where the user is: the cockpit's folder, the active pane ---

namespace {
// A frame round a pane, drawn over it without taking its clicks.
class CPaneMarkWidget : public QWidget
{
public:
    explicit CPaneMarkWidget(QWidget* pane) : QWidget(pane)
    {
        setObjectName(QStringLiteral("activePaneMark"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(pane->rect());
        pane->installEventFilter(this);
        hide();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize)
            setGeometry(static_cast<QWidget*>(watched)->rect());
        return false;
    }
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::Active, QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
};
} // namespace

QString CMainFrame::PaneName(int index)
{
    switch (index) {
    case kTreePane:
        return QStringLiteral("Tree");
    case kTemplPane:
        return QStringLiteral("Template view");
    default:
        return QStringLiteral("Panel view");
    }
}

void CMainFrame::CreateLocationPanes()
{
    QStatusBar* bar = statusBar();
    m_pFolderPane = new QLabel(bar);
    m_pFolderPane->setObjectName(QStringLiteral("folderPane"));
    m_pFolderPane->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_pFolderPane->setMaximumWidth(360);
    m_pFolderPane->hide();
    bar->addPermanentWidget(m_pFolderPane);

    m_pActivePaneLabel = new QLabel(bar);
    m_pActivePaneLabel->setObjectName(QStringLiteral("activePane"));
    m_pActivePaneLabel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_pActivePaneLabel->setAlignment(Qt::AlignCenter);
    int width = 0;
    for (int i = kTreePane; i <= kTemplPane; ++i)
        width = std::max(width, m_pActivePaneLabel->fontMetrics().horizontalAdvance(PaneName(i)));
    m_pActivePaneLabel->setMinimumWidth(width + 12);
    bar->addPermanentWidget(m_pActivePaneLabel);
}

QWidget* CMainFrame::PaneMark(int index) const
{
    return index >= kTreePane && index <= kTemplPane ? m_apPaneMarks[size_t(index)] : nullptr;
}

void CMainFrame::ShowActivePane()
{
    // The nudges move the destination, the source or nothing, by the active pane: show which.
    static const char* const tips[] = {
        "Active pane. The nudges do nothing here.",
        "Active pane. Ctrl+arrows and the nudge buttons move the record on the panel.",
        "Active pane. Ctrl+arrows and the nudge buttons move the record's piece of the template.",
    };
    for (int i = kTreePane; i <= kTemplPane; ++i) {
        if (!m_apPaneMarks[size_t(i)])
            m_apPaneMarks[size_t(i)] = new CPaneMarkWidget(PaneWidget(i));
        QWidget* mark = m_apPaneMarks[size_t(i)];
        mark->setVisible(i == m_nActivePane);
        if (i == m_nActivePane)
            mark->raise();
    }
    m_pActivePaneLabel->setText(PaneName(m_nActivePane));
    m_pActivePaneLabel->setToolTip(QString::fromLatin1(tips[m_nActivePane]));
    RequestCommandUpdate(); // the route starts at the active pane
}

// --- the layout kept between runs ---

namespace {
const char* const kLayoutGroup = "Layout";

void RestoreZoom(const QSettings& settings, const QString& key, CScrollView* view)
{
    bool ok = false;
    const double zoom = settings.value(key).toDouble(&ok);
    // Whatever a former version kept, as long as it can be shown.
    if (ok && zoom > 0.0 && zoom <= double(kMaxZoom)) {
        view->m_fZoom = std::max(float(zoom), kMinZoom);
        view->UpdateScrollSizes();
    }
}
} // namespace

int CMainFrame::DefaultTreeWidth() const
{
    // A record two levels down with its icon and one of the longer names records get.
    const QFontMetrics metrics(m_pTree->font());
    return 3 * m_pTree->indentation() + m_pTree->iconSize().width() + 10 +
           metrics.horizontalAdvance(QStringLiteral("Horizontal Situation Indicator")) +
           2 * m_pTree->frameWidth() + m_pTree->verticalScrollBar()->sizeHint().width();
}

void CMainFrame::SaveLayout()
{
    QSettings settings(QStringLiteral("Orvanta"), QStringLiteral("Vireo"));
    settings.beginGroup(QString::fromLatin1(kLayoutGroup));
    settings.setValue(QStringLiteral("Geometry"), saveGeometry());
    settings.setValue(QStringLiteral("Bars"), saveState());
    settings.setValue(QStringLiteral("StatusBar"), !statusBar()->isHidden());
    settings.setValue(QStringLiteral("Panes"), m_pSplitter->saveState());
    settings.setValue(QStringLiteral("Zoom"), double(m_pView->m_fZoom));
    settings.setValue(QStringLiteral("TemplateZoom"), double(m_pTemplView->m_fZoom));
}

void CMainFrame::SaveArrangeSettings()
{
    // Kept at once, not only when the window closes: they are choices, not a layout.
    QSettings settings(QStringLiteral("Orvanta"), QStringLiteral("Vireo"));
    settings.beginGroup(QString::fromLatin1(kLayoutGroup));
    settings.setValue(QStringLiteral("SnapToObjects"), m_pView->m_bSnapObjects);
    settings.setValue(QStringLiteral("SnapToGrid"), m_pView->m_bSnapGrid);
    settings.setValue(QStringLiteral("GridSize"), m_pView->m_nGridSize);
}

void CMainFrame::RestoreLayout()
{
    QSettings settings(QStringLiteral("Orvanta"), QStringLiteral("Vireo"));
    settings.beginGroup(QString::fromLatin1(kLayoutGroup));
    if (settings.contains(QStringLiteral("Geometry")))
        restoreGeometry(settings.value(QStringLiteral("Geometry")).toByteArray());
    if (settings.contains(QStringLiteral("Bars")))
        restoreState(settings.value(QStringLiteral("Bars")).toByteArray());
    statusBar()->setVisible(settings.value(QStringLiteral("StatusBar"), true).toBool());
    RestoreZoom(settings, QStringLiteral("Zoom"), m_pView);
    RestoreZoom(settings, QStringLiteral("TemplateZoom"), m_pTemplView);
    m_pView->m_bSnapObjects = settings.value(QStringLiteral("SnapToObjects"), true).toBool();
    m_pView->m_bSnapGrid = settings.value(QStringLiteral("SnapToGrid"), false).toBool();
    bool ok = false;
    const int grid = settings.value(QStringLiteral("GridSize")).toInt(&ok);
    m_pView->m_nGridSize =
        ok ? std::clamp(grid, CGridSettingsDlg::kMinSize, CGridSettingsDlg::kMaxSize)
           : CGridSettingsDlg::kDefaultSize;
}

bool CMainFrame::RestorePaneSizes()
{
    QSettings settings(QStringLiteral("Orvanta"), QStringLiteral("Vireo"));
    settings.beginGroup(QString::fromLatin1(kLayoutGroup));
    const QByteArray panes = settings.value(QStringLiteral("Panes")).toByteArray();
    if (panes.isEmpty() || !m_pSplitter->restoreState(panes))
        return false;
    // A pane dragged shut stays reachable.
    QList<int> sizes = m_pSplitter->sizes();
    if (sizes.size() != 3 || sizes[0] < 20 || sizes[1] < 20)
        return false;
    return true;
}
