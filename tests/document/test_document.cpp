#include "ccpbuffer.h"
#include "ccppanel.h"
#include "ccpsound.h"
#include "filepaths.h"
#include "testcockpit.h"
#include "testdata.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

TEST(DocumentOpen, FileNamePrefixSetsTheScreenSize)
{
    CTempDir dir;
    for (const char* n :
         {"8_cockpit.dat", "80_cockpit.dat", "cockpit.dat", "16_x.dat", "12_y.dat", "6_z.dat"})
        dir.Write(n, "#0 MANAGER\n#end\n");
    CTestCockpit c;
    auto open = [&](const char* n) {
        EXPECT_TRUE(c.doc.OnOpenDocument(dir.File(n)));
        return std::pair{c.doc.m_manager.m_nScreenWidth, c.doc.m_manager.m_nScreenHeight};
    };
    EXPECT_EQ(open("8_cockpit.dat"), (std::pair{800, 600}));
    EXPECT_EQ(open("80_cockpit.dat"), (std::pair{800, 600}));
    EXPECT_EQ(open("16_x.dat"), (std::pair{1600, 1200}));
    EXPECT_EQ(open("cockpit.dat"), (std::pair{1600, 1200}));
    EXPECT_EQ(open("12_y.dat"), (std::pair{1200, 960}));
    EXPECT_EQ(open("6_z.dat"), (std::pair{640, 480}));
    EXPECT_EQ(c.doc.m_manager.GetFolder(), dir.Path() + "/");
}

TEST(DocumentOpen, UnreadableFileKeepsTheOpenCockpit)
{
    CTempDir dir;
    dir.Write("a.dat", "#1 SOUND\n#end\n");
    CTestCockpit c;
    ASSERT_TRUE(c.doc.OnOpenDocument(dir.File("a.dat")));
    c.Touch();
    EXPECT_FALSE(c.doc.OnOpenDocument(dir.File("missing.dat")));
    EXPECT_FALSE(c.doc.OnOpenDocument(dir.Path())); // a folder is not a cockpit
    // The system's reason is in the text, where the user sees it.
    ASSERT_EQ(c.ui.m_aBoxes.size(), 2u);
#ifdef _WIN32
    // In the system's words, which differ between versions of Windows.
    const std::string missing = "Failed to open document.\n" + dir.File("missing.dat") + ": ";
    EXPECT_EQ(c.ui.m_aBoxes[0].text.substr(0, missing.size()), missing);
    EXPECT_GT(c.ui.m_aBoxes[0].text.size(), missing.size() + 2);
#else
    EXPECT_EQ(c.ui.m_aBoxes[0].text, "Failed to open document.\n" + dir.File("missing.dat") +
                                         ": No such file or directory.");
#endif
    EXPECT_EQ(c.ui.m_aBoxes[1].text,
              "Failed to open document.\n" + dir.Path() + ": Is a directory.");
    EXPECT_EQ(c.doc.m_manager.m_aSounds.size(), 1u);
    EXPECT_TRUE(c.doc.IsModified());
    EXPECT_EQ(c.doc.GetPathName(), dir.File("a.dat"));
}

TEST(DocumentOpen, NothingOfThePreviousManagerLeaksIntoTheNextFileOrANewOne)
{
    CTempDir dir;
    dir.Write("a.dat", "// Name: A\n// The A cockpit\n#0 MANAGER\ntemplatefile 8 8 a.png;\n#end\n");
    dir.Write("b.dat", "#1 SOUND\n#end\n");
    for (bool viaNew : {false, true}) {
        CTestCockpit c;
        ASSERT_TRUE(c.doc.OnOpenDocument(dir.File("a.dat")));
        EXPECT_EQ(c.doc.m_manager.m_strTemplateFile, "a.png");
        c.doc.m_manager.m_bmpTemplate = CBitmap(8, 8);
        if (viaNew)
            ASSERT_TRUE(c.doc.OnNewDocument());
        else
            ASSERT_TRUE(c.doc.OnOpenDocument(dir.File("b.dat")));
        EXPECT_EQ(c.doc.m_manager.m_strTemplateFile, "") << viaNew;
        EXPECT_TRUE(c.doc.m_manager.m_bmpTemplate.IsNull()) << viaNew;
        EXPECT_EQ(c.doc.m_manager.m_strComment, "") << viaNew;
        const std::string saved = c.Saved();
        EXPECT_EQ(saved.find("Name: A"), std::string::npos) << viaNew;
        EXPECT_EQ(saved.find("The A cockpit"), std::string::npos) << viaNew;
        EXPECT_EQ(saved.find("a.png"), std::string::npos) << viaNew;
        CCheckMessageArray messages;
        c.doc.m_manager.Check(messages, true);
        ASSERT_FALSE(messages.empty());
        EXPECT_EQ(messages[0].m_strMessage, "Manager, No template file") << viaNew;
    }
}

