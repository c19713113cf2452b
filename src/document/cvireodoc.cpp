#include "cvireodoc.h"

#include "ccockpitreader.h"
#include "ccpadi.h"
#include "ccpbutton.h"
#include "ccpbuttonview.h"
#include "ccpdial.h"
#include "ccplight.h"
#include "ccppanel.h"
#include "ccpsound.h"
#include "ccpsurface.h"
#include "ccpsurfaceref.h"
#include "clinewriter.h"
#include "filepaths.h"
#include "iuserinterface.h"
#include "screenbounds.h"
#include "strformat.h"

#include <algorithm>
#include <chrono>
#include <new>
#include <utility>

namespace {
template <class T> std::unique_ptr<T> Downcast(std::unique_ptr<CCPObject> p)
{
    return std::unique_ptr<T>(static_cast<T*>(p.release()));
}
} // namespace

CVireoDoc::CVireoDoc() = default;

CVireoDoc::~CVireoDoc()
{
    m_pCurrentPanel = nullptr;
    m_pCurrentObject = nullptr;
}

void CVireoDoc::SetUserInterface(IUserInterface* ui)
{
    m_pUI = ui;
    m_manager.SetUserInterface(ui);
}

void CVireoDoc::ClearHistory()
{
    m_history.Clear();
    UpdateModified();
    HistoryChanged();
}

void CVireoDoc::Reset()
{
    m_selection.Clear();
    m_pCurrentObject = nullptr;
    m_pCurrentPanel = nullptr;
    m_rcTemplatePiece.reset();
    // The steps hold records of the old cockpit; they go before it.
    m_history.Clear();
    m_manager.RemoveAll();
}

bool CVireoDoc::OnNewDocument()
{
    if (RefuseWhileStepOpen("New"))
        return false;
    SetCurrentObject(nullptr);
    SetCurrentPanel(nullptr);
    Reset();
    // As clean as an opened file: no name, description or template of the previous cockpit.
    m_manager.m_strTemplateFile.clear();
    m_manager.m_bmpTemplate = CBitmap();
    m_manager.m_strComment.clear();
    m_strPathName.clear();
    ClearHistory();
    if (m_pJournal)
        m_pJournal->Opened(std::string(), std::string());
    InitialUpdate();
    return true;
}

void CVireoDoc::ScreenSizeFromName(const std::string& name)
{
    static const struct
    {
        const char* prefix;
        int w, h;
    } sizes[] = {{"6_", 640, 480},
                 {"8_", 800, 600},
                 {"10_", 1024, 768},
                 {"12_", 1200, 960},
                 {"16_", 1600, 1200}};
    for (const auto& s : sizes)
        if (StartsWith(name, s.prefix)) {
            m_manager.SetScreenSize(s.w, s.h);
            return;
        }
}

bool CVireoDoc::OnOpenDocument(const std::string& path)
{
    if (RefuseWhileStepOpen("Open"))
        return false;
    // Read first: a file that cannot be read whole leaves the open cockpit as it was.
    std::string data, error;
    CFileReader disk;
    if (!(m_pFileReader ? m_pFileReader : &disk)->ReadFile(path, data, kMaxCockpitBytes, error)) {
        // The reason goes into the text itself, where the user sees it without asking.
        if (m_pUI) {
            if (error.empty())
                error = "it could not be read";
            if (error.back() != '.')
                error += '.';
            m_pUI->MessageBox("Failed to open document.\n" + path + ": " + error,
                              IUserInterface::Exclamation);
        }
        return false;
    }
    return OpenFromBytes(path, std::move(data));
}

bool CVireoDoc::OpenFromBytes(const std::string& path, std::string data)
{
    if (RefuseWhileStepOpen("Open"))
        return false;
    SetCurrentObject(nullptr);
    SetCurrentPanel(nullptr);
    Reset();
    // A newly opened cockpit starts clean: nothing of the previous one's manager carries over.
    m_manager.m_strTemplateFile.clear();
    m_manager.m_bmpTemplate = CBitmap();
    m_manager.m_strComment.clear();

    m_manager.SetFolder(FolderOf(path));
    ScreenSizeFromName(FileNameOf(path));
    bool loaded = true;
    try {
        // The journal keeps a copy of the bytes opened; otherwise they are let go as the
        // records are made.
        if (m_pJournal)
            Load(data);
        else
            CCockpitReader(m_manager, m_pUI).ReadAndRelease(data);
    } catch (const std::bad_alloc&) {
        loaded = false;
    }
    if (!loaded) {
        // Part of a cockpit is not the cockpit: start empty rather than keep what was read.
        std::string().swap(data);
        Reset();
        m_strPathName.clear();
        ClearHistory();
        InitialUpdate();
        if (m_pUI)
            m_pUI->MessageBox("Failed to open document.", IUserInterface::Exclamation,
                              path + ": not enough memory to load the file");
        return false;
    }
    m_strPathName = path;
    ClearHistory();
    if (m_pJournal)
        m_pJournal->Opened(path, data);
    InitialUpdate();
    return true;
}

