#pragma once

#include "ccpbuttonview.h"
#include "ccppanel.h"
#include "cvireodoc.h"

// Edit number i of a burst over the demo cockpit: moves, renames of objects and of button views, an
// undo and a redo in turn, each one entry of the recovery journal. Shared by the editor that is
// killed in the middle of a burst and by the test that makes the same edits without a crash.
inline void BurstEdit(CVireoDoc& doc, int i)
{
    CCPManager& m = doc.m_manager;
    CCPObject* record = m.m_aObjects[static_cast<size_t>(i / 5) % m.m_aObjects.size()].get();
    CRect rc;
    switch (i % 5) {
    case 0:
        // Some records have no place on the panel; the next one that has is moved.
        for (size_t k = 0; !record->GetDestRect(&rc); ++k)
            record = m.m_aObjects[(static_cast<size_t>(i / 5) + k) % m.m_aObjects.size()].get();
        rc.OffsetRect(1, 2);
        doc.SetRecordDestRect(record, rc);
        break;
    case 1:
        doc.RenameRecord(record, "burst " + std::to_string(i));
        break;
    case 2:
        doc.RenameRecord(m.m_aButtonViews[static_cast<size_t>(i) % m.m_aButtonViews.size()].get(),
                         "burst view " + std::to_string(i));
        break;
    case 3:
        doc.Undo();
        break;
    default:
        doc.Redo();
        break;
    }
}
