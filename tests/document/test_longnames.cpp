// Lines of megabytes that records keep as text (file names, an unknown record's lines) are
// copied while the load gives the text back behind them: the bytes stay whole, and a name no
// file can have is neither looked for nor quoted whole.
#include "ccpbuffer.h"
#include "ccpmanager.h"
#include "testcockpit.h"
#include "testdata.h"

#include <gtest/gtest.h>

namespace {

// Past the megabyte the load gives back at a time, and past any file name a system takes.
std::string Long(char c)
{
    return std::string((size_t(1) << 20) + 4097, c);
}

std::string Filled()
{
    std::string text = TestData("long_names.dat");
    const std::pair<std::string, std::string> words[] = {{"@TEMPLATE@", Long('t')},
                                                         {"@SHARED_OTHER_CASE@", Long('S')},
                                                         {"@SHARED@", Long('s')},
                                                         {"@OTHER@", Long('o')},
                                                         {"@UNKNOWN@", Long('u')}};
    for (const auto& [word, name] : words)
        for (size_t at; (at = text.find(word)) != std::string::npos;)
            text.replace(at, word.size(), name);
    return text;
}

} // namespace

TEST(LongNames, ReadWhileTheTextIsGivenBackTheyStayWhole)
{
    CTempDir dir;
    dir.Write("c.dat", Filled());
    CTestCockpit opened; // opened from the file: the text goes back behind the load
    ASSERT_TRUE(opened.doc.OnOpenDocument(dir.File("c.dat")));
    const std::string saved = opened.Saved();
    EXPECT_EQ(saved, CTestCockpit(Filled()).Saved());
    for (const char c : {'t', 's', 'S', 'o', 'u'})
        EXPECT_NE(saved.find(Long(c)), std::string::npos) << c;
    // One BUFFER before the surfaces of one name (letter case aside), one for the other.
    size_t buffers = 0;
    for (size_t at = 0; (at = saved.find(" BUFFER\n", at)) != std::string::npos; ++at)
        ++buffers;
    EXPECT_EQ(buffers, 2u);

    // Saved again, the same bytes.
    dir.Write("again.dat", saved);
    CTestCockpit again;
    ASSERT_TRUE(again.doc.OnOpenDocument(dir.File("again.dat")));
    EXPECT_EQ(again.Saved(), saved);

    // The template is not looked for, and the message quotes its name cut short.
    ASSERT_EQ(opened.ui.m_aBoxes.size(), 1u);
    const std::string& message = opened.ui.m_aBoxes[0].text;
    EXPECT_LT(message.size(), 1000u);
    EXPECT_EQ(message.rfind(std::string(200, 't') + "...\n", 0), 0u);
    EXPECT_NE(message.find("The file was not found."), std::string::npos);
    // Nor are the buffers' pictures, and a refresh finds nothing to read again.
    CCPBuffer* buffer = opened.doc.m_manager.m_aBuffers.at(0).get();
    EXPECT_TRUE(buffer->PathIsCurrent());
    EXPECT_EQ(buffer->GetPicture(), nullptr);
    EXPECT_TRUE(buffer->m_strPath.empty());
}