void CVireoDoc::Load(const std::string& text)
{
    CCockpitReader(m_manager, m_pUI).Read(text);
}

std::string CVireoDoc::Store()
{
    CLineWriter ar;
    Store(ar);
    return ar.Take();
}

void CVireoDoc::Store(CLineWriter& ar)
{
    m_manager.Serialize(ar);
}

bool CVireoDoc::OnSaveDocument(const std::string& path, const std::function<void()>& whenWritten)
{
    // Half an edit is not saved, nor marked as the saved state.
    if (RefuseWhileStepOpen("Save"))
        return false;
    CCheckMessageArray messages;
    if (!m_manager.Check(messages, false)) {
        const bool saveAnyway = m_pUI && m_pUI->CheckResults(messages, true) == IDOK;
        // The problems stay listed after the dialog, to be worked through.
        NotifyChecked(messages, false);
        if (!saveAnyway)
            return false;
    }
    std::string error, warning, bytes;
    bool written = false;
    try {
        bytes = Store();
        written = WriteFileSafely(path, bytes, &error, &warning);
    } catch (const std::bad_alloc&) {
        error = path + ": not enough memory to write the file";
    }
    if (!written) {
        if (m_pUI)
            m_pUI->MessageBox("Failed to save document.", IUserInterface::Exclamation, error);
        return false;
    }
    m_strPathName = path;
    MarkSaved();
    if (m_pJournal)
        m_pJournal->Saved(path, bytes);
    // Saved all the same: the user learns what of the old file's permissions did not stay.
    if (!warning.empty() && m_pUI)
        m_pUI->MessageBox("The cockpit was saved.", IUserInterface::Information, warning);
    if (whenWritten)
        whenWritten();
    // Saved elsewhere, the cockpit's relative names now mean files in the new folder.
    m_manager.SetFolder(FolderOf(path));
    UpdatePictures();
    return true;
}

void CVireoDoc::MarkSaved()
{
    m_history.MarkSaved();
    UpdateModified();
    HistoryChanged();
}

void CVireoDoc::OnCheckCockpit()
{
    CCheckMessageArray messages;
    const bool ok = m_manager.Check(messages, true);
    // A view that lists the problems replaces the dialog.
    if (!NotifyChecked(messages, true) && !ok && m_pUI)
        m_pUI->CheckResults(messages, false);
}

bool CVireoDoc::NotifyChecked(const CCheckMessageArray& messages, bool full)
{
    bool shown = false;
    for (IDocObserver* o : std::vector<IDocObserver*>(m_aObservers))
        shown |= o->OnChecked(messages, full);
    return shown;
}

void CVireoDoc::SetCurrentPanel(CCPPanel* panel)
{
    m_pCurrentPanel = panel;
    UpdateAllViews(nullptr, Hint::Refresh);
}

void CVireoDoc::SetCurrentObject(CCPObject* record)
{
    m_pCurrentObject = record;
    m_selection.Clear();
    UpdateAllViews(nullptr, Hint::CurrentObject);
}

namespace {
constexpr double kNudgeBurst = 1.0; // seconds between nudges that still make one step
} // namespace

std::string CVireoDoc::RecordLabel(const CCPObject* record)
{
    return record ? record->GetLabel() : std::string();
}

CCPPanel* CVireoDoc::PanelOf(CCPObject* record) const
{
    if (record && record->IsPanel())
        return static_cast<CCPPanel*>(record);
    return m_pCurrentPanel;
}

// --- recording ---

void CVireoDoc::BeginStep(const std::string& name, CCPObject* focus, CCPPanel* panel)
{
    if (m_pStep) {
        ++m_nNestedSteps;
        return;
    }
    m_pStep = std::make_unique<CEditStep>(name);
    m_pStep->m_pFocusUndo = focus;
    m_pStep->m_pFocusRedo = focus;
    m_pStep->m_pPanelUndo = panel;
    m_pStep->m_pPanelRedo = panel;
    m_manager.SetRecorder(this);
}

CEditStep* CVireoDoc::EndStep()
{
    if (m_nNestedSteps > 0) {
        --m_nNestedSteps;
        return m_pStep.get();
    }
    m_manager.SetRecorder(nullptr);
    std::unique_ptr<CEditStep> step = std::move(m_pStep);
    if (!step || !step->Finish())
        return nullptr;
    if (step->TouchesIndex())
        m_manager.InvalidateIndex();
    CEditStep* done = step.get();
    m_history.Push(std::move(step));
    if (m_pJournal)
        m_pJournal->Pushed(*done, std::exchange(m_bAmending, false));
    UpdateModified();
    HistoryChanged();
    UpdatePictures();
    return done;
}

