#pragma once

#include "arrange.h"
#include "ccpmanager.h"
#include "cedithistory.h"
#include "cinstrumentvalues.h"
#include "cselection.h"
#include "idocobserver.h"
#include "ieditjournal.h"
#include "ieditrecorder.h"
#include "irecordeditor.h"
#include "recordplacing.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CCPButton;
class CCPPanel;
class CCPSurfaceRef;
class CFileReader;
class CLineWriter;
class IUserInterface;

// The one open cockpit: its records (through the manager), the selection every view shows,
// loading and saving, and the editing operations. Every change to the cockpit is one of the
// operations below: each changes the records, tells the views, and records one undo step; the
// modified mark follows the history.
//
// The document stands between the manager and the property sheets (it is the manager's record
// editor), so that whatever a sheet and the sheets opened from it change is one step.
class CVireoDoc : private IEditRecorder, private IRecordEditor
{
public:
    CCPPanel* m_pCurrentPanel = nullptr;
    CCPObject* m_pCurrentObject = nullptr;
    CCPManager m_manager;

    CVireoDoc();
    ~CVireoDoc();

    void SetUserInterface(IUserInterface* ui);
    IUserInterface* GetUserInterface() const { return m_pUI; }
    // The editor that shows the property sheets (null: none can be shown).
    void SetRecordEditor(IRecordEditor* editor);
    // Where Open reads files from; null reads them from disk.
    void SetFileReader(CFileReader* reader) { m_pFileReader = reader; }

    bool OnNewDocument();
    // False, with "Failed to open document." and the cause shown and the current cockpit kept,
    // when the file cannot be read whole (not a regular file, above kMaxCockpitBytes, a read
    // error part way).
    bool OnOpenDocument(const std::string& path);
    // Opens bytes read elsewhere (a kept copy) as the cockpit at path.
    bool OpenFromBytes(const std::string& path, std::string data);
    // Quick check first; false when the user declined to save or the file could not be
    // written (the old file is then left as it was). Once written, the cockpit's file names
    // resolve against the new file's folder and the pictures follow; whenWritten runs just
    // before that (the frame copies pictures beside the new file then).
    bool OnSaveDocument(const std::string& path, const std::function<void()>& whenWritten = {});
    // The full check; observers hear its results, and "Check Results" shows them unless an
    // observer has.
    void OnCheckCockpit();

    // The loading and storing directions of the whole cockpit. Load adds what text holds
    // to the manager (Open empties it first); its messages go to the user interface.
    void Load(const std::string& text);
    std::string Store();
    // The same bytes handed to ar, which may pass them on as it goes (see CLineWriter::SetSink).
    void Store(CLineWriter& ar);

    void SetCurrentPanel(CCPPanel* panel);
    void SetCurrentObject(CCPObject* record);

    // The step is named verb and the record (by default "Add " with the sheet, "Duplicate "
    // without).
    bool InsertObject(std::unique_ptr<CCPObject> record, bool edit, const char* verb = nullptr);
    bool NewObject();
    bool NewPanel();
    bool NewSound();
    bool NewButton();
    std::unique_ptr<CCPObject> CloneObject(CCPObject* record);
    bool DuplicateObject(CCPObject* record);
    void RemoveObject(CCPObject* record, CCPPanel* panel);
    void Refresh();

    // Moves or resizes a record on its panel (destination) or on the template (source).
    // sender: the view that did it and repaints itself. False when nothing changed.
    bool SetRecordDestRect(CCPObject* record, const CRect& rc, IDocObserver* sender = nullptr);
    bool SetRecordSrcRect(CCPObject* record, const CRect& rc, IDocObserver* sender = nullptr);
    // A keyboard nudge: nudges of one record in a burst (no pause longer than a second, no other
    // edit between) are one step.
    bool NudgeRecord(CCPObject* record, bool source, const CRect& rc);
    bool MakeSameSize(CCPObject* record);
    // The record's property sheet as one step, with everything its sub-dialogs and the sheets
    // opened from it changed. IDOK when accepted.
    int EditRecordProperties(CCPObject* record, IDocObserver* sender = nullptr);
    bool RenameRecord(CCPObject* record, const std::string& name, IDocObserver* sender = nullptr);
    // Paste and drop: record (on from) moved or copied onto to, after anchor (null: first of
    // its kind). The record now on to, or null when it could not be placed.
    CCPObject* PlaceRecord(CCPObject* record, CCPPanel* from, CCPPanel* to, CCPObject* anchor,
                           bool move, IDocObserver* sender = nullptr);

