#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Id -> where the first record with that id is in a list, and how many records have it. One
// array of 12-byte count, found by the id's hash and the count after it: a third of the memory
// a map of nodes takes, which on a large cockpit is a good part of what a check holds.
class CIdTable
{
public:
    struct CEntry
    {
        int id = 0;
        uint32_t first = 0; // position in the list
        uint32_t count = 0; // 0: the slot is free
    };

    void Clear()
    {
        m_aSlots.clear();
        m_aSlots.shrink_to_fit();
        m_nUsed = 0;
    }

    // Room for n ids without growing.
    void Reserve(size_t n)
    {
        size_t size = 16;
        while (size * 4 < n * 5)
            size *= 2;
        if (size > m_aSlots.size())
            Rehash(size);
    }

    // The entry of id; a new one (count 0) starts at position first.
    CEntry& Add(int id, size_t first)
    {
        if ((m_nUsed + 1) * 5 > m_aSlots.size() * 4)
            Rehash(m_aSlots.empty() ? 16 : m_aSlots.size() * 2);
        CEntry& e = m_aSlots[SlotOf(id)];
        if (e.count == 0) {
            e.id = id;
            e.first = uint32_t(first);
            ++m_nUsed;
        }
        return e;
    }

    const CEntry* Find(int id) const
    {
        if (m_aSlots.empty())
            return nullptr;
        const CEntry& e = m_aSlots[SlotOf(id)];
        return e.count ? &e : nullptr;
    }

private:
    // The slot that holds id, or the free one where it would go.
    size_t SlotOf(int id) const
    {
        const size_t mask = m_aSlots.size() - 1;
        size_t i = size_t(uint32_t(id) * 0x9e3779b1u) & mask;
        while (m_aSlots[i].count && m_aSlots[i].id != id)
            i = (i + 1) & mask;
        return i;
    }

    void Rehash(size_t size)
    {
        std::vector<CEntry> old(size);
        old.swap(m_aSlots);
        for (const CEntry& e : old)
            if (e.count)
                m_aSlots[SlotOf(e.id)] = e;
    }

    std::vector<CEntry> m_aSlots; // a power of two of them, at most four fifths used
    size_t m_nUsed = 0;
};