bool CVireoDoc::RefuseWhileStepOpen(const std::string& command)
{
    if (!m_pStep)
        return false;
    if (m_pUI)
        m_pUI->MessageBox(command + " cannot start while another edit is open.\n"
                                    "Close the open property sheet first.");
    return true;
}

void CVireoDoc::AbortStep()
{
    // Only the outermost step is ever aborted: commands that could abort refuse to nest.
    m_nNestedSteps = 0;
    m_manager.SetRecorder(nullptr);
    std::unique_ptr<CEditStep> step = std::move(m_pStep);
    if (step && step->Finish())
        step->Undo(m_manager);
    m_manager.InvalidateIndex();
}

void CVireoDoc::WillChange(CCPObject& record)
{
    if (m_pStep)
        m_pStep->WillChange(record);
}

void CVireoDoc::Appended(CCPObject& record)
{
    if (m_pStep)
        m_pStep->Appended(record);
}

void CVireoDoc::InsertSurfaceRef(CCPPanel* panel, size_t index, std::unique_ptr<CCPSurfaceRef> ref)
{
    index = std::min(index, panel->m_aSurfaces.size());
    CCPSurfaceRef* raw = ref.get();
    panel->m_aSurfaces.insert(panel->m_aSurfaces.begin() + static_cast<std::ptrdiff_t>(index),
                              std::move(ref));
    if (m_pStep)
        m_pStep->SurfaceInserted(*panel, index, *raw);
}

std::unique_ptr<CCPSurfaceRef> CVireoDoc::RemoveSurfaceRef(CCPPanel* panel, CCPSurfaceRef* ref)
{
    auto& list = panel->m_aSurfaces;
    const auto it =
        std::find_if(list.begin(), list.end(), [ref](const auto& r) { return r.get() == ref; });
    if (it == list.end())
        return nullptr;
    const size_t index = static_cast<size_t>(it - list.begin());
    std::unique_ptr<CCPSurfaceRef> out = std::move(*it);
    list.erase(it);
    if (m_pStep) {
        // The step holds the entry while it is out; the caller gets to use it meanwhile.
        m_pStep->SurfaceRemoved(*panel, index, std::unique_ptr<CCPObject>(out.release()));
        return nullptr;
    }
    return out;
}

// --- sheets ---

void CVireoDoc::SetRecordEditor(IRecordEditor* editor)
{
    m_pEditor = editor;
    m_manager.SetEditor(editor ? static_cast<IRecordEditor*>(this) : nullptr);
}

int CVireoDoc::EditProperties(CCPObject& record)
{
    if (!m_pStep)
        return EditRecordProperties(&record);
    // A sheet opened from another sheet is part of the outer one's step.
    return RunSheet(record);
}

void CVireoDoc::ShowDialPreview(CCPDial& record, const CCPDial& shown, float value)
{
    m_values.Show(&record, shown, value);
    PreviewChanged(&record);
}

void CVireoDoc::EndDialPreview(CCPDial& record)
{
    if (m_values.End(&record))
        PreviewChanged(&record);
}

void CVireoDoc::SetInputValue(int slot, InputChannel channel, float value)
{
    m_values.SetSlot(slot, channel, value);
    PreviewChanged(nullptr);
}

void CVireoDoc::ClearInputValues()
{
    m_values.ClearSlots();
    PreviewChanged(nullptr);
}

void CVireoDoc::PreviewChanged(CCPObject* record)
{
    for (IDocObserver* o : std::vector<IDocObserver*>(m_aObservers))
        o->OnPreviewChanged(record);
}

int CVireoDoc::RunSheet(CCPObject& record)
{
    if (!m_pEditor)
        return IDCANCEL;
    WillChange(record);
    const int oldId = record.m_nId;
    const int result = m_pEditor->EditProperties(record);
    if (record.m_nId != oldId) {
        m_manager.InvalidateIndex();
        FollowIdChange(record, oldId);
    }
    return result;
}

