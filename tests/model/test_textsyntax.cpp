#include "ccpobject.h"
#include "clinereader.h"
#include "clinewriter.h"
#include "crecordingui.h"
#include "cscanner.h"
#include "ctokencursor.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <vector>

TEST(TokenCursor, KeyAndValueSetsCutAsTheFileSyntaxSays)
{
    CTokenCursor c("\tsrcloc = 10 20 50 80;");
    std::string t;
    ASSERT_TRUE(c.Next(t));
    EXPECT_EQ(t, "srcloc");
    ASSERT_TRUE(c.Next(t, TokenSet::Value));
    EXPECT_EQ(t, "10 20 50 80");
    EXPECT_FALSE(c.Next(t));

    // Any run of separators between key and value, also a doubled blank or commas.
    for (const char* line :
         {"srcloc  = 1 2 3 4;", "srcloc,,1 2 3 4", "SrcLoc=1 2 3 4", "srcloc 1 2 3 4"}) {
        CTokenCursor k(line);
        ASSERT_TRUE(k.Next(t)) << line;
        ASSERT_TRUE(k.Next(t, TokenSet::Value)) << line;
        CRect rc;
        EXPECT_EQ(ScanRect(t, rc), 4) << line;
        EXPECT_EQ(rc, CRect(2, 1, 4, 3)) << line;
    }

    CTokenCursor only("\t;;\t ;");
    EXPECT_FALSE(only.Next(t));
}

TEST(TokenCursor, NumbersReadStraightFromTheLineEqualCutThenScan)
{
    // The quick number reads must give what cutting the token and scanning it gives: the same
    // fields, the same result, the cursor at the same place. Random lines over the characters
    // that matter, with a fixed seed.
    const std::string alphabet = " ,=;\r\t\v\f0123456789+-x";
    unsigned seed = 12345;
    auto next = [&] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7fff; };
    std::vector<std::string> lines = {
        "",      "0000000000000000000007", "2147483648", "-2147483648", "12x 5",
        "\v 12", " = ; \v1 2 3 4",         "1 2;3 4",    "+-5",         "99999999999"};
    for (int i = 0; i < 20000; ++i) {
        std::string line;
        const unsigned length = next() % 24;
        for (unsigned j = 0; j < length; ++j)
            line += alphabet[next() % alphabet.size()];
        lines.push_back(line);
    }
    for (const std::string& line : lines) {
        for (TokenSet set : {TokenSet::Key, TokenSet::Value}) {
            CTokenCursor quick(line), cut(line);
            for (int step = 0; step < 3; ++step) {
                int a = -7, b = -7;
                std::string_view token;
                const bool cutOk = cut.Next(token, set) && ScanInt(token, b);
                EXPECT_EQ(quick.NextInt(a, set), cutOk) << line;
                EXPECT_EQ(a, b) << line;
                EXPECT_EQ(quick.Rest(), cut.Rest()) << line;
            }
        }
        CTokenCursor quick(line), cut(line);
        for (int step = 0; step < 2; ++step) {
            CRect a(-7, -7, -7, -7), b = a;
            std::string_view token;
            const bool cutOk = cut.Next(token, TokenSet::Value);
            if (cutOk)
                ScanRect(token, b);
            EXPECT_EQ(quick.NextRect(a), cutOk) << line;
            EXPECT_EQ(a, b) << line;
            EXPECT_EQ(quick.Rest(), cut.Rest()) << line;
        }
    }
}

TEST(Scanner, NumbersScanLikeFormattedInput)
{
    CRect rc(7, 7, 7, 7);
    EXPECT_EQ(ScanRect("1,2,3,4", rc), 1); // a comma ends the scan: only the top is set
    EXPECT_EQ(rc, CRect(7, 1, 7, 7));

    uint32_t h = 0;
    EXPECT_TRUE(ScanHex("0xffff", h));
    EXPECT_EQ(h, 0xffffu);
    EXPECT_TRUE(ScanHex("ffff", h));
    EXPECT_EQ(h, 0xffffu);
    EXPECT_TRUE(ScanHex("0xFF20A2C8", h));
    EXPECT_EQ(h, 0xff20a2c8u);

    // Numbers that do not fit in 32 bits leave the field alone.
    int v = 5;
    EXPECT_FALSE(ScanInt("2147483648", v));
    EXPECT_FALSE(ScanInt("-2147483649", v));
    EXPECT_FALSE(ScanInt("99999999999999999999", v));
    EXPECT_EQ(v, 5);
    EXPECT_TRUE(ScanInt("-2147483648", v));
    EXPECT_EQ(v, INT32_MIN);
    h = 3;
    EXPECT_FALSE(ScanHex("0x100000000", h));
    EXPECT_EQ(h, 3u);

    EXPECT_TRUE(ScanInt("  -12abc", v));
    EXPECT_EQ(v, -12);
    EXPECT_FALSE(ScanInt("x", v));

    float f = 0;
    EXPECT_TRUE(ScanFloat("-1.5e2", f));
    EXPECT_FLOAT_EQ(f, -150.0f);
    EXPECT_FALSE(ScanFloat("nan", f));
    EXPECT_FALSE(ScanFloat("1e999", f));
    EXPECT_FLOAT_EQ(f, -150.0f);
}

