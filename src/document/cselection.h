#pragma once

#include <cstddef>
#include <unordered_set>
#include <vector>

class CCPObject;

// The records picked on the current panel, in the order they were picked; a lookup by record is
// constant time, so a rubber band over thousands of records stays quick.
class CSelection
{
public:
    bool Contains(const CCPObject* record) const { return m_set.count(record) != 0; }
    const std::vector<CCPObject*>& Records() const { return m_aRecords; }
    size_t Count() const { return m_aRecords.size(); }
    bool Empty() const { return m_aRecords.empty(); }
    void Clear();
    // False for null or a record already picked.
    bool Add(CCPObject* record);
    bool Remove(const CCPObject* record);
    // Keeps the records keep(record) holds true for, in their order.
    template <class Keep> void KeepIf(Keep keep)
    {
        std::vector<CCPObject*> kept;
        kept.reserve(m_aRecords.size());
        for (CCPObject* r : m_aRecords)
            if (keep(r))
                kept.push_back(r);
            else
                m_set.erase(r);
        m_aRecords = std::move(kept);
    }

private:
    std::vector<CCPObject*> m_aRecords;
    std::unordered_set<const CCPObject*> m_set;
};