    // The selection: records the current panel holds (objects, button views, and a surface entry
    // that was clicked). The current record is its key record: whenever anything is selected,
    // the current record is one of them; SetCurrentObject selects just that record.
    const CSelection& GetSelection() const { return m_selection; }
    bool IsSelected(const CCPObject* record) const { return m_selection.Contains(record); }
    // True when the panel itself holds the record (one of its surface entries, or a button view
    // or object it lists): only such a record can be selected or taken off the panel. A sound,
    // a button, a panel or the manager never can, though its id may equal a listed one.
    bool PanelHolds(const CCPPanel* panel, const CCPObject* record) const;
    // Selects those of records the current panel holds; key (else the last of them) becomes
    // current.
    void Select(const std::vector<CCPObject*>& records, CCPObject* key = nullptr);
    // Ctrl+click: picks record or lets it go; the key follows the last one picked.
    void ToggleSelected(CCPObject* record);
    // Every object and button view of the current panel (surface entries only by clicking).
    void SelectAll();
    void ClearSelection();
    // The selected records that have a destination on the panel, in panel order (button views,
    // then objects, then surface entries), with their frames.
    std::vector<CCPObject*> PlacedSelection() const;
    // Moves every selected record by dx, dy as one step; the selection's bounds keep to the
    // screen as a dragged record does. False when nothing moved.
    bool MoveSelection(int dx, int dy, IDocObserver* sender = nullptr);
    // A keyboard nudge of the selection: one record nudges as NudgeRecord does; several move as
    // one frame that stops at the screen's edge, and a burst of nudges of the same records is
    // one step.
    bool NudgeSelection(CPoint step);
    // Whether the arrange command would change anything, and the command as one step.
    bool CanArrange(ArrangeCommand command) const;
    bool ArrangeSelection(ArrangeCommand command);
    // Deletes every selected record as one step.
    bool RemoveSelection();

    // --- the clipboard: records as the cockpit file's own text ---
    // The records Copy, Cut and Duplicate take: the selected button views and objects in panel
    // order, else the current record when the current panel holds it as one of those. A surface
    // entry is never among them: it is a piece of its panel, not a record of its own.
    std::vector<CCPObject*> CopyableSelection() const;
    // The records as the file holds them, each with its comment (so its name comes along).
    static std::string RecordsText(const std::vector<CCPObject*>& records);
    // Copy: the text of the copyable selection. Selected surface entries are left out, and the
    // user is told; empty when nothing could be copied.
    std::string CopySelection();
    // Cut: the text Copy would give, and those records taken off the panel as one step. Empty
    // (nothing taken) when nothing could be copied or the step was refused.
    std::string CutSelection();
    // Paste: the button views and objects the text holds, read as the file is read, added to
    // panel to (which becomes current) as one step, and selected. A record keeps its id where
    // the id is free and its name always. fromPanel is the id of the panel the text was copied
    // from, when known: pasted there, the records land 8,8 further on (again while they would
    // lie on records already there); elsewhere they keep their place. Records of kinds no panel
    // holds are left out with a message naming them; text without records pastes nothing and
    // says why. The records pasted (none: nothing changed).
    std::vector<CCPObject*> PasteText(const std::string& text, CCPPanel* to,
                                      std::optional<int> fromPanel = std::nullopt);
    // Duplicate: copies of the copyable selection 8,8 further on, as one step, selected; with
    // none, a copy of the current record as DuplicateObject makes it.
    bool DuplicateSelection();

    // --- making records by drawing ---
    // A new record of a type Add Object offers (its code), its top-left (or centre) at at on
    // panel (null: the current one) and its size the one a new record of its type has, held to the
    // screen as a dragged record is. One step "Add <record>"; the record becomes current and the
    // only one selected; no sheet opens. A surface entry asks for its picture as Add Object does.
    // Null when nothing was added (no panel, a type that makes no record, an open step, a
    // declined picture).
    CCPObject* AddRecordAt(int code, CPoint at, CCPPanel* panel = nullptr,
                           PlaceAnchor anchor = PlaceAnchor::TopLeft);
    // A new record of a type that takes a piece (TakesPiece) that shows source of the template
    // on a place of the same size at at, otherwise as AddRecordAt.
    CCPObject* AddPieceAt(int code, const CRect& source, CPoint at, CCPPanel* panel = nullptr);
    // The piece of the template last drawn there, in template pixels: what the next record
    // made from the template shows. Not part of the cockpit: no step, no mark; New and Open
    // forget it.
    const std::optional<CRect>& GetTemplatePiece() const { return m_rcTemplatePiece; }
    void SetTemplatePiece(const std::optional<CRect>& piece) { m_rcTemplatePiece = piece; }

