#pragma once

#include <string>

class CEditStep;

// Hears every change of the document's history, so that unsaved edits can be kept outside the
// process (the recovery journal). Called on the document's thread, after the change.
class IEditJournal
{
public:
    virtual ~IEditJournal() = default;
    // A cockpit was opened from these bytes, or a new one started (empty path).
    virtual void Opened(const std::string& path, const std::string& bytes) = 0;
    // The cockpit was written to path as these bytes: nothing is unsaved now.
    virtual void Saved(const std::string& path, const std::string& bytes) = 0;
    // A step was recorded; amended: it replaces the last step (a nudge joined it).
    virtual void Pushed(const CEditStep& step, bool amended) = 0;
    // The last step was taken back out of the history (a nudge burst came back to its start).
    virtual void Dropped() = 0;
    virtual void Undone(const CEditStep& step) = 0;
    virtual void Redone(const CEditStep& step) = 0;
    // A run of undos and redos is over.
    virtual void Settled() {}
};
