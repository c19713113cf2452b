#include "crecoveryjournal.h"

#include "ccockpitreader.h"
#include "ccpbuffer.h"
#include "ccpbutton.h"
#include "ccpbuttonview.h"
#include "ccppanel.h"
#include "ccpsound.h"
#include "ccpsurface.h"
#include "ccpsurfaceref.h"
#include "clinereader.h"
#include "clinewriter.h"
#include "cvireodoc.h"
#include "filepaths.h"
#include "recordtypes.h"
#include "strformat.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {
const char* const kMagic = "VIREO-JOURNAL 1\n";
const char* const kSuffix = ".vjournal";

uint64_t Fnv(std::string_view bytes)
{
    uint64_t h = 1469598103934665603ull;
    for (unsigned char c : bytes)
        h = (h ^ c) * 1099511628211ull;
    return h;
}

long long Now()
{
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

bool StatFile(const std::string& path, unsigned long long& size, long long& time)
{
    std::error_code ec;
    const fs::path file = SystemPath(path);
    size = fs::file_size(file, ec);
    if (ec)
        return false;
    time = static_cast<long long>(fs::last_write_time(file, ec).time_since_epoch().count());
    return !ec;
}

// --- payload items: "tag n1 n2 ... length\n" then the bytes and "\n" ---

void Item(std::string& out, const char* tag, std::initializer_list<long long> args,
          std::string_view bytes = {})
{
    out += tag;
    for (long long a : args)
        out += ' ' + std::to_string(a);
    out += ' ' + std::to_string(bytes.size()) + '\n';
    out.append(bytes);
    out += '\n';
}

struct CItem
{
    std::string tag;
    std::vector<long long> args;
    std::string_view bytes;
};

bool NextItem(std::string_view& in, CItem& item)
{
    const size_t eol = in.find('\n');
    if (eol == std::string_view::npos)
        return false;
    std::istringstream head{std::string(in.substr(0, eol))};
    item = CItem();
    head >> item.tag;
    long long v = 0;
    while (head >> v)
        item.args.push_back(v);
    if (item.tag.empty() || item.args.empty() || item.args.back() < 0)
        return false;
    const auto len = static_cast<size_t>(item.args.back());
    item.args.pop_back();
    in.remove_prefix(eol + 1);
    if (in.size() < len + 1 || in[len] != '\n')
        return false;
    item.bytes = in.substr(0, len);
    in.remove_prefix(len + 1);
    return true;
}

// --- records in their text form ---

// Identities of records, found again by list and position.
enum IdKind : long long
{
    kIdManager,
    kIdObject,
    kIdSound,
    kIdButton,
    kIdButtonView,
    kIdPanel,
    kIdSurface, // a: id, b: position among the used surfaces with that id (orphan: -1 - among all)
    kIdBuffer,  // a: position among the buffers with the same file name; name in the text
    kIdEntry    // a: panel, b: position in its surface entries
};

template <class T>
long long IndexIn(const std::vector<std::unique_ptr<T>>& list, const CCPObject* r)
{
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].get() == r)
            return static_cast<long long>(i);
    return -1;
}

std::string RecordText(CCPObject& record)
{
    CLineWriter ar;
    record.Serialize(ar);
    std::string text = ar.Take();
    // Written as "\n", the comment, then the header; the comment travels on its own.
    return text.substr(std::min(text.size(), 1 + record.m_strComment.size()));
}

std::string EntryText(const CCPSurfaceRef& e)
{
    return StrFormat("%d %d %d %d %d %d %d %d\n", e.m_nId, e.m_nSurfaceId, e.m_nPersistent,
                     e.m_bTransparent, e.m_rcDest.left, e.m_rcDest.top, e.m_rcDest.right,
                     e.m_rcDest.bottom);
}

bool ReadEntry(std::string_view text, CCPSurfaceRef& e)
{
    std::istringstream in{std::string(text)};
    CRect& r = e.m_rcDest;
    return bool(in >> e.m_nId >> e.m_nSurfaceId >> e.m_nPersistent >> e.m_bTransparent >> r.left >>
                r.top >> r.right >> r.bottom);
}

