#include "ccommandroute.h"

bool CCommandRoute::Update(CCmdUI& ui) const
{
    for (CCommandTarget* target : m_aTargets)
        if (target && target->OnUpdateCommand(ui))
            return true;
    ui.Enable(false);
    ui.SetCheck(false);
    return false;
}

bool CCommandRoute::Execute(int id) const
{
    for (CCommandTarget* target : m_aTargets) {
        if (!target)
            continue;
        CCmdUI ui(id);
        if (!target->OnUpdateCommand(ui))
            continue;
        // The handler that owns the state owns the command: it runs only while enabled.
        return ui.m_bEnabled && target->OnCommand(id);
    }
    return false;
}
