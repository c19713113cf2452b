#pragma once

#include "cappendfile.h"
#include "ieditjournal.h"

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

class CVireoDoc;

// One entry of a journal: what happened to the history, and the records it left behind.
struct CJournalEntry
{
    char m_cKind = 0;      // 'P' pushed, 'N' replaced the last, 'D' dropped the last, 'U', 'R'
    long long m_nWhen = 0; // seconds since the epoch
    std::string m_strPayload;
};

// What a journal file holds, as far as it was written whole.
struct CJournalContents
{
    std::string m_strPath; // the cockpit as opened
    unsigned long long m_nSize = 0;
    long long m_nTime = 0;    // its modification time when opened
    bool m_bSnapshot = false; // the base is a state written by the editor, not the file
    std::vector<CJournalEntry> m_aEntries;
    bool m_bTorn = false; // a half-written entry at the end was dropped

    long long LastTime() const { return m_aEntries.empty() ? 0 : m_aEntries.back().m_nWhen; }
    // How many steps are done when the entries are replayed: the unsaved changes.
    size_t StepsDone() const;
};

// Keeps the unsaved edits of the open cockpit in a file of their own, so that they survive a
// crash. The journal starts at the first step after an open or a save and holds each history
// change as it happens: a recorded step as the records it left (in their text form, found
// again by list and position), an undo or redo as just that. The bytes the cockpit was opened
// from are copied beside it (on a worker thread), so that the edits can still be recovered
// when the file has changed since. Saving or opening another cockpit removes it.
//
// Only cockpits with a file are journalled.
class CRecoveryJournal : public IEditJournal
{
public:
    CRecoveryJournal(CVireoDoc& doc, std::string folder);
    ~CRecoveryJournal() override;

    // Where the journal of the cockpit at path lives, and the copy of its bytes.
    static std::string JournalFileFor(const std::string& folder, const std::string& path);
    static std::string BaseFileOf(const std::string& journalFile);
    // The journal files in folder.
    static std::vector<std::string> FindJournals(const std::string& folder);
    // False when the file holds no usable journal (missing, not a journal, no whole header).
    static bool Read(const std::string& file, CJournalContents& out);
    // Removes a journal and its copy of the cockpit.
    static void Remove(const std::string& journalFile);

    // Puts what was written on the disk itself (the user paused).
    void Sync();
    bool NeedsSync() const { return m_bUnsynced; }
    // Forgets the unsaved edits: the journal is removed, and nothing is journalled until the
    // next open or save.
    void Discard();
    // Starts the journal again from the cockpit as it is now (the state came from a journal
    // whose base is not the file).
    void Rebase();
    // The journal being written, empty when none.
    const std::string& CurrentFile() const { return m_strFile; }

    void Opened(const std::string& path, const std::string& bytes) override;
    void Saved(const std::string& path, const std::string& bytes) override;
    void Pushed(const CEditStep& step, bool amended) override;
    void Dropped() override;
    void Undone(const CEditStep& step) override;
    void Redone(const CEditStep& step) override;
    void Settled() override;

private:
    void Baseline(const std::string& path);
    bool Start();
    void Append(char kind, const std::string& payload);
    void Close();
    void WriteSnapshot();
    void JoinCopy();

    CVireoDoc& m_doc;
    std::string m_strFolder;
    std::string m_strPath; // the cockpit file (empty: untitled, not journalled)
    unsigned long long m_nSize = 0;
    long long m_nTime = 0;
    std::string m_strFile; // the journal being written
    CAppendFile m_file;
    bool m_bUnsynced = false;
    bool m_bSnapshotDue = false;
    std::thread m_copier;
    // The history as a replay of the journal would have it: serials of the steps, and how
    // many are done. An undo or redo is journalled as such only when the replay has that step.
    std::vector<unsigned long long> m_aReplay;
    size_t m_nReplayDone = 0;
};

// Puts the edits of a journal back into a document.
class CJournalReplay
{
public:
    enum Result
    {
        Applied, // onto the cockpit file, which is as it was
        AsCopy,  // the file changed: the edits applied to its old bytes, as an untitled copy
        NoBase,  // the file changed and its old bytes are gone
        Failed   // the cockpit could not be opened
    };
    // Whether the cockpit on disk is still the one the journal started from.
    static bool FileUnchanged(const std::string& journalFile, const CJournalContents& contents);
    // Opens the cockpit the journal belongs to and applies its entries, each one step.
    static Result Recover(CVireoDoc& doc, const std::string& journalFile,
                          const CJournalContents& contents);
    // Applies one entry as a step of its own; false when it does not fit the cockpit.
    static bool Apply(CVireoDoc& doc, const CJournalEntry& entry);
};
