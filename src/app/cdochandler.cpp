#include "cdochandler.h"

#include "ccpbuffer.h"
#include "crecentfilelist.h"
#include "cvireodoc.h"
#include "filepaths.h"
#include "iframeprompts.h"
#include "iuserinterface.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

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
    // Picture names are relative to the cockpit file: in another folder they may not resolve.
    std::vector<std::string> lost;
    if (path.empty() && m_pPrompts) {
        lost = PicturesNotFoundFrom(FolderOf(target));
        if (!lost.empty())
            switch (m_pPrompts->AskCopyPictures(lost, FolderOf(target))) {
            case IFramePrompts::Yes:
                break;
            case IFramePrompts::No:
                lost.clear();
                break;
            default:
                return false;
            }
    }
    // The check runs first; a declined or failed save keeps the document modified. The
    // pictures are copied while their names still resolve against the old folder, before the
    // document reads them from the new one.
    if (!m_pDoc->OnSaveDocument(target, [&] {
            if (!lost.empty())
                CopyPictures(lost, FolderOf(target));
        }))
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

std::vector<std::string> CDocHandler::PicturesNotFoundFrom(const std::string& folder) const
{
    const CCPManager& m = m_pDoc->m_manager;
    std::vector<std::string> names;
    if (!m.m_strTemplateFile.empty())
        names.push_back(m.m_strTemplateFile);
    // A buffer no surface is cut from any more is not written with the cockpit.
    for (const CCPBuffer* buffer : m.BuffersInUse())
        if (!buffer->m_strFile.empty())
            names.push_back(buffer->m_strFile);
    std::vector<std::string> lost;
    std::error_code ec;
    for (const std::string& name : names) {
        if (std::find(lost.begin(), lost.end(), name) != lost.end())
            continue;
        if (fs::is_regular_file(SystemPath(m.FullPath(name)), ec) &&
            !fs::exists(SystemPath(ResolveCockpitPath(folder, name)), ec))
            lost.push_back(name);
    }
    return lost;
}

bool CDocHandler::CopyPictures(const std::vector<std::string>& names, const std::string& folder)
{
    const CCPManager& m = m_pDoc->m_manager;
    std::string failed;
    for (const std::string& name : names) {
        std::string relative = name;
        std::replace(relative.begin(), relative.end(), '\\', '/');
        const fs::path to = SystemPath(folder) / SystemPath(relative);
        std::error_code ec;
        fs::create_directories(to.parent_path(), ec);
        if (!ec)
            fs::copy_file(SystemPath(m.FullPath(name)), to, fs::copy_options::skip_existing, ec);
        if (ec)
            failed += "\n" + name + ": " + ec.message();
    }
    if (failed.empty())
        return true;
    if (IUserInterface* ui = m_pDoc->GetUserInterface())
        ui->MessageBox("The cockpit was saved, but these pictures could not be copied beside it:" +
                           failed,
                       IUserInterface::Exclamation);
    return false;
}
