#include "ccpmanager.h"

#include "canvas.h"
#include "ccpbuffer.h"
#include "ccpbutton.h"
#include "ccpbuttonview.h"
#include "ccppanel.h"
#include "ccpsound.h"
#include "ccpsurface.h"
#include "ccpsurfaceref.h"
#include "ckeyreader.h"
#include "clinereader.h"
#include "clinewriter.h"
#include "cscanner.h"
#include "ctokencursor.h"
#include "filepaths.h"
#include "ieditrecorder.h"
#include "iimageloader.h"
#include "iuserinterface.h"
#include "recordtypes.h"
#include "strformat.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <filesystem>
#include <new>
#include <unordered_set>

namespace {
// Larger templates are refused rather than allocated.
constexpr int kMaxTemplateSide = 16384;
constexpr long long kMaxTemplateArea = 64LL * 1024 * 1024;

template <class T> void Rebuild(const std::vector<std::unique_ptr<T>>& list, CIdTable& map)
{
    map.Clear();
    map.Reserve(list.size());
    for (size_t i = 0; i < list.size(); ++i)
        ++map.Add(list[i]->m_nId, i).count;
}

template <class T> T* At(const std::vector<std::unique_ptr<T>>& list, int index)
{
    return index >= 0 && size_t(index) < list.size() ? list[size_t(index)].get() : nullptr;
}

template <class T>
std::unique_ptr<CCPObject> TakeFrom(std::vector<std::unique_ptr<T>>& list, CCPObject* record)
{
    // From the back: undo takes back what was appended last.
    for (auto it = list.rbegin(); it != list.rend(); ++it)
        if (it->get() == record) {
            std::unique_ptr<CCPObject> out(it->release());
            list.erase(std::next(it).base());
            return out;
        }
    return nullptr;
}
} // namespace

std::string ImageErrorText(const std::string& path)
{
    if (NamesNoFile(path)) // quoted cut short: no file has such a name
        return path.substr(0, 200) + "...\nI cannot read this file.\nThe file was not found.";
    // A picture that is not there is not an unsupported format: say which it is.
    std::error_code ec;
    if (!std::filesystem::exists(SystemPath(path), ec))
        return path + "\nI cannot read this file.\nThe file was not found.";
    return path + "\nI cannot read this file.\nThis is not a valid image file, or its format is "
                  "not currently supported.";
}

namespace {
std::string NoMemoryText(const std::string& path)
{
    return path + "\nThis picture is not loaded: there is not enough memory for it.";
}

uint64_t BitmapBytes(uint64_t width, uint64_t height)
{
    return width * height * 4;
}

// One past the highest id of the list, at least first; when that would pass the int range,
// the lowest id from first up that no record has; 0 when there is none.
template <class T> int NextFreeId(const std::vector<std::unique_ptr<T>>& list, int first)
{
    int highest = first - 1;
    for (const auto& r : list)
        highest = std::max(highest, r->m_nId);
    if (highest < INT_MAX)
        return highest + 1;
    std::vector<int> ids;
    ids.reserve(list.size());
    for (const auto& r : list)
        if (r->m_nId >= first)
            ids.push_back(r->m_nId);
    std::sort(ids.begin(), ids.end());
    long long candidate = first;
    for (int id : ids) {
        if (id > candidate)
            break;
        candidate = (long long)id + 1;
    }
    return candidate <= INT_MAX ? int(candidate) : 0;
}
} // namespace

CCPManager::CCPManager()
{
    m_pManager = this;
}

CCPManager::~CCPManager() = default;

void CCPManager::MessageBox(const std::string& text) const
{
    if (m_pUI)
        m_pUI->MessageBox(text, IUserInterface::Exclamation);
}

std::string CCPManager::FullPath(const std::string& name) const
{
    return ResolveCockpitPath(m_strFolder, name);
}

CCPObject* CCPManager::CreateObject(int code)
{
    return CreateRecordOfType(code, this).release();
}

