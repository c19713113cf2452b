#include "cselection.h"

#include <algorithm>

void CSelection::Clear()
{
    m_aRecords.clear();
    m_set.clear();
}

bool CSelection::Add(CCPObject* record)
{
    if (!record || !m_set.insert(record).second)
        return false;
    m_aRecords.push_back(record);
    return true;
}

bool CSelection::Remove(const CCPObject* record)
{
    if (!m_set.erase(record))
        return false;
    m_aRecords.erase(std::find(m_aRecords.begin(), m_aRecords.end(), record));
    return true;
}
