#include "clirun.h"
#include "panelmappaint.h"
#include "testcockpit.h"
#include "testdata.h"

#include <QImage>
#include <gtest/gtest.h>

TEST(CliMap, WritesTheMapAndListsTheRedLinks)
{
    CTempDir dir;
    // 8_: an 800 x 600 screen, so each picture is 160 x 120.
    dir.Write("8_map.dat", TestData("map_compass.dat"));
    const CRun r = Cli({"map", dir.File("8_map.dat"), "-o", dir.File("map.png")});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Panel 4 links north to panel 3, which does not link back south.\n"
                     "Panel 6 links south to panel 99, which does not exist.\n"
                     "Panel 20 links north to panel 1, which does not link back south.\n");
    const QImage map(QString::fromStdString(dir.File("map.png")));
    ASSERT_FALSE(map.isNull());
    // Four columns (west of 1 to east of 10) and four rows (the linked three and the row of
    // the unreachable panels), each picture with its label above and gaps between.
    using G = CPanelMapGeometry;
    EXPECT_EQ(map.width(), 2 * G::kMargin + 4 * G::kThumbWidth + 3 * G::kGap);
    EXPECT_EQ(map.height(), 2 * G::kMargin + 4 * (G::kLabel + 120) + 3 * G::kGap);
    // The dangling link of 6 (second column, third row) is a red stub below its picture.
    const int x = G::kMargin + (G::kThumbWidth + G::kGap) + G::kThumbWidth / 2;
    const int y = G::kMargin + 3 * (G::kLabel + 120) + 2 * G::kGap + G::kGap / 4;
    const QColor stub = map.pixelColor(x, y);
    EXPECT_GT(stub.red(), 180);
    EXPECT_LT(stub.green(), 80);

    // A cockpit without red links prints nothing.
    dir.Write("three.dat", TestData("map_three_panels.dat"));
    const CRun clean = Cli({"map", dir.File("three.dat"), "-o", dir.File("three.png")});
    EXPECT_EQ(clean.code, 0) << clean.err;
    EXPECT_EQ(clean.out, "");
}

TEST(CliMap, BadArgumentsAndUnreadableInputExitTwo)
{
    CTempDir dir;
    dir.Write("c.dat", TestData("map_three_panels.dat"));
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"map"},
          {"map", dir.File("c.dat")},
          {"map", "-o", dir.File("m.png")},
          {"map", dir.File("c.dat"), "-o"},
          {"map", dir.File("c.dat"), "--zoom", "2", "-o", dir.File("m.png")}}) {
        const CRun r = Cli(args);
        EXPECT_EQ(r.code, 2) << args.size();
        EXPECT_NE(r.err.find("vireo-cli --help"), std::string::npos);
    }
    const CRun missing = Cli({"map", dir.File("none.dat"), "-o", dir.File("m.png")});
    EXPECT_EQ(missing.code, 2);
    EXPECT_NE(missing.err.find("cannot read"), std::string::npos);
    const CRun badOut = Cli({"map", dir.File("c.dat"), "-o", dir.File("no/such/m.png")});
    EXPECT_EQ(badOut.code, 2);
    EXPECT_NE(badOut.err.find("cannot write"), std::string::npos);
    EXPECT_EQ(dir.Names(), std::set<std::string>{"c.dat"});
    EXPECT_NE(Cli({"--help"}).out.find("map INPUT -o MAP.png"), std::string::npos);
}