template <class T>
T* CCPManager::FindIndexed(const std::vector<std::unique_ptr<T>>& list, CIdIndex& index,
                           int id) const
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!index.valid || index.size != list.size()) {
            Rebuild(list, index.table);
            index.size = list.size();
            index.valid = true;
        }
        const CIdTable::CEntry* e = index.table.Find(id);
        if (!e)
            return nullptr;
        const size_t pos = e->first;
        if (pos < list.size() && list[pos]->m_nId == id)
            return list[pos].get();
        index.valid = false; // an id changed behind our back
    }
    return nullptr;
}

template <class T>
int CCPManager::CountIndexed(const std::vector<std::unique_ptr<T>>& list, CIdIndex& index,
                             int id) const
{
    if (!FindIndexed(list, index, id))
        return 0;
    return int(index.table.Find(id)->count);
}

template <class T>
void CCPManager::AddIndexed(std::vector<std::unique_ptr<T>>& list, CIdIndex& index,
                            std::unique_ptr<T> r)
{
    if (index.valid && index.size == list.size()) {
        ++index.table.Add(r->m_nId, list.size()).count;
        index.size = list.size() + 1;
    } else {
        index.valid = false;
    }
    list.push_back(std::move(r));
}

void CCPManager::InvalidateIndex() const
{
    for (CIdIndex* i : {&m_idxButtonViews, &m_idxSounds, &m_idxButtons, &m_idxPanels,
                        &m_idxSurfaces, &m_idxObjects})
        i->valid = false;
}

void CCPManager::AddSound(std::unique_ptr<CCPSound> r)
{
    CCPObject& added = *r;
    AddIndexed(m_aSounds, m_idxSounds, std::move(r));
    if (m_pRecorder)
        m_pRecorder->Appended(added);
}
void CCPManager::AddButton(std::unique_ptr<CCPButton> r)
{
    CCPObject& added = *r;
    AddIndexed(m_aButtons, m_idxButtons, std::move(r));
    if (m_pRecorder)
        m_pRecorder->Appended(added);
}
void CCPManager::AddButtonView(std::unique_ptr<CCPButtonView> r)
{
    CCPObject& added = *r;
    AddIndexed(m_aButtonViews, m_idxButtonViews, std::move(r));
    if (m_pRecorder)
        m_pRecorder->Appended(added);
}
void CCPManager::AddPanel(std::unique_ptr<CCPPanel> r)
{
    CCPObject& added = *r;
    AddIndexed(m_aPanels, m_idxPanels, std::move(r));
    if (m_pRecorder)
        m_pRecorder->Appended(added);
}
void CCPManager::AddSurface(std::unique_ptr<CCPSurface> r)
{
    CCPObject& added = *r;
    AddIndexed(m_aSurfaces, m_idxSurfaces, std::move(r));
    if (m_pRecorder)
        m_pRecorder->Appended(added);
}
void CCPManager::AddBuffer(std::unique_ptr<CCPBuffer> r)
{
    CCPObject& added = *r;
    m_aBuffers.push_back(std::move(r));
    if (m_pRecorder)
        m_pRecorder->Appended(added);
}
void CCPManager::AddObject(std::unique_ptr<CCPObject> r)
{
    CCPObject& added = *r;
    AddIndexed(m_aObjects, m_idxObjects, std::move(r));
    if (m_pRecorder)
        m_pRecorder->Appended(added);
}

namespace {
template <class T> std::unique_ptr<T> Downcast(std::unique_ptr<CCPObject> r)
{
    return std::unique_ptr<T>(static_cast<T*>(r.release()));
}
} // namespace

void CCPManager::AddRecord(std::unique_ptr<CCPObject> r, RecordList list)
{
    switch (list) {
    case RecordList::Sounds:
        AddSound(Downcast<CCPSound>(std::move(r)));
        break;
    case RecordList::Buttons:
        AddButton(Downcast<CCPButton>(std::move(r)));
        break;
    case RecordList::ButtonViews:
        AddButtonView(Downcast<CCPButtonView>(std::move(r)));
        break;
    case RecordList::Panels:
        AddPanel(Downcast<CCPPanel>(std::move(r)));
        break;
    case RecordList::Surfaces:
        AddSurface(Downcast<CCPSurface>(std::move(r)));
        break;
    case RecordList::Buffers:
        AddBuffer(Downcast<CCPBuffer>(std::move(r)));
        break;
    case RecordList::None:
    case RecordList::Manager:
    case RecordList::Objects:
        AddObject(std::move(r));
        break;
    }
}