std::string ManagerText(const CCPManager& m)
{
    std::string s = StrFormat(
        "%d %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d", m.m_nId, m.m_nCockpit2d[0],
        m.m_nCockpit2d[1], m.m_nScreenWidth, m.m_nScreenHeight, m.m_nMouseBorder, m.m_nDedFont,
        m.m_nHudFont, m.m_nMfdFont, m.m_nPopupFont, m.m_nSaBoxFont, m.m_nKneeFont, m.m_nGeneralFont,
        m.m_nLabelFont, m.m_nTemplateWidth, m.m_nTemplateHeight);
    for (const CRect* r : {&m.m_rcHud, &m.m_rcRwr, &m.m_rcMfdLeft, &m.m_rcMfdRight})
        s += StrFormat(" %d %d %d %d", r->left, r->top, r->right, r->bottom);
    s += StrFormat(" %d\n", m.m_bDoGeometry);
    return s + m.m_strTemplateFile;
}

bool ReadManager(std::string_view text, CCPManager& m)
{
    const size_t eol = text.find('\n');
    if (eol == std::string_view::npos)
        return false;
    std::istringstream in{std::string(text.substr(0, eol))};
    in >> m.m_nId >> m.m_nCockpit2d[0] >> m.m_nCockpit2d[1] >> m.m_nScreenWidth >>
        m.m_nScreenHeight >> m.m_nMouseBorder >> m.m_nDedFont >> m.m_nHudFont >> m.m_nMfdFont >>
        m.m_nPopupFont >> m.m_nSaBoxFont >> m.m_nKneeFont >> m.m_nGeneralFont >> m.m_nLabelFont >>
        m.m_nTemplateWidth >> m.m_nTemplateHeight;
    for (CRect* r : {&m.m_rcHud, &m.m_rcRwr, &m.m_rcMfdLeft, &m.m_rcMfdRight})
        in >> r->left >> r->top >> r->right >> r->bottom;
    in >> m.m_bDoGeometry;
    m.m_strTemplateFile = std::string(text.substr(eol + 1));
    return bool(in);
}

CCPBuffer* BufferNamed(CCPManager& m, const std::string& file, long long nth)
{
    for (const auto& b : m.m_aBuffers)
        if (EqualsNoCase(b->m_strFile, file) && nth-- == 0)
            return b.get();
    return nullptr;
}

// A record rebuilt from its text; a surface takes the latest buffer of its file name.
std::unique_ptr<CCPObject> BuildRecord(std::string_view text, const std::string& comment,
                                       CCPManager& m)
{
    int lines = 0;
    CLineReader ar = CLineReader::Over(text, &lines, nullptr);
    std::string_view header, kw;
    int id = 0;
    if (!ar.ReadLine(header) || !CCockpitReader::ScanHeader(header, id, kw))
        return nullptr;
    std::unique_ptr<CCPObject> record = ReadRecord(kw, id, ar, comment, &m);
    if (record && record->IsSurface()) {
        auto& surface = static_cast<CCPSurface&>(*record);
        for (auto it = m.m_aBuffers.rbegin(); it != m.m_aBuffers.rend(); ++it)
            if (EqualsNoCase((*it)->m_strFile, surface.m_strFile)) {
                surface.m_pBuffer = it->get();
                break;
            }
    }
    return record;
}

void RecordItem(std::string& out, const char* tag, std::initializer_list<long long> args,
                const std::string& comment, const std::string& body)
{
    std::vector<long long> all(args);
    all.push_back(static_cast<long long>(comment.size()));
    std::string bytes = comment + body;
    out += tag;
    for (long long a : all)
        out += ' ' + std::to_string(a);
    out += ' ' + std::to_string(bytes.size()) + '\n';
    out += bytes;
    out += '\n';
}

