#pragma once

#include "ccheckmessage.h"

class CCPManager;
class CCPObject;
class CCPPanel;
class CVireoDoc;

// Where the record a check message names is now: the record and the panel that shows it.
// Messages are kept after the check that made them while the cockpit is edited, so the record
// is looked up again by its type and id rather than trusted by address.
struct CRecordPlace
{
    enum Status
    {
        NoRecord,  // the message names no record
        Gone,      // no record of that type and id any more
        OnNoPanel, // an object or button view that no panel shows
        Found
    };

    Status m_nStatus = NoRecord;
    CCPObject* m_pRecord = nullptr;
    CCPPanel* m_pPanel = nullptr; // null for the manager, buttons and sounds

    // Among records sharing type and id, the one the message was made for is preferred (its
    // address is compared, never followed). A record several panels show is found on current
    // when current shows it, else on the first panel that does.
    static CRecordPlace Find(CCPManager& manager, const CCheckMessage& message, CCPPanel* current);

    // Makes the record the document's current record and its panel the current panel, as a
    // click in the tree does. False, changing nothing, unless the record was found.
    bool Select(CVireoDoc& doc) const;
};