void CCPManager::AppendRecord(std::unique_ptr<CCPObject> record)
{
    // Put back by an undo or redo, which records nothing itself.
    IEditRecorder* recorder = m_pRecorder;
    m_pRecorder = nullptr;
    const RecordList list = record->GetRecordType().list;
    AddRecord(std::move(record), list);
    m_pRecorder = recorder;
}

bool CCPManager::HasPanel(const CCPPanel* panel) const
{
    return std::any_of(m_aPanels.begin(), m_aPanels.end(),
                       [panel](const auto& p) { return p.get() == panel; });
}

void CCPManager::WillChange(CCPObject& record) const
{
    if (m_pRecorder)
        m_pRecorder->WillChange(record);
}

std::unique_ptr<CCPObject> CCPManager::CopyFields() const
{
    auto copy = std::make_unique<CCPManager>();
    copy->AssignFields(*this);
    return copy;
}

void CCPManager::AssignFields(const CCPObject& from)
{
    const auto& other = static_cast<const CCPManager&>(from);
    // The template picture follows its name in UpdatePictures, which the document runs after
    // every edit, undo and redo.
    m_strComment = other.m_strComment;
    m_nId = other.m_nId;
    CManagerSettings::operator=(other);
}

void CCPManager::AddLeftover(std::string text)
{
    m_astrLeftovers.push_back(std::move(text));
}

CCPPanel* CCPManager::FindPanel(int id) const
{
    return FindIndexed(m_aPanels, m_idxPanels, id);
}
CCPSurface* CCPManager::FindSurface(int id) const
{
    return FindIndexed(m_aSurfaces, m_idxSurfaces, id);
}
CCPButtonView* CCPManager::FindButtonView(int id) const
{
    return FindIndexed(m_aButtonViews, m_idxButtonViews, id);
}
CCPObject* CCPManager::FindObject(int id) const
{
    return FindIndexed(m_aObjects, m_idxObjects, id);
}
CCPButton* CCPManager::FindButton(int id) const
{
    return FindIndexed(m_aButtons, m_idxButtons, id);
}
CCPSound* CCPManager::FindSound(int id) const
{
    return FindIndexed(m_aSounds, m_idxSounds, id);
}
CCPPanel* CCPManager::GetPanel(int index) const
{
    return At(m_aPanels, index);
}
CCPButton* CCPManager::GetButton(int index) const
{
    return At(m_aButtons, index);
}
CCPSound* CCPManager::GetSound(int index) const
{
    return At(m_aSounds, index);
}

int CCPManager::CountButtonsWithId(int id) const
{
    return CountIndexed(m_aButtons, m_idxButtons, id);
}
int CCPManager::CountButtonViewsWithId(int id) const
{
    return CountIndexed(m_aButtonViews, m_idxButtonViews, id);
}
int CCPManager::CountPanelsWithId(int id) const
{
    return CountIndexed(m_aPanels, m_idxPanels, id);
}
int CCPManager::CountObjectsWithId(int id) const
{
    return CountIndexed(m_aObjects, m_idxObjects, id);
}

int CCPManager::NextPanelId() const
{
    int id = 100;
    while (FindPanel(id))
        id += 100;
    return id;
}

int CCPManager::NextSoundId() const
{
    return NextFreeId(m_aSounds, 1);
}

int CCPManager::NextButtonId() const
{
    return NextFreeId(m_aButtons, 1001);
}

void CCPManager::SetScreenSize(int width, int height)
{
    m_nScreenWidth = width;
    m_nScreenHeight = height;
}

void CCPManager::RemoveAll()
{
    m_aButtonViews.clear();
    m_aSounds.clear();
    m_aButtons.clear();
    // Surfaces point at buffers: drop them first.
    m_aPanels.clear();
    m_aSurfaces.clear();
    m_aBuffers.clear();
    m_aObjects.clear();
    m_astrLeftovers.clear();
    InvalidateIndex();
    ResetSettings();
}

