#pragma once

#include "crecoveryjournal.h"
#include "idocobserver.h"

#include <QTimer>

#include <string>

class CVireoDoc;
class IFramePrompts;

// The editor's side of the recovery journal: keeps the open cockpit's unsaved edits in the
// user's data folder, puts them on the disk once the user pauses, and offers what an editor
// that crashed left of a cockpit when that cockpit is opened again.
class CRecoveryKeeper : public IDocObserver
{
public:
    enum Outcome
    {
        NotRecovered,  // nothing offered, or declined: open the file as usual
        Recovered,     // the cockpit is open with the recovered edits
        RecoveredCopy, // the file changed: the edits are in an untitled copy
        Failed         // reported; nothing was opened
    };

    // How long after the last edit the journal is put on the disk.
    static constexpr int kPauseMs = 2000;

    CRecoveryKeeper(CVireoDoc& doc, IFramePrompts& prompts, std::string folder);
    ~CRecoveryKeeper() override;

    // The "recovery" folder in the user's application data folder.
    static std::string DefaultFolder();
    // "Recover 14 unsaved changes to 10_demo.dat from 14:32?" (UTF-8); changed: the file is
    // no longer the one the edits were made to.
    static std::string Question(const std::string& path, const CJournalContents& contents,
                                bool changed);

    // Before path is opened: offers the edits an editor left of it, if any.
    Outcome OfferRecovery(const std::string& path);
    // The cockpit was saved: a copy's journal has served.
    void Saved();
    // The editor closes with the edits saved or given up.
    void Closing();

    CRecoveryJournal& Journal() { return m_journal; }
    const std::string& Folder() const { return m_strFolder; }

    void OnUpdate(IDocObserver*, Hint, CCPObject*) override {}
    void OnInitialUpdate() override;
    void OnHistoryChanged() override { m_timer.start(); }

private:
    void ForgetCopySource();

    CVireoDoc& m_doc;
    IFramePrompts& m_prompts;
    std::string m_strFolder;
    CRecoveryJournal m_journal;
    QTimer m_timer;
    // The journal an untitled copy was recovered from: kept until the copy is saved or left.
    std::string m_strCopySource;
    bool m_bRecovering = false;
};
