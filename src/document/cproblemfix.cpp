#include "cproblemfix.h"

#include "ccpadi.h"
#include "ccpbutton.h"
#include "ccpbuttonview.h"
#include "ccpdial.h"
#include "ccplight.h"
#include "ccppanel.h"
#include "ccpsurfaceref.h"
#include "crecordplace.h"
#include "cvireodoc.h"
#include "screenbounds.h"
#include "strformat.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace {

// Where the panel's pictures begin: the highest top of its surfaces that span the screen's
// width (below that line the panel covers everything), else of any of its surfaces; 0 when it
// has none.
int PicturesTop(const CCPPanel& panel, int screenWidth)
{
    int spanning = INT_MAX, any = INT_MAX;
    for (const auto& ref : panel.m_aSurfaces) {
        const CRect& rc = ref->m_rcDest;
        any = std::min(any, rc.top);
        if (rc.left <= 0 && rc.right >= screenWidth)
            spanning = std::min(spanning, rc.top);
    }
    const int top = spanning != INT_MAX ? spanning : any;
    return top == INT_MAX ? 0 : top;
}

bool SameSize(const CRect& a, const CRect& b)
{
    return a.Width() == b.Width() && a.Height() == b.Height();
}

bool AllSameSize(const std::vector<CRect>& srcs, const CRect& dest)
{
    return std::all_of(srcs.begin(), srcs.end(),
                       [&dest](const CRect& rc) { return SameSize(rc, dest); });
}

// True while record's sources and destination still differ in size.
bool SizesDiffer(const CCPObject& record)
{
    switch (record.GetTypeCode()) {
    case kLightType: {
        const auto& light = static_cast<const CCPLight&>(record);
        return !AllSameSize(light.m_arcSrc, light.m_rcDest);
    }
    case kButtonViewType: {
        const auto& view = static_cast<const CCPButtonView&>(record);
        return !AllSameSize(view.m_arcSrc, view.m_rcDest);
    }
    case kAdiType: {
        const auto& adi = static_cast<const CCPAdi&>(record);
        return !SameSize(adi.m_rcSrc, adi.m_rcDest);
    }
    case kDialType: {
        const auto& dial = static_cast<const CCPDial&>(record);
        return !SameSize(dial.m_rcSrc, dial.m_rcDest);
    }
    default:
        return false;
    }
}

bool NamesMissingNeighbour(const CCPManager& m, const CCPPanel& panel)
{
    return std::any_of(panel.m_anAdjPanels.begin(), panel.m_anAdjPanels.end(),
                       [&m](int adj) { return adj != -1 && !m.FindPanel(adj); });
}

} // namespace

CProblemFix::CProblemFix(Action action, std::string name, CCPObject* record, CCPPanel* panel,
                         int value, int count)
    : m_nAction(action), m_strName(std::move(name)), m_pRecord(record), m_pPanel(panel),
      m_nValue(value), m_nCount(count)
{
}

