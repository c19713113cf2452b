#pragma once

#include <string>
#include <vector>

class CCPObject;

// One problem found by a check: the text shown and the record it is about (not owned). The
// record is also named by its file keyword ("PANEL", "LIGHT", "MANAGER", ...) and id, which
// stay meaningful after the record itself has been edited away; an empty type names no record.
struct CCheckMessage
{
    std::string m_strMessage;
    CCPObject* m_pObject = nullptr;
    std::string m_strType;
    int m_nId = 0;
};

using CCheckMessageArray = std::vector<CCheckMessage>;
