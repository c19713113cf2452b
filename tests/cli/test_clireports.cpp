#include "ccliapp.h"
#include "ccliqtpart.h"
#include "checkjson.h"
#include "testcockpit.h"
#include "testdata.h"

#include <QImage>
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace {

struct CResult
{
    int code;
    std::string out, err;
};

CResult Cli(std::vector<std::string> args)
{
    std::ostringstream out, err;
    CCliApp app(out, err, LinkedQtPart());
    const int code = app.Run(args);
    return {code, out.str(), err.str()};
}

std::string Demo()
{
    return ExamplePath("10_demo.dat");
}

} // namespace

TEST(CliCheckJson, PrintsOneObjectPerMessageWithRecordAndSeverity)
{
    CTempDir dir;
    dir.Write("10_problems.dat", TestData("problems.dat"));
    const CResult full = Cli({"check", "--full", "--json", dir.File("10_problems.dat")});
    EXPECT_EQ(full.code, 1);
    // Only --full finds the missing ICP buttons: warnings; the rest stop a save: errors.
    EXPECT_EQ(full.out,
              "[\n"
              "  {\"message\": \"Manager, No template file\", \"type\": \"MANAGER\", \"id\": 0, "
              "\"severity\": \"error\"},\n"
              "  {\"message\": \"Manager, Template size is 0\", \"type\": \"MANAGER\", \"id\": 0, "
              "\"severity\": \"error\"},\n"
              "  {\"message\": \"Panel 100, there is no adjacent panel 500 defined\", \"type\": "
              "\"PANEL\", \"id\": 100, \"severity\": \"error\"},\n"
              "  {\"message\": \"Panel 300 is not reachable\", \"type\": \"PANEL\", \"id\": 300, "
              "\"severity\": \"error\"},\n"
              "  {\"message\": \"Button Id 1001, sound 1 9 not defined\", \"type\": \"BUTTON\", "
              "\"id\": 1001, \"severity\": \"error\"},\n"
              "  {\"message\": \"Manager, no button defined with ID 1013 (ICP Initial Primary)\", "
              "\"type\": \"MANAGER\", \"id\": 0, \"severity\": \"warning\"},\n"
              "  {\"message\": \"Manager, no button defined with ID 1011 (ICP Initial Tertiary)\", "
              "\"type\": \"MANAGER\", \"id\": 0, \"severity\": \"warning\"},\n"
              "  {\"message\": \"Panel Id 100, No adjacent panel 500\", \"type\": \"PANEL\", "
              "\"id\": 100, \"severity\": \"error\"},\n"
              "  {\"message\": \"Light Id 101, Too many states (2)\", \"type\": \"LIGHT\", \"id\": "
              "101, \"severity\": \"error\"},\n"
              "  {\"message\": \"Light Id 301, Too many states (3)\", \"type\": \"LIGHT\", \"id\": "
              "301, \"severity\": \"error\"},\n"
              "  {\"message\": \"Object Id 700, is not unique\", \"type\": \"LIGHT\", \"id\": 700, "
              "\"severity\": \"error\"},\n"
              "  {\"message\": \"Object Id 700, is not unique\", \"type\": \"LIGHT\", \"id\": 700, "
              "\"severity\": \"error\"},\n"
              "  {\"message\": \"Light Id 900, Too many states (5)\", \"type\": \"LIGHT\", \"id\": "
              "900, \"severity\": \"error\"}\n"
              "]\n");

    // The check before saving: the same messages but the two ICP ones, all errors; the text
    // form prints the same messages.
    const CResult quick = Cli({"check", "--json", dir.File("10_problems.dat")});
    EXPECT_EQ(quick.code, 1);
    EXPECT_EQ(quick.out.find("warning"), std::string::npos);
    EXPECT_EQ(quick.out.find("ICP"), std::string::npos);
    const CResult text = Cli({"check", dir.File("10_problems.dat")});
    std::istringstream lines(text.out);
    for (std::string line; std::getline(lines, line);)
        EXPECT_NE(quick.out.find("{\"message\": \"" + line + "\""), std::string::npos) << line;

    // A check that passes prints an empty array; an unreadable cockpit prints nothing.
    dir.Write("10_clean.dat", TestData("clean.dat"));
    const CResult clean = Cli({"check", "--json", "--full", dir.File("10_clean.dat")});
    EXPECT_EQ(clean.code, 0);
    EXPECT_EQ(clean.out, "[]\n");
    const CResult gone = Cli({"check", "--json", dir.File("gone.dat")});
    EXPECT_EQ(gone.code, 2);
    EXPECT_EQ(gone.out, "");
}

