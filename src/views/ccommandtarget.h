#pragma once

// Command ids of the menus, toolbar, accelerators and context menus.
enum CommandId {
    ID_CHECK_COCKPIT = 32784,
    ID_ADD_OBJECT = 32785,
    ID_ADD_PANEL = 32786,
    ID_ADD_SOUND = 32787,
    ID_ADD_BUTTON = 32788,
    ID_VIEW_REFRESH = 32789,
    ID_DUPLICATE = 32791,
    ID_EDIT_CLEAR = 57632,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_PASTE = 57637,
};

// The enabled and checked state of one command, filled in by whoever handles it.
class CCmdUI
{
public:
    explicit CCmdUI(int id) : m_nID(id) {}
    void Enable(bool on = true) { m_bEnabled = on; }
    void SetCheck(bool on = true) { m_bChecked = on; }

    int m_nID;
    bool m_bEnabled = false;
    bool m_bChecked = false;
};

// A link of the command route: the active pane, then the document's handler, the frame, the
// application. A target that handles a command answers true from both functions; the first
// target that does so decides. A command that nothing handles is disabled.
class CCommandTarget
{
public:
    virtual ~CCommandTarget() = default;
    // Fills ui and returns true when this target handles ui.m_nID.
    virtual bool OnUpdateCommand(CCmdUI& ui) { return false; }
    // Carries the command out; true when this target handles it.
    virtual bool OnCommand(int id) { return false; }
};
