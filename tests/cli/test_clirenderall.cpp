#include "ccliapp.h"
#include "ccliqtpart.h"
#include "testcockpit.h"
#include "testdata.h"

#include <QColor>
#include <QImage>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

namespace {

struct CResult
{
    int code;
    std::string err;
    std::map<std::string, std::string> files; // name: bytes
};

// render --all of the cockpit into the folder of dir, with the given worker count.
CResult RenderAll(const CTempDir& dir, const std::string& cockpit, const std::string& folder,
                  int workers)
{
    std::ostringstream out, err;
    CCliApp app(out, err, LinkedQtPart());
    const int code = app.Run(
        {"render", cockpit, "--all", "-o", dir.File(folder), "--workers", std::to_string(workers)});
    CResult r{code, err.str(), {}};
    for (const auto& entry : std::filesystem::directory_iterator(dir.File(folder)))
        if (entry.is_regular_file())
            r.files[entry.path().filename().string()] =
                dir.Read(folder + "/" + entry.path().filename().string());
    return r;
}

// The template (pieces on the blue key) and the background the many-panel cockpit cuts from.
void WritePictures(const CTempDir& dir)
{
    QImage t(64, 64, QImage::Format_RGB32);
    t.fill(QColor(0, 0, 255));
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 56; ++x)
            if ((x / 3 + y / 5) % 4)
                t.setPixelColor(x, y, QColor(40 * (x % 6), 200 - 3 * y, 120));
    ASSERT_TRUE(t.save(QString::fromStdString(dir.File("tmpl.png"))));
    QImage back(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            back.setPixelColor(x, y, QColor(4 * x, 5 * y, (x * y) % 256));
    ASSERT_TRUE(back.save(QString::fromStdString(dir.File("back.png"))));
}

} // namespace

// Every picture of a parallel run, and every message, as a run of one worker makes them: the
// panels share the template, one background picture and the id look-ups.
TEST(CliRenderAll, WorkersWriteTheBytesAndMessagesOfOneWorker)
{
    CTempDir dir;
    WritePictures(dir);
    // A second panel 300, two empty panels (the same picture), and a picture that cannot be
    // written (a folder holds its name).
    dir.Write("6_many.dat", TestData("render_many_panels.dat") +
                                "\n#300 PANEL\n#end\n#2000 PANEL\n#end\n#2001 PANEL\n#end\n");
    for (const char* folder : {"one", "two", "five"})
        std::filesystem::create_directories(dir.File(std::string(folder) + "/panel-700.png"));

    const CResult one = RenderAll(dir, dir.File("6_many.dat"), "one", 1);
    EXPECT_EQ(one.code, 2);
    ASSERT_EQ(one.files.size(), 13u) << one.err;
    EXPECT_NE(one.err.find("panel-300.png shows that one"), std::string::npos) << one.err;
    EXPECT_NE(one.err.find("cannot write"), std::string::npos) << one.err;
    // The panels differ: the comparison below compares pictures, not blanks.
    EXPECT_NE(one.files.at("panel-100.png"), one.files.at("panel-200.png"));
    const QImage first =
        QImage::fromData(reinterpret_cast<const uchar*>(one.files.at("panel-100.png").data()),
                         int(one.files.at("panel-100.png").size()));
    EXPECT_EQ(first.size(), QSize(640, 480));
    // Panels that paint the same picture get the bytes a render of one panel writes.
    std::ostringstream out, err;
    CCliApp single(out, err, LinkedQtPart());
    ASSERT_EQ(single.Run({"render", dir.File("6_many.dat"), "--panel", "2001", "-o",
                          dir.File("2001.png")}),
              0);
    EXPECT_EQ(one.files.at("panel-2000.png"), dir.Read("2001.png"));
    EXPECT_EQ(one.files.at("panel-2001.png"), dir.Read("2001.png"));

    for (const auto& [folder, workers] : {std::pair{"two", 2}, std::pair{"five", 5}}) {
        const CResult many = RenderAll(dir, dir.File("6_many.dat"), folder, workers);
        EXPECT_EQ(many.code, one.code) << workers;
        std::string err = many.err; // the same messages, about the other folder
        for (size_t at; (at = err.find(std::string("/") + folder + "/")) != std::string::npos;)
            err.replace(at, std::string(folder).size() + 2, "/one/");
        EXPECT_EQ(err, one.err) << workers;
        EXPECT_TRUE(many.files == one.files) << workers << " workers wrote other bytes";
    }

    // The same for the demo cockpit, pictures with transparency and surfaces of its own.
    const CResult demoOne = RenderAll(dir, ExamplePath("10_demo.dat"), "demo-one", 1);
    const CResult demoTwo = RenderAll(dir, ExamplePath("10_demo.dat"), "demo-two", 2);
    EXPECT_EQ(demoOne.code, 0) << demoOne.err;
    EXPECT_EQ(demoOne.files.size(), 4u);
    EXPECT_TRUE(demoOne.files == demoTwo.files);

    // The worker count is a count.
    CCliApp app(out, err, LinkedQtPart());
    EXPECT_EQ(
        app.Run({"render", dir.File("6_many.dat"), "--all", "-o", dir.File("x"), "--workers", "0"}),
        2);
}
