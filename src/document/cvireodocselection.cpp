// The document's selection and the edits that act on every selected record.
#include "cvireodoc.h"

#include "ccpbuttonview.h"
#include "ccppanel.h"
#include "ccpsurfaceref.h"
#include "screenbounds.h"
#include "strformat.h"

#include <algorithm>
#include <unordered_set>

bool CVireoDoc::PanelHolds(const CCPPanel* panel, const CCPObject* record) const
{
    if (!panel || !record)
        return false;
    if (record->IsSurfaceRef())
        return panel->HasSurfaceRef(static_cast<const CCPSurfaceRef*>(record));
    const auto lists = [record](const std::vector<int>& ids) {
        return std::find(ids.begin(), ids.end(), record->m_nId) != ids.end();
    };
    if (record->IsButtonView())
        return m_manager.FindButtonView(record->m_nId) == record && lists(panel->m_anButtonViews);
    if (record == &m_manager || record->IsPanel() || record->IsSound() || record->IsButton() ||
        record->IsSurface())
        return false;
    return m_manager.FindObject(record->m_nId) == record && lists(panel->m_anObjects);
}

void CVireoDoc::KeepSelectionValid()
{
    if (!m_selection.Empty()) {
        // One pass over the panel's lists, not one per selected record: selections can be large.
        std::unordered_set<const CCPObject*> held;
        if (const CCPPanel* panel = m_pCurrentPanel) {
            for (int id : panel->m_anButtonViews)
                held.insert(m_manager.FindButtonView(id));
            for (int id : panel->m_anObjects)
                held.insert(m_manager.FindObject(id));
            for (const auto& entry : panel->m_aSurfaces)
                held.insert(entry.get());
        }
        m_selection.KeepIf([&held](const CCPObject* r) { return held.count(r) != 0; });
    }
    if (!m_pCurrentObject || !IsSelected(m_pCurrentObject)) {
        m_selection.Clear();
        if (PanelHolds(m_pCurrentPanel, m_pCurrentObject))
            m_selection.Add(m_pCurrentObject);
    }
}

void CVireoDoc::Select(const std::vector<CCPObject*>& records, CCPObject* key)
{
    m_selection.Clear();
    for (CCPObject* r : records)
        if (PanelHolds(m_pCurrentPanel, r))
            m_selection.Add(r);
    if (!IsSelected(key))
        key = m_selection.Empty() ? nullptr : m_selection.Records().back();
    m_pCurrentObject = key;
    UpdateAllViews(nullptr, Hint::CurrentObject);
}

void CVireoDoc::ToggleSelected(CCPObject* record)
{
    if (!PanelHolds(m_pCurrentPanel, record))
        return;
    if (m_selection.Remove(record)) {
        if (m_pCurrentObject == record)
            m_pCurrentObject = m_selection.Empty() ? nullptr : m_selection.Records().back();
    } else {
        m_selection.Add(record);
        m_pCurrentObject = record;
    }
    UpdateAllViews(nullptr, Hint::CurrentObject);
}

void CVireoDoc::SelectAll()
{
    if (!m_pCurrentPanel)
        return;
    std::vector<CCPObject*> all;
    for (int id : m_pCurrentPanel->m_anButtonViews)
        if (CCPObject* r = m_manager.FindButtonView(id))
            all.push_back(r);
    for (int id : m_pCurrentPanel->m_anObjects)
        if (CCPObject* r = m_manager.FindObject(id))
            all.push_back(r);
    Select(all, m_pCurrentObject);
}

void CVireoDoc::ClearSelection()
{
    m_selection.Clear();
    m_pCurrentObject = nullptr;
    UpdateAllViews(nullptr, Hint::CurrentObject);
}

std::vector<CCPObject*> CVireoDoc::PlacedSelection() const
{
    std::vector<CCPObject*> placed;
    if (!m_pCurrentPanel || m_selection.Empty())
        return placed;
    const auto add = [this, &placed](CCPObject* r) {
        if (r && IsSelected(r) && r->GetDestRect(nullptr))
            placed.push_back(r);
    };
    for (int id : m_pCurrentPanel->m_anButtonViews)
        add(m_manager.FindButtonView(id));
    for (int id : m_pCurrentPanel->m_anObjects)
        add(m_manager.FindObject(id));
    for (const auto& entry : m_pCurrentPanel->m_aSurfaces)
        add(entry.get());
    return placed;
}

std::string CVireoDoc::RecordsLabel(const std::vector<CCPObject*>& records)
{
    if (records.size() == 1)
        return RecordLabel(records.front());
    return StrFormat("%zu records", records.size());
}

namespace {

std::vector<CRect> FramesOf(const std::vector<CCPObject*>& records)
{
    std::vector<CRect> frames(records.size());
    for (size_t i = 0; i < records.size(); ++i)
        records[i]->GetDestRect(&frames[i]);
    return frames;
}

} // namespace