void CCPManager::ResetSettings()
{
    m_nMouseBorder = m_nDedFont = m_nHudFont = m_nMfdFont = m_nPopupFont = 0;
    m_nSaBoxFont = m_nKneeFont = m_nGeneralFont = m_nLabelFont = 0;
    m_nTemplateWidth = m_nTemplateHeight = 0;
    m_bDoGeometry = false;
    m_rcHud = m_rcRwr = m_rcMfdLeft = m_rcMfdRight = CRect();
    m_nCockpit2d = {1196, 1197};
}

void CCPManager::CollectUsedSurfaces()
{
    m_usedSurfaces.clear();
    for (const auto& p : m_aPanels)
        for (const auto& ref : p->m_aSurfaces)
            m_usedSurfaces.insert(ref->m_nSurfaceId);
}

bool CCPManager::IsOrphanSurface(const CCPSurface& surface) const
{
    return !m_usedSurfaces.count(surface.m_nId);
}

void CCPManager::CountButtonViews()
{
    std::unordered_map<int, int> views;
    views.reserve(m_aButtons.size());
    for (const auto& v : m_aButtonViews)
        ++views[v->m_nParentButton];
    for (const auto& b : m_aButtons) {
        const auto it = views.find(b->m_nId);
        b->m_nNumViews = it == views.end() ? 0 : it->second;
    }
}

void CCPManager::LoadManager(CLineReader& ar, const std::string& comment)
{
    m_strComment = comment;
    ResetSettings();
    ReadKeys(ar, "Manager Bad string", [&](std::string_view key, CTokenCursor& cur) {
        std::string_view tok;
        if (EqualsNoCase(key, "numsurfaces") || EqualsNoCase(key, "numpanels") ||
            EqualsNoCase(key, "numcursors") || EqualsNoCase(key, "numobjects") ||
            EqualsNoCase(key, "numbuttons") || EqualsNoCase(key, "numbuttonviews") ||
            EqualsNoCase(key, "numsounds")) {
            // The counts come from the lists.
        } else if (int* font = EqualsNoCase(key, "mouseborder")   ? &m_nMouseBorder
                               : EqualsNoCase(key, "hudfont")     ? &m_nHudFont
                               : EqualsNoCase(key, "mfdfont")     ? &m_nMfdFont
                               : EqualsNoCase(key, "dedfont")     ? &m_nDedFont
                               : EqualsNoCase(key, "popupfont")   ? &m_nPopupFont
                               : EqualsNoCase(key, "kneefont")    ? &m_nKneeFont
                               : EqualsNoCase(key, "generalfont") ? &m_nGeneralFont
                               : EqualsNoCase(key, "saboxfont")   ? &m_nSaBoxFont
                               : EqualsNoCase(key, "labelfont")   ? &m_nLabelFont
                                                                  : nullptr) {
            ReadInt(cur, *font);
        } else if (CRect* rc = EqualsNoCase(key, "mfdleft")    ? &m_rcMfdLeft
                               : EqualsNoCase(key, "mfdright") ? &m_rcMfdRight
                               : EqualsNoCase(key, "hud")      ? &m_rcHud
                               : EqualsNoCase(key, "rwr")      ? &m_rcRwr
                                                               : nullptr) {
            ReadRect(cur, *rc);
        } else if (EqualsNoCase(key, "templatefile")) {
            ReadInt(cur, m_nTemplateWidth);
            ReadInt(cur, m_nTemplateHeight);
            if (cur.Next(tok))
                TakeText(ar, tok, m_strTemplateFile);
        } else if (EqualsNoCase(key, "dogeometry")) {
            m_bDoGeometry = true;
        } else if (EqualsNoCase(key, "cockpit2d")) {
            m_bDoGeometry = true;
            CScanner s(cur.Rest());
            s.Int(m_nCockpit2d[0]) && s.Int(m_nCockpit2d[1]);
        } else {
            return false;
        }
        return true;
    });
    // A file may hold the MANAGER record many times: its template is decoded once per load,
    // and a failure is told again for each record, as a decode would tell it.
    CTemplateDecode& d = m_templateDecoded;
    const std::string path =
        NamesNoFile(m_strTemplateFile) ? NameKey(m_strTemplateFile) : FullPath(m_strTemplateFile);
    if (!(d.tried && d.path == path && d.width == m_nTemplateWidth &&
          d.height == m_nTemplateHeight)) {
        d = {true, DecodeTemplate(), path, m_nTemplateWidth, m_nTemplateHeight};
    }
    m_templateLoaded = TemplateKey();
    if (!d.failure.empty())
        MessageBox(d.failure);
}

