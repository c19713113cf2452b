// vireo-cli loads Qt only when a command needs it: render, map, or a picture that only Qt's
// readers can vouch for. Run as the installed program, with the Qt part there or missing.
#include "testcockpit.h"
#include "testdata.h"

#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include <sys/wait.h>

namespace {

struct CRun
{
    int code;
    std::string out, err;
};

// The program with these arguments; qtPart names the Qt part's file (empty: the one built
// beside it).
CRun Program(CTempDir& dir, const std::string& args, const std::string& qtPart = std::string())
{
    const std::string env = qtPart.empty() ? std::string() : "VIREO_CLI_QT_MODULE=" + qtPart + " ";
    const std::string cmd =
        env + CliProgram() + " " + args + " >" + dir.File("run.out") + " 2>" + dir.File("run.err");
    const int status = std::system(cmd.c_str());
    return {WEXITSTATUS(status), dir.Read("run.out"), dir.Read("run.err")};
}

std::string Encoded(const char* format)
{
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer device(&bytes);
    device.open(QIODevice::WriteOnly);
    image.save(&device, format);
    return std::string(bytes.constData(), size_t(bytes.size()));
}

const char* const kNoQt = "/nonexistent/libvireo-cli-qt.so";

} // namespace

TEST(CliQtPart, FormatAndCheckReadWholePngPicturesWithoutQt)
{
    CTempDir dir;
    dir.Write("c.dat", TestData("pictures_any_format.dat"));
    dir.Write("tmpl.pic", Encoded("PNG"));
    const CRun withQt = Program(dir, "format " + dir.File("c.dat") + " -o -");
    EXPECT_EQ(withQt.code, 0);
    EXPECT_EQ(withQt.err, "");
    const CRun format = Program(dir, "format " + dir.File("c.dat") + " -o -", kNoQt);
    EXPECT_EQ(format.code, 0);
    EXPECT_EQ(format.err, "");
    EXPECT_EQ(format.out, withQt.out);
    const CRun check = Program(dir, "check --full " + dir.File("c.dat"), kNoQt);
    EXPECT_EQ(check.err, "");
    EXPECT_EQ(check.out, Program(dir, "check --full " + dir.File("c.dat")).out);
}

TEST(CliQtPart, OtherPicturesGoToQtAndAreOnlyLookedForWithoutIt)
{
    CTempDir dir;
    dir.Write("c.dat", TestData("pictures_any_format.dat"));
    dir.Write("tmpl.pic", Encoded("BMP"));
    const std::string format = "format " + dir.File("c.dat") + " -o " + dir.File("out.dat");
    const CRun withQt = Program(dir, format);
    EXPECT_EQ(withQt.code, 0);
    EXPECT_EQ(withQt.err, "");
    const std::string written = dir.Read("out.dat");

    // Without the Qt part the picture counts as there; the run says once why it is not read.
    const CRun without = Program(dir, format, kNoQt);
    EXPECT_EQ(without.code, 0);
    EXPECT_EQ(without.err, std::string("vireo-cli: pictures other than whole PNG and GIF files "
                                       "are only looked for, not read: cannot load ") +
                               kNoQt + " (" + kNoQt +
                               ": cannot open shared object file: No such file or directory)\n");
    EXPECT_EQ(dir.Read("out.dat"), written);

    // A damaged PNG is Qt's to judge, as the editor judges it.
    dir.Write("tmpl.pic", std::string("\x89PNG\r\n\x1a\n", 8) + std::string(200, 'x'));
    const CRun damaged = Program(dir, format);
    EXPECT_EQ(damaged.code, 0);
    EXPECT_EQ(damaged.err, dir.File("tmpl.pic") +
                               ": I cannot read this file. This is not a valid image file, or its "
                               "format is not currently supported.\n");
    // A missing one needs no reader at all.
    std::remove(dir.File("tmpl.pic").c_str());
    const CRun missing = Program(dir, format, kNoQt);
    EXPECT_EQ(missing.err,
              dir.File("tmpl.pic") + ": I cannot read this file. The file was not found.\n");
}

TEST(CliQtPart, RenderAndMapWithoutTheQtPartSayWhyAndExitTwo)
{
    CTempDir dir;
    dir.Write("c.dat", TestData("pictures_any_format.dat"));
    const CRun render =
        Program(dir, "render " + dir.File("c.dat") + " --panel 100 -o " + dir.File("p.png"), kNoQt);
    EXPECT_EQ(render.code, 2);
    EXPECT_EQ(render.err.rfind(std::string("vireo-cli: render needs Qt: cannot load ") + kNoQt, 0),
              0u)
        << render.err;
    const CRun map = Program(dir, "map " + dir.File("c.dat") + " -o " + dir.File("m.png"), kNoQt);
    EXPECT_EQ(map.code, 2);
    EXPECT_NE(map.err.find("map needs Qt"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.File("p.png")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("m.png")));

    // With it, both paint.
    EXPECT_EQ(
        Program(dir, "render " + dir.File("c.dat") + " --panel 100 -o " + dir.File("p.png")).code,
        0);
    EXPECT_TRUE(std::filesystem::exists(dir.File("p.png")));
}
