#include "ccpded.h"
#include "ccpknee.h"
#include "ccppantilt.h"
#include "ccptext.h"
#include "clinereader.h"
#include "readcockpit.h"
#include "recordtest.h"
#include "recordtypes.h"
#include "testdata.h"

#include <gtest/gtest.h>

namespace {

#ifdef VIREO_TEST_QT
using recordtest::At;
#endif
using recordtest::Written;

// The record's own text as the reading constructor sees it after its header line.
template <class T>
std::unique_ptr<T> ReadBody(const std::string& body, int id = 5, CRecordingUI* ui = nullptr)
{
    CLineReader ar(body, nullptr, ui);
    return std::make_unique<T>(id, ar, std::string(), nullptr);
}

using recordtest::CheckTexts;

// A pan and tilt record of keyword read from body, as the reader makes it.
std::unique_ptr<CCPPanTilt> ReadPanTilt(const char* keyword, const std::string& body)
{
    CLineReader ar(body);
    return std::unique_ptr<CCPPanTilt>(
        static_cast<CCPPanTilt*>(ReadRecord(keyword, 5, ar, std::string(), nullptr).release()));
}

} // namespace

TEST(SimpleRecords, DefaultsOfNewAndOfReadRecords)
{
    CCPText text(nullptr);
    text.m_nId = 4;
    const std::string textDefaults = "\n#4 TEXT\n\tcyclebits = 0xffff;\n\tcallbackslot = "
                                     "-1;\n\tnumstrings = 2;\n\tdestloc = 0 0 10 10;\n#end\n";
    EXPECT_EQ(Written(text), textDefaults);
    EXPECT_EQ(Written(*ReadBody<CCPText>("", 4)), textDefaults); // header then end of file

    // A DED read from a file without cyclebits means every bit; a new one only the low 16.
    CCPDed ded(nullptr);
    ded.m_nId = 5;
    EXPECT_EQ(Written(ded),
              "\n#5 DED\n\tcyclebits = 0xffff;\n\tcallbackslot = -1;\n\tcolor0 = 0xff38e0f8;\n"
              "\tdedtype = ded;\n\tdestloc = 0 0 10 10;\n#end\n");
    EXPECT_EQ(Written(*ReadBody<CCPDed>("#end\n")),
              "\n#5 DED\n\tcyclebits = 0xffffffff;\n\tcallbackslot = -1;\n\tcolor0 = 0xff38e0f8;\n"
              "\tdedtype = ded;\n\tdestloc = 0 0 10 10;\n#end\n");

    EXPECT_EQ(Written(*ReadBody<CCPKnee>("#end\n")),
              "\n#5 KNEEVIEW\n\tcyclebits = 0xffff;\n\tdestloc = 0 0 10 10;\n#end\n");
    EXPECT_EQ(Written(*ReadPanTilt("LIFTLINE", "#end\n")),
              "\n#5 LIFTLINE\n\tpantilt = 0 0;\n\tpantiltlabel = 0 0;\n#end\n");
    EXPECT_EQ(Written(*ReadPanTilt("CHEVRON", "#end\n")),
              "\n#5 CHEVRON\n\tpantilt = 0 0;\n\tpantiltlabel = 0 0;\n#end\n");
}

TEST(SimpleRecords, EveryKeyRoundTripsThroughACockpitFile)
{
    // Keys in another case, other separators and value forms than the writer's.
    CReadCockpit c(TestData("text_records_every_key.dat"));
    EXPECT_TRUE(c.ui.m_aBoxes.empty());
    const std::string saved = c.Saved();
    const char* expected[] = {
        "\n// Name: Upfront\r\n#1001 TEXT\n\tcyclebits = 0xff00;\n\tcallbackslot = "
        "12;\n\tnumstrings = 7;\n"
        "\tdestloc = 20 10 40 90;\n#end\n",
        "\n#1002 DED\n\tcyclebits = 0x10;\n\tcallbackslot = 3;\n\tcolor0 = 0xff20a2c8;\n\tdedtype "
        "= pfl;\n"
        "\tdestloc = 1 2 3 4;\n#end\n",
        "\n#1003 KNEEVIEW\n\tcyclebits = 0xabc;\n\tdestloc = 5 6 7 8;\n#end\n",
        "\n#1004 LIFTLINE\n\tpantilt = 1.5 -2;\n\tpantiltlabel = 3 4;\n#end\n",
        "\n#1005 CHEVRON\n\tpantilt = -0.25 1000;\n\tpantiltlabel = -1 5;\n#end\n",
    };
    for (const char* e : expected)
        EXPECT_NE(saved.find(e), std::string::npos) << e << "\nnot in\n" << saved;

    // A second pass writes the same bytes.
    CReadCockpit again(saved);
    EXPECT_EQ(again.Saved(), saved);

    auto* text = dynamic_cast<CCPText*>(c.manager.FindObject(1001));
    ASSERT_TRUE(text);
    EXPECT_EQ(text->m_rcDest, CRect(10, 20, 90, 40));
}