std::string CCPManager::BudgetText(const std::string& path) const
{
    return path +
           "\nThis picture is not loaded: with it the pictures of the cockpit would take more "
           "than " +
           ByteSizeText(m_nPictureBudget) + " of memory.";
}

bool CCPManager::FitsBudget(const std::string& path, uint64_t width, uint64_t height,
                            uint64_t inUse) const
{
    const uint64_t need = BitmapBytes(width, height);
    if (inUse <= m_nPictureBudget && need <= m_nPictureBudget - inUse)
        return true;
    MessageBox(BudgetText(path));
    return false;
}

uint64_t CCPManager::PictureBytesInUse() const
{
    uint64_t bytes =
        m_bmpTemplate.IsNull() ? 0 : BitmapBytes(m_bmpTemplate.Width(), m_bmpTemplate.Height());
    for (auto it = m_mapPictures.begin(); it != m_mapPictures.end();) {
        if (auto p = it->second.lock()) {
            bytes += BitmapBytes(p->Width(), p->Height());
            ++it;
        } else {
            it = m_mapPictures.erase(it);
        }
    }
    return bytes;
}

std::shared_ptr<const CBitmap> CCPManager::LoadPicture(const std::string& path)
{
    if (auto it = m_mapPictures.find(path); it != m_mapPictures.end())
        if (auto shared = it->second.lock())
            return shared;
    if (!m_pImageLoader || NamesNoFile(path)) {
        MessageBox(ImageErrorText(path));
        return nullptr;
    }
    try {
        const uint64_t inUse = PictureBytesInUse();
        int w = 0, h = 0;
        if (m_pImageLoader->PeekSize(path, w, h) && w > 0 && h > 0 &&
            !FitsBudget(path, w, h, inUse))
            return nullptr;
        CBitmap picture;
        if (!m_pImageLoader->Load(path, picture) || picture.IsNull()) {
            MessageBox(ImageErrorText(path));
            return nullptr;
        }
        if (!FitsBudget(path, picture.Width(), picture.Height(), inUse))
            return nullptr;
        auto shared = std::make_shared<const CBitmap>(std::move(picture));
        m_mapPictures[path] = shared;
        return shared;
    } catch (const std::bad_alloc&) {
        MessageBox(NoMemoryText(path));
        return nullptr;
    }
}

std::string CCPManager::DecodeTemplate()
{
    m_templateLoaded = TemplateKey();
    if (NamesNoFile(m_strTemplateFile))
        return ImageErrorText(m_strTemplateFile);
    const std::string path = FullPath(m_strTemplateFile);
    const long long area = (long long)m_nTemplateWidth * (long long)m_nTemplateHeight;
    const bool sizeOk = m_nTemplateWidth > 0 && m_nTemplateHeight > 0 &&
                        m_nTemplateWidth <= kMaxTemplateSide &&
                        m_nTemplateHeight <= kMaxTemplateSide && area <= kMaxTemplateArea;
    if (!sizeOk || !m_pImageLoader)
        return ImageErrorText(path);
    try {
        // The new template takes the old one's place: only the other pictures stay beside it,
        // and the picture read stays beside the cut of it until the cut is made.
        const uint64_t old =
            m_bmpTemplate.IsNull() ? 0 : BitmapBytes(m_bmpTemplate.Width(), m_bmpTemplate.Height());
        const uint64_t room =
            m_nPictureBudget - std::min(PictureBytesInUse() - old, m_nPictureBudget);
        const uint64_t kept = BitmapBytes(m_nTemplateWidth, m_nTemplateHeight);
        int w = 0, h = 0;
        if (kept > room || (m_pImageLoader->PeekSize(path, w, h) && w > 0 && h > 0 &&
                            BitmapBytes(w, h) > room - kept))
            return BudgetText(path);
        CBitmap picture;
        if (!m_pImageLoader->Load(path, picture) || picture.IsNull())
            return ImageErrorText(path);
        m_bmpTemplate = CBitmap::CropOrPad(picture, m_nTemplateWidth, m_nTemplateHeight);
    } catch (const std::bad_alloc&) {
        return NoMemoryText(path);
    }
    return std::string();
}