void CVireoDoc::FollowIdChange(CCPObject& record, int oldId)
{
    const int newId = record.m_nId;
    // Only when no other record of the list still answers to the old id.
    const auto replaceIn = [&](CCPObject& owner, auto& ids) {
        if (std::find(ids.begin(), ids.end(), oldId) == ids.end())
            return;
        WillChange(owner);
        std::replace(ids.begin(), ids.end(), oldId, newId);
    };
    if (record.IsPanel()) {
        if (m_manager.FindPanel(oldId))
            return;
        for (const auto& p : m_manager.m_aPanels)
            replaceIn(*p, p->m_anAdjPanels);
    } else if (record.IsButtonView()) {
        if (m_manager.FindButtonView(oldId))
            return;
        for (const auto& p : m_manager.m_aPanels)
            replaceIn(*p, p->m_anButtonViews);
    } else if (record.IsButton()) {
        if (m_manager.FindButton(oldId))
            return;
        for (const auto& v : m_manager.m_aButtonViews)
            if (v->m_nParentButton == oldId) {
                WillChange(*v);
                v->m_nParentButton = newId;
            }
    } else if (record.IsSound()) {
        if (m_manager.FindSound(oldId))
            return;
        for (const auto& b : m_manager.m_aButtons)
            if (b->m_nSound1 == oldId || b->m_nSound2 == oldId) {
                WillChange(*b);
                if (b->m_nSound1 == oldId)
                    b->m_nSound1 = newId;
                if (b->m_nSound2 == oldId)
                    b->m_nSound2 = newId;
            }
    } else if (record.IsSurface()) {
        if (m_manager.FindSurface(oldId))
            return;
        for (const auto& p : m_manager.m_aPanels)
            for (const auto& ref : p->m_aSurfaces)
                if (ref->m_nSurfaceId == oldId) {
                    WillChange(*ref);
                    ref->m_nSurfaceId = newId;
                }
    } else if (!record.IsSurfaceRef() && &record != &m_manager) {
        if (m_manager.FindObject(oldId))
            return;
        for (const auto& p : m_manager.m_aPanels)
            replaceIn(*p, p->m_anObjects);
    }
    m_manager.InvalidateIndex();
}

int CVireoDoc::EditRecordProperties(CCPObject* record, IDocObserver* sender)
{
    if (!record)
        return IDCANCEL;
    if (m_pStep)
        return RunSheet(*record);
    BeginStep("Properties of " + RecordLabel(record), record, PanelOf(record));
    const int result = RunSheet(*record);
    if (const CEditStep* step = EndStep())
        UpdateAllViews(sender, step->ChangesStructure() ? Hint::Reload : Hint::Refresh);
    return result;
}

// --- adding, copying and removing ---

bool CVireoDoc::InsertObject(std::unique_ptr<CCPObject> record, bool edit, const char* verb)
{
    const std::string named = verb ? verb : edit ? "Add " : "Duplicate ";
    if (!record || RefuseWhileStepOpen(edit ? "Add" : "Duplicate"))
        return false;
    const bool needsPanel = !record->IsPanel() && !record->IsSound() && !record->IsButton();
    CCPPanel* panel = m_pCurrentPanel;
    if (needsPanel && !panel)
        return false;
    if (record->IsPanel())
        record->m_nId = m_manager.NextPanelId();
    else if (record->IsSound())
        record->m_nId = m_manager.NextSoundId();
    else if (record->IsButton())
        record->m_nId = m_manager.NextButtonId();
    else
        record->m_nId = NewRecordId(*record, *panel);

    BeginStep(named + RecordLabel(record.get()), record.get(), panel);
    m_pStep->m_pFocusUndo = nullptr;
    if (record->IsSurfaceRef() &&
        static_cast<CCPSurfaceRef*>(record.get())->AttachNewSurface(panel) != IDOK) {
        AbortStep();
        return false;
    }
    if (edit && RunSheet(*record) != IDOK) {
        AbortStep();
        return false;
    }

    CCPObject* raw = record.get();
    m_pStep->m_strName = named + RecordLabel(raw);
    Hint hint = Hint::AddedToPanel;
    if (raw->IsButtonView()) {
        WillChange(*panel);
        m_manager.AddButtonView(Downcast<CCPButtonView>(std::move(record)));
        panel->m_anButtonViews.push_back(raw->m_nId);
    } else if (raw->IsSound()) {
        m_manager.AddSound(Downcast<CCPSound>(std::move(record)));
        hint = Hint::SoundAdded;
    } else if (raw->IsButton()) {
        m_manager.AddButton(Downcast<CCPButton>(std::move(record)));
        hint = Hint::ButtonAdded;
    } else if (raw->IsSurfaceRef()) {
        InsertSurfaceRef(panel, panel->m_aSurfaces.size(),
                         Downcast<CCPSurfaceRef>(std::move(record)));
    } else if (raw->IsPanel()) {
        m_manager.AddPanel(Downcast<CCPPanel>(std::move(record)));
        hint = Hint::PanelAdded;
    } else {
        WillChange(*panel);
        m_manager.AddObject(std::move(record));
        panel->m_anObjects.push_back(raw->m_nId);
    }
    EndStep();
    UpdateAllViews(nullptr, hint, raw);
    // The new record is the one the user works on next: current, selected, framed.
    SetCurrentObject(raw);
    return true;
}

bool CVireoDoc::NewObject()
{
    if (!m_pCurrentPanel || !m_pUI || RefuseWhileStepOpen("Add Object"))
        return false;
    int code = -1;
    if (m_pUI->SelectObjectType(code) != IDOK)
        return false;
    return InsertObject(std::unique_ptr<CCPObject>(m_manager.CreateObject(code)), true);
}