TEST(SimpleRecords, LiftLineLeavesOutAnUnsetPanLabelAndChevronDoesNot)
{
    CCPPanTilt lift(*FindRecordType("LIFTLINE"), nullptr);
    CCPPanTilt chevron(*FindRecordType("CHEVRON"), nullptr);
    lift.m_nId = chevron.m_nId = 9;
    lift.m_fPan = chevron.m_fPan = 0.1f;
    lift.m_fTilt = chevron.m_fTilt = 123456789.0f;
    lift.m_nPanLabel = chevron.m_nPanLabel = -1;
    lift.m_nTiltLabel = chevron.m_nTiltLabel = 5;
    EXPECT_EQ(Written(lift), "\n#9 LIFTLINE\n\tpantilt = 0.1 1.23457e+08;\n#end\n");
    EXPECT_EQ(Written(chevron),
              "\n#9 CHEVRON\n\tpantilt = 0.1 1.23457e+08;\n\tpantiltlabel = -1 5;\n#end\n");

    // Partly scanning values keep what did not scan.
    auto part = ReadPanTilt("LIFTLINE", "pantilt = 2.5, 7\npantiltlabel = 8 x\n#end\n");
    EXPECT_EQ(part->m_fPan, 2.5f);
    EXPECT_EQ(part->m_fTilt, 0.0f);
    EXPECT_EQ(part->m_nPanLabel, 8);
    EXPECT_EQ(part->m_nTiltLabel, 0);
}

TEST(SimpleRecords, BadKeysAndDedTypesAreReportedWithTheirLine)
{
    CReadCockpit c(TestData("text_records_bad_keys.dat")); // line 17
    EXPECT_EQ(c.ui.Texts(), (std::vector<std::string>{
                                "Error in file at line 2,  Text Bad string 'numstring'",
                                "Error in file at line 6,  Bad DED Type 'crt'",
                                "Error in file at line 7,  Bad DED Type ''",
                                "Error in file at line 8,  DED Bad string '//'",
                                "Error in file at line 11,  Kneeview Bad string 'srcloc'",
                                "Error in file at line 14,  LiftLine Bad string 'pan'",
                                "Error in file at line 17,  Chevron Bad string '#7'",
                            }));
    // The bad words left the type as the earlier line set it; reading went on after each.
    auto* ded = dynamic_cast<CCPDed*>(c.manager.FindObject(2));
    ASSERT_TRUE(ded);
    EXPECT_EQ(ded->m_nDedType, 1);
    EXPECT_EQ(c.manager.m_aObjects.size(), 5u);
}

TEST(SimpleRecords, DedCheckReportsEmptyAreaAndSharedIdInQuickAndFullCheck)
{
    CReadCockpit c(TestData("deds_for_check.dat"));
    auto& objs = c.manager.m_aObjects;
    ASSERT_EQ(objs.size(), 4u);
    for (bool full : {false, true}) {
        EXPECT_EQ(CheckTexts(*objs[0], full), std::vector<std::string>{"DED Id 7, Empty dest loc"});
        EXPECT_TRUE(CheckTexts(*objs[1], full).empty());
        EXPECT_EQ(
            CheckTexts(*objs[2], full),
            (std::vector<std::string>{"Object Id 9, is not unique", "DED Id 9, Empty dest loc"}));
    }
    // The record's own size changes move into the check.
    CRect grown(10, 10, 50, 30);
    objs[0]->SetDestRect(&grown);
    EXPECT_TRUE(CheckTexts(*objs[0], false).empty());
}

#ifdef VIREO_TEST_QT // painted through Qt
TEST(SimpleRecords, SelectionFramesTheAreaAndTheDedShowsItsSampleText)
{
    QImage img(60, 40, QImage::Format_RGB32);
    img.fill(QColor(0, 0, 0));
    {
        QPainter p(&img);
        CQtCanvas dc(p);
        CCPText text(nullptr);
        const CRect area(1, 1, 5, 3); // at zoom 1.5: (1, 1, 7, 4), truncated
        text.SetDestRect(&area);
        text.Draw(dc, 1.5f); // nothing when not selected
        text.DrawSelected(dc, 1.5f);
    }
    const Rgb red = 0xff0000;
    EXPECT_EQ(At(img, 1, 1), red);
    EXPECT_EQ(At(img, 6, 3), red);
    EXPECT_EQ(At(img, 3, 2), 0u); // only a frame
    EXPECT_EQ(At(img, 7, 1), 0u);
    EXPECT_EQ(At(img, 1, 4), 0u);

    img.fill(QColor(0, 0, 0));
    CCPDed ded(nullptr);
    ded.m_nColor0 = 0x0000ff00; // alpha plays no part in the text colour
    const CRect area(10, 5, 58, 30);
    ded.SetDestRect(&area);
    Font before;
    before.face = "Sentinel";
    {
        QPainter p(&img);
        CQtCanvas dc(p);
        dc.SelectFont(before);
        ded.DrawSelected(dc, 1.0f);
        EXPECT_EQ(dc.SelectFont(Font()), before);
    }
    EXPECT_EQ(At(img, 10, 5), red);
    int green = 0, minX = 99, minY = 99;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const Rgb px = At(img, x, y);
            // Smoothed glyph edges over black keep the pure green hue.
            if (px != 0 && (px & 0xff00ffu) == 0) {
                ++green;
                minX = std::min(minX, x);
                minY = std::min(minY, y);
            }
        }
    EXPECT_GT(green, 20);
    EXPECT_GE(minX, 12);
    EXPECT_GE(minY, 7);
    EXPECT_LE(minX, 16);
}
#endif