bool CVireoDoc::ChangeFrames(const std::vector<CCPObject*>& records,
                             const std::vector<CRect>& frames, const std::string& name,
                             IDocObserver* sender)
{
    if (records.empty() || FramesOf(records) == frames)
        return false;
    BeginStep(name, IsSelected(m_pCurrentObject) ? m_pCurrentObject : records.front(),
              m_pCurrentPanel);
    const std::vector<CRect> before = FramesOf(records);
    for (size_t i = 0; i < records.size(); ++i) {
        if (frames[i] == before[i])
            continue; // the step keeps only what changed
        WillChange(*records[i]);
        records[i]->SetDestRect(&frames[i]);
    }
    if (!EndStep())
        return false;
    UpdateAllViews(sender, Hint::Refresh);
    return true;
}

bool CVireoDoc::MoveSelection(int dx, int dy, IDocObserver* sender)
{
    const std::vector<CCPObject*> records = PlacedSelection();
    if (records.empty())
        return false;
    std::vector<CRect> frames = FramesOf(records);
    // The selection moves as one frame, held to the screen as one dragged record is.
    const CRect bounds = BoundsOf(frames);
    CRect to = bounds;
    to.OffsetRect(dx, dy);
    to = DragWithin(bounds, to, m_manager.m_nScreenWidth, m_manager.m_nScreenHeight);
    dx = to.left - bounds.left;
    dy = to.top - bounds.top;
    if (dx == 0 && dy == 0)
        return false;
    for (CRect& rc : frames)
        rc.OffsetRect(dx, dy);
    return ChangeFrames(records, frames, "Move " + RecordsLabel(records), sender);
}

bool CVireoDoc::NudgeSelection(CPoint step)
{
    const std::vector<CCPObject*> records = PlacedSelection();
    if (records.empty())
        return false;
    std::vector<CRect> frames = FramesOf(records);
    CRect bounds = BoundsOf(frames);
    if (!NudgeWithin(bounds, step, m_manager.m_nScreenWidth, m_manager.m_nScreenHeight))
        return false;
    for (CRect& rc : frames)
        rc.OffsetRect(step.x, step.y);
    return Nudge(records, false, frames, "Move " + RecordsLabel(records));
}

namespace {

const char* ArrangeName(ArrangeCommand command)
{
    switch (command) {
    case ArrangeCommand::AlignLeft:
        return "Align Left";
    case ArrangeCommand::AlignRight:
        return "Align Right";
    case ArrangeCommand::AlignTop:
        return "Align Top";
    case ArrangeCommand::AlignBottom:
        return "Align Bottom";
    case ArrangeCommand::AlignCentresHorizontally:
        return "Align Centres Horizontally";
    case ArrangeCommand::AlignCentresVertically:
        return "Align Centres Vertically";
    case ArrangeCommand::DistributeHorizontally:
        return "Distribute Horizontally";
    case ArrangeCommand::DistributeVertically:
        return "Distribute Vertically";
    case ArrangeCommand::SameWidth:
        return "Same Width";
    case ArrangeCommand::SameHeight:
        return "Same Height";
    case ArrangeCommand::SameSize:
        return "Same Size";
    }
    return "Arrange";
}

} // namespace

bool CVireoDoc::CanArrange(ArrangeCommand command) const
{
    const std::vector<CCPObject*> records = PlacedSelection();
    if (records.size() < 2)
        return false;
    const std::vector<CRect> frames = FramesOf(records);
    const auto key = std::find(records.begin(), records.end(), m_pCurrentObject);
    return ArrangeFrames(command, frames, key == records.end() ? -1 : int(key - records.begin()),
                         m_manager.m_nScreenWidth, m_manager.m_nScreenHeight) != frames;
}

bool CVireoDoc::ArrangeSelection(ArrangeCommand command)
{
    if (RefuseWhileStepOpen(ArrangeName(command)))
        return false;
    const std::vector<CCPObject*> records = PlacedSelection();
    if (records.size() < 2)
        return false;
    const auto key = std::find(records.begin(), records.end(), m_pCurrentObject);
    const std::vector<CRect> frames = ArrangeFrames(
        command, FramesOf(records), key == records.end() ? -1 : int(key - records.begin()),
        m_manager.m_nScreenWidth, m_manager.m_nScreenHeight);
    return ChangeFrames(records, frames,
                        std::string(ArrangeName(command)) + " " + RecordsLabel(records), nullptr);
}

bool CVireoDoc::RemoveSelection()
{
    if (m_selection.Empty() || !m_pCurrentPanel || RefuseWhileStepOpen("Delete"))
        return false;
    // A copy: the step clears the selection it was given.
    const std::vector<CCPObject*> records = m_selection.Records();
    return RemoveRecords(records, "Delete");
}
