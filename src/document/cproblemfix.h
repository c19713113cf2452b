#pragma once

#include "ccheckmessage.h"

#include <string>

class CCPObject;
class CCPPanel;
class CVireoDoc;

// The fix the Problems panel offers for a message where one is mechanical and safe: its name
// for the menu and the document edit that makes it, one undo step. Worked out from the cockpit
// as it is when asked, not as it was when the check ran.
class CProblemFix
{
public:
    // None when the kind of problem has no safe fix, the problem is gone meanwhile, or its
    // record cannot be found any more.
    static CProblemFix For(CVireoDoc& doc, const CCheckMessage& message);

    bool IsOffered() const { return m_nAction != None; }
    // What the fix does, as a menu item: "Add the missing button", "Set Mask Top to 246".
    const std::string& GetName() const { return m_strName; }
    // The record the fix changes (null for a button it adds).
    CCPObject* GetRecord() const { return m_pRecord; }
    // Makes the fix; false when it changed nothing.
    bool Apply(CVireoDoc& doc) const;

private:
    enum Action
    {
        None,
        AddButton,
        SetMaskTop,
        ClearNeighbours,
        ResetInitialState,
        ClearSound1,
        ClearSound2,
        SizeSources,
        MoveIntoScreen
    };

    CProblemFix() = default;
    CProblemFix(Action action, std::string name, CCPObject* record, CCPPanel* panel = nullptr,
                int value = 0, int count = 0);

    Action m_nAction = None;
    std::string m_strName;
    CCPObject* m_pRecord = nullptr;
    CCPPanel* m_pPanel = nullptr;
    int m_nValue = 0; // the button's id, the mask top
    int m_nCount = 0; // the new button's states
};