// The item that sets a changed record to what it is now.
void ChangeItem(std::string& out, CCPManager& m, const CEditStep::Change& c)
{
    CCPObject& r = *c.record;
    if (&r == &m) {
        RecordItem(out, "set", {kIdManager, 0, 0}, r.m_strComment, ManagerText(m));
        return;
    }
    if (r.IsSurfaceRef()) {
        for (size_t p = 0; p < m.m_aPanels.size(); ++p) {
            const auto& list = m.m_aPanels[p]->m_aSurfaces;
            for (size_t i = 0; i < list.size(); ++i)
                if (list[i].get() == &r)
                    RecordItem(out, "set", {kIdEntry, (long long)p, (long long)i}, r.m_strComment,
                               EntryText(*list[i]));
        }
        return;
    }
    if (r.IsSurface()) {
        // Found by the id it had before the step, among the surfaces a save writes.
        const int id = c.before->m_nId;
        const bool orphan = m.IsOrphanSurface(static_cast<CCPSurface&>(r));
        long long nth = 0;
        for (const auto& s : m.m_aSurfaces) {
            if (s.get() == &r)
                break;
            if (s->m_nId == id && (orphan || !m.IsOrphanSurface(*s)))
                ++nth;
        }
        RecordItem(out, "set", {kIdSurface, id, orphan ? -1 - nth : nth}, r.m_strComment,
                   RecordText(r));
        return;
    }
    if (auto* buffer = dynamic_cast<CCPBuffer*>(&r)) {
        const std::string& file = static_cast<const CCPBuffer&>(*c.before).m_strFile;
        long long nth = 0;
        for (const auto& b : m.m_aBuffers) {
            if (b.get() == buffer)
                break;
            if (EqualsNoCase(b->m_strFile, file))
                ++nth;
        }
        RecordItem(out, "set", {kIdBuffer, nth, 0}, r.m_strComment, file + '\n' + RecordText(r));
        return;
    }
    long long kind = kIdObject, index = IndexIn(m.m_aObjects, &r);
    if (index < 0)
        kind = kIdSound, index = IndexIn(m.m_aSounds, &r);
    if (index < 0)
        kind = kIdButton, index = IndexIn(m.m_aButtons, &r);
    if (index < 0)
        kind = kIdButtonView, index = IndexIn(m.m_aButtonViews, &r);
    if (index < 0)
        kind = kIdPanel, index = IndexIn(m.m_aPanels, &r);
    if (index >= 0)
        RecordItem(out, "set", {kind, index, 0}, r.m_strComment, RecordText(r));
}

std::string StepPayload(CCPManager& m, const CEditStep& step)
{
    std::string out;
    Item(out, "name", {}, step.m_strName);
    for (const CEditStep::Move& mv : step.Moves()) {
        if (mv.kind == CEditStep::MoveKind::Appended) {
            RecordItem(out, "add", {}, mv.record->m_strComment, RecordText(*mv.record));
            continue;
        }
        const long long panel = IndexIn(m.m_aPanels, mv.panel);
        if (mv.kind == CEditStep::MoveKind::SurfaceInserted)
            RecordItem(out, "ins", {panel, (long long)mv.index}, mv.record->m_strComment,
                       EntryText(static_cast<const CCPSurfaceRef&>(*mv.record)));
        else
            Item(out, "del", {panel, (long long)mv.index});
    }
    for (const CEditStep::Change& c : step.Changes())
        ChangeItem(out, m, c);
    return out;
}
} // namespace

// --- writing ---

CRecoveryJournal::CRecoveryJournal(CVireoDoc& doc, std::string folder)
    : m_doc(doc), m_strFolder(std::move(folder))
{
}

CRecoveryJournal::~CRecoveryJournal()
{
    // The file stays: it is removed only when the edits are saved or given up.
    JoinCopy();
    if (m_file.IsOpen())
        Sync();
}

std::string CRecoveryJournal::JournalFileFor(const std::string& folder, const std::string& path)
{
    return folder + "/" + StrFormat("%016llx", (unsigned long long)Fnv(path)) + kSuffix;
}

std::string CRecoveryJournal::BaseFileOf(const std::string& journalFile)
{
    return journalFile + ".base";
}

std::vector<std::string> CRecoveryJournal::FindJournals(const std::string& folder)
{
    std::vector<std::string> out;
    std::error_code ec;
    for (fs::directory_iterator it(SystemPath(folder), ec), end; !ec && it != end; it.increment(ec))
        if (it->path().extension() == kSuffix)
            out.push_back(PathText(it->path()));
    std::sort(out.begin(), out.end());
    return out;
}

void CRecoveryJournal::Remove(const std::string& journalFile)
{
    CAppendFile::Remove(journalFile);
    CAppendFile::Remove(BaseFileOf(journalFile));
}

