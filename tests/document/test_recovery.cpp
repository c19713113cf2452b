#include "ccpbuttonview.h"
#include "ccppanel.h"
#include "ccpsound.h"
#include "ccpsurfaceref.h"
#include "crecoveryjournal.h"
#include "filepaths.h"
#include "irecordeditor.h"
#include "journalburst.h"
#include "testcockpit.h"
#include "testdata.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {
class CSheetEditor : public IRecordEditor
{
public:
    std::function<void(CCPObject&)> m_fnChange;
    int EditProperties(CCPObject& record) override
    {
        if (m_fnChange)
            m_fnChange(record);
        return IDOK;
    }
};

// An editor session over a copy of the demo cockpit, with its journal in a folder of its own.
// Dropping the session without saving is what a crash leaves behind.
struct CSession
{
    CTestCockpit c;
    CSheetEditor editor;
    double now = 100;
    std::unique_ptr<CRecoveryJournal> journal;

    CSession(const std::string& folder, const std::string& path)
    {
        journal = std::make_unique<CRecoveryJournal>(c.doc, folder);
        c.doc.SetJournal(journal.get());
        c.doc.SetRecordEditor(&editor);
        c.doc.SetClock([this] { return now; });
        EXPECT_TRUE(c.doc.OnOpenDocument(path));
    }
    CCPManager& m() { return c.doc.m_manager; }
    CCPPanel* Panel(size_t i) { return m().m_aPanels[i].get(); }
    void Nudge(CCPObject* r, int dx)
    {
        CRect rc;
        r->GetDestRect(&rc);
        rc.OffsetRect(dx, 0);
        c.doc.NudgeRecord(r, false, rc);
        now += 0.2;
    }
};

class RecoveryTest : public ::testing::Test
{
protected:
    CTempDir dir;
    std::string path, journalDir;

    void SetUp() override
    {
        dir.Write("10_demo.dat", ReadExample());
        path = dir.File("10_demo.dat");
        journalDir = dir.File("journals");
    }
    static std::string ReadExample()
    {
        std::string data;
        EXPECT_TRUE(ReadWholeFile(ExamplePath("10_demo.dat"), data));
        return data;
    }
    std::string JournalFile() const { return CRecoveryJournal::JournalFileFor(journalDir, path); }
    CJournalContents ReadJournal() const
    {
        CJournalContents contents;
        EXPECT_TRUE(CRecoveryJournal::Read(JournalFile(), contents));
        return contents;
    }
    // A fresh editor's recovery of what the journal holds.
    CJournalReplay::Result Recover(CTestCockpit& into)
    {
        return CJournalReplay::Recover(into.doc, JournalFile(), ReadJournal());
    }

    // Moves, nudges, renames, a sheet that changes an id, add, delete, moves of an object
    // and a surface entry to another panel, paste, the clipboard's edits, and undo and redo in
    // between.
    static void MixedEdits(CSession& s)
    {
        CVireoDoc& doc = s.c.doc;
        CCPPanel* first = s.Panel(0);
        CCPPanel* second = s.Panel(1);
        doc.SetCurrentPanel(first);
        CCPObject* a = s.m().FindObject(first->m_anObjects.at(0));
        CCPObject* b = s.m().FindObject(first->m_anObjects.at(1));
        CRect rc;
        a->GetDestRect(&rc);
        rc.OffsetRect(10, 5);
        doc.SetRecordDestRect(a, rc);
        s.Nudge(b, 1);
        s.Nudge(b, 1);
        s.Nudge(b, 1); // one step of three nudges
        doc.RenameRecord(s.m().m_aButtonViews.at(0).get(), "renamed view");
        s.editor.m_fnChange = [](CCPObject& r) {
            r.m_nId = 4321;
            r.SetName("resheeted");
        };
        doc.EditRecordProperties(b);
        s.editor.m_fnChange = nullptr;
        doc.SetCurrentPanel(first);
        doc.DuplicateObject(a);
        doc.RemoveObject(first->m_aSurfaces.at(1).get(), first);
        doc.PlaceRecord(a, first, second, nullptr, true);
        doc.PlaceRecord(first->m_aSurfaces.at(0).get(), first, second,
                        second->m_aSurfaces.empty() ? nullptr : second->m_aSurfaces[0].get(), true);
        doc.PlaceRecord(b, first, s.Panel(2), nullptr, false);
        // Several records added or taken off in one step each.
        doc.SetCurrentPanel(second);
        doc.SelectAll();
        doc.PasteText(doc.CopySelection(), first, second->m_nId);
        doc.DuplicateSelection();
        doc.CutSelection();
        doc.Undo();
        doc.Undo();
        doc.Redo();
        doc.RenameRecord(&s.m(), "after the undo");
        s.now += 5;
        s.Nudge(a, 2);
        s.Nudge(a, -2); // back where it was: the burst leaves no step
    }
};
} // namespace

