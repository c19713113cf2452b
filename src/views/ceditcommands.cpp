#include "ceditcommands.h"

#include "ccppanel.h"
#include "crecordclipboard.h"
#include "cvireodoc.h"
#include "iuserinterface.h"
#include "textconvert.h"

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
    case ID_EDIT_CUT:
    case ID_EDIT_COPY:
        // Copy and Cut take a lone surface entry too, to say why it stays.
        ui.Enable(CanDelete(*m_pDoc));
        return true;
    case ID_EDIT_PASTE:
        ui.Enable(m_pDoc->m_pCurrentPanel != nullptr && RecordClipboard::HasContent());
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
        m_pDoc->DuplicateSelection();
        return true;
    case ID_EDIT_CLEAR:
        if (CanDelete(*m_pDoc))
            m_pDoc->RemoveSelection();
        return true;
    case ID_EDIT_CUT:
    case ID_EDIT_COPY:
        if (CanDelete(*m_pDoc))
            OnCopy(id == ID_EDIT_CUT);
        return true;
    case ID_EDIT_PASTE:
        OnPaste();
        return true;
    default:
        return false;
    }
}

void CEditCommands::OnCopy(bool cut)
{
    const int panel = m_pDoc->m_pCurrentPanel->m_nId;
    const std::string text = cut ? m_pDoc->CutSelection() : m_pDoc->CopySelection();
    if (!text.empty())
        RecordClipboard::Put(text, panel);
}

void CEditCommands::OnPaste()
{
    if (!m_pDoc->m_pCurrentPanel)
        return;
    QString refused;
    const auto content = RecordClipboard::Get(&refused);
    if (!content) {
        if (IUserInterface* ui = m_pDoc->GetUserInterface())
            ui->MessageBox(
                refused.isEmpty()
                    ? std::string("Nothing was pasted: the clipboard holds no text.")
                    : NotInLatin1Message(QStringLiteral("The text on the clipboard"), refused)
                          .toStdString());
        return;
    }
    m_pDoc->PasteText(content->text, m_pDoc->m_pCurrentPanel, content->panel);
}