bool CCPManager::LoadTemplate()
{
    const std::string failure = DecodeTemplate();
    if (!failure.empty())
        MessageBox(failure);
    return failure.empty();
}

void CCPManager::RefreshImages()
{
    LoadTemplate();
    for (const auto& p : m_aPanels)
        p->ReloadSurfaces();
}

bool CCPManager::UpdatePictures()
{
    bool changed = false;
    if (!(m_templateLoaded == TemplateKey())) {
        if (m_strTemplateFile.empty()) {
            // Nothing to read; a picture read for the name just taken away goes with it.
            changed = !m_templateLoaded.file.empty();
            if (changed)
                m_bmpTemplate = CBitmap();
            m_templateLoaded = TemplateKey();
        } else {
            LoadTemplate();
            changed = true;
        }
    }
    for (const auto& b : m_aBuffers)
        if (!b->PathIsCurrent()) {
            b->SetFile(b->m_strFile);
            changed = true;
        }
    return changed;
}

CCPBuffer* CCPManager::BufferOf(const std::string& file, const CCPBuffer* like)
{
    for (const auto& b : m_aBuffers)
        if (EqualsNoCase(b->m_strFile, file))
            return b.get();
    auto buffer = std::make_unique<CCPBuffer>(this);
    buffer->SetFile(file);
    // Read now: the size is the picture's, and a picture that cannot be read is told once.
    if (const CBitmap* picture = buffer->GetPicture()) {
        buffer->m_nWidth = picture->Width();
        buffer->m_nHeight = picture->Height();
    } else if (like) {
        buffer->m_nWidth = like->m_nWidth;
        buffer->m_nHeight = like->m_nHeight;
    }
    CCPBuffer* added = buffer.get();
    AddBuffer(std::move(buffer));
    return added;
}

std::vector<const CCPBuffer*> CCPManager::BuffersInUse() const
{
    std::unordered_set<int> shown;
    for (const auto& p : m_aPanels)
        for (const auto& ref : p->m_aSurfaces)
            shown.insert(ref->m_nSurfaceId);
    std::unordered_set<const CCPBuffer*> used;
    for (const auto& s : m_aSurfaces)
        if (s->m_pBuffer && shown.count(s->m_nId))
            used.insert(s->m_pBuffer);
    std::vector<const CCPBuffer*> buffers;
    for (const auto& b : m_aBuffers)
        if (used.count(b.get()))
            buffers.push_back(b.get());
    return buffers;
}

void CCPManager::BlitOpaque(int left, int top, int right, int bottom, const CRect& src, Canvas& dc,
                            float scale) const
{
    if (m_bmpTemplate.IsNull())
        return;
    dc.StretchBlt(m_bmpTemplate, src, ScaledRect(CRect(left, top, right, bottom), scale), false);
}

void CCPManager::BlitTransparent(int left, int top, int right, int bottom, const CRect& src,
                                 Canvas& dc, float scale) const
{
    if (m_bmpTemplate.IsNull())
        return;
    dc.StretchBlt(m_bmpTemplate, src, ScaledRect(CRect(left, top, right, bottom), scale), true);
}

void CCPManager::Serialize(CLineWriter& ar)
{
    SerializePosition pos;
    SerializeSome(ar, pos, SIZE_MAX);
}