bool CVireoDoc::RunAddSheet(CCPObject& record, CCPPanel* panel)
{
    if (RefuseWhileStepOpen("Add"))
        return false;
    BeginStep("Add " + RecordLabel(&record), &record, panel);
    m_pStep->m_pFocusUndo = nullptr;
    if (RunSheet(record) != IDOK) {
        AbortStep();
        return false;
    }
    // The sheet may have named it.
    m_pStep->m_strName = "Add " + RecordLabel(&record);
    return true;
}

bool CVireoDoc::NewPanel()
{
    auto panel = Downcast<CCPPanel>(std::unique_ptr<CCPObject>(m_manager.CreateObject(kPanelType)));
    panel->m_nId = m_manager.NextPanelId();
    CCPPanel* raw = panel.get();
    if (!RunAddSheet(*raw, raw))
        return false;
    m_manager.AddPanel(std::move(panel));
    EndStep();
    m_pCurrentPanel = raw;
    m_pCurrentObject = raw;
    UpdateAllViews(nullptr, Hint::PanelAdded, raw);
    return true;
}

bool CVireoDoc::NewSound()
{
    auto sound = Downcast<CCPSound>(std::unique_ptr<CCPObject>(m_manager.CreateObject(kSoundType)));
    sound->m_nId = m_manager.NextSoundId();
    if (sound->m_nId == 0) {
        // Every id is taken: refuse rather than give one that is in use.
        if (m_pUI)
            m_pUI->MessageBox("No sound id is free: a new sound cannot be added.");
        return false;
    }
    CCPSound* raw = sound.get();
    if (!RunAddSheet(*raw, m_pCurrentPanel))
        return false;
    m_manager.AddSound(std::move(sound));
    EndStep();
    UpdateAllViews(nullptr, Hint::SoundAdded, raw);
    SetCurrentObject(raw);
    return true;
}

bool CVireoDoc::NewButton()
{
    auto button =
        Downcast<CCPButton>(std::unique_ptr<CCPObject>(m_manager.CreateObject(kButtonType)));
    button->m_nId = m_manager.NextButtonId();
    if (button->m_nId == 0) {
        if (m_pUI)
            m_pUI->MessageBox("No button id is free: a new button cannot be added.");
        return false;
    }
    CCPButton* raw = button.get();
    if (!RunAddSheet(*raw, m_pCurrentPanel))
        return false;
    m_manager.AddButton(std::move(button));
    EndStep();
    UpdateAllViews(nullptr, Hint::ButtonAdded, raw);
    SetCurrentObject(raw);
    return true;
}

std::unique_ptr<CCPObject> CVireoDoc::CloneObject(CCPObject* record)
{
    return record ? CCockpitReader::Copy(*record, m_manager, m_pUI) : nullptr;
}

bool CVireoDoc::DuplicateObject(CCPObject* record)
{
    auto copy = CloneObject(record);
    return copy && InsertObject(std::move(copy), false);
}

void CVireoDoc::RemoveObject(CCPObject* record, CCPPanel* panel)
{
    if (!record || !panel || RefuseWhileStepOpen("Delete"))
        return;
    BeginStep("Delete " + RecordLabel(record), record, panel);
    m_pStep->m_pFocusRedo = nullptr;
    if (record->IsSurfaceRef()) {
        // The step keeps the entry, so an undo puts the very same one back.
        RemoveSurfaceRef(panel, static_cast<CCPSurfaceRef*>(record));
    } else {
        WillChange(*panel);
        panel->RemoveRecord(record, true);
    }
    const bool changed = EndStep();
    if (m_pCurrentObject == record)
        m_pCurrentObject = nullptr;
    if (changed)
        UpdateAllViews(nullptr, Hint::Removed, record);
}