void CRecoveryJournal::JoinCopy()
{
    if (m_copier.joinable())
        m_copier.join();
}

void CRecoveryJournal::Close()
{
    JoinCopy();
    m_file.Close();
    if (!m_strFile.empty())
        Remove(m_strFile);
    m_strFile.clear();
    m_bUnsynced = false;
    m_bSnapshotDue = false;
    m_aReplay.clear();
    m_nReplayDone = 0;
}

void CRecoveryJournal::Discard()
{
    Close();
    m_strPath.clear();
}

void CRecoveryJournal::Rebase()
{
    if (!m_strPath.empty())
        WriteSnapshot();
}

void CRecoveryJournal::Baseline(const std::string& path)
{
    Close();
    m_strPath = path;
    m_nSize = 0;
    m_nTime = 0;
    if (!path.empty() && !StatFile(path, m_nSize, m_nTime))
        m_strPath.clear();
}

void CRecoveryJournal::Opened(const std::string& path, const std::string&)
{
    Baseline(path);
}

void CRecoveryJournal::Saved(const std::string& path, const std::string&)
{
    Baseline(path);
}

bool CRecoveryJournal::Start()
{
    if (m_file.IsOpen())
        return true;
    if (m_strPath.empty() || m_strFolder.empty())
        return false;
    std::error_code ec;
    fs::create_directories(SystemPath(m_strFolder), ec);
    m_strFile = JournalFileFor(m_strFolder, m_strPath);
    if (!m_file.Create(m_strFile)) {
        m_strFile.clear();
        return false;
    }
    std::string header = kMagic;
    header += StrFormat("base file %llu %lld %zu\n", m_nSize, m_nTime, m_strPath.size());
    header += m_strPath + '\n';
    m_file.Write(header);
    m_bUnsynced = true;
    // The bytes the edits apply to, kept in case the file changes before they are saved. Read
    // on a worker: the cockpit may be large. A file that changed since it was opened is not
    // the base and is not kept.
    m_copier = std::thread(
        [path = m_strPath, base = BaseFileOf(m_strFile), size = m_nSize, time = m_nTime] {
            std::string data;
            unsigned long long s = 0;
            long long t = 0;
            if (!ReadWholeFile(path, data) || !StatFile(path, s, t) || s != size || t != time ||
                data.size() != size)
                return;
            CAppendFile::WriteSynced(base, data);
        });
    return true;
}

void CRecoveryJournal::Append(char kind, const std::string& payload)
{
    if (!Start())
        return;
    std::string entry = StrFormat("%c %zu %016llx %lld\n", kind, payload.size(),
                                  (unsigned long long)Fnv(payload), Now());
    entry += payload;
    entry += '\n';
    // One write, straight to the system: a killed editor loses nothing written here.
    m_file.Write(entry);
    m_bUnsynced = true;
}

void CRecoveryJournal::Sync()
{
    if (m_file.IsOpen() && m_bUnsynced)
        m_file.Sync();
    m_bUnsynced = false;
}

void CRecoveryJournal::Pushed(const CEditStep& step, bool amended)
{
    if (m_strPath.empty() || m_bSnapshotDue)
        return;
    if (amended && m_nReplayDone > 0 && m_aReplay[m_nReplayDone - 1] == step.m_nSerial) {
        Append('N', StepPayload(m_doc.m_manager, step));
        return;
    }
    m_aReplay.resize(m_nReplayDone);
    m_aReplay.push_back(step.m_nSerial);
    ++m_nReplayDone;
    Append('P', StepPayload(m_doc.m_manager, step));
}

void CRecoveryJournal::Dropped()
{
    if (m_strPath.empty() || m_bSnapshotDue || m_nReplayDone == 0)
        return;
    m_aReplay.resize(--m_nReplayDone);
    Append('D', std::string());
}

void CRecoveryJournal::Undone(const CEditStep& step)
{
    if (m_strPath.empty() || m_bSnapshotDue)
        return;
    if (m_nReplayDone > 0 && m_aReplay[m_nReplayDone - 1] == step.m_nSerial) {
        --m_nReplayDone;
        Append('U', std::string());
    } else {
        m_bSnapshotDue = true; // a step from before the journal: its replay cannot take it back
    }
}

