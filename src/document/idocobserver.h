#pragma once

#include "ccheckmessage.h"

class CCPObject;

// Update hints sent with every change of the document.
enum UpdateHint
{
    HINT_REFRESH = 0,
    HINT_CURRENT_OBJECT = 1,
    HINT_REMOVED = 2,
    HINT_ADDED_TO_PANEL = 3,
    HINT_PANEL_ADDED = 4,
    HINT_SOUND_ADDED = 5,
    HINT_BUTTON_ADDED = 6,
    // Records were put back into or taken out of lists, or moved between them (undo, redo,
    // an id that changed): views rebuild their entries.
    HINT_RELOAD = 7,
    // A picture was loaded anew (its name, size or folder changed): views that show it redraw,
    // and take the template's size.
    HINT_PICTURES = 8,
};

// A view of the document: told about every change.
class IDocObserver
{
public:
    virtual ~IDocObserver() = default;
    virtual void OnUpdate(IDocObserver* sender, int hint, CCPObject* record) = 0;
    // A new or opened document replaced the old one.
    virtual void OnInitialUpdate() {}
    virtual void OnModifiedChanged(bool) {}
    // An open sheet started, moved or ended its preview of record (a dial's needle): views
    // that draw it repaint. Nothing of the cockpit changed.
    virtual void OnPreviewChanged(CCPObject* /*record*/) {}
    // A step was recorded, undone or redone, or the history was cleared.
    virtual void OnHistoryChanged() {}
    // A check ran (full: Check Cockpit; otherwise the check before a save) and found these
    // messages, none when it passed. True when this observer has shown them to the user.
    virtual bool OnChecked(const CCheckMessageArray&, bool /*full*/) { return false; }
};