TEST(LineWriter, KeyLinesHaveTheirExactFormats)
{
    CLineWriter w;
    WriteInt(w, "a", -3);
    WriteHex(w, "b", 0xffffu);
    WriteRect(w, "c", CRect(20, 10, 80, 50));
    WriteRect(w, "zero", CRect());
    WriteRectAlways(w, "zero", CRect());
    WritePoint(w, "d", 1, 2);
    WriteFloat(w, "e", 0.1f);
    WriteString(w, "f", "x.gif");
    WriteFlag(w, "g");
    WriteEnd(w);
    EXPECT_EQ(w.Data(),
              "\ta = -3;\n\tb = 0xffff;\n\tc = 10 20 50 80;\n\tzero = 0 0 0 0;\n\td = 1 2;\n"
              "\te = 0.1;\n\tf = x.gif;\n\tg;\n#end\n");

    // Long values are written whole.
    const std::string longName(5000, 'n');
    CLineWriter l;
    WriteString(l, "filename", longName);
    EXPECT_EQ(l.Data(), "\tfilename = " + longName + ";\n");
}

TEST(LineWriter, NumbersMatchPrintfAndLongOutputStaysWhole)
{
    // Files written before must come out the same: "%g", "%d" and "%x" digits, C locale.
    const double values[] = {0.0,        -0.0,  0.1,       1.5,     -2.25,
                             100000.0,   1e6,   1234567.0, 1e-5,    0.000123456789,
                             3.14159265, -1e30, 1e-40,     65535.0, 0.5f * 3.0f};
    for (double v : values) {
        CLineWriter w;
        w.Float(double(float(v)));
        char expected[64];
        std::snprintf(expected, sizeof expected, "%g", double(float(v)));
        EXPECT_EQ(w.Data(), expected) << v;
    }
    for (int v : {0,        7,         9,    10,    42,     99,        100,      999,
                  1000,     4096,      9999, 10000, 10001,  65535,     100000,   1000005,
                  99999999, 100000000, -1,   -9999, -10000, INT32_MAX, INT32_MIN}) {
        CLineWriter w;
        w.Int(v);
        EXPECT_EQ(w.Data(), std::to_string(v));
    }
    CLineWriter n;
    n.Hex(0xdeadbeefu);
    WriteWordAndRect(n, "destloc", "opaque", CRect(-5, 1000, 12345, 0));
    EXPECT_EQ(n.Data(), "deadbeef\tdestloc = opaque 1000 -5 0 12345;\n");

    // Many short pieces across the reserved room and beyond it, then taken whole.
    CLineWriter big;
    big.Reserve(1000);
    std::string expected;
    for (int i = 0; i < 200000; ++i) {
        WritePoint(big, "p", i, -i);
        expected += "\tp = " + std::to_string(i) + " " + std::to_string(-i) + ";\n";
    }
    EXPECT_EQ(big.Data(), expected);
    EXPECT_EQ(big.Take(), expected);
    EXPECT_TRUE(big.Data().empty());
}

