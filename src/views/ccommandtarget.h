#pragma once

#include <string>

// Command ids of the menus, toolbar, accelerators and context menus.
enum CommandId
{
    ID_PROPERTIES = 32771,
    ID_SHOW_OBJECTS = 32772,
    ID_SHOW_BUTTONS = 32773,
    ID_ZOOM_IN = 32775,
    ID_ZOOM_OUT = 32776,
    ID_NEXT_STATE = 32777,
    ID_NUDGE_RIGHT = 32780,
    ID_NUDGE_LEFT = 32781,
    ID_NUDGE_DOWN = 32782,
    ID_NUDGE_UP = 32783,
    ID_CHECK_COCKPIT = 32784,
    ID_ADD_OBJECT = 32785,
    ID_ADD_PANEL = 32786,
    ID_ADD_SOUND = 32787,
    ID_ADD_BUTTON = 32788,
    ID_VIEW_REFRESH = 32789,
    ID_SAME_SIZE = 32790,
    ID_DUPLICATE = 32791,
    ID_EDIT_RENAME = 32800,
    ID_ZOOM_ACTUAL = 32810,
    ID_ZOOM_FIT = 32811,
    // The Arrange menu, in the order of ArrangeCommand.
    ID_ALIGN_LEFT = 32820,
    ID_ALIGN_RIGHT = 32821,
    ID_ALIGN_TOP = 32822,
    ID_ALIGN_BOTTOM = 32823,
    ID_ALIGN_CENTRES_HORZ = 32824,
    ID_ALIGN_CENTRES_VERT = 32825,
    ID_DISTRIBUTE_HORZ = 32826,
    ID_DISTRIBUTE_VERT = 32827,
    ID_SAME_WIDTH = 32828,
    ID_SAME_HEIGHT = 32829,
    ID_SAME_WIDTH_HEIGHT = 32830,
    ID_SNAP_OBJECTS = 32831,
    ID_SNAP_GRID = 32832,
    ID_GRID_SETTINGS = 32833,
    ID_CALIBRATE = 32834,

    // Looking at the panel.
    ID_VIEW_OUTLINES = 32840,
    ID_VIEW_LIGHT_EVERYTHING = 32841,

    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_DIRECT = 57608,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_MRU_FILE1 = 57616, // up to ID_FILE_MRU_FILE1 + 5
    ID_EDIT_CLEAR = 57632,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_SELECT_ALL = 57642,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_HELP_CONTENTS = 57666,
    ID_HELP_INDEX = 57667,
    ID_HELP_USING = 57668,
    ID_HELP = 57670,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,

    ID_INDICATOR_CAPS = 59137,
    ID_INDICATOR_NUM = 59138,
    ID_INDICATOR_SCRL = 59139,
    ID_INDICATOR_ZOOM = 59143,
    ID_INDICATOR_ID = 59144,
    ID_INDICATOR_MOUSE = 59145,

    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
};

inline constexpr int kMaxRecentFiles = 6;

// The enabled and checked state of one command, filled in by whoever handles it. Status-bar
// panes are commands too: their handler sets the pane's text.
class CCmdUI
{
public:
    explicit CCmdUI(int id) : m_nID(id) {}
    void Enable(bool on = true) { m_bEnabled = on; }
    void SetCheck(bool on = true) { m_bChecked = on; }
    void SetText(const std::string& text)
    {
        m_strText = text;
        m_bTextSet = true;
    }

    int m_nID;
    bool m_bEnabled = false;
    bool m_bChecked = false;
    std::string m_strText;
    bool m_bTextSet = false;
};

// A link of the command route: the active pane, then the document's handler, the frame, the
// application. A target that handles a command answers true from both functions; the first
// target that does so decides. A command that nothing handles is disabled.
class CCommandTarget
{
public:
    virtual ~CCommandTarget() = default;
    // Fills ui and returns true when this target handles ui.m_nID.
    virtual bool OnUpdateCommand(CCmdUI& /*ui*/) { return false; }
    // Carries the command out; true when this target handles it.
    virtual bool OnCommand(int) { return false; }
};
