#pragma once

class CCPObject;

// Update hints sent with every change of the document.
enum UpdateHint {
    HINT_REFRESH = 0,
    HINT_CURRENT_OBJECT = 1,
    HINT_REMOVED = 2,
    HINT_ADDED_TO_PANEL = 3,
    HINT_PANEL_ADDED = 4,
    HINT_SOUND_ADDED = 5,
    HINT_BUTTON_ADDED = 6,
};

// A view of the document: told about every change.
class IDocObserver
{
public:
    virtual ~IDocObserver() = default;
    virtual void OnUpdate(IDocObserver* sender, int hint, CCPObject* record) = 0;
    // A new or opened document replaced the old one.
    virtual void OnInitialUpdate() {}
    virtual void OnModifiedChanged(bool modified) {}
};
