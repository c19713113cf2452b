#include "cdochandler.h"

#include "crecentfilelist.h"
#include "cvireodoc.h"
#include "filepaths.h"
#include "iframeprompts.h"

CDocHandler::CDocHandler(CVireoDoc* doc, IFramePrompts* prompts, CRecentFileList* recent)
    : m_pDoc(doc), m_pPrompts(prompts), m_pRecent(recent)
{
}

bool CDocHandler::OnUpdateCommand(CCmdUI& ui)
{
    switch (ui.m_nID) {
    case ID_FILE_SAVE:
    case ID_FILE_SAVE_AS:
    case ID_CHECK_COCKPIT:
        ui.Enable();
        return true;
    case ID_EDIT_UNDO:
        // "Undo Move ICP COM1": the menu says what will be taken back.
        ui.Enable(m_pDoc->CanUndo());
        ui.SetText(StepText("&Undo", m_pDoc->UndoName(), "Ctrl+Z"));
        return true;
    case ID_EDIT_REDO:
        ui.Enable(m_pDoc->CanRedo());
        ui.SetText(StepText("&Redo", m_pDoc->RedoName(), "Ctrl+Y"));
        return true;
    default:
        return false;
    }
}

std::string CDocHandler::StepText(const char* verb, const std::string& step, const char* key)
{
    std::string text = verb;
    if (!step.empty()) {
        text += ' ';
        // A name with "&" would underline the next letter.
        for (char c : step) {
            if (c == '&')
                text += '&';
            text += c;
        }
    }
    return text + '\t' + key;
}

bool CDocHandler::OnCommand(int id)
{
    switch (id) {
    case ID_FILE_SAVE:
        DoFileSave();
        return true;
    case ID_FILE_SAVE_AS:
        DoSave(std::string());
        return true;
    case ID_CHECK_COCKPIT:
        m_pDoc->OnCheckCockpit();
        return true;
    case ID_EDIT_UNDO:
        m_pDoc->Undo();
        return true;
    case ID_EDIT_REDO:
        m_pDoc->Redo();
        return true;
    default:
        return false;
    }
}

std::string CDocHandler::GetTitle() const
{
    const std::string& path = m_pDoc->GetPathName();
    return path.empty() ? std::string("Untitled") : FileNameOf(path);
}

bool CDocHandler::DoFileSave()
{
    return DoSave(m_pDoc->GetPathName());
}

bool CDocHandler::DoSave(const std::string& path)
{
    std::string target = path;
    if (target.empty()) {
        std::string proposed = m_pDoc->GetPathName();
        if (proposed.empty())
            proposed = "Untitled.dat";
        target = m_pPrompts ? m_pPrompts->AskSaveFileName(proposed) : std::string();
        if (target.empty())
            return false;
    }
    // The check runs first; a declined or failed save keeps the document modified.
    if (!m_pDoc->OnSaveDocument(target))
        return false;
    if (m_pRecent)
        m_pRecent->Add(target);
    if (m_fnSaved)
        m_fnSaved();
    return true;
}

bool CDocHandler::SaveModified()
{
    if (!m_pDoc->IsModified())
        return true;
    const std::string& path = m_pDoc->GetPathName();
    const std::string name = path.empty() ? GetTitle() : path;
    switch (m_pPrompts ? m_pPrompts->AskSaveChanges(name) : IFramePrompts::Cancel) {
    case IFramePrompts::Yes:
        return DoFileSave();
    case IFramePrompts::No:
        return true;
    default:
        return false;
    }
}
