#include "crecordplace.h"

#include "ccpbutton.h"
#include "ccpbuttonview.h"
#include "ccpmanager.h"
#include "ccppanel.h"
#include "ccpsound.h"
#include "ccpsurface.h"
#include "ccpsurfaceref.h"
#include "cvireodoc.h"
#include "strformat.h"

#include <algorithm>

namespace {

template <class List>
CCPObject* Pick(const List& records, const CCheckMessage& message, bool matchType)
{
    CCPObject* first = nullptr;
    for (const auto& r : records) {
        if (r->m_nId != message.m_nId ||
            (matchType && !EqualsNoCase(r->GetTypeName(), message.m_strType)))
            continue;
        if (r.get() == message.m_pObject)
            return r.get();
        if (!first)
            first = r.get();
    }
    return first;
}

bool Lists(const std::vector<int>& ids, int id)
{
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

// The panel whose list (objects or button views) holds id, current first.
CCPPanel* Showing(const CCPManager& m, CCPPanel* current, std::vector<int> CCPPanel::*list, int id)
{
    if (current && Lists(current->*list, id))
        return current;
    for (const auto& p : m.m_aPanels)
        if (Lists(p.get()->*list, id))
            return p.get();
    return nullptr;
}

CRecordPlace Place(CCPObject* record, CCPPanel* panel, bool needsPanel)
{
    CRecordPlace place;
    place.m_pRecord = record;
    place.m_pPanel = panel;
    if (!record)
        place.m_nStatus = CRecordPlace::Gone;
    else if (needsPanel && !panel)
        place.m_nStatus = CRecordPlace::OnNoPanel;
    else
        place.m_nStatus = CRecordPlace::Found;
    return place;
}

} // namespace

CRecordPlace CRecordPlace::Find(CCPManager& m, const CCheckMessage& message, CCPPanel* current)
{
    const std::string& type = message.m_strType;
    if (type.empty())
        return CRecordPlace();
    if (EqualsNoCase(type, "MANAGER"))
        return Place(&m, nullptr, false);
    if (EqualsNoCase(type, "PANEL")) {
        auto* panel = static_cast<CCPPanel*>(Pick(m.m_aPanels, message, false));
        return Place(panel, panel, false);
    }
    if (EqualsNoCase(type, "BUTTON"))
        return Place(Pick(m.m_aButtons, message, false), nullptr, false);
    if (EqualsNoCase(type, "SOUND"))
        return Place(Pick(m.m_aSounds, message, false), nullptr, false);
    if (EqualsNoCase(type, "BUTTONVIEW")) {
        CCPObject* view = Pick(m.m_aButtonViews, message, false);
        return Place(view,
                     view ? Showing(m, current, &CCPPanel::m_anButtonViews, view->m_nId) : nullptr,
                     true);
    }
    if (EqualsNoCase(type, "SURFACE")) {
        // A SURFACE record is shown as the panel's entry that uses it.
        CCPObject* surface = Pick(m.m_aSurfaces, message, false);
        if (!surface)
            return Place(nullptr, nullptr, true);
        for (const auto& p : m.m_aPanels)
            for (const auto& ref : p->m_aSurfaces)
                if (ref->GetSurface() == surface)
                    return Place(ref.get(), p.get(), true);
        return Place(surface, nullptr, true);
    }
    if (EqualsNoCase(type, "BUFFER"))
        return CRecordPlace(); // nothing shows a picture file by itself
    CCPObject* object = Pick(m.m_aObjects, message, true);
    return Place(object,
                 object ? Showing(m, current, &CCPPanel::m_anObjects, object->m_nId) : nullptr,
                 true);
}

bool CRecordPlace::Select(CVireoDoc& doc) const
{
    if (m_nStatus != Found)
        return false;
    if (m_pPanel)
        doc.SetCurrentPanel(m_pPanel);
    doc.SetCurrentObject(m_pRecord);
    return true;
}