TEST_F(RecoveryTest, ReplayGivesTheBytesOfTheEditsAndEveryStepUndoes)
{
    std::string expected, opened;
    size_t steps = 0;
    {
        CSession s(journalDir, path);
        opened = s.c.Saved();
        MixedEdits(s);
        expected = s.c.Saved();
        steps = s.c.doc.GetHistory().Current();
        ASSERT_NE(expected, opened);
    } // killed here: nothing saved, the journal stays
    // What the question counts as the unsaved changes.
    EXPECT_EQ(ReadJournal().StepsDone(), steps);

    CTestCockpit recovered;
    EXPECT_EQ(Recover(recovered), CJournalReplay::Applied);
    EXPECT_EQ(recovered.doc.GetPathName(), path);
    EXPECT_TRUE(recovered.doc.IsModified());
    EXPECT_EQ(recovered.Saved(), expected);
    // Each recovered change is an undo step of its own, back to the file as it was opened.
    const size_t at = recovered.doc.GetHistory().Current();
    EXPECT_GE(at, steps);
    recovered.doc.GoToStep(0);
    EXPECT_EQ(recovered.Saved(), opened);
    recovered.doc.GoToStep(at);
    EXPECT_EQ(recovered.Saved(), expected);
}

TEST_F(RecoveryTest, TornLastEntryIsDroppedAndTheStepsBeforeItRecovered)
{
    std::string beforeLast, last;
    {
        CSession s(journalDir, path);
        MixedEdits(s);
        beforeLast = s.c.Saved();
        s.c.doc.RenameRecord(s.m().m_aSounds.at(0).get(), "the last edit");
        last = s.c.Saved();
    }
    const auto size = std::filesystem::file_size(JournalFile());
    for (uintmax_t cut : {uintmax_t(1), uintmax_t(12)}) {
        std::filesystem::resize_file(JournalFile(), size - cut);
        CJournalContents contents = ReadJournal();
        EXPECT_TRUE(contents.m_bTorn);
        CTestCockpit recovered;
        EXPECT_EQ(CJournalReplay::Recover(recovered.doc, JournalFile(), contents),
                  CJournalReplay::Applied);
        EXPECT_EQ(recovered.Saved(), beforeLast) << "cut " << cut;
    }
    // A garbled entry in the middle ends the recovery there too, never past it.
    CJournalContents whole = ReadJournal();
    ASSERT_GE(whole.m_aEntries.size(), 2u);
    std::string bytes =
        dir.Read("journals/" + std::filesystem::path(JournalFile()).filename().string());
    const size_t at = bytes.find("renamed view");
    ASSERT_NE(at, std::string::npos);
    bytes[at] = 'R';
    dir.Write("journals/" + std::filesystem::path(JournalFile()).filename().string(), bytes);
    EXPECT_LT(ReadJournal().m_aEntries.size(), whole.m_aEntries.size());
    EXPECT_NE(last, beforeLast);
}