TEST(DocumentSave, CheckProblemsAskBeforeWritingAndFailuresKeepTheOldFile)
{
    CTempDir dir;
    const std::string path = dir.File("c.dat");
    dir.Write("c.dat", "old bytes");
    CTestCockpit c("#1 SOUND\n#end\n");
    c.Touch();

    // No template: the quick check fails; Cancel writes nothing.
    c.ui.m_nCheckAnswer = IDCANCEL;
    EXPECT_FALSE(c.doc.OnSaveDocument(path));
    ASSERT_EQ(c.ui.m_aCheckResults.size(), 1u);
    EXPECT_EQ(c.ui.m_aCheckResults[0], (std::vector<std::string>{"Manager, No template file",
                                                                 "Manager, Template size is 0"}));
    EXPECT_TRUE(c.ui.m_aSaveAnywayShown[0]);
    EXPECT_EQ(dir.Read("c.dat"), "old bytes");
    EXPECT_TRUE(c.doc.IsModified());

    // Save Anyway writes.
    c.ui.m_nCheckAnswer = IDOK;
    EXPECT_TRUE(c.doc.OnSaveDocument(path));
    EXPECT_EQ(dir.Read("c.dat"), c.Saved());
    EXPECT_FALSE(c.doc.IsModified());
}

TEST(DocumentSave, AFailedReplaceLeavesTheOldFileAndNoTemporary)
{
    CTempDir dir;
    CTestCockpit c("#0 MANAGER\ntemplatefile 1 1 t.png;\n#end\n");
    c.Touch();
    // The target is a folder holding a file: the final replace cannot happen.
    const std::string target = dir.File("c.dat");
    std::filesystem::create_directory(SystemPath(target));
    dir.Write("c.dat/inside", "kept");
    EXPECT_FALSE(c.doc.OnSaveDocument(target));
    ASSERT_FALSE(c.ui.m_aBoxes.empty());
    EXPECT_EQ(c.ui.m_aBoxes.back().text, "Failed to save document.");
    EXPECT_EQ(dir.Read("c.dat/inside"), "kept");
    EXPECT_TRUE(c.doc.IsModified());
    // Nothing is left beside it.
    std::string ignored;
    EXPECT_FALSE(ReadWholeFile(target + ".vireo-tmp", ignored));
    size_t entries = 0;
    for (const std::string& name : dir.Names())
        entries += name != "c.dat";
    EXPECT_EQ(entries, 0u);
}

TEST(DocumentSave, WriteFailureIntoAMissingFolderIsReported)
{
    CTestCockpit c("#0 MANAGER\ntemplatefile 1 1 t.png;\n#end\n");
    c.ui.m_nCheckAnswer = IDOK;
    c.Touch();
    EXPECT_FALSE(c.doc.OnSaveDocument("/nonexistent-folder-for-vireo/x.dat"));
    EXPECT_EQ(c.ui.m_aBoxes.back().text, "Failed to save document.");
    EXPECT_TRUE(c.doc.IsModified());
}

TEST(DocumentSave, ACockpitInAFolderNamedBeyondAsciiOpensSavesAndFindsItsPictures)
{
    CTempDir dir;
    const std::string folder = "Cockpits ÄÖÜ 飛行";
    std::filesystem::create_directories(SystemPath(dir.File(folder + "/Art")));
    dir.Write(folder + "/10_démo.dat", TestData("pictures_beside.dat"));
    dir.Write(folder + "/tmpl.png", "t");
    dir.Write(folder + "/Art/Back.PNG", "b"); // named art\back.png in the cockpit
    CTestCockpit c;
    ASSERT_TRUE(c.doc.OnOpenDocument(dir.File(folder + "/10_démo.dat")));
    EXPECT_EQ(c.doc.m_manager.m_nScreenWidth, 1024);
    const CCPManager& m = c.doc.m_manager;
    EXPECT_TRUE(std::filesystem::exists(SystemPath(m.FullPath(m.m_strTemplateFile))));
    ASSERT_EQ(m.m_aBuffers.size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(SystemPath(m.m_aBuffers[0]->m_strPath)))
        << m.m_aBuffers[0]->m_strPath;

    c.Touch();
    c.ui.m_nCheckAnswer = IDOK;
    const std::string saved = dir.File(folder + "/gespeichert ü.dat");
    ASSERT_TRUE(c.doc.OnSaveDocument(saved));
    EXPECT_EQ(c.doc.GetPathName(), saved);
    EXPECT_EQ(dir.Read(folder + "/gespeichert ü.dat"), c.Saved());
    CTestCockpit again;
    ASSERT_TRUE(again.doc.OnOpenDocument(saved));
    EXPECT_EQ(again.Saved(), c.Saved());
}

namespace {
struct CHintLog : IDocObserver
{
    std::vector<std::pair<Hint, CCPObject*>> hints;
    int initial = 0;
    void OnUpdate(IDocObserver*, Hint hint, CCPObject* r) override { hints.push_back({hint, r}); }
    void OnInitialUpdate() override { ++initial; }
};
} // namespace

TEST(DocumentSelection, SettersSendTheirHints)
{
    CTestCockpit c("#100 PANEL\n#end\n");
    CHintLog log;
    c.doc.AddObserver(&log);
    CCPPanel* p = c.doc.m_manager.m_aPanels[0].get();
    c.doc.SetCurrentPanel(p);
    c.doc.SetCurrentObject(p);
    c.doc.Refresh();
    ASSERT_EQ(log.hints.size(), 3u);
    EXPECT_EQ(log.hints[0].first, Hint::Refresh);
    EXPECT_EQ(log.hints[1].first, Hint::CurrentObject);
    EXPECT_EQ(log.hints[2].first, Hint::Refresh);
    EXPECT_EQ(c.doc.m_pCurrentPanel, p);
    c.doc.OnNewDocument();
    EXPECT_EQ(c.doc.m_pCurrentPanel, nullptr);
    EXPECT_EQ(log.initial, 1);
    c.doc.RemoveObserver(&log);
}
