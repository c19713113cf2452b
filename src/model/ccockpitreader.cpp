#include "ccockpitreader.h"

#include "ccpbuffer.h"
#include "ccpmanager.h"
#include "ccpsurface.h"
#include "ckeyreader.h"
#include "clinereader.h"
#include "clinewriter.h"
#include "cloaderrorlimiter.h"
#include "cscanner.h"
#include "recordtypes.h"

#ifdef __linux__
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {
const char* const kMarker = "// END OF THINGS WE KNOW ABOUT";

// Gives the whole pages of [begin, end), memory of the caller's own, back to the system; they
// read as zeros afterwards. Returns where the pages given back end (on a page boundary), or
// end elsewhere than on Linux, where nothing happens.
const char* ReleasePages(const char* begin, const char* end)
{
#ifdef __linux__
    const uintptr_t page = uintptr_t(sysconf(_SC_PAGESIZE));
    const uintptr_t from = (uintptr_t(begin) + page - 1) & ~(page - 1);
    const uintptr_t to = uintptr_t(end) & ~(page - 1);
    if (to <= from)
        return begin;
    (void)madvise(reinterpret_cast<void*>(from), to - from, MADV_DONTNEED);
    return begin + (to - uintptr_t(begin));
#else
    (void)begin;
    return end;
#endif
}
} // namespace

CCockpitReader::CCockpitReader(CCPManager& manager, IUserInterface* ui)
    : m_manager(manager), m_pUI(ui)
{
}

bool CCockpitReader::ScanHeader(std::string_view line, int& id, std::string_view& keyword)
{
    if (line.empty() || line[0] != '#')
        return false;
    CScanner s(line.substr(1));
    return s.Int(id) && s.Word(keyword);
}

template <class OnHeader>
void CCockpitReader::Run(std::string_view text, OnHeader&& onHeader, bool release)
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
    m_nLineCount = 0;
    // The comment lines stay views into the text until a header takes them: a comment that no
    // record follows is never copied, and one that is taken is copied once, at its full size
    // (a comment of one huge line would otherwise be copied again to grow by its line end).
    std::vector<std::string_view> lines;
    std::string comment;
    std::string_view line;
    CLineReader ar = CLineReader::Over(text, &m_nLineCount, &limiter);
    // The text up to `released` has been given back, in steps of a megabyte or more.
    constexpr size_t kStep = size_t(1) << 20;
    size_t released = 0;
    auto releaseUpTo = [&](size_t end) {
        if (end - released >= kStep)
            released =
                size_t(ReleasePages(text.data() + released, text.data() + end) - text.data());
    };
    if (release)
        ar.SetLetGo([&](const char* p) { releaseUpTo(size_t(p - text.data())); });
    while (ar.ReadLine(line)) {
        if (line.empty())
            continue;
        if (line[0] == '#') {
            size_t size = 0;
            for (std::string_view l : lines)
                size += l.size() + 2;
            comment.clear();
            if (size > comment.capacity())
                comment.reserve(size);
            for (std::string_view l : lines) {
                // A huge comment is not held twice, as text and as its copy: it is copied a
                // megabyte at a time, the text let go behind.
                for (size_t at = 0; at < l.size(); at += kStep) {
                    const std::string_view part = l.substr(at, kStep);
                    comment += part;
                    if (release)
                        releaseUpTo(size_t(part.data() + part.size() - text.data()));
                }
                comment += "\r\n";
            }
            lines.clear();
            onHeader(line, ar, comment);
            if (comment.capacity() > (size_t(1) << 20))
                std::string().swap(comment); // the record has its copy
            // Nothing before the next line is looked at again: the record copied what it
            // keeps, and no comment line is waiting.
            if (release)
                releaseUpTo(ar.Position());
        } else if (line != kMarker) {
            // The marker is written by every save; keeping it would add one per save.
            lines.push_back(line);
        }
    }
    m_manager.SetUserInterface(restore.ui);
    limiter.Finish();
}

void CCockpitReader::Read(std::string_view text)
{
    ReadAll(text, false);
}

