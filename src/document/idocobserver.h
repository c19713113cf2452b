#pragma once

#include "ccheckmessage.h"

class CCPObject;

// What changed, sent with every change of the document.
enum class Hint
{
    Refresh,
    CurrentObject,
    Removed,
    AddedToPanel,
    PanelAdded,
    SoundAdded,
    ButtonAdded,
    // Records were put back into or taken out of lists, or moved between them (undo, redo,
    // an id that changed): views rebuild their entries.
    Reload,
    // A picture was loaded anew (its name, size or folder changed): views that show it redraw,
    // and take the template's size.
    Pictures,
};

// A view of the document: told about every change.
class IDocObserver
{
public:
    virtual ~IDocObserver() = default;
    virtual void OnUpdate(IDocObserver* sender, Hint hint, CCPObject* record) = 0;
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