TEST(LineReader, ReadsWholeLinesOfAnyLengthAndCountsEveryCall)
{
    const std::string big(3000, 'x');
    int count = 0;
    CLineReader r("a\r\n" + big + "\nlast", &count);
    std::string line;
    ASSERT_TRUE(r.ReadLine(line));
    EXPECT_EQ(line, "a");
    ASSERT_TRUE(r.ReadLine(line));
    EXPECT_EQ(line, big);
    ASSERT_TRUE(r.ReadLine(line));
    EXPECT_EQ(line, "last");
    EXPECT_FALSE(r.ReadLine(line));
    EXPECT_EQ(count, 4);

    // Over text the caller holds: views into it, the same cuts, the last line without LF.
    const std::string text = "#1 LIGHT\r\n\r\n\tstates = 2;\n#end";
    CLineReader v = CLineReader::Over(text);
    std::string_view view;
    std::vector<std::string_view> lines;
    while (v.ReadLine(view))
        lines.push_back(view);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "#1 LIGHT");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "\tstates = 2;");
    EXPECT_EQ(lines[3], "#end");
    EXPECT_EQ(lines[2].data(), text.data() + 12);
}

TEST(LineReader, ReportErrorQuotesTheLineNumber)
{
    CRecordingUI ui;
    int count = 16;
    CLineReader r("numstring = 5;\n", &count, &ui);
    std::string line;
    r.ReadLine(line);
    ReportError(r, "Text Bad string", "numstring");
    ASSERT_EQ(ui.m_aBoxes.size(), 1u);
    EXPECT_EQ(ui.m_aBoxes[0].text, "Error in file at line 17,  Text Bad string 'numstring'");
    EXPECT_EQ(ui.m_aBoxes[0].icon, IUserInterface::Exclamation);

    CLineReader noDoc("x\n", nullptr, &ui);
    ReportError(noDoc, "Adi Bad string", "x");
    EXPECT_EQ(ui.m_aBoxes[1].text, "Error in file at line 0,  Adi Bad string 'x'");
}

TEST(RecordName, GetAndSetNameWorkOnTheCommentLine)
{
    CCPObject o;
    std::string name;
    EXPECT_FALSE(o.GetName(name));
    o.m_strComment = "// first\r\n// Name: Left MFD  \r\n// last\r\n";
    ASSERT_TRUE(o.GetName(name));
    EXPECT_EQ(name, "Left MFD");
    o.SetName("Hud");
    EXPECT_EQ(o.m_strComment, "// first\r\n// Name: Hud\r\n// last\r\n");

    CCPObject empty;
    empty.SetName("Hud");
    EXPECT_EQ(empty.m_strComment, "// Name: Hud\r\n");

    CCPObject noEol;
    noEol.m_strComment = "// Name: dangling";
    ASSERT_TRUE(noEol.GetName(name));
    EXPECT_EQ(name, "");
}

TEST(Geometry, ScaleTruncatesAndDestMovesSourceEdgesOnResize)
{
    CRect rc(3, 3, 7, 7);
    ScaleRect(rc, 1.5f);
    EXPECT_EQ(rc, CRect(4, 4, 10, 10));
    EXPECT_EQ(ScaledRect(CRect(-3, -3, 3, 3), 1.5f), CRect(-4, -4, 4, 4)); // toward zero

    CRect dest(0, 0, 10, 10), src(100, 100, 110, 110);
    SetDestWithSrc(dest, src, 5, 5, 15, 15);
    EXPECT_EQ(dest, CRect(5, 5, 15, 15));
    EXPECT_EQ(src, CRect(100, 100, 110, 110));

    dest = CRect(0, 0, 10, 10);
    SetDestWithSrc(dest, src, 0, 0, 20, 10);
    EXPECT_EQ(src, CRect(100, 100, 120, 110));

    std::vector<CRect> list{CRect(0, 0, 10, 10), CRect(10, 0, 20, 10)};
    dest = CRect(0, 0, 10, 10);
    SetDestWithSrcList(dest, list, -2, 0, 10, 12);
    EXPECT_EQ(list[0], CRect(-2, 0, 10, 12));
    EXPECT_EQ(list[1], CRect(8, 0, 20, 12));
}

TEST(Scanner, FloatsIgnoreTheLocaleAndTinyValuesRoundToZero)
{
    float f = 1;
    EXPECT_TRUE(ScanFloat("1e-60", f));
    EXPECT_EQ(f, 0.0f);
    EXPECT_TRUE(ScanFloat("+2.5", f));
    EXPECT_FLOAT_EQ(f, 2.5f);
    EXPECT_TRUE(ScanFloat("3,5", f)); // a comma ends the number
    EXPECT_FLOAT_EQ(f, 3.0f);
    EXPECT_FALSE(ScanFloat(".", f));
}
