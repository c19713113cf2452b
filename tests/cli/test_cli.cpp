#include "clirun.h"
#include "testcockpit.h"
#include "testdata.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <sys/wait.h>

TEST(CliFormat, RewritesAsSaveDoesAndReportsLoadMessagesOnStderr)
{
    CTempDir dir;
    dir.Write("8_c.dat", TestData("cli_unknown_record.dat"));
    const CRun r = Cli({"format", dir.File("8_c.dat"), "-o", dir.File("out.dat")});
    EXPECT_EQ(r.code, 0) << r.err;
    const std::string out = dir.Read("out.dat");
    EXPECT_NE(out.find("\n// Name: Main\r\n#0 MANAGER\n"), std::string::npos);
    EXPECT_NE(out.find("// END OF THINGS WE KNOW ABOUT\n#9 WIDGET\nsize 3\r\n#end\n"),
              std::string::npos);
    // The template does not exist; the unknown sound key is reported with its line.
    EXPECT_NE(r.err.find("Error in file at line 8,  Sound Bad string 'what'\n"), std::string::npos);
    // One message, one line.
    EXPECT_NE(r.err.find("tmpl.png: I cannot read this file. The file was not found.\n"),
              std::string::npos);

    // Formatting the output again gives the same bytes; "-" writes to stdout.
    const CRun again = Cli({"format", dir.File("out.dat"), "-o", "-"});
    EXPECT_EQ(again.code, 0);
    EXPECT_EQ(again.out, out);
}

TEST(CliFormat, UnreadableInputOrUnwritableOutputExitTwo)
{
    CTempDir dir;
    dir.Write("c.dat", TestData("cli_unknown_record.dat"));
    const CRun missing = Cli({"format", dir.File("none.dat"), "-o", dir.File("o.dat")});
    EXPECT_EQ(missing.code, 2);
    EXPECT_NE(missing.err.find("cannot read"), std::string::npos);
    const CRun badOut = Cli({"format", dir.File("c.dat"), "-o", dir.File("no/such/dir/o.dat")});
    EXPECT_EQ(badOut.code, 2);
    EXPECT_NE(badOut.err.find("cannot write"), std::string::npos);
    EXPECT_EQ(Cli({"format", dir.File("c.dat")}).code, 2);
    EXPECT_EQ(Cli({"frobnicate"}).code, 2);
    EXPECT_EQ(Cli({}).code, 2);
    const CRun help = Cli({"--help"});
    EXPECT_EQ(help.code, 0);
    for (const char* word :
         {"format", "check", "--full", "render", "--panel", "--zoom", "--select", "--state"})
        EXPECT_NE(help.out.find(word), std::string::npos) << word;
}

TEST(CliCheck, QuickAndFullChecksPrintTheirMessagesInOrder)
{
    CTempDir dir;
    dir.Write("empty.dat", "");
    const CRun quick = Cli({"check", dir.File("empty.dat")});
    EXPECT_EQ(quick.code, 1);
    EXPECT_EQ(quick.out, "Manager, No template file\nManager, Template size is 0\n");
    const CRun full = Cli({"check", "--full", dir.File("empty.dat")});
    EXPECT_EQ(full.code, 1);
    EXPECT_EQ(full.out, "Manager, No template file\nManager, Template size is 0\n"
                        "Manager, no button defined with ID 1013 (ICP Initial Primary)\n"
                        "Manager, no button defined with ID 1011 (ICP Initial Tertiary)\n");
    EXPECT_EQ(Cli({"check", dir.File("gone.dat")}).code, 2);

    dir.Write("ok.dat", "#0 MANAGER\ntemplatefile 2 2 t.png;\n#end\n");
    const CRun ok = Cli({"check", dir.File("ok.dat")});
    EXPECT_EQ(ok.code, 0);
    EXPECT_EQ(ok.out, "");
}

TEST(CliProcess, TheInstalledToolKeepsItsExitCodes)
{
    CTempDir dir;
    dir.Write("c.dat", TestData("cli_unknown_record.dat"));
    const std::string cmd = CliProgram() + " format " + dir.File("c.dat") + " -o - 2>/dev/null";
    FILE* p = popen(cmd.c_str(), "r");
    ASSERT_NE(p, nullptr);
    std::string out;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0)
        out.append(buf, n);
    const int status = pclose(p);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_NE(out.find("#3 SOUND\n\tentry = 1;\n#end\n"), std::string::npos);

    const std::string bad = CliProgram() + " check " + dir.File("missing.dat") + " 2>/dev/null";
    EXPECT_EQ(WEXITSTATUS(system(bad.c_str())), 2);
}
