#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <vector>

class CCPManager;
class CCPObject;
class CCPPanel;

// One undoable edit: the records it changed (their fields before and after) and the records
// it put into or took out of a list, in order. Records out of the cockpit are owned by the step
// that holds them out, so undo and redo give back the very same records.
class CEditStep
{
public:
    std::string m_strName;
    // What becomes current after an undo and after a redo (null: no current record).
    CCPObject* m_pFocusUndo = nullptr;
    CCPObject* m_pFocusRedo = nullptr;
    CCPPanel* m_pPanelUndo = nullptr;
    CCPPanel* m_pPanelRedo = nullptr;
    // Keyboard nudges of the same records in a burst add up to one step.
    std::vector<const CCPObject*> m_aNudged;
    int m_nNudgeKind = 0;
    double m_dLastNudge = 0;

    // Tells steps apart for as long as the program runs (addresses are reused).
    const unsigned long long m_nSerial = NextSerial();

    explicit CEditStep(std::string name) : m_strName(std::move(name)) {}
    ~CEditStep();

    // Keeps the record's fields as they are now, the first time only.
    void WillChange(CCPObject& record);
    void Appended(CCPObject& record);
    // A panel's surface entry put in at, or taken out from, index; a taken one is held here
    // until it is put in somewhere else (Unhold) or the step goes.
    void SurfaceInserted(CCPPanel& panel, size_t index, CCPObject& entry);
    void SurfaceRemoved(CCPPanel& panel, size_t index, std::unique_ptr<CCPObject> entry);
    std::unique_ptr<CCPObject> Unhold(const CCPObject* record);

    // Takes the fields after the edit and forgets records that did not change. False when the
    // step changed nothing at all.
    bool Finish();
    // Whether the step added, removed or moved records, or changed more than one record.
    bool ChangesStructure() const;
    bool HasChanges() const { return !m_aChanges.empty() || !m_aMoves.empty(); }
    // Whether ids or the manager's lists changed (its look-ups by id must be rebuilt).
    bool TouchesIndex() const;
    // About what the step keeps in memory, in bytes (set by Finish).
    size_t Bytes() const { return m_nBytes; }

    void Undo(CCPManager& manager);
    void Redo(CCPManager& manager);
    // True while the step holds the record out of the cockpit.
    bool Owns(const CCPObject* record) const;

    enum class MoveKind
    {
        Appended,
        SurfaceInserted,
        SurfaceRemoved
    };
    // The run of a list that a step changed: from at, before became after. A panel's id
    // lists are kept this way, so a delete on a panel of 100,000 records keeps one id, not
    // two copies of the list.
    struct ListRun
    {
        size_t at = 0;
        std::vector<int> before;
        std::vector<int> after;
    };
    struct Change
    {
        CCPObject* record = nullptr;
        std::unique_ptr<CCPObject> before;
        std::unique_ptr<CCPObject> after;
        bool runs = false; // a panel whose copies hold no id lists: they are in the runs
        ListRun objects;
        ListRun views;
    };
    struct Move
    {
        MoveKind kind;
        CCPObject* record;
        CCPPanel* panel;
        size_t index;
    };
    // What the step did, in order (read by the recovery journal).
    const std::vector<Change>& Changes() const { return m_aChanges; }
    const std::vector<Move>& Moves() const { return m_aMoves; }

private:
    static unsigned long long NextSerial();
    static ListRun RunOf(std::vector<int>& before, std::vector<int>& after);
    // Puts the record's fields back to the copy's, its id lists from the runs.
    static void Assign(Change& change, bool undo);
    void TakeOut(const Move& move, CCPManager& manager);
    void PutBack(const Move& move, CCPManager& manager);
    void Hold(std::unique_ptr<CCPObject> record);

    std::vector<Change> m_aChanges;
    std::vector<Move> m_aMoves;
    std::vector<std::unique_ptr<CCPObject>> m_aHeld; // records this step holds out of the cockpit
    size_t m_nBytes = 0;
};

// The steps made since the cockpit was opened, oldest first, with the saved state marked.
class CEditHistory
{
public:
    static constexpr size_t kDefaultLimit = 1000;
    static constexpr size_t kDefaultByteLimit = size_t(256) << 20;

    void Clear();
    void SetLimit(size_t limit) { m_nLimit = limit ? limit : 1; }
    // The oldest steps go once the steps kept take more memory than this (the newest step is
    // always kept).
    void SetByteLimit(size_t bytes) { m_nByteLimit = bytes; }
    size_t Bytes() const { return m_nBytes; }
    // Adds a finished step after the current one, dropping the steps that were undone.
    void Push(std::unique_ptr<CEditStep> step);

    bool CanUndo() const { return m_nCurrent > 0; }
    bool CanRedo() const { return m_nCurrent < m_aSteps.size(); }
    CEditStep* UndoStep() const { return CanUndo() ? m_aSteps[m_nCurrent - 1].get() : nullptr; }
    CEditStep* RedoStep() const { return CanRedo() ? m_aSteps[m_nCurrent].get() : nullptr; }
    // The step just undone or redone.
    CEditStep* Undo(CCPManager& manager);
    CEditStep* Redo(CCPManager& manager);

    size_t Count() const { return m_aSteps.size(); }
    size_t Current() const { return m_nCurrent; } // steps done
    const CEditStep& Step(size_t index) const { return *m_aSteps[index]; }
    // Takes the last step out again to add to it (it is pushed back when done); only when
    // nothing is undone.
    std::unique_ptr<CEditStep> TakeLast();

    void MarkSaved() { m_nSaved = static_cast<long>(m_nCurrent); }
    // No state held is the one on disk (a recovered cockpit).
    void MarkUnsaved() { m_nSaved = -1; }
    bool IsAtSaved() const { return m_nSaved == static_cast<long>(m_nCurrent); }
    // The saved state is one of the steps' states still held (a nudge may not merge into it).
    long Saved() const { return m_nSaved; }

private:
    std::deque<std::unique_ptr<CEditStep>> m_aSteps;
    size_t m_nCurrent = 0;
    long m_nSaved = 0; // -1: the saved state can no longer be reached
    size_t m_nLimit = kDefaultLimit;
    size_t m_nByteLimit = kDefaultByteLimit;
    size_t m_nBytes = 0;
    void DropOldest();
};