    // The mechanical fixes the Problems panel offers, one step each; false (or null) when
    // there was nothing to change.
    // A new button with id (taken: null) and states states.
    CCPButton* AddButtonWithId(int id, int states);
    bool SetMaskTop(CCPPanel* panel, int maskTop);
    // Each neighbour of panel that names no panel becomes -1 (none).
    bool ClearMissingNeighbours(CCPPanel* panel);
    // Panel from's neighbour in direction (N, NE, ... NW: 0 to 7) becomes to, and with linkBack
    // to's neighbour the opposite way becomes from, as one step. False when nothing changed.
    bool LinkPanels(CCPPanel* from, int direction, CCPPanel* to, bool linkBack);
    // The state a button or a light starts in.
    bool SetInitialState(CCPObject* record, int state);
    // Sound 1 or 2 of button becomes -1 (none).
    bool ClearSound(CCPButton* button, int which);
    // Every source rectangle of a light, button view, adi or dial takes the destination's width
    // and height, keeping its top-left corner.
    bool SizeSourcesToDest(CCPObject* record);
    // A dial's calibration table (needle angles in radians, and the value at each) put in
    // place as one step; false when record is no dial, nothing changed or another edit is open.
    bool CalibrateDial(CCPObject* record, std::vector<float> points, std::vector<float> values);
    // An indicator tape's positions of its Min Val and Max Val (pixels up the tape from its
    // source's bottom, or from its left when horizontal), as one step. Position lists shorter than
    // the tape index gain 0 entries up to it.
    bool CalibrateTape(CCPObject* record, int tape, int minPos, int maxPos);
    // Moves record's destination by the least distance that puts it inside the screen, keeping
    // its size; panel (null: the current one) is shown when the step is undone or redone.
    bool MoveIntoScreen(CCPObject* record, CCPPanel* panel = nullptr);

    // Undo and redo; the record the step touched becomes current.
    bool CanUndo() const { return m_history.CanUndo(); }
    bool CanRedo() const { return m_history.CanRedo(); }
    std::string UndoName() const;
    std::string RedoName() const;
    bool Undo();
    bool Redo();
    // Undoes or redoes until count steps are done.
    void GoToStep(size_t count);
    const CEditHistory& GetHistory() const { return m_history; }
    // The needle an open dial sheet previews; views draw it in place of the dial's own.
    const CInstrumentValues& GetInstrumentValues() const { return m_values; }
    // What a callback slot is fed while playing: only the picture changes (no step, no modified
    // mark); observers hear OnPreviewChanged.
    void SetInputValue(int slot, InputChannel channel, float value);
    void ClearInputValues();
    void SetHistoryLimit(size_t steps) { m_history.SetLimit(steps); }
    void SetHistoryByteLimit(size_t bytes) { m_history.SetByteLimit(bytes); }
    // Seconds on a steady clock, for the nudge bursts (tests set their own).
    void SetClock(std::function<double()> clock) { m_fnClock = std::move(clock); }

    // The name a record goes by in messages and step names: its name, or type and id.
    static std::string RecordLabel(const CCPObject* record);

    // While a step is open (a property sheet is up), edits of fields join it; commands that add,
    // remove or move records, undo, open and save are refused until it ends.
    bool IsStepOpen() const { return m_pStep != nullptr; }

    bool IsModified() const { return m_bModified; }
    // The cockpit as it is now counts as the one on disk (a save does this).
    void MarkSaved();
    const std::string& GetPathName() const { return m_strPathName; }
    // The cockpit is no longer tied to its file: the next save asks for a name.
    void ForgetPathName() { m_strPathName.clear(); }
    // Hears every change of the history (null: none).
    void SetJournal(IEditJournal* journal) { m_pJournal = journal; }

    void AddObserver(IDocObserver* observer);
    void RemoveObserver(IDocObserver* observer);
    void UpdateAllViews(IDocObserver* sender, Hint hint, CCPObject* record = nullptr);

private:
    friend class CJournalReplay;

    void ScreenSizeFromName(const std::string& fileName);
    void Reset();
    void ClearHistory();
    void InitialUpdate();
    // Tells the observers what a check found; true when one of them showed it.
    bool NotifyChecked(const CCheckMessageArray& messages, bool full);