CCPObject* CVireoDoc::PlaceRecord(CCPObject* record, CCPPanel* from, CCPPanel* to,
                                  CCPObject* anchor, bool move, IDocObserver* sender)
{
    if (!record || !from || !to || RefuseWhileStepOpen(move ? "Move" : "Paste"))
        return nullptr;
    auto* entry = record->IsSurfaceRef() ? static_cast<CCPSurfaceRef*>(record) : nullptr;
    // A surface entry is owned by its panel: only one that the old panel really holds is
    // handed on, or two panels would own it. One cannot be rebuilt from its text, so it is
    // never copied.
    if (entry && (!move || !from->HasSurfaceRef(entry)))
        return nullptr;
    std::unique_ptr<CCPObject> copy;
    if (!move && !(copy = CloneObject(record)))
        return nullptr;

    BeginStep((move ? "Move " : "Paste ") + RecordLabel(record), record, to);
    m_pStep->m_pPanelUndo = move ? from : to; // undone, a moved record is back where it was
    if (move) {
        if (entry) {
            RemoveSurfaceRef(from, entry);
        } else {
            WillChange(*from);
            from->RemoveRecord(record, false);
        }
    } else {
        record = copy.get();
        record->m_nId = NewRecordId(*record, *to);
        m_pStep->m_pFocusRedo = record;
        m_pStep->m_pFocusUndo = nullptr;
        if (record->IsButtonView())
            m_manager.AddButtonView(Downcast<CCPButtonView>(std::move(copy)));
        else
            m_manager.AddObject(std::move(copy));
    }
    if (entry) {
        // After the anchor entry; after the last entry for any other anchor; first without one.
        auto& list = to->m_aSurfaces;
        size_t at = 0;
        if (anchor && anchor->IsSurfaceRef()) {
            const auto it = std::find_if(list.begin(), list.end(),
                                         [anchor](const auto& r) { return r.get() == anchor; });
            at = it == list.end() ? list.size() : static_cast<size_t>(it - list.begin()) + 1;
        } else if (anchor) {
            at = list.size();
        }
        // The step holds the entry taken off the old panel; it goes onto the new one from there.
        InsertSurfaceRef(to, at, Downcast<CCPSurfaceRef>(m_pStep->Unhold(entry)));
    } else {
        WillChange(*to);
        to->InsertRecordAfter(anchor, record);
    }
    EndStep();
    UpdateAllViews(sender, Hint::Refresh);
    return record;
}

// --- rectangles and names ---

bool CVireoDoc::SetRect(CCPObject* record, bool source, const CRect& rc, const char* verb,
                        IDocObserver* sender)
{
    CRect old;
    if (!record || !(source ? record->GetSrcRect(&old) : record->GetDestRect(&old)) || old == rc)
        return false;
    const bool resized = old.Width() != rc.Width() || old.Height() != rc.Height();
    BeginStep(std::string(verb      ? verb
                          : resized ? "Resize "
                                    : "Move ") +
                  RecordLabel(record),
              record, m_pCurrentPanel);
    WillChange(*record);
    if (source)
        record->SetSrcRect(&rc);
    else
        record->SetDestRect(&rc);
    if (!EndStep())
        return false;
    UpdateAllViews(sender, Hint::Refresh);
    return true;
}

bool CVireoDoc::SetRecordDestRect(CCPObject* record, const CRect& rc, IDocObserver* sender)
{
    return SetRect(record, false, rc, nullptr, sender);
}

bool CVireoDoc::SetRecordSrcRect(CCPObject* record, const CRect& rc, IDocObserver* sender)
{
    return SetRect(record, true, rc, nullptr, sender);
}

bool CVireoDoc::NudgeRecord(CCPObject* record, bool source, const CRect& rc)
{
    CRect old;
    if (!record || !(source ? record->GetSrcRect(&old) : record->GetDestRect(&old)) || old == rc)
        return false;
    return Nudge({record}, source, {rc}, "Move " + RecordLabel(record));
}

bool CVireoDoc::Nudge(const std::vector<CCPObject*>& records, bool source,
                      const std::vector<CRect>& rects, const std::string& name)
{
    using namespace std::chrono;
    const double now =
        m_fnClock ? m_fnClock() : duration<double>(steady_clock::now().time_since_epoch()).count();
    const int kind = source ? 2 : 1;
    const CEditStep* last = m_history.UndoStep();
    const std::vector<const CCPObject*> nudged(records.begin(), records.end());
    // A burst goes on while the same records are nudged the same way, without a pause, an undo
    // or a save since the last nudge.
    const bool burst = !m_pStep && last && !m_history.CanRedo() && last->m_aNudged == nudged &&
                       last->m_nNudgeKind == kind && now - last->m_dLastNudge <= kNudgeBurst &&
                       m_history.Saved() != static_cast<long>(m_history.Current());
    const bool nested = m_pStep != nullptr;
    if (burst) {
        m_pStep = m_history.TakeLast();
        m_bAmending = true;
        m_manager.SetRecorder(this);
    } else {
        BeginStep(name,
                  m_pCurrentObject && IsSelected(m_pCurrentObject) ? m_pCurrentObject
                                                                   : records.front(),
                  m_pCurrentPanel);
    }
    if (!nested) {
        // A step that a nudge joined is no nudge burst: a later nudge must not merge into it.
        m_pStep->m_aNudged = nudged;
        m_pStep->m_nNudgeKind = kind;
        m_pStep->m_dLastNudge = now;
    }
    for (size_t i = 0; i < records.size(); ++i) {
        WillChange(*records[i]);
        if (source)
            records[i]->SetSrcRect(&rects[i]);
        else
            records[i]->SetDestRect(&rects[i]);
    }
    // A burst that comes back to where it started leaves no step.
    if (!EndStep() && burst) {
        m_bAmending = false;
        if (m_pJournal)
            m_pJournal->Dropped();
        UpdateModified();
        HistoryChanged();
    }
    UpdateAllViews(nullptr, Hint::Refresh);
    return true;
}