TEST(CliCheckJson, StringsAreEscapedAndLatin1BecomesUtf8)
{
    EXPECT_EQ(JsonString("Panel \"A\" \\ 1\n\t\x01"),
              "\"Panel \\\"A\\\" \\\\ 1\\u000a\\u0009\\u0001\"");
    EXPECT_EQ(JsonString("Gr\xf6\xdf"
                         "e"),
              "\"Gr\xc3\xb6\xc3\x9f"
              "e\""); // Latin-1
    EXPECT_EQ(JsonString("Gr\xc3\xb6\xc3\x9f"
                         "e"),
              "\"Gr\xc3\xb6\xc3\x9f"
              "e\""); // already UTF-8
    // Messages without a record give null type and id.
    const CCheckMessageArray loose{{"Loose end", nullptr, "", 0}};
    EXPECT_EQ(CheckMessagesToJson(loose, loose),
              "[\n  {\"message\": \"Loose end\", \"type\": null, \"id\": null, \"severity\": "
              "\"error\"}\n]\n");
}

TEST(CliRenderAll, WritesEveryPanelAsRenderingItAloneWould)
{
    CTempDir dir;
    const std::string out = dir.File("shots/demo");
    const CResult all = Cli({"render", Demo(), "--all", "-o", out, "--zoom", "0.5"});
    ASSERT_EQ(all.code, 0) << all.err;
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(out))
        files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"panel-100.png", "panel-200.png", "panel-300.png",
                                               "panel-400.png"}));
    for (const char* id : {"100", "300"}) {
        const std::string single = dir.File(std::string("single-") + id + ".png");
        ASSERT_EQ(Cli({"render", Demo(), "--panel", id, "-o", single, "--zoom", "0.5"}).code, 0);
        const QImage one(QString::fromStdString(single));
        const QImage fromAll(QString::fromStdString(out + "/panel-" + id + ".png"));
        EXPECT_EQ(fromAll.size(), QSize(512, 384));
        EXPECT_TRUE(one == fromAll) << id;
    }

    // Help names the new options.
    const std::string help = Cli({"--help"}).out;
    for (const char* word : {"--json", "--all", "panel-<id>.png", "severity"})
        EXPECT_NE(help.find(word), std::string::npos) << word;
}

TEST(CliRenderAll, SharedIdsUnwritableFoldersAndBadUsageAreReported)
{
    CTempDir dir;
    dir.Write("10_twice.dat", TestData("problems.dat") +
                                  "\n#100 PANEL\n\tadjpanels = -1 -1 -1 -1 -1 -1 -1 -1;\n#end\n");
    const CResult twice = Cli({"render", dir.File("10_twice.dat"), "--all", "-o", dir.File("out")});
    EXPECT_EQ(twice.code, 0) << twice.err;
    EXPECT_NE(twice.err.find("panel-100.png shows that one"), std::string::npos) << twice.err;
    EXPECT_TRUE(std::filesystem::exists(dir.File("out/panel-300.png")));

    // The folder cannot be made where a file is.
    dir.Write("taken", "x");
    const CResult blocked =
        Cli({"render", dir.File("10_twice.dat"), "--all", "-o", dir.File("taken")});
    EXPECT_EQ(blocked.code, 2);
    EXPECT_NE(blocked.err.find("cannot make the folder"), std::string::npos);

    EXPECT_EQ(Cli({"render", dir.File("10_twice.dat"), "--all"}).code, 2);
    EXPECT_EQ(
        Cli({"render", dir.File("10_twice.dat"), "--all", "-o", dir.File("o"), "--panel", "100"})
            .code,
        2);
    EXPECT_EQ(Cli({"render", dir.File("none.dat"), "--all", "-o", dir.File("o")}).code, 2);
    EXPECT_EQ(
        Cli({"render", dir.File("10_twice.dat"), "--all", "-o", dir.File("o"), "--zoom", "0"}).code,
        2);
}