void CCockpitReader::ReadAndRelease(std::string& text)
{
    ReadAll(text, true);
}

void CCockpitReader::ReadAll(std::string_view text, bool release)
{
    m_manager.BeginLoad();
    m_pLastBuffer = nullptr;
    Run(
        text,
        [this](std::string_view header, CLineReader& ar, std::string& comment) {
            ReadRecord(header, ar, comment);
        },
        release);
    m_pLastBuffer = nullptr;
}

std::vector<std::unique_ptr<CCPObject>>
CCockpitReader::ReadPanelRecords(std::string_view text, std::vector<std::string>& leftOut)
{
    std::vector<std::unique_ptr<CCPObject>> records;
    Run(text, [&](std::string_view header, CLineReader& ar, const std::string& comment) {
        int id = 0;
        std::string_view keyword;
        if (!ScanHeader(header, id, keyword))
            return;
        const CRecordType* type = FindRecordType(keyword);
        if (type && (type->list == RecordList::Objects || type->list == RecordList::ButtonViews)) {
            records.push_back(type->read(*type, id, ar, comment, &m_manager));
            return;
        }
        // A record of the cockpit's own lists is read past unseen; an unknown one's lines
        // come back as comment lines, as in a file.
        if (type)
            ReadKeys(ar, "", [](std::string_view, CTokenCursor&) { return true; });
        std::string kind(keyword);
        for (char& c : kind)
            if (c >= 'a' && c <= 'z')
                c = char(c - 'a' + 'A');
        leftOut.push_back(std::move(kind));
    });
    return records;
}

void CCockpitReader::ReadRecord(std::string_view header, CLineReader& ar, std::string& comment)
{
    int id = 0;
    std::string_view keyword;
    const CRecordType* type = ScanHeader(header, id, keyword) ? FindRecordType(keyword) : nullptr;
    if (!type) {
        KeepUnknown(header, comment);
        return;
    }
    if (type->list == RecordList::Manager) {
        m_manager.LoadManager(ar, std::string());
        m_manager.m_strComment = std::move(comment); // not copied: a huge one is not held twice
        return;
    }
    // The comment is moved into the record, not copied: a huge one is not held twice.
    std::unique_ptr<CCPObject> record = type->read(*type, id, ar, std::string(), &m_manager);
    record->m_strComment = std::move(comment);
    if (type->list == RecordList::Buffers)
        m_pLastBuffer = static_cast<CCPBuffer*>(record.get());
    else if (type->list == RecordList::Surfaces)
        static_cast<CCPSurface&>(*record).m_pBuffer = m_pLastBuffer;
    m_manager.AddRecord(std::move(record), type->list);
}

void CCockpitReader::KeepUnknown(std::string_view header, std::string& comment)
{
    // Its body and "#end" come back here as comment lines and headers and are kept the same
    // way, so the record stays whole and in order.
    if (!comment.empty())
        m_manager.AddLeftover(std::move(comment)); // a huge one is not held twice
    // A CR left at the end would turn the LF written after it into a CR LF line end, and the
    // next load would lose it: the kept line ends at its last other character.
    size_t end = header.size();
    while (end > 0 && header[end - 1] == '\r')
        --end;
    std::string kept(header.substr(0, end));
    kept += '\n';
    m_manager.AddLeftover(std::move(kept));
}

std::unique_ptr<CCPObject> CCockpitReader::Copy(CCPObject& record, CCPManager& manager,
                                                IUserInterface* ui)
{
    std::unique_ptr<CCPObject> copy = CreateRecordOfType(record.GetTypeCode(), &manager);
    if (!copy)
        return nullptr;
    CLineWriter out;
    record.Serialize(out);
    int lines = 0;
    CLineReader ar(out.Take(), &lines, ui);
    std::string_view line, keyword;
    int id = 0;
    while (ar.ReadLine(line))
        if (ScanHeader(line, id, keyword))
            break;
    // The copy keeps the keys only: no comment, so no name either.
    copy->Load(0, ar, std::string(), &manager);
    return copy;
}
