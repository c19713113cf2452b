#include "chistorypanel.h"
#include "crecoverykeeper.h"
#include "filepaths.h"
#include "mainframefixture.h"

#include <QDateTime>
#include <QListWidget>

namespace {
class RecoveryFrameTest : public MainFrameTest
{
protected:
    std::string path;
    std::string raw;   // the file's bytes
    QStringList times; // the local times the edits were made at

    void SetUp() override
    {
        MainFrameTest::SetUp();
        path = Write("crashed.dat");
        ASSERT_TRUE(ReadWholeFile(path, raw));
        ui.m_nCheckAnswer = IDOK; // saves past the check's remarks
    }

    // The journals in the data folder (other tests leave theirs there too).
    size_t Journals()
    {
        return CRecoveryJournal::FindJournals(app->GetRecovery()->Folder()).size();
    }
    bool Journalled(const std::string& file)
    {
        return std::filesystem::exists(
            CRecoveryJournal::JournalFileFor(app->GetRecovery()->Folder(), file));
    }

    // Renames, a move, an undo and a redo over the cockpit; the bytes they leave.
    std::string Edit()
    {
        times << QDateTime::currentDateTime().toString(QStringLiteral("HH:mm"));
        CCPManager& m = doc().m_manager;
        doc().RenameRecord(m.m_aSounds.at(0).get(), "recovered sound");
        CCPObject* light = m.FindObject(101);
        CRect rc;
        light->GetDestRect(&rc);
        rc.OffsetRect(7, 3);
        doc().SetRecordDestRect(light, rc);
        doc().RenameRecord(m.m_aButtonViews.at(0).get(), "recovered view");
        doc().Undo();
        doc().Undo();
        doc().Redo();
        times << QDateTime::currentDateTime().toString(QStringLiteral("HH:mm"));
        return doc().Store();
    }

    // The editor ends without closing its window, as a crash or a kill ends it.
    void Crash()
    {
        app.reset();
        QApplication::processEvents();
    }

    // The question as asked, with the time of the edits in place of HH:mm.
    std::string Asked(size_t i = 0)
    {
        if (i >= prompts.m_aRecoverAsked.size())
            return "(not asked)";
        QString text = QString::fromStdString(prompts.m_aRecoverAsked[i]);
        for (const QString& time : times)
            text.replace(time, QStringLiteral("HH:mm"));
        return text.toStdString();
    }
};
} // namespace

TEST_F(RecoveryFrameTest, CrashedEditsAreOfferedAndRecoveredAsUndoableSteps)
{
    Start({QString::fromStdString(path)});
    const std::string opened = doc().Store();
    const std::string expected = Edit();
    ASSERT_NE(expected, opened);
    const size_t steps = doc().GetHistory().Current();
    const int listed = frame()->GetHistoryPanel()->GetList()->count();
    // The journal lives in the user's data folder, not beside the cockpit.
    EXPECT_EQ(app->GetRecovery()->Folder(),
              std::string(qgetenv("XDG_DATA_HOME").constData()) + "/test_app/recovery");
    EXPECT_TRUE(Journalled(path));
    Crash();

    prompts.m_nRecoverAnswer = IFramePrompts::Yes;
    Start({QString::fromStdString(path)});
    EXPECT_EQ(Asked(), "Recover 2 unsaved changes to crashed.dat from HH:mm?");
    EXPECT_EQ(doc().GetPathName(), path);
    EXPECT_TRUE(doc().IsModified());
    EXPECT_EQ(Title(), "crashed.dat* - Vireo Editor");
    EXPECT_EQ(doc().Store(), expected);
    EXPECT_EQ(dir.Read("crashed.dat"), raw);
    // Each recovered step is listed and can be taken back, down to the file as it is.
    EXPECT_EQ(doc().GetHistory().Current(), steps);
    EXPECT_EQ(frame()->GetHistoryPanel()->GetList()->count(), listed);
    doc().GoToStep(0);
    EXPECT_EQ(doc().Store(), opened);
    doc().GoToStep(steps);
    EXPECT_EQ(doc().Store(), expected);

    // Saved: nothing left to recover, and nothing asked the next time.
    EXPECT_TRUE(Enabled(ID_FILE_SAVE));
    frame()->Action(ID_FILE_SAVE)->trigger();
    EXPECT_EQ(dir.Read("crashed.dat"), expected);
    EXPECT_FALSE(Journalled(path));
    Crash();
    Start({QString::fromStdString(path)});
    EXPECT_EQ(prompts.m_aRecoverAsked.size(), 1u);
    EXPECT_EQ(doc().Store(), expected);
}

