// The command-line tool writes as Save writes, reads only what it should, says what failed
// in one line, and takes names as the bytes they are.
#include "clirun.h"
#include "testcockpit.h"
#include "testdata.h"

#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

// Runs the installed tool through the shell after the commands before; stderr goes to a file
// of dir, stdout to out (a file of dir when empty).
CRun Tool(const CTempDir& dir, const std::string& arguments,
          const std::string& before = std::string(), const std::string& out = std::string())
{
    const std::string cmd = before + CliProgram() + " " + arguments + " >" +
                            (out.empty() ? dir.File("stdout") : out) + " 2>" + dir.File("stderr");
    const int status = system(("sh -c '" + cmd + "'").c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, dir.Read("stdout"), dir.Read("stderr")};
}

std::string Png(const QImage& image)
{
    QByteArray bytes;
    QBuffer device(&bytes);
    device.open(QIODevice::WriteOnly);
    image.save(&device, "PNG");
    return std::string(bytes.constData(), size_t(bytes.size()));
}

// A template of noise: its pictures do not compress.
std::string NoiseTemplate()
{
    QImage img(256, 256, QImage::Format_RGB32);
    std::mt19937 rng(3);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            img.setPixel(x, y, 0xff000000u | (rng() & 0xffffffu));
    return Png(img);
}

} // namespace

TEST(CliOutput, DevicesAndFifosAreRefusedAndLinksKept)
{
    CTempDir dir;
    dir.Write("c.dat", TestData("hostile_states.dat"));
    dir.Write("t.png", NoiseTemplate());
    ASSERT_EQ(mkfifo(dir.File("pipe").c_str(), 0644), 0);
    dir.Write("real.dat", "old");
    ASSERT_EQ(symlink("real.dat", dir.File("link.dat").c_str()), 0);

    CRun r = Cli({"format", dir.File("c.dat"), "-o", "/dev/null"});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, "vireo-cli: cannot write /dev/null: not a regular file\n");
    r = Cli({"format", dir.File("c.dat"), "-o", dir.File("pipe")});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, "vireo-cli: cannot write " + dir.File("pipe") + ": not a regular file\n");
    struct stat st;
    ASSERT_EQ(lstat(dir.File("pipe").c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));

    r = Cli({"format", dir.File("c.dat"), "-o", dir.File("link.dat")});
    EXPECT_EQ(r.code, 0) << r.err;
    ASSERT_EQ(lstat(dir.File("link.dat").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_NE(dir.Read("real.dat").find("#5 BUTTONVIEW"), std::string::npos);
}

TEST(CliOutput, AFullDeviceOrAFileSizeLimitIsReportedAndLosesNothing)
{
    CTempDir dir;
    dir.Write("c.dat", TestData("hostile_states.dat"));
    dir.Write("t.png", NoiseTemplate());

    // Standard output on a full device.
    const CRun full = Tool(dir, "format " + dir.File("c.dat") + " -o -", "", "/dev/full");
    EXPECT_EQ(full.code, 2);
    EXPECT_EQ(full.err, "vireo-cli: cannot write to standard output: No space left on device\n");

    // A picture written whole, then a render that cannot be: the first one stays.
    const std::string png = dir.File("p.png");
    ASSERT_EQ(
        Cli({"render", dir.File("c.dat"), "--panel", "100", "--state", "5=1", "-o", png}).code, 0);
    const std::string before = dir.Read("p.png");
    ASSERT_GT(before.size(), 65536u);
    const CRun limited =
        Tool(dir, "render " + dir.File("c.dat") + " --panel 100 --state 5=2 -o " + png,
             "ulimit -f 64; ");
    EXPECT_EQ(limited.code, 2);
    EXPECT_EQ(limited.err, "vireo-cli: cannot write " + png + ": File too large\n");
    EXPECT_TRUE(dir.Read("p.png") == before);
    // A cockpit formatted into a file, written as it is made, that the limit cuts off: the old
    // file stays.
    dir.Write("out.dat", "old");
    const CRun cut =
        Tool(dir, "format " + dir.File("c.dat") + " -o " + dir.File("out.dat"), "ulimit -f 1; ");
    EXPECT_EQ(cut.code, 2);
    EXPECT_EQ(cut.err, "vireo-cli: cannot write " + dir.File("out.dat") + ": File too large\n");
    EXPECT_EQ(dir.Read("out.dat"), "old");
    // No new file is left beside them.
    EXPECT_EQ(dir.Names(),
              (std::set<std::string>{"c.dat", "t.png", "p.png", "out.dat", "stdout", "stderr"}));
}

TEST(CliInput, OnlyRegularFilesAreReadAndPicturesNeverBlock)
{
    CTempDir dir;
    dir.Write("c.dat", TestData("hostile_fifo_pictures.dat"));
    ASSERT_EQ(mkfifo(dir.File("pipe.png").c_str(), 0644), 0);
    CRun r = Cli({"check", dir.File("c.dat")});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, dir.File("pipe.png") +
                         ": I cannot read this file. This is not a valid image file, or its "
                         "format is not currently supported.\n");
    r = Cli({"check", "/dev/zero"});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, "Failed to open document. /dev/zero: not a regular file.\nvireo-cli: cannot "
                     "read /dev/zero\n");
}

