// The id look-up of the record lists: first position and count per id, through growth.
#include "cidtable.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <random>

TEST(IdTable, KeepsTheFirstPositionAndTheCountOfEveryIdThroughGrowth)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> anyId(INT_MIN, INT_MAX);
    std::vector<int> ids = {0, -1, INT_MIN, INT_MAX, 1, 2, 3};
    for (int i = 0; i < 5000; ++i)
        ids.push_back(i % 3 ? anyId(random) : int(i / 3)); // repeats and neighbours too
    for (int i = 0; i < 300; ++i)
        ids.push_back(ids[size_t(i) * 7]);

    CIdTable table; // grown from nothing, no reserve
    std::map<int, std::pair<size_t, uint32_t>> expected;
    for (size_t pos = 0; pos < ids.size(); ++pos) {
        ++table.Add(ids[pos], pos).count;
        auto [it, fresh] = expected.try_emplace(ids[pos], pos, 0);
        ++it->second.second;
    }
    for (const auto& [id, want] : expected) {
        const CIdTable::CEntry* e = table.Find(id);
        ASSERT_NE(e, nullptr) << id;
        EXPECT_EQ(e->first, want.first) << id;
        EXPECT_EQ(e->count, want.second) << id;
    }
    int missing = 0;
    for (int i = 0; i < 2000; ++i) {
        const int id = anyId(random);
        if (!expected.count(id))
            missing += table.Find(id) == nullptr;
        else
            ++missing;
    }
    EXPECT_EQ(missing, 2000);

    table.Clear();
    EXPECT_EQ(table.Find(0), nullptr);
    table.Reserve(10);
    ++table.Add(5, 9).count;
    ASSERT_NE(table.Find(5), nullptr);
    EXPECT_EQ(table.Find(5)->first, 9u);
}