CProblemFix CProblemFix::For(CVireoDoc& doc, const CCheckMessage& message)
{
    CCPManager& m = doc.m_manager;
    const auto missingButton = [&m](int id, int states) {
        return m.FindButton(id)
                   ? CProblemFix()
                   : CProblemFix(AddButton, "Add the missing button", nullptr, nullptr, id, states);
    };
    switch (message.m_nKind) {
    case CheckKind::NoIcpPrimaryButton:
        return missingButton(kIcpPrimaryButton, 1);
    case CheckKind::NoIcpTertiaryButton:
        return missingButton(kIcpTertiaryButton, 1);
    default:
        break;
    }

    const CRecordPlace place = CRecordPlace::Find(m, message, doc.m_pCurrentPanel);
    CCPObject* record = place.m_pRecord;
    if (!record)
        return CProblemFix();
    const int type = record->GetTypeCode();
    // The record's own type decides each cast: a message may name a record whose id another
    // kind of record has taken since.
    auto* panel = record->IsPanel() ? static_cast<CCPPanel*>(record) : nullptr;
    auto* button = record->IsButton() ? static_cast<CCPButton*>(record) : nullptr;
    auto* view = record->IsButtonView() ? static_cast<CCPButtonView*>(record) : nullptr;
    auto* light = type == kLightType ? static_cast<CCPLight*>(record) : nullptr;
    switch (message.m_nKind) {
    case CheckKind::ButtonViewNoParent:
        // Button ids are positive; a view whose parent is 0 or -1 was never given one.
        if (view && view->m_nParentButton > 0)
            return missingButton(view->m_nParentButton, int(view->m_arcSrc.size()));
        break;
    case CheckKind::PanelLinkLeadsNowhere:
    case CheckKind::PanelNoAdjacent:
        if (panel && NamesMissingNeighbour(m, *panel))
            return CProblemFix(ClearNeighbours, "Set the missing neighbours to none", record);
        break;
    case CheckKind::PanelMaskTopZero:
        if (panel && panel->m_nMaskTop == 0)
            if (const int top = PicturesTop(*panel, m.m_nScreenWidth); top > 0)
                return CProblemFix(SetMaskTop, StrFormat("Set Mask Top to %d", top), record,
                                   nullptr, top);
        break;
    case CheckKind::ButtonInitStateTooBig:
        if (button && button->m_nStates > 0 && button->m_nInitState >= button->m_nStates)
            return CProblemFix(ResetInitialState, "Set the initial state to 0", record);
        break;
    case CheckKind::LightInitStateTooBig:
        // With no states at all, no initial state is right.
        if (light && !light->m_arcSrc.empty() && light->m_nInitState >= int(light->m_arcSrc.size()))
            return CProblemFix(ResetInitialState, "Set the initial state to 0", record);
        break;
    case CheckKind::ButtonSound1Missing:
    case CheckKind::ButtonSound2Missing: {
        const bool first = message.m_nKind == CheckKind::ButtonSound1Missing;
        const int sound = !button ? -1 : first ? button->m_nSound1 : button->m_nSound2;
        if (sound != -1 && !m.FindSound(sound))
            return CProblemFix(first ? ClearSound1 : ClearSound2,
                               first ? "Set sound 1 to none" : "Set sound 2 to none", record);
        break;
    }
    case CheckKind::LightSizes:
    case CheckKind::ButtonViewSizes:
    case CheckKind::AdiSizes:
    case CheckKind::DialSizes:
        if (SizesDiffer(*record))
            return CProblemFix(SizeSources, "Make Src/Dest same size", record);
        break;
    case CheckKind::OutsideScreen: {
        CRect rc, moved;
        // Digits keep their places in a list that moving does not reach.
        if (place.m_nStatus == CRecordPlace::Found && type != kDigitsType &&
            record->GetDestRect(&rc) &&
            ::MoveInsideScreen(rc, m.m_nScreenWidth, m.m_nScreenHeight, moved) && !(moved == rc))
            return CProblemFix(MoveIntoScreen, "Move it inside the screen", record, place.m_pPanel);
        break;
    }
    default:
        break;
    }
    return CProblemFix();
}

bool CProblemFix::Apply(CVireoDoc& doc) const
{
    switch (m_nAction) {
    case None:
        return false;
    case AddButton:
        return doc.AddButtonWithId(m_nValue, m_nCount) != nullptr;
    case SetMaskTop:
        return doc.SetMaskTop(static_cast<CCPPanel*>(m_pRecord), m_nValue);
    case ClearNeighbours:
        return doc.ClearMissingNeighbours(static_cast<CCPPanel*>(m_pRecord));
    case ResetInitialState:
        return doc.SetInitialState(m_pRecord, 0);
    case ClearSound1:
    case ClearSound2:
        return doc.ClearSound(static_cast<CCPButton*>(m_pRecord), m_nAction == ClearSound1 ? 1 : 2);
    case SizeSources:
        return doc.SizeSourcesToDest(m_pRecord);
    case MoveIntoScreen:
        return doc.MoveIntoScreen(m_pRecord, m_pPanel);
    }
    return false;
}
