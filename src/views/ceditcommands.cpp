#include "ceditcommands.h"

#include "ccpbuttonview.h"
#include "ccppanel.h"
#include "ccpsurfaceref.h"
#include "cvireodoc.h"

#include <algorithm>

bool CEditCommands::CanDelete(const CVireoDoc& doc)
{
    return doc.PanelHolds(doc.m_pCurrentPanel, doc.m_pCurrentObject);
}

bool CEditCommands::OnUpdateCommand(CCmdUI& ui)
{
    switch (ui.m_nID) {
    case ID_ADD_OBJECT:
        ui.Enable(m_pDoc->m_pCurrentPanel != nullptr);
        return true;
    case ID_ADD_PANEL:
    case ID_ADD_SOUND:
    case ID_ADD_BUTTON:
        ui.Enable(true);
        return true;
    case ID_DUPLICATE:
        ui.Enable(m_pDoc->m_pCurrentObject != nullptr);
        return true;
    case ID_EDIT_CLEAR:
        ui.Enable(CanDelete(*m_pDoc));
        return true;
    default:
        return false;
    }
}

bool CEditCommands::OnCommand(int id)
{
    switch (id) {
    case ID_ADD_OBJECT:
        m_pDoc->NewObject();
        return true;
    case ID_ADD_PANEL:
        m_pDoc->NewPanel();
        return true;
    case ID_ADD_SOUND:
        m_pDoc->NewSound();
        return true;
    case ID_ADD_BUTTON:
        m_pDoc->NewButton();
        return true;
    case ID_DUPLICATE:
        m_pDoc->DuplicateObject(m_pDoc->m_pCurrentObject);
        return true;
    case ID_EDIT_CLEAR:
        if (CanDelete(*m_pDoc))
            m_pDoc->RemoveObject(m_pDoc->m_pCurrentObject, m_pDoc->m_pCurrentPanel);
        return true;
    default:
        return false;
    }
}