TEST_F(RecoveryTest, FileChangedSinceIsRecoveredAsAnUntitledCopyAndLeftAlone)
{
    std::string expected;
    {
        CSession s(journalDir, path);
        MixedEdits(s);
        expected = s.c.Saved();
    }
    // The session has ended, so the copy of the opened bytes has landed before the file
    // changes.
    const std::string changed = ReadExample() + "// edited elsewhere\n";
    dir.Write("10_demo.dat", changed);

    EXPECT_FALSE(CJournalReplay::FileUnchanged(JournalFile(), ReadJournal()));
    CTestCockpit recovered;
    EXPECT_EQ(Recover(recovered), CJournalReplay::AsCopy);
    EXPECT_EQ(recovered.doc.GetPathName(), "");
    EXPECT_TRUE(recovered.doc.IsModified());
    EXPECT_EQ(recovered.Saved(), expected);
    EXPECT_EQ(dir.Read("10_demo.dat"), changed);

    // Without the copy of the old bytes there is nothing to apply the edits to.
    std::filesystem::remove(CRecoveryJournal::BaseFileOf(JournalFile()));
    CTestCockpit nothing;
    EXPECT_EQ(Recover(nothing), CJournalReplay::NoBase);
}

TEST_F(RecoveryTest, SavingOrOpeningAnotherRemovesTheJournalAndUndoPastASaveIsKept)
{
    CSession s(journalDir, path);
    EXPECT_FALSE(std::filesystem::exists(JournalFile())); // nothing unsaved yet
    s.c.Touch();
    EXPECT_TRUE(std::filesystem::exists(JournalFile()));
    ASSERT_TRUE(s.c.doc.OnSaveDocument(path));
    EXPECT_FALSE(std::filesystem::exists(JournalFile()));
    EXPECT_EQ(CRecoveryJournal::FindJournals(journalDir).size(), 0u);

    // Undo past the save: the state is no longer the file's, and is journalled whole.
    s.c.doc.Undo();
    s.c.Touch();
    const std::string expected = s.c.Saved();
    s.journal->Sync();
    {
        CTestCockpit recovered;
        EXPECT_EQ(Recover(recovered), CJournalReplay::Applied);
        EXPECT_EQ(recovered.Saved(), expected);
        EXPECT_TRUE(recovered.doc.IsModified());
    }

    // Opening another cockpit is the user leaving the edits (after answering No).
    dir.Write("other.dat", TestData("clean.dat"));
    ASSERT_TRUE(s.c.doc.OnOpenDocument(dir.File("other.dat")));
    EXPECT_EQ(CRecoveryJournal::FindJournals(journalDir).size(), 0u);
    s.journal->Discard();
}