bool CVireoDoc::MakeSameSize(CCPObject* record)
{
    if (!record)
        return false;
    BeginStep("Make Same Size " + RecordLabel(record), record, m_pCurrentPanel);
    WillChange(*record);
    record->MakeSameSize();
    if (!EndStep())
        return false;
    UpdateAllViews(nullptr, Hint::Refresh);
    return true;
}

bool CVireoDoc::RenameRecord(CCPObject* record, const std::string& name, IDocObserver* sender)
{
    if (!record)
        return false;
    BeginStep("Rename " + RecordLabel(record), record, PanelOf(record));
    WillChange(*record);
    record->SetName(name);
    if (!EndStep())
        return false;
    UpdateAllViews(sender, Hint::Refresh);
    return true;
}

// --- undo and redo ---

std::string CVireoDoc::UndoName() const
{
    const CEditStep* step = m_history.UndoStep();
    return step ? step->m_strName : std::string();
}

std::string CVireoDoc::RedoName() const
{
    const CEditStep* step = m_history.RedoStep();
    return step ? step->m_strName : std::string();
}

bool CVireoDoc::Undo()
{
    if (m_pStep || !m_history.CanUndo())
        return false;
    GoToStep(m_history.Current() - 1);
    return true;
}

bool CVireoDoc::Redo()
{
    if (m_pStep || !m_history.CanRedo())
        return false;
    GoToStep(m_history.Current() + 1);
    return true;
}

void CVireoDoc::GoToStep(size_t count)
{
    if (m_pStep || count > m_history.Count())
        return;
    CEditStep* step = nullptr;
    bool undone = false;
    while (m_history.Current() > count) {
        step = m_history.Undo(m_manager);
        undone = true;
        if (m_pJournal)
            m_pJournal->Undone(*step);
    }
    while (m_history.Current() < count) {
        step = m_history.Redo(m_manager);
        undone = false;
        if (m_pJournal)
            m_pJournal->Redone(*step);
    }
    if (m_pJournal)
        m_pJournal->Settled();
    if (step)
        StepDone(step, undone);
}

void CVireoDoc::StepDone(CEditStep* step, bool undone)
{
    // Show what changed: the step's record and its panel, when they are in the cockpit now.
    CCPPanel* panel = undone ? step->m_pPanelUndo : step->m_pPanelRedo;
    if (panel && (step->Owns(panel) || !m_manager.HasPanel(panel)))
        panel = nullptr;
    CCPObject* focus = undone ? step->m_pFocusUndo : step->m_pFocusRedo;
    if (focus && step->Owns(focus))
        focus = nullptr;
    m_pCurrentPanel = panel;
    m_pCurrentObject = focus;
    UpdateModified();
    HistoryChanged();
    UpdatePictures();
    UpdateAllViews(nullptr, step->ChangesStructure() ? Hint::Reload : Hint::Refresh);
    UpdateAllViews(nullptr, Hint::CurrentObject);
}

void CVireoDoc::Refresh()
{
    m_manager.RefreshImages();
    UpdateAllViews(nullptr, Hint::Refresh);
}

void CVireoDoc::UpdatePictures()
{
    if (m_manager.UpdatePictures())
        UpdateAllViews(nullptr, Hint::Pictures);
}

void CVireoDoc::UpdateModified()
{
    const bool modified = !m_history.IsAtSaved();
    if (m_bModified == modified)
        return;
    m_bModified = modified;
    for (IDocObserver* o : std::vector<IDocObserver*>(m_aObservers))
        o->OnModifiedChanged(modified);
}

void CVireoDoc::HistoryChanged()
{
    for (IDocObserver* o : std::vector<IDocObserver*>(m_aObservers))
        o->OnHistoryChanged();
}

void CVireoDoc::AddObserver(IDocObserver* observer)
{
    if (std::find(m_aObservers.begin(), m_aObservers.end(), observer) == m_aObservers.end())
        m_aObservers.push_back(observer);
}

void CVireoDoc::RemoveObserver(IDocObserver* observer)
{
    m_aObservers.erase(std::remove(m_aObservers.begin(), m_aObservers.end(), observer),
                       m_aObservers.end());
}

void CVireoDoc::UpdateAllViews(IDocObserver* sender, Hint hint, CCPObject* record)
{
    // Every change reaches the views through here: the selection is made good before they look.
    KeepSelectionValid();
    for (IDocObserver* o : std::vector<IDocObserver*>(m_aObservers))
        if (o != sender)
            o->OnUpdate(sender, hint, record);
}