TEST(CliMessages, EachMessageIsOneLineAndThePictureLibraryKeepsQuiet)
{
    CTempDir dir;
    dir.Write("c.dat", TestData("hostile_fifo_pictures.dat"));
    // A PNG cut off after its header: the picture library has its own words for that.
    dir.Write("pipe.png",
              std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10\0\0\0\x10\x08\x06\0\0\0", 29));
    const CRun r =
        Tool(dir, "render " + dir.File("c.dat") + " --panel 100 -o " + dir.File("p.png"));
    EXPECT_EQ(r.code, 0);
    const std::string line =
        dir.File("pipe.png") +
        ": I cannot read this file. This is not a valid image file, or its format is not "
        "currently supported.\n";
    EXPECT_EQ(r.err, line + line); // the template, then the buffer picture
}

TEST(CliNames, FileNamesAreTheBytesTheyAre)
{
    CTempDir dir;
    dir.Write("c.dat", TestData("hostile_latin1_names.dat"));
    QImage tmpl(8, 8, QImage::Format_RGB32);
    tmpl.fill(Qt::red);
    dir.Write("caf\xe9.png", Png(tmpl));
    CRun r = Cli({"check", dir.File("c.dat")});
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.code, 0);

    r = Cli({"render", dir.File("c.dat"), "--panel", "100", "-o", dir.File("out\xe9.png")});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(dir.Names(), (std::set<std::string>{"c.dat", "caf\xe9.png", "out\xe9.png"}));
    EXPECT_EQ(dir.Read("out\xe9.png").substr(1, 3), "PNG");
}

TEST(CliRender, StepsGoRoundTheStatesInsteadOfOneByOne)
{
    CTempDir dir;
    dir.Write("c.dat", TestData("hostile_states.dat"));
    dir.Write("t.png", NoiseTemplate());
    auto render = [&](const std::string& id, long long n) {
        const std::string out = dir.File("r.png");
        const CRun r = Cli({"render", dir.File("c.dat"), "--panel", "100", "--state",
                            id + "=" + std::to_string(n), "-o", out});
        EXPECT_EQ(r.code, 0) << r.err;
        return dir.Read("r.png");
    };
    // Three button view states, three digits shown from digit 5 on, two light states.
    for (const auto& [id, count] : {std::pair{"5", 3}, {"6", 3}, {"7", 2}}) {
        std::vector<std::string> first;
        for (int n = 0; n <= count; ++n)
            first.push_back(render(id, n));
        EXPECT_NE(first[1], first[0]) << id;
        for (int n = 1; n <= count; ++n)
            EXPECT_EQ(render(id, n + 3LL * count * 10000000), first[size_t(n)]) << id << " " << n;
        const long long top = 2147483647;
        EXPECT_EQ(render(id, top), first[size_t(1 + (top - 1) % count)]) << id;
    }
}
