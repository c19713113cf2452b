#include "ccockpitreader.h"
#include "ccpmanager.h"
#include "clinewriter.h"
#include "crecordingui.h"
#include "testdata.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// What a save of the cockpit writes, kept whole.
std::string Stored(CCPManager& m)
{
    CLineWriter out;
    m.Serialize(out);
    return out.Take();
}

} // namespace

// A save handed out in small pieces as it is written (format to standard output) gives the
// bytes of a save kept whole; a sink that fails is not fed again.
TEST(StreamedSave, PiecesAddUpToTheWholeSaveAndAFailedSinkGetsNoMore)
{
    CRecordingUI ui;
    CCPManager m;
    m.SetUserInterface(&ui);
    const std::string text = TestData("render_many_panels.dat") + TestData("unknown_records.dat");
    CCockpitReader(m, &ui).Read(text);
    const std::string whole = Stored(m);
    ASSERT_GT(whole.size(), 5000u);

    for (size_t chunk : {size_t(16), size_t(100), size_t(4096), whole.size() * 2}) {
        std::string pieced;
        size_t pieces = 0, largest = 0;
        CLineWriter out;
        out.SetSink(
            [&](std::string_view bytes) {
                pieced += bytes;
                ++pieces;
                largest = std::max(largest, bytes.size());
                return true;
            },
            chunk);
        m.Serialize(out);
        EXPECT_TRUE(out.Flush());
        EXPECT_EQ(pieced, whole) << chunk;
        if (chunk < whole.size()) {
            EXPECT_GE(pieces, whole.size() / (chunk + 300)) << chunk;
            // A piece outgrows the chunk only by the one write that did not fit: a line.
            EXPECT_LT(largest, chunk + 300) << chunk;
        }
    }

    size_t calls = 0;
    CLineWriter refused;
    refused.SetSink(
        [&](std::string_view) {
            ++calls;
            return false;
        },
        64);
    m.Serialize(refused);
    EXPECT_FALSE(refused.Flush());
    EXPECT_EQ(calls, 1u);
}