bool CCPManager::SerializeSome(CLineWriter& ar, SerializePosition& pos, size_t records)
{
    size_t written = 0;
    // Writes the records of list from pos.index on while the slice has room; true when the
    // list is done.
    auto some = [&](const auto& list, const auto& write) {
        while (pos.index < list.size()) {
            if (written == records)
                return false;
            write(*list[pos.index++]);
            ++written;
        }
        pos.index = 0;
        ++pos.stage;
        return true;
    };
    auto serialize = [&ar](CCPObject& r) { r.Serialize(ar); };
    if (pos.stage == 0) {
        if (records == 0)
            return false;
        ++written;
        ++pos.stage;
        // Records take a few hundred bytes each; room taken ahead is only touched as it fills.
        const size_t total = m_aSounds.size() + m_aButtons.size() + m_aObjects.size() +
                             m_aButtonViews.size() + m_aPanels.size() + m_aSurfaces.size();
        size_t kept = 0;
        for (const auto& l : m_astrLeftovers)
            kept += l.size();
        ar.Reserve(total * 256 + kept + 4096);
        CCPObject::Serialize(ar);
        CollectUsedSurfaces();
        CountButtonViews();
        ar.Write("#0 MANAGER\n");
        const auto usedSurfaces =
            std::count_if(m_aSurfaces.begin(), m_aSurfaces.end(),
                          [this](const auto& s) { return !IsOrphanSurface(*s); });
        WriteInt(ar, "numsurfaces", int(usedSurfaces));
        WriteInt(ar, "numpanels", int(m_aPanels.size()));
        WriteInt(ar, "numcursors", 0);
        WriteInt(ar, "numobjects", int(m_aObjects.size()));
        WriteInt(ar, "numbuttons", int(m_aButtons.size()));
        WriteInt(ar, "numbuttonviews", int(m_aButtonViews.size()));
        WriteInt(ar, "numsounds", int(m_aSounds.size()));
        WriteInt(ar, "mouseborder", m_nMouseBorder);
        WriteInt(ar, "hudfont", m_nHudFont);
        WriteInt(ar, "dedfont", m_nDedFont);
        WriteInt(ar, "mfdfont", m_nMfdFont);
        WriteInt(ar, "popupfont", m_nPopupFont);
        WriteInt(ar, "saboxfont", m_nSaBoxFont);
        WriteInt(ar, "kneefont", m_nKneeFont);
        WriteInt(ar, "generalfont", m_nGeneralFont);
        WriteInt(ar, "labelfont", m_nLabelFont);
        WriteRect(ar, "mfdleft", m_rcMfdLeft);
        WriteRect(ar, "mfdright", m_rcMfdRight);
        WriteRect(ar, "hud", m_rcHud);
        WriteRect(ar, "rwr", m_rcRwr);
        ar.Printf("%stemplatefile %d %d ", kIndent, m_nTemplateWidth, m_nTemplateHeight);
        ar.Write(m_strTemplateFile);
        ar.Write(";\n");
        if (m_bDoGeometry) {
            ar.Printf("%sdogeometry;\n", kIndent);
            ar.Printf("%scockpit2d %d %d ;\n", kIndent, m_nCockpit2d[0], m_nCockpit2d[1]);
        }
        WriteEnd(ar);
    }
    if (pos.stage == 1 && !some(m_aSounds, serialize))
        return false;
    if (pos.stage == 2 && !some(m_aButtons, serialize))
        return false;
    if (pos.stage == 3 && !some(m_aObjects, serialize))
        return false;
    if (pos.stage == 4 && !some(m_aButtonViews, serialize))
        return false;
    if (pos.stage == 5 && !some(m_aPanels, serialize))
        return false;
    if (pos.stage == 6 && !some(m_aSurfaces, [&](CCPSurface& r) {
            if (!IsOrphanSurface(r))
                r.WriteSurface(ar, pos.lastBuffer);
        }))
        return false;
    if (pos.stage == 7) {
        ar.Write("// END OF THINGS WE KNOW ABOUT\n");
        for (const auto& l : m_astrLeftovers)
            ar.Write(l);
        ++pos.stage;
    }
    return true;
}

