#include "ccpmachasi.h"
#include "recordtest.h"

#include <gtest/gtest.h>

using namespace recordtest;

TEST(MachAsi, NewRecordWritesItsDefaultsAndAReadOneHasAllCycleBits)
{
    CFixture f;
    CCPMachAsi fresh(&f.manager);
    fresh.m_nId = 2;
    EXPECT_EQ(Written(fresh),
              "\n#2 MACHASI\n\tcyclebits = 0xff;\n\tdestloc = transparent 0 0 10 10;\n"
              "\tcolor0 = 0xff000000;\n\tcolor1 = 0xff000000;\n\tendangle = 1;\n\tendlength = 1;\n"
              "\tcallbackslot = -1;\n\tminval = 0;\n\tmaxval = 1;\n\tstartangle = 0;\n"
              "\tarclength = 1;\n\tneedleradius = 1;\n\tpersistant = 0;\n#end\n");
    EXPECT_EQ(f.Read<CCPMachAsi>("#end\n")->m_nCycleBits, 0xffffffffu);
}

TEST(MachAsi, EveryKeySurvivesAReadAndWrite)
{
    CFixture f;
    const std::string full =
        "\n#21 MACHASI\n\tcyclebits = 0xabc;\n\tdestloc = opaque 10 20 110 120;\n"
        "\tcolor0 = 0xff102030;\n\tcolor1 = 0x0;\n\tendangle = -2.5;\n\tendlength = 0.75;\n"
        "\tcallbackslot = 17;\n\tminval = 0.1;\n\tmaxval = 1e+06;\n\tstartangle = 3.14159;\n"
        "\tarclength = 270;\n\tneedleradius = 45;\n\tpersistant = 0;\n\tbsurface = 6;\n"
        "\tbsrcloc = 1 2 3 4;\n\tbdestloc = 5 6 7 8;\n#end\n";
    auto mach = f.Read<CCPMachAsi>(Body(full), 21);
    EXPECT_TRUE(f.ui.m_aBoxes.empty());
    EXPECT_EQ(Written(*mach), full);
    EXPECT_EQ(mach->m_rcDest, CRect(20, 10, 120, 110));
}

TEST(MachAsi, BadLinesAndThePersistentLine)
{
    CFixture f;
    auto mach = f.Read<CCPMachAsi>("bsurface = 3;\nbsrcloc = 1 1 5 5;\nbdestloc = 2 2 6 6;\n"
                                   "persistant = 0;\ndestloc = shiny 1 2 3 4;\nneedle = 4;\n");
    EXPECT_EQ(mach->m_background.m_nSurface, -1);
    EXPECT_TRUE(mach->m_background.m_rcSrc.IsRectNull());
    EXPECT_TRUE(mach->m_background.m_rcDest.IsRectNull());
    EXPECT_EQ(mach->m_rcDest, CRect(2, 1, 4, 3));
    EXPECT_TRUE(mach->m_bTransparent);
    EXPECT_EQ(f.ui.Texts(),
              (std::vector<std::string>{
                  "Error in file at line 6,  MachAsi Bad transparency 'shiny 1 2 3 4'",
                  "Error in file at line 7,  MachASI Bad string 'needle'"}));
}

#ifdef VIREO_TEST_QT // painted through Qt
TEST(MachAsi, PreviewIsOnlyTheSelectionFrame)
{
    CFixture f;
    f.manager.m_bmpTemplate = PositionPicture(32, 32);
    CCPMachAsi mach(&f.manager);
    const CRect place(4, 4, 12, 10);
    mach.SetDestRect(&place);
    CRect rc;
    EXPECT_FALSE(mach.GetSrcRect(&rc));
    QImage img = Paint(32, 32, [&](Canvas& dc) { mach.Draw(dc, 2.0f); });
    EXPECT_EQ(Count(img, kBackground), 32 * 32);
    img = Paint(32, 32, [&](Canvas& dc) { mach.DrawSelected(dc, 2.0f); });
    EXPECT_EQ(At(img, 23, 19), 0xff0000u);
    EXPECT_EQ(Count(img, 0xff0000u), 2 * 16 + 2 * 10);
}
#endif