    // IEditRecorder, while a step is open.
    void WillChange(CCPObject& record) override;
    void Appended(CCPObject& record) override;
    // IRecordEditor: every sheet opens through here.
    int EditProperties(CCPObject& record) override;
    // Only the picture changes: no step, no modified mark; observers hear OnPreviewChanged.
    void ShowDialPreview(CCPDial& record, const CCPDial& shown, float value) override;
    void EndDialPreview(CCPDial& record) override;
    void PreviewChanged(CCPObject* record);
    int RunSheet(CCPObject& record);
    // The sheet of a record not yet in the cockpit, in an "Add" step left open on OK; false
    // (step dropped) on Cancel.
    bool RunAddSheet(CCPObject& record, CCPPanel* panel);
    // An id changed on a sheet: what refers to the record by id follows it.
    void FollowIdChange(CCPObject& record, int oldId);

    // Inside an open step the edit joins it: the outer step keeps its name and focus, and only
    // the outermost EndStep records it.
    void BeginStep(const std::string& name, CCPObject* focus, CCPPanel* panel);
    // Records the open step when it changed anything; null (nothing recorded) otherwise. A
    // nested end gives the outer step, still open.
    CEditStep* EndStep();
    // True, with a message, when a step is open and a command that needs its own step must wait.
    bool RefuseWhileStepOpen(const std::string& command);
    // Takes back what the open step did and forgets it.
    void AbortStep();
    void StepDone(CEditStep* step, bool undone);
    void UpdateModified();
    void HistoryChanged();
    // Loads the pictures whose names, sizes or folder changed, and has the views redraw them.
    void UpdatePictures();
    void InsertSurfaceRef(CCPPanel* panel, size_t index, std::unique_ptr<CCPSurfaceRef> ref);
    std::unique_ptr<CCPSurfaceRef> RemoveSurfaceRef(CCPPanel* panel, CCPSurfaceRef* ref);
    CCPPanel* PanelOf(CCPObject* record) const;
    bool SetRect(CCPObject* record, bool source, const CRect& rc, const char* verb,
                 IDocObserver* sender);

    IRecordEditor* m_pEditor = nullptr;
    CEditHistory m_history;
    CInstrumentValues m_values;
    std::unique_ptr<CEditStep> m_pStep; // the step being recorded
    int m_nNestedSteps = 0;             // edits that joined it
    std::function<double()> m_fnClock;
    IUserInterface* m_pUI = nullptr;
    CFileReader* m_pFileReader = nullptr;
    std::vector<IDocObserver*> m_aObservers;
    bool m_bModified = false;
    std::string m_strPathName;
    IEditJournal* m_pJournal = nullptr;
    bool m_bAmending = false; // the step being ended replaces the last one
    CSelection m_selection;
    std::optional<CRect> m_rcTemplatePiece;

    // Drops selected records the current panel no longer holds, and keeps the current record
    // among the selected ones.
    void KeepSelectionValid();
    // The name of a step over records: the one record's label, or "<count> records".
    static std::string RecordsLabel(const std::vector<CCPObject*>& records);
    // Records moved to rects as a keyboard nudge (source: on the template).
    bool Nudge(const std::vector<CCPObject*>& records, bool source, const std::vector<CRect>& rects,
               const std::string& name);
    bool ChangeFrames(const std::vector<CCPObject*>& records, const std::vector<CRect>& frames,
                      const std::string& name, IDocObserver* sender);
    // The id a new button view or object on panel gets: the panel's next free object id, and
    // for a button view one that no button view has either.
    int NewRecordId(const CCPObject& record, const CCPPanel& panel) const;
    // The copyable selection's text, with a status note starting with done.
    std::string SelectionText(const std::string& done);
    // Takes records off the current panel as one step named verb and their label.
    bool RemoveRecords(const std::vector<CCPObject*>& records, const std::string& verb);
    // Puts new button views and objects on panel as one step named verb and their label, and
    // selects them. keepIds: a record keeps its id where no other record has it. stepAside:
    // while any of them would lie exactly on a record of the panel, they all move 8,8 further.
    std::vector<CCPObject*> AddRecords(std::vector<std::unique_ptr<CCPObject>> records,
                                       CCPPanel* panel, bool keepIds, bool stepAside,
                                       const std::string& verb);
    // A new record of type code, shaped by shape (false: none is added), put on panel (null:
    // the current one) as one "Add" step.
    CCPObject* AddShapedRecord(int code, CCPPanel* panel,
                               const std::function<bool(CCPObject&)>& shape);
};