void CRecoveryJournal::Redone(const CEditStep& step)
{
    if (m_strPath.empty() || m_bSnapshotDue)
        return;
    if (m_nReplayDone < m_aReplay.size() && m_aReplay[m_nReplayDone] == step.m_nSerial) {
        ++m_nReplayDone;
        Append('R', std::string());
    } else {
        m_bSnapshotDue = true;
    }
}

void CRecoveryJournal::Settled()
{
    if (m_bSnapshotDue)
        WriteSnapshot();
}

void CRecoveryJournal::WriteSnapshot()
{
    // Rare (an undo past a save): the journal starts again from the whole cockpit as it is.
    const std::string path = m_strPath;
    const unsigned long long size = m_nSize;
    const long long time = m_nTime;
    Close();
    m_strPath = path;
    m_nSize = size;
    m_nTime = time;
    std::error_code ec;
    fs::create_directories(SystemPath(m_strFolder), ec);
    m_strFile = JournalFileFor(m_strFolder, m_strPath);
    if (!CAppendFile::WriteSynced(BaseFileOf(m_strFile), m_doc.Store()) ||
        !m_file.Create(m_strFile)) {
        m_strFile.clear();
        return;
    }
    std::string header = kMagic;
    header += StrFormat("base snapshot %llu %lld %zu\n", m_nSize, m_nTime, m_strPath.size());
    header += m_strPath + '\n';
    m_file.Write(header);
    // The state is what the user sees; one entry says so, so that it counts as a change.
    std::string payload;
    Item(payload, "name", {}, std::string("Earlier changes"));
    Append('P', payload);
}

// --- reading ---

size_t CJournalContents::StepsDone() const
{
    size_t held = 0, done = 0;
    for (const CJournalEntry& e : m_aEntries)
        switch (e.m_cKind) {
        case 'P':
            held = ++done;
            break;
        case 'N':
            done = std::max<size_t>(done, 1);
            held = done;
            break;
        case 'D':
            held = done = done ? done - 1 : 0;
            break;
        case 'U':
            done = done ? done - 1 : 0;
            break;
        case 'R':
            done = std::min(held, done + 1);
            break;
        default:
            break;
        }
    return done;
}

bool CRecoveryJournal::Read(const std::string& file, CJournalContents& out)
{
    out = CJournalContents();
    std::string data;
    if (!ReadWholeFile(file, data))
        return false;
    std::string_view in(data);
    const std::string_view magic(kMagic);
    if (in.substr(0, magic.size()) != magic)
        return false;
    in.remove_prefix(magic.size());
    size_t eol = in.find('\n');
    if (eol == std::string_view::npos)
        return false;
    std::istringstream head{std::string(in.substr(0, eol))};
    std::string word, kind;
    size_t pathLength = 0;
    if (!(head >> word >> kind >> out.m_nSize >> out.m_nTime >> pathLength) || word != "base")
        return false;
    out.m_bSnapshot = kind == "snapshot";
    in.remove_prefix(eol + 1);
    if (in.size() < pathLength + 1 || in[pathLength] != '\n')
        return false;
    out.m_strPath = std::string(in.substr(0, pathLength));
    in.remove_prefix(pathLength + 1);
    while (!in.empty()) {
        // A half-written entry (length, checksum or end missing) ends what is recovered.
        eol = in.find('\n');
        CJournalEntry entry;
        size_t length = 0;
        unsigned long long sum = 0;
        char kindChar = 0;
        if (eol == std::string_view::npos ||
            std::sscanf(std::string(in.substr(0, eol)).c_str(), "%c %zu %llx %lld", &kindChar,
                        &length, &sum, &entry.m_nWhen) != 4 ||
            in.size() < eol + 1 + length + 1 || in[eol + 1 + length] != '\n' ||
            Fnv(in.substr(eol + 1, length)) != sum || !std::strchr("PNDUR", kindChar)) {
            out.m_bTorn = true;
            break;
        }
        entry.m_cKind = kindChar;
        entry.m_strPayload = std::string(in.substr(eol + 1, length));
        out.m_aEntries.push_back(std::move(entry));
        in.remove_prefix(eol + 1 + length + 1);
    }
    return true;
}