void CVireoDoc::InitialUpdate()
{
    for (IDocObserver* o : std::vector<IDocObserver*>(m_aObservers))
        o->OnInitialUpdate();
}

// --- fixes offered by the Problems panel ---

CCPButton* CVireoDoc::AddButtonWithId(int id, int states)
{
    if (m_manager.FindButton(id) || RefuseWhileStepOpen("Add the missing button"))
        return nullptr;
    auto button =
        Downcast<CCPButton>(std::unique_ptr<CCPObject>(m_manager.CreateObject(kButtonType)));
    button->m_nId = id;
    button->m_nStates = std::max(states, 1);
    CCPButton* raw = button.get();
    BeginStep("Add " + RecordLabel(raw), raw, m_pCurrentPanel);
    m_pStep->m_pFocusUndo = nullptr;
    m_manager.AddButton(std::move(button));
    EndStep();
    UpdateAllViews(nullptr, Hint::ButtonAdded, raw);
    return raw;
}

bool CVireoDoc::SetMaskTop(CCPPanel* panel, int maskTop)
{
    if (!panel || panel->m_nMaskTop == maskTop)
        return false;
    BeginStep("Set Mask Top of " + RecordLabel(panel), panel, panel);
    WillChange(*panel);
    panel->m_nMaskTop = maskTop;
    EndStep();
    UpdateAllViews(nullptr, Hint::Refresh);
    return true;
}

bool CVireoDoc::ClearMissingNeighbours(CCPPanel* panel)
{
    if (!panel)
        return false;
    BeginStep("Clear Missing Neighbours of " + RecordLabel(panel), panel, panel);
    WillChange(*panel);
    for (int& adj : panel->m_anAdjPanels)
        if (adj != -1 && !m_manager.FindPanel(adj))
            adj = -1;
    if (!EndStep())
        return false;
    UpdateAllViews(nullptr, Hint::Refresh);
    return true;
}

bool CVireoDoc::SetInitialState(CCPObject* record, int state)
{
    int* initState = nullptr;
    if (record && record->IsButton())
        initState = &static_cast<CCPButton*>(record)->m_nInitState;
    else if (record && record->GetTypeCode() == kLightType)
        initState = &static_cast<CCPLight*>(record)->m_nInitState;
    if (!initState || *initState == state)
        return false;
    BeginStep("Set Initial State of " + RecordLabel(record), record, PanelOf(record));
    WillChange(*record);
    *initState = state;
    EndStep();
    UpdateAllViews(nullptr, Hint::Refresh);
    return true;
}

bool CVireoDoc::ClearSound(CCPButton* button, int which)
{
    if (!button || (which != 1 && which != 2))
        return false;
    int& sound = which == 1 ? button->m_nSound1 : button->m_nSound2;
    if (sound == -1)
        return false;
    BeginStep(StrFormat("Clear Sound %d of ", which) + RecordLabel(button), button,
              m_pCurrentPanel);
    WillChange(*button);
    sound = -1;
    EndStep();
    UpdateAllViews(nullptr, Hint::Refresh);
    return true;
}

bool CVireoDoc::SizeSourcesToDest(CCPObject* record)
{
    if (!record)
        return false;
    BeginStep("Make Same Size " + RecordLabel(record), record, m_pCurrentPanel);
    WillChange(*record);
    // An adi's or a dial's one source is not a list of states: MakeSameSize leaves it.
    CRect* src = nullptr;
    const CRect* dest = nullptr;
    if (record->GetTypeCode() == kAdiType) {
        auto* adi = static_cast<CCPAdi*>(record);
        src = &adi->m_rcSrc, dest = &adi->m_rcDest;
    } else if (record->GetTypeCode() == kDialType) {
        auto* dial = static_cast<CCPDial*>(record);
        src = &dial->m_rcSrc, dest = &dial->m_rcDest;
    }
    if (src)
        *src = CRect(src->left, src->top, src->left + dest->Width(), src->top + dest->Height());
    else
        record->MakeSameSize();
    if (!EndStep())
        return false;
    UpdateAllViews(nullptr, Hint::Refresh);
    return true;
}

bool CVireoDoc::MoveIntoScreen(CCPObject* record, CCPPanel* panel)
{
    CRect rc, moved;
    if (!record || !record->GetDestRect(&rc) ||
        !::MoveInsideScreen(rc, m_manager.m_nScreenWidth, m_manager.m_nScreenHeight, moved) ||
        moved == rc)
        return false;
    BeginStep("Move Into Screen " + RecordLabel(record), record, panel ? panel : m_pCurrentPanel);
    WillChange(*record);
    record->SetDestRect(&moved);
    if (!EndStep())
        return false;
    UpdateAllViews(nullptr, Hint::Refresh);
    return true;
}