TEST_F(RecoveryTest, RecoveredEditsSurviveASecondCrash)
{
    std::string expected;
    {
        CSession s(journalDir, path);
        MixedEdits(s);
        expected = s.c.Saved();
    }

    // Recovered onto the unchanged file, one more edit, killed again.
    {
        CTestCockpit again;
        CRecoveryJournal journal(again.doc, journalDir);
        again.doc.SetJournal(&journal);
        EXPECT_EQ(Recover(again), CJournalReplay::Applied);
        again.Touch();
        expected = again.Saved();
        again.doc.SetJournal(nullptr);
    }
    {
        CTestCockpit recovered;
        EXPECT_EQ(Recover(recovered), CJournalReplay::Applied);
        EXPECT_EQ(recovered.Saved(), expected);
    }

    // Undone past a save: the journal holds a state of its own, not the file's. Recovered and
    // edited once more, then killed: the next recovery still starts from that state.
    {
        CSession s(journalDir, path);
        s.c.Touch();
        ASSERT_TRUE(s.c.doc.OnSaveDocument(path));
        s.c.doc.Undo();
    }
    ASSERT_TRUE(ReadJournal().m_bSnapshot);
    {
        CTestCockpit again;
        CRecoveryJournal journal(again.doc, journalDir);
        again.doc.SetJournal(&journal);
        EXPECT_EQ(Recover(again), CJournalReplay::Applied);
        again.doc.RenameRecord(again.doc.m_manager.m_aSounds.at(0).get(), "after recovery");
        expected = again.Saved();
        again.doc.SetJournal(nullptr);
    }
    {
        CTestCockpit recovered;
        EXPECT_EQ(Recover(recovered), CJournalReplay::Applied);
        EXPECT_EQ(recovered.Saved(), expected);
    }

    // The file changed since: the untitled copy is not journalled, and the journal it came
    // from is left as it was, to be offered again.
    {
        CSession s(journalDir, path);
        MixedEdits(s);
        expected = s.c.Saved();
    }
    dir.Write("10_demo.dat", ReadExample() + "// edited elsewhere\n");
    const std::string left = dir.Read("journals/" + FileNameOf(JournalFile()));
    {
        CTestCockpit copy;
        CRecoveryJournal journal(copy.doc, journalDir);
        copy.doc.SetJournal(&journal);
        EXPECT_EQ(Recover(copy), CJournalReplay::AsCopy);
        copy.Touch();
        EXPECT_EQ(journal.CurrentFile(), "");
        copy.doc.SetJournal(nullptr);
    }
    EXPECT_EQ(dir.Read("journals/" + FileNameOf(JournalFile())), left);
    CTestCockpit recovered;
    EXPECT_EQ(Recover(recovered), CJournalReplay::AsCopy);
    EXPECT_EQ(recovered.Saved(), expected);
}

// The editor is killed as POSIX kills: SIGKILL, no chance to clean up.
#ifndef _WIN32
TEST_F(RecoveryTest, KilledEditorRecoversExactlyTheStepsWritten)
{
    const std::string burst = JournalBurstProgram();
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        execl(burst.c_str(), burst.c_str(), path.c_str(), journalDir.c_str(), "400",
              static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    // Killed in the middle of the burst.
    FILE* progress = fdopen(out[0], "r");
    int done = 0;
    while (done < 157 && std::fscanf(progress, "%d", &done) == 1) {
    }
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    std::fclose(progress);
    ASSERT_TRUE(WIFSIGNALED(status));

    const CJournalContents contents = ReadJournal();
    const int written = static_cast<int>(contents.m_aEntries.size());
    EXPECT_GE(written, 100);
    EXPECT_LT(written, 400);

    // The same edits without a crash, up to as many journal entries (an edit that changes
    // nothing writes none).
    CTestCockpit same;
    CRecoveryJournal sameJournal(same.doc, dir.File("same"));
    same.doc.SetJournal(&sameJournal);
    ASSERT_TRUE(same.doc.OnOpenDocument(path));
    CJournalContents sameContents;
    for (int i = 0; i < 400; ++i) {
        BurstEdit(same.doc, i);
        ASSERT_TRUE(CRecoveryJournal::Read(sameJournal.CurrentFile(), sameContents));
        if (static_cast<int>(sameContents.m_aEntries.size()) == written)
            break;
    }
    same.doc.SetJournal(nullptr);
    CTestCockpit recovered;
    EXPECT_EQ(CJournalReplay::Recover(recovered.doc, JournalFile(), contents),
              CJournalReplay::Applied);
    EXPECT_EQ(recovered.Saved(), same.Saved());
}
#endif

TEST_F(RecoveryTest, ThousandNudgesStayUnderOneMegabyte)
{
    CSession s(journalDir, path);
    CCPObject* r = s.m().m_aObjects.at(0).get();
    for (int i = 0; i < 1000; ++i) {
        s.now += 2; // each its own step
        s.Nudge(r, 1);
    }
    EXPECT_EQ(ReadJournal().m_aEntries.size(), 1000u);
    EXPECT_LT(std::filesystem::file_size(JournalFile()), 1u << 20);
}