// --- replaying ---

bool CJournalReplay::FileUnchanged(const std::string& journalFile, const CJournalContents& c)
{
    unsigned long long size = 0;
    long long time = 0;
    if (!StatFile(c.m_strPath, size, time) || size != c.m_nSize || time != c.m_nTime)
        return false;
    // Same size and time; the bytes decide when a copy of them was kept.
    std::string disk, base;
    if (!ReadWholeFile(CRecoveryJournal::BaseFileOf(journalFile), base))
        return !c.m_bSnapshot;
    if (!ReadWholeFile(c.m_strPath, disk))
        return false;
    return c.m_bSnapshot || Fnv(disk) == Fnv(base);
}

CJournalReplay::Result CJournalReplay::Recover(CVireoDoc& doc, const std::string& journalFile,
                                               const CJournalContents& c)
{
    const bool unchanged = FileUnchanged(journalFile, c);
    Result result = Applied;
    std::string base;
    if (c.m_bSnapshot || !unchanged) {
        if (!ReadWholeFile(CRecoveryJournal::BaseFileOf(journalFile), base))
            return NoBase;
        if (!doc.OpenFromBytes(c.m_strPath, std::move(base)))
            return Failed;
        if (!unchanged) {
            // A copy is untitled, and untitled cockpits are not journalled: the journal it
            // came from stays until the copy is saved or given up.
            doc.ForgetPathName();
            if (doc.m_pJournal)
                doc.m_pJournal->Opened(std::string(), std::string());
            result = AsCopy;
        }
    } else if (!doc.OnOpenDocument(c.m_strPath)) {
        return Failed;
    }
    // Steps over a state that is not the file cannot be journalled as steps over the file.
    IEditJournal* journal = doc.m_pJournal;
    auto* rebase =
        c.m_bSnapshot && result == Applied ? dynamic_cast<CRecoveryJournal*>(journal) : nullptr;
    if (c.m_bSnapshot)
        doc.m_pJournal = nullptr;
    for (const CJournalEntry& entry : c.m_aEntries)
        if (!Apply(doc, entry))
            break;
    doc.m_pJournal = journal;
    if (rebase)
        rebase->Rebase();
    // What was recovered is not on disk, whatever steps it took.
    doc.m_history.MarkUnsaved();
    doc.UpdateModified();
    doc.HistoryChanged();
    return result;
}

