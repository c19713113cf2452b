// The Panel Map's edit: links between panels.
#include "cvireodoc.h"

#include "ccppanel.h"
#include "panelmap.h"
#include "strformat.h"

bool CVireoDoc::LinkPanels(CCPPanel* from, int direction, CCPPanel* to, bool linkBack)
{
    if (!from || !to || direction < 0 || direction >= kDirections ||
        RefuseWhileStepOpen("Link Panels"))
        return false;
    const int back = OppositeDirection(direction);
    const bool forwardSet = from->m_anAdjPanels[size_t(direction)] == to->m_nId;
    const bool backSet = !linkBack || to->m_anAdjPanels[size_t(back)] == from->m_nId;
    if (forwardSet && backSet)
        return false;
    std::string name =
        StrFormat("Link Panel %d %s to Panel %d", from->m_nId, DirectionName(direction), to->m_nId);
    if (linkBack)
        name += " and Back";
    BeginStep(name, from, from);
    WillChange(*from);
    from->m_anAdjPanels[size_t(direction)] = to->m_nId;
    if (linkBack) {
        WillChange(*to);
        to->m_anAdjPanels[size_t(back)] = from->m_nId;
    }
    EndStep();
    UpdateAllViews(nullptr, Hint::Refresh);
    return true;
}