TEST_F(RecoveryFrameTest, DeclinedRecoveryAndClosingWithoutSavingLeaveNoJournal)
{
    Start();
    const size_t journals = Journals();
    doc().RenameRecord(&doc().m_manager, "untitled"); // an untitled cockpit is not journalled
    EXPECT_EQ(Journals(), journals);
    prompts.m_nAnswer = IFramePrompts::No;

    // Opened by File > Open; No discards the journal and opens the file as it is.
    ASSERT_TRUE(app->OpenDocumentFile(path));
    const std::string opened = doc().Store();
    Edit();
    Crash();
    Start();
    prompts.m_strOpen = path;
    frame()->Action(ID_FILE_OPEN)->trigger();
    EXPECT_EQ(Asked(), "Recover 2 unsaved changes to crashed.dat from HH:mm?");
    EXPECT_EQ(doc().GetPathName(), path);
    EXPECT_FALSE(doc().IsModified());
    EXPECT_EQ(doc().Store(), opened);
    EXPECT_FALSE(Journalled(path));

    // Edits kept until the user pauses are then on the disk; closing and answering No to
    // saving them gives them up.
    Edit();
    ASSERT_TRUE(Journalled(path));
    EXPECT_TRUE(app->GetRecovery()->Journal().NeedsSync());
    EXPECT_TRUE(WaitFor([&] { return !app->GetRecovery()->Journal().NeedsSync(); },
                        CRecoveryKeeper::kPauseMs + 30000));
    const std::string folder = app->GetRecovery()->Folder();
    EXPECT_TRUE(frame()->close());
    EXPECT_FALSE(std::filesystem::exists(CRecoveryJournal::JournalFileFor(folder, path)));
    EXPECT_EQ(dir.Read("crashed.dat"), raw);
    Crash();
    Start({QString::fromStdString(path)});
    EXPECT_EQ(prompts.m_aRecoverAsked.size(), 1u);
}

TEST_F(RecoveryFrameTest, FileChangedSinceIsRecoveredAsAnUntitledCopy)
{
    Start({QString::fromStdString(path)});
    const std::string expected = Edit();
    Crash();
    const std::string changed = raw + "// edited elsewhere\n";
    dir.Write("crashed.dat", changed);

    // Opened from the recent files.
    prompts.m_nRecoverAnswer = IFramePrompts::Yes;
    Start();
    ASSERT_EQ(Recent().value(0).toStdString(), path);
    frame()->Action(ID_FILE_MRU_FILE1)->trigger();
    EXPECT_EQ(Asked(), "crashed.dat has changed on disk since. Recover 2 unsaved changes to it "
                       "from HH:mm as an unsaved copy?");
    EXPECT_EQ(doc().GetPathName(), "");
    EXPECT_TRUE(doc().IsModified());
    EXPECT_EQ(Title(), "Untitled* - Vireo Editor");
    EXPECT_EQ(doc().Store(), expected);
    EXPECT_EQ(dir.Read("crashed.dat"), changed);

    // Until the copy is saved, its journal stays to be offered again.
    EXPECT_TRUE(Journalled(path));
    prompts.m_strSave = dir.File("rescued.dat");
    frame()->Action(ID_FILE_SAVE)->trigger();
    EXPECT_EQ(dir.Read("rescued.dat"), expected);
    EXPECT_EQ(dir.Read("crashed.dat"), changed);
    EXPECT_FALSE(Journalled(path));
}