bool CJournalReplay::Apply(CVireoDoc& doc, const CJournalEntry& entry)
{
    CCPManager& m = doc.m_manager;
    switch (entry.m_cKind) {
    case 'U':
        return doc.Undo();
    case 'R':
        return doc.Redo();
    case 'D':
        return doc.Undo();
    case 'N':
        if (!doc.Undo())
            return false;
        break;
    default:
        break;
    }
    std::string_view in(entry.m_strPayload);
    CItem item;
    std::string name = "Recovered change";
    std::string_view first = in;
    if (NextItem(first, item) && item.tag == "name") {
        name = std::string(item.bytes);
        in = first;
    }
    doc.BeginStep(name, nullptr, nullptr);
    bool ok = true;
    std::vector<std::pair<CCPObject*, std::unique_ptr<CCPObject>>> sets;
    while (ok && !in.empty()) {
        if (!NextItem(in, item)) {
            ok = false;
            break;
        }
        std::string comment, body;
        if ((item.tag == "add" || item.tag == "ins" || item.tag == "set") && !item.args.empty()) {
            const auto n = static_cast<size_t>(std::max(0ll, item.args.back()));
            if (n > item.bytes.size()) {
                ok = false;
                break;
            }
            comment = std::string(item.bytes.substr(0, n));
            body = std::string(item.bytes.substr(n));
        }
        auto panelAt = [&](long long p) -> CCPPanel* {
            return p >= 0 && size_t(p) < m.m_aPanels.size() ? m.m_aPanels[size_t(p)].get()
                                                            : nullptr;
        };
        if (item.tag == "add") {
            std::unique_ptr<CCPObject> record = BuildRecord(body, comment, m);
            if (!record) {
                ok = false;
                break;
            }
            if (record->IsPanel()) // its entries come back through their own items
                static_cast<CCPPanel&>(*record).m_aSurfaces.clear();
            CCPObject* raw = record.get();
            m.AppendRecord(std::move(record));
            doc.Appended(*raw);
        } else if (item.tag == "ins" && item.args.size() == 3) {
            CCPPanel* panel = panelAt(item.args[0]);
            auto ref = std::make_unique<CCPSurfaceRef>(&m);
            ref->m_strComment = comment;
            if (!panel || !ReadEntry(body, *ref)) {
                ok = false;
                break;
            }
            doc.InsertSurfaceRef(panel, size_t(std::max(0ll, item.args[1])), std::move(ref));
        } else if (item.tag == "del" && item.args.size() == 2) {
            CCPPanel* panel = panelAt(item.args[0]);
            const auto i = size_t(std::max(0ll, item.args[1]));
            if (!panel || i >= panel->m_aSurfaces.size()) {
                ok = false;
                break;
            }
            doc.RemoveSurfaceRef(panel, panel->m_aSurfaces[i].get());
        } else if (item.tag == "set" && item.args.size() == 4) {
            const long long kind = item.args[0], a = item.args[1], b = item.args[2];
            CCPObject* target = nullptr;
            std::unique_ptr<CCPObject> fields;
            auto at = [](const auto& list, long long i) -> CCPObject* {
                return i >= 0 && size_t(i) < list.size() ? list[size_t(i)].get() : nullptr;
            };
            switch (kind) {
            case kIdManager: {
                auto copy = m.CopyFields();
                auto& settings = static_cast<CCPManager&>(*copy);
                settings.m_strComment = comment;
                if (ReadManager(body, settings)) {
                    target = &m;
                    fields = std::move(copy);
                }
                break;
            }
            case kIdObject:
                target = at(m.m_aObjects, a);
                break;
            case kIdSound:
                target = at(m.m_aSounds, a);
                break;
            case kIdButton:
                target = at(m.m_aButtons, a);
                break;
            case kIdButtonView:
                target = at(m.m_aButtonViews, a);
                break;
            case kIdPanel:
                target = at(m.m_aPanels, a);
                break;
            case kIdSurface: {
                const bool orphan = b < 0;
                long long nth = orphan ? -1 - b : b;
                for (const auto& s : m.m_aSurfaces)
                    if (s->m_nId == a && (orphan || !m.IsOrphanSurface(*s)) && nth-- == 0) {
                        target = s.get();
                        break;
                    }
                break;
            }
            case kIdBuffer: {
                const size_t eol = body.find('\n');
                if (eol != std::string::npos) {
                    target = BufferNamed(m, body.substr(0, eol), a);
                    body.erase(0, eol + 1);
                }
                break;
            }
            case kIdEntry: {
                CCPPanel* panel = panelAt(a);
                if (panel && b >= 0 && size_t(b) < panel->m_aSurfaces.size()) {
                    auto ref = std::make_unique<CCPSurfaceRef>(&m);
                    ref->m_strComment = comment;
                    if (ReadEntry(body, *ref)) {
                        target = panel->m_aSurfaces[size_t(b)].get();
                        fields = std::move(ref);
                    }
                }
                break;
            }
            default:
                break;
            }
            if (target && !fields)
                fields = BuildRecord(body, comment, m);
            if (!target || !fields || fields->GetTypeCode() != target->GetTypeCode()) {
                ok = false;
                break;
            }
            // Found now, set after: a change of id must not hide the records after it.
            sets.emplace_back(target, std::move(fields));
        } else {
            ok = false;
        }
    }
    for (auto& [target, fields] : sets) {
        doc.WillChange(*target);
        auto* surface = target->IsSurface() ? static_cast<CCPSurface*>(fields.get()) : nullptr;
        if (surface && !surface->m_pBuffer) // keeps its buffer unless its file names another
            surface->m_pBuffer = static_cast<CCPSurface&>(*target).m_pBuffer;
        target->AssignFields(*fields);
    }
    if (!ok) {
        doc.AbortStep();
        doc.UpdateAllViews(nullptr, Hint::Reload);
        return false;
    }
    doc.EndStep();
    doc.UpdateAllViews(nullptr, Hint::Reload);
    return true;
}
