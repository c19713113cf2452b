#pragma once

#include <string>
#include <vector>

class CCPObject;

// One problem found by a check: the text shown and the record it is about (not owned).
struct CCheckMessage
{
    std::string m_strMessage;
    CCPObject* m_pObject = nullptr;
};

using CCheckMessageArray = std::vector<CCheckMessage>;
