#pragma once

#include "ccommandtarget.h"

#include <functional>
#include <string>
#include <vector>

class CRecentFileList;
class CVireoDoc;
class IFramePrompts;

// The document's part of the command route: Save, Save As, Check Cockpit, Undo and Redo, and the
// question whether to save a modified document before it is closed or replaced.
class CDocHandler : public CCommandTarget
{
public:
    CDocHandler(CVireoDoc* doc, IFramePrompts* prompts, CRecentFileList* recent = nullptr);

    bool OnUpdateCommand(CCmdUI& ui) override;
    bool OnCommand(int id) override;

    // Saves to path, or asks for a file name when path is empty. False when nothing was saved.
    bool DoSave(const std::string& path);
    bool DoFileSave();
    // Asks whether to save a modified document; false when the user cancelled (or the save
    // failed), so that whatever was about to replace the document does not happen.
    bool SaveModified();

    // The text of the Undo or Redo menu item for the step named step (empty: none).
    static std::string StepText(const char* verb, const std::string& step, const char* key);

    // The name shown in the title bar and the save question: the file name, or "Untitled".
    std::string GetTitle() const;
    // Called after every successful save (the path and the recent files may have changed).
    void SetSavedCallback(std::function<void()> fn) { m_fnSaved = std::move(fn); }

    // The cockpit's pictures (as the file names them) that are found now but would not be
    // found from folder: a copy saved there would open without them.
    std::vector<std::string> PicturesNotFoundFrom(const std::string& folder) const;
    // Copies them beside a file in folder, under the names the file gives them; false (after a
    // message naming what failed) when any could not be copied.
    bool CopyPictures(const std::vector<std::string>& names, const std::string& folder);

private:
    CVireoDoc* m_pDoc;
    IFramePrompts* m_pPrompts;
    CRecentFileList* m_pRecent;
    std::function<void()> m_fnSaved;
};
