#pragma once

#include "ccommandtarget.h"

class CCPObject;
class CCPPanel;
class CVireoDoc;

// The editing commands that the panel view and the tree both route to the document: Add
// Object, Add Panel, Add Sound, Add Parent Button, Duplicate, Delete, and Cut, Copy and Paste
// through the system clipboard, with their enabling rules. Duplicate, Delete, Cut and Copy act
// on the whole selection.
class CEditCommands : public CCommandTarget
{
public:
    explicit CEditCommands(CVireoDoc* doc) : m_pDoc(doc) {}

    bool OnUpdateCommand(CCmdUI& ui) override;
    bool OnCommand(int id) override;

    static bool CanDelete(const CVireoDoc& doc);

private:
    void OnCopy(bool cut);
    void OnPaste();

    CVireoDoc* m_pDoc;
};
