#pragma once

#include "ccommandtarget.h"

class CCPObject;
class CCPPanel;
class CVireoDoc;

// The editing commands that the panel view and the tree both route to the document: Add
// Object, Add Panel, Add Sound, Add Parent Button, Duplicate and Delete, with their enabling
// rules.
class CEditCommands : public CCommandTarget
{
public:
    explicit CEditCommands(CVireoDoc* doc) : m_pDoc(doc) {}

    bool OnUpdateCommand(CCmdUI& ui) override;
    bool OnCommand(int id) override;

    // True when the panel itself holds the record (one of its surface entries, or a button
    // view or object it lists): only such a record can be taken off the panel. A sound, a
    // button, a panel or the manager never can, though its id may equal a listed one.
    static bool PanelHolds(const CVireoDoc& doc, const CCPPanel* panel, const CCPObject* record);
    static bool CanDelete(const CVireoDoc& doc);

private:
    CVireoDoc* m_pDoc;
};
