#include "readcockpit.h"
#include "testdata.h"

#include <gtest/gtest.h>

// A copy taken a slice at a time between other work is the saved text, byte for byte.
TEST(SerializeSlices, GiveTheSavedBytesWhateverTheSliceSize)
{
    for (const char* fixture :
         {"surfaces_buffers_order.dat", "unknown_records.dat", "map_compass.dat", "clean.dat"}) {
        CReadCockpit c(TestData(fixture));
        const std::string saved = c.Saved();
        for (size_t slice : {size_t(1), size_t(2), size_t(7), size_t(1000)}) {
            CLineWriter w;
            CCPManager::SerializePosition pos;
            int calls = 1;
            while (!c.manager.SerializeSome(w, pos, slice))
                ++calls;
            EXPECT_EQ(w.Take(), saved) << fixture << " in slices of " << slice;
            if (slice == 1) { // the manager's record, then one record a call
                const CCPManager& m = c.manager;
                EXPECT_EQ(size_t(calls), 1 + m.m_aSounds.size() + m.m_aButtons.size() +
                                             m.m_aObjects.size() + m.m_aButtonViews.size() +
                                             m.m_aPanels.size() + m.m_aSurfaces.size())
                    << fixture;
            }
        }
        // Asked for nothing, it writes nothing.
        CLineWriter none;
        CCPManager::SerializePosition start;
        EXPECT_FALSE(c.manager.SerializeSome(none, start, 0));
        EXPECT_EQ(none.Take(), "");
    }
}