bool CCPManager::Check(CCheckMessageArray& messages, bool full)
{
    InvalidateIndex(); // counts of ids must be exact here
    bool ok = true;
    if (m_strTemplateFile.empty()) {
        AddMessage(messages, CheckKind::NoTemplateFile, "Manager, No template file");
        ok = false;
    }
    if (m_nTemplateWidth < 1 || m_nTemplateHeight < 1) {
        AddMessage(messages, CheckKind::TemplateSizeZero, "Manager, Template size is 0");
        ok = false;
    }
    ok &= CheckReachable(messages);
    CollectUsedSurfaces();
    CountButtonViews();
    for (const auto& r : m_aButtonViews)
        ok &= r->Check(messages, full);
    for (const auto& r : m_aSounds)
        ok &= r->Check(messages, full);
    bool have1013 = false, have1011 = false;
    for (const auto& r : m_aButtons) {
        ok &= r->Check(messages, full);
        have1013 |= r->m_nId == kIcpPrimaryButton;
        have1011 |= r->m_nId == kIcpTertiaryButton;
    }
    if (full) {
        if (!have1013) {
            AddMessage(messages, CheckKind::NoIcpPrimaryButton,
                       StrFormat("Manager, no button defined with ID %d (ICP Initial Primary)",
                                 kIcpPrimaryButton));
            ok = false;
        }
        if (!have1011) {
            AddMessage(messages, CheckKind::NoIcpTertiaryButton,
                       StrFormat("Manager, no button defined with ID %d (ICP Initial Tertiary)",
                                 kIcpTertiaryButton));
            ok = false;
        }
    }
    for (const auto& r : m_aPanels)
        ok &= r->Check(messages, full);
    for (const auto& r : m_aSurfaces)
        if (!IsOrphanSurface(*r))
            ok &= r->Check(messages, full);
    for (const auto& r : m_aBuffers)
        ok &= r->Check(messages, full);
    for (const auto& r : m_aObjects)
        ok &= r->Check(messages, full);
    return ok;
}

bool CCPManager::CheckReachable(CCheckMessageArray& messages)
{
    for (const auto& p : m_aPanels)
        p->m_bVisited = false;
    if (m_aPanels.empty())
        return true;
    bool ok = VisitPanel(m_aPanels.front().get(), messages);
    for (const auto& p : m_aPanels)
        if (!p->m_bVisited) {
            p->AddMessage(messages, CheckKind::PanelNotReachable,
                          StrFormat("Panel %d is not reachable", p->m_nId));
            ok = false;
        }
    return ok;
}

bool CCPManager::VisitPanel(CCPPanel* start, CCheckMessageArray& messages)
{
    // Depth first in neighbour order, with an explicit stack so a long chain of panels
    // cannot exhaust the call stack.
    struct Frame
    {
        CCPPanel* panel;
        size_t next;
    };
    bool ok = true;
    std::vector<Frame> stack;
    start->m_bVisited = true;
    stack.push_back({start, 0});
    while (!stack.empty()) {
        Frame& f = stack.back();
        if (f.next >= f.panel->m_anAdjPanels.size()) {
            stack.pop_back();
            continue;
        }
        const int adj = f.panel->m_anAdjPanels[f.next++];
        if (adj == -1)
            continue;
        CCPPanel* p = FindPanel(adj);
        if (!p) {
            f.panel->AddMessage(
                messages, CheckKind::PanelLinkLeadsNowhere,
                StrFormat("Panel %d, there is no adjacent panel %d defined", f.panel->m_nId, adj));
            ok = false;
        } else if (!p->m_bVisited) {
            p->m_bVisited = true;
            stack.push_back({p, 0});
        }
    }
    return ok;
}

std::unique_ptr<CCPObject> CCPManager::Release(CCPObject* record)
{
    InvalidateIndex();
    if (auto r = TakeFrom(m_aButtonViews, record))
        return r;
    if (auto r = TakeFrom(m_aSounds, record))
        return r;
    if (auto r = TakeFrom(m_aButtons, record))
        return r;
    if (auto r = TakeFrom(m_aPanels, record))
        return r;
    if (auto r = TakeFrom(m_aSurfaces, record))
        return r;
    if (auto r = TakeFrom(m_aBuffers, record))
        return r;
    return TakeFrom(m_aObjects, record);
}
