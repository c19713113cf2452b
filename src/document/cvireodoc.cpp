#include "cvireodoc.h"

#include "ccpbuffer.h"
#include "ccpbutton.h"
#include "ccpbuttonview.h"
#include "ccppanel.h"
#include "ccpsound.h"
#include "ccpsurface.h"
#include "ccpsurfaceref.h"
#include "clinereader.h"
#include "clinewriter.h"
#include "cloaderrorlimiter.h"
#include "cscanner.h"
#include "filepaths.h"
#include "iuserinterface.h"
#include "recordtypes.h"
#include "strformat.h"

#include <algorithm>
#include <new>

namespace {
const char* const kMarker = "// END OF THINGS WE KNOW ABOUT";

template <class T>
std::unique_ptr<T> Downcast(std::unique_ptr<CCPObject> p)
{
    return std::unique_ptr<T>(static_cast<T*>(p.release()));
}

// "#%d %s": the id and the keyword of a header line.
bool ScanHeader(std::string_view line, int& id, std::string_view& keyword)
{
    if (line.empty() || line[0] != '#')
        return false;
    CScanner s(line.substr(1));
    return s.Int(id) && s.Word(keyword);
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

void CVireoDoc::Reset()
{
    m_pCurrentObject = nullptr;
    m_pCurrentPanel = nullptr;
    m_pLastBuffer = nullptr;
    m_manager.RemoveAll();
}

bool CVireoDoc::OnNewDocument()
{
    SetCurrentObject(nullptr);
    SetCurrentPanel(nullptr);
    Reset();
    m_strPathName.clear();
    SetModifiedFlag(false);
    InitialUpdate();
    return true;
}

void CVireoDoc::ScreenSizeFromName(const std::string& name)
{
    static const struct
    {
        const char* prefix;
        int w, h;
    } sizes[] = {{"6_", 640, 480}, {"8_", 800, 600}, {"10_", 1024, 768}, {"12_", 1200, 960}, {"16_", 1600, 1200}};
    for (const auto& s : sizes)
        if (StartsWith(name, s.prefix)) {
            m_manager.SetScreenSize(s.w, s.h);
            return;
        }
}

bool CVireoDoc::OnOpenDocument(const std::string& path)
{
    // Read first: a file that cannot be read whole leaves the open cockpit as it was.
    std::string data, error;
    CFileReader disk;
    if (!(m_pFileReader ? m_pFileReader : &disk)->ReadFile(path, data, kMaxCockpitBytes, error)) {
        if (m_pUI)
            m_pUI->MessageBox("Failed to open document.", IUserInterface::Exclamation, path + ": " + error);
        return false;
    }
    SetCurrentObject(nullptr);
    SetCurrentPanel(nullptr);
    Reset();
    // A newly opened cockpit starts clean: nothing of the previous one's manager carries over.
    m_manager.m_strTemplateFile.clear();
    m_manager.m_bmpTemplate = CBitmap();
    m_manager.m_strComment.clear();

    size_t sep = path.rfind('/');
    if (sep == std::string::npos)
        sep = path.rfind('\\');
    std::string fileName;
    if (sep == std::string::npos) {
        m_strFolder = path;
        fileName = path;
        m_manager.SetFolder(std::string());
    } else {
        m_strFolder = path.substr(0, sep + 1);
        fileName = path.substr(sep + 1);
        m_manager.SetFolder(m_strFolder);
    }
    ScreenSizeFromName(fileName);
    bool loaded = true;
    try {
        Load(data);
    } catch (const std::bad_alloc&) {
        loaded = false;
    }
    if (!loaded) {
        // Part of a cockpit is not the cockpit: start empty rather than keep what was read.
        std::string().swap(data);
        Reset();
        m_strPathName.clear();
        SetModifiedFlag(false);
        InitialUpdate();
        if (m_pUI)
            m_pUI->MessageBox("Failed to open document.", IUserInterface::Exclamation,
                              path + ": not enough memory to load the file");
        return false;
    }
    m_strPathName = path;
    SetModifiedFlag(false);
    InitialUpdate();
    return true;
}

void CVireoDoc::Load(const std::string& text)
{
    CLoadErrorLimiter limiter(m_pUI);
    // A picture that a record reads while loading is one more error of the load.
    struct CRestoreUI
    {
        CCPManager& manager;
        IUserInterface* ui;
        ~CRestoreUI() { manager.SetUserInterface(ui); }
    } restore{m_manager, m_manager.GetUserInterface()};
    m_manager.SetUserInterface(&limiter);
    m_manager.BeginLoad();
    m_nLineCount = 0;
    m_pLastBuffer = nullptr;
    std::string comment;
    std::string_view line;
    CLineReader ar = CLineReader::Over(text, &m_nLineCount, &limiter);
    while (ar.ReadLine(line)) {
        if (line.empty())
            continue;
        if (line[0] == '#') {
            ParseRecord(line, ar, comment);
            comment.clear();
        } else if (line != kMarker) {
            // The marker is written by every save; keeping it would add one per save.
            comment += line;
            comment += "\r\n";
        }
    }
    m_pLastBuffer = nullptr;
    m_manager.SetUserInterface(restore.ui);
    limiter.Finish();
}

void CVireoDoc::ParseRecord(std::string_view line, CLineReader& ar, const std::string& comment)
{
    int id = 0;
    std::string_view kw;
    CCPManager* m = &m_manager;
    if (ScanHeader(line, id, kw)) {
        if (EqualsNoCase(kw, "MANAGER")) {
            m_manager.LoadManager(ar, comment);
            return;
        }
        if (EqualsNoCase(kw, "SOUND")) {
            m_manager.AddSound(std::make_unique<CCPSound>(id, ar, comment, m));
            return;
        }
        if (EqualsNoCase(kw, "BUTTON")) {
            m_manager.AddButton(std::make_unique<CCPButton>(id, ar, comment, m));
            return;
        }
        if (EqualsNoCase(kw, "BUTTONVIEW")) {
            m_manager.AddButtonView(std::make_unique<CCPButtonView>(id, ar, comment, m));
            return;
        }
        if (EqualsNoCase(kw, "PANEL")) {
            m_manager.AddPanel(std::make_unique<CCPPanel>(id, ar, comment, m));
            return;
        }
        if (EqualsNoCase(kw, "SURFACE")) {
            m_manager.AddSurface(std::make_unique<CCPSurface>(id, ar, comment, m, m_pLastBuffer));
            return;
        }
        if (EqualsNoCase(kw, "BUFFER")) {
            auto buffer = std::make_unique<CCPBuffer>(id, ar, comment, m);
            m_pLastBuffer = buffer.get();
            m_manager.AddBuffer(std::move(buffer));
            return;
        }
        if (auto record = ReadObjectRecord(kw, id, ar, comment, m)) {
            m_manager.AddObject(std::move(record));
            return;
        }
    }
    // Unknown record: its comment and header are kept; its body and "#end" come back here
    // as comment lines and headers and are kept the same way.
    if (!comment.empty())
        m_manager.AddLeftover(comment);
    // A CR left at the end would turn the LF written after it into a CR LF line end, and the
    // next load would lose it: the kept line ends at its last other character.
    size_t end = line.size();
    while (end > 0 && line[end - 1] == '\r')
        --end;
    std::string kept(line.substr(0, end));
    kept += '\n';
    m_manager.AddLeftover(std::move(kept));
}

std::string CVireoDoc::Store()
{
    CLineWriter ar;
    m_manager.Serialize(ar);
    return ar.Take();
}

bool CVireoDoc::OnSaveDocument(const std::string& path)
{
    CCheckMessageArray messages;
    if (!m_manager.Check(messages, false)) {
        if (!m_pUI || m_pUI->CheckResults(messages, true) != IDOK)
            return false;
    }
    std::string error;
    bool written = false;
    try {
        written = WriteFileSafely(path, Store(), &error);
    } catch (const std::bad_alloc&) {
        error = path + ": not enough memory to write the file";
    }
    if (!written) {
        if (m_pUI)
            m_pUI->MessageBox("Failed to save document.", IUserInterface::Exclamation, error);
        return false;
    }
    m_strPathName = path;
    SetModifiedFlag(false);
    return true;
}

void CVireoDoc::OnCheckCockpit()
{
    CCheckMessageArray messages;
    if (!m_manager.Check(messages, true) && m_pUI)
        m_pUI->CheckResults(messages, false);
}

void CVireoDoc::SetCurrentPanel(CCPPanel* panel)
{
    m_pCurrentPanel = panel;
    UpdateAllViews(nullptr, HINT_REFRESH);
}

void CVireoDoc::SetCurrentObject(CCPObject* record)
{
    m_pCurrentObject = record;
    UpdateAllViews(nullptr, HINT_CURRENT_OBJECT);
}

bool CVireoDoc::InsertObject(std::unique_ptr<CCPObject> record, bool edit)
{
    if (!record)
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
        record->m_nId = panel->NextObjectId();

    if (record->IsSurfaceRef() && static_cast<CCPSurfaceRef*>(record.get())->AttachNewSurface(panel) != IDOK)
        return false;
    if (edit && record->EditProperties() != IDOK)
        return false;

    CCPObject* raw = record.get();
    int hint = HINT_ADDED_TO_PANEL;
    if (raw->IsButtonView()) {
        m_manager.AddButtonView(Downcast<CCPButtonView>(std::move(record)));
        panel->m_anButtonViews.push_back(raw->m_nId);
    } else if (raw->IsSound()) {
        m_manager.AddSound(Downcast<CCPSound>(std::move(record)));
        hint = HINT_SOUND_ADDED;
    } else if (raw->IsButton()) {
        m_manager.AddButton(Downcast<CCPButton>(std::move(record)));
        hint = HINT_BUTTON_ADDED;
    } else if (raw->IsSurfaceRef()) {
        panel->m_aSurfaces.push_back(Downcast<CCPSurfaceRef>(std::move(record)));
    } else if (raw->IsPanel()) {
        m_manager.AddPanel(Downcast<CCPPanel>(std::move(record)));
        hint = HINT_PANEL_ADDED;
    } else {
        m_manager.AddObject(std::move(record));
        panel->m_anObjects.push_back(raw->m_nId);
    }
    UpdateAllViews(nullptr, hint, raw);
    SetModifiedFlag();
    return true;
}

bool CVireoDoc::NewObject()
{
    if (!m_pCurrentPanel || !m_pUI)
        return false;
    int code = -1;
    if (m_pUI->SelectObjectType(code) != IDOK)
        return false;
    return InsertObject(std::unique_ptr<CCPObject>(m_manager.CreateObject(code)), true);
}

bool CVireoDoc::NewPanel()
{
    auto panel = Downcast<CCPPanel>(std::unique_ptr<CCPObject>(m_manager.CreateObject(8)));
    panel->m_nId = m_manager.NextPanelId();
    if (panel->EditProperties() != IDOK)
        return false;
    SetModifiedFlag();
    CCPPanel* raw = panel.get();
    m_manager.AddPanel(std::move(panel));
    m_pCurrentPanel = raw;
    m_pCurrentObject = raw;
    UpdateAllViews(nullptr, HINT_PANEL_ADDED, raw);
    return true;
}

bool CVireoDoc::NewSound()
{
    auto sound = Downcast<CCPSound>(std::unique_ptr<CCPObject>(m_manager.CreateObject(1)));
    sound->m_nId = m_manager.NextSoundId();
    if (sound->EditProperties() != IDOK)
        return false;
    SetModifiedFlag();
    CCPSound* raw = sound.get();
    m_manager.AddSound(std::move(sound));
    UpdateAllViews(nullptr, HINT_SOUND_ADDED, raw);
    return true;
}

bool CVireoDoc::NewButton()
{
    auto button = Downcast<CCPButton>(std::unique_ptr<CCPObject>(m_manager.CreateObject(3)));
    button->m_nId = m_manager.NextButtonId();
    if (button->EditProperties() != IDOK)
        return false;
    SetModifiedFlag();
    CCPButton* raw = button.get();
    m_manager.AddButton(std::move(button));
    UpdateAllViews(nullptr, HINT_BUTTON_ADDED, raw);
    return true;
}

std::unique_ptr<CCPObject> CVireoDoc::CloneObject(CCPObject* record)
{
    if (!record)
        return nullptr;
    std::unique_ptr<CCPObject> copy(m_manager.CreateObject(record->GetTypeCode()));
    if (!copy)
        return nullptr;
    CLineWriter out;
    record->Serialize(out);
    CLineReader ar(out.Take(), &m_nLineCount, m_pUI);
    std::string_view line, keyword;
    int id = 0;
    while (ar.ReadLine(line))
        if (ScanHeader(line, id, keyword))
            break;
    // The copy keeps the keys only: no comment, so no name either.
    copy->Load(0, ar, std::string(), &m_manager);
    return copy;
}

bool CVireoDoc::DuplicateObject(CCPObject* record)
{
    auto copy = CloneObject(record);
    return copy && InsertObject(std::move(copy), false);
}

void CVireoDoc::RemoveObject(CCPObject* record, CCPPanel* panel)
{
    if (!record || !panel)
        return;
    // A surface entry leaves the panel's ownership; it is destroyed after the views have
    // dropped their entries for it.
    std::unique_ptr<CCPObject> gone;
    if (record->IsSurfaceRef()) {
        if (panel->HasSurfaceRef(static_cast<CCPSurfaceRef*>(record))) {
            panel->RemoveRecord(record, false);
            gone.reset(record);
        }
    } else {
        panel->RemoveRecord(record, true);
    }
    if (m_pCurrentObject == record)
        m_pCurrentObject = nullptr;
    SetModifiedFlag();
    UpdateAllViews(nullptr, HINT_REMOVED, record);
}

void CVireoDoc::Refresh()
{
    m_manager.RefreshImages();
    UpdateAllViews(nullptr, HINT_REFRESH);
}

void CVireoDoc::SetModifiedFlag(bool modified)
{
    if (m_bModified == modified)
        return;
    m_bModified = modified;
    for (IDocObserver* o : std::vector<IDocObserver*>(m_aObservers))
        o->OnModifiedChanged(modified);
}

void CVireoDoc::AddObserver(IDocObserver* observer)
{
    if (std::find(m_aObservers.begin(), m_aObservers.end(), observer) == m_aObservers.end())
        m_aObservers.push_back(observer);
}

void CVireoDoc::RemoveObserver(IDocObserver* observer)
{
    m_aObservers.erase(std::remove(m_aObservers.begin(), m_aObservers.end(), observer), m_aObservers.end());
}

void CVireoDoc::UpdateAllViews(IDocObserver* sender, int hint, CCPObject* record)
{
    for (IDocObserver* o : std::vector<IDocObserver*>(m_aObservers))
        if (o != sender)
            o->OnUpdate(sender, hint, record);
}

void CVireoDoc::InitialUpdate()
{
    for (IDocObserver* o : std::vector<IDocObserver*>(m_aObservers))
        o->OnInitialUpdate();
}
