// Copy, Cut, Paste and Duplicate: records travel as the cockpit file's own text.
#include "cvireodoc.h"

#include "ccockpitreader.h"
#include "ccpbuttonview.h"
#include "ccppanel.h"
#include "ccpsurfaceref.h"
#include "clinewriter.h"
#include "iuserinterface.h"
#include "strformat.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <set>
#include <unordered_set>
#include <utility>

namespace {

// Paste and Duplicate step aside this far, as often as it takes to land on free ground.
constexpr int kStepAside = 8;
constexpr int kMaxStepsAside = 64;

// "PANEL, 2 SOUND": each kind once, in the order met, with how many there were.
std::string KindsText(const std::vector<std::pair<std::string, int>>& kinds)
{
    std::string text;
    for (const auto& [kind, count] : kinds) {
        if (!text.empty())
            text += ", ";
        if (count > 1)
            text += std::to_string(count) + " ";
        text += kind;
    }
    return text;
}

// The ids a panel's own lists hold, and whether an id is free for a record put on it.
class CPanelIds
{
public:
    CPanelIds(const CCPManager& manager, const CCPPanel& panel) : m_manager(manager)
    {
        m_taken.insert(panel.m_anButtonViews.begin(), panel.m_anButtonViews.end());
        m_taken.insert(panel.m_anObjects.begin(), panel.m_anObjects.end());
        for (const auto& ref : panel.m_aSurfaces)
            m_taken.insert(ref->m_nSurfaceId);
    }
    void Take(int id) { m_taken.insert(id); }
    // As the panel's next object id is chosen: no id of the panel's lists, nor of a button,
    // object or surface anywhere (a deleted object keeps its id in the file).
    bool ObjectIdFree(int id) const
    {
        return !m_taken.count(id) && !m_manager.FindButton(id) && !m_manager.FindObject(id) &&
               !m_manager.FindSurface(id);
    }
    bool ViewIdFree(int id) const { return !m_taken.count(id) && !m_manager.FindButtonView(id); }
    // The first id after the panel's that a record of either family may take.
    int NextFreeId(int panelId) const
    {
        for (int id = panelId; id < INT_MAX;) {
            ++id;
            if (ObjectIdFree(id) && ViewIdFree(id))
                return id;
        }
        return INT_MAX;
    }

private:
    const CCPManager& m_manager;
    std::unordered_set<int> m_taken;
};

// rc moved by by (not negative) right and down; none when a coordinate would pass the end of
// the range (such a record stays where it is).
std::optional<CRect> Shifted(const CRect& rc, int by)
{
    if (std::max({rc.left, rc.top, rc.right, rc.bottom}) > INT_MAX - by)
        return std::nullopt;
    CRect moved = rc;
    moved.OffsetRect(by, by);
    return moved;
}

// The frames of the panel's button views and objects, for a paste to keep off.
std::set<std::pair<std::pair<int, int>, std::pair<int, int>>> FramesOn(const CCPManager& manager,
                                                                       const CCPPanel& panel)
{
    std::set<std::pair<std::pair<int, int>, std::pair<int, int>>> frames;
    const auto add = [&frames](const CCPObject* r) {
        CRect rc;
        if (r && r->GetDestRect(&rc))
            frames.insert({{rc.left, rc.top}, {rc.right, rc.bottom}});
    };
    for (int id : panel.m_anButtonViews)
        add(manager.FindButtonView(id));
    for (int id : panel.m_anObjects)
        add(manager.FindObject(id));
    return frames;
}

} // namespace

int CVireoDoc::NewRecordId(const CCPObject& record, const CCPPanel& panel) const
{
    // Button views have a list of their own: an id another panel's button view has would make
    // this panel show that one.
    if (record.IsButtonView())
        return CPanelIds(m_manager, panel).NextFreeId(panel.m_nId);
    return panel.NextObjectId();
}

std::vector<CCPObject*> CVireoDoc::CopyableSelection() const
{
    std::vector<CCPObject*> records;
    const CCPPanel* panel = m_pCurrentPanel;
    if (!panel)
        return records;
    const auto copyable = [](const CCPObject* r) { return r && !r->IsSurfaceRef(); };
    if (m_selection.Empty()) {
        if (copyable(m_pCurrentObject) && PanelHolds(panel, m_pCurrentObject))
            records.push_back(m_pCurrentObject);
        return records;
    }
    // Panel order, so that the text reads as the panel lists its records.
    for (int id : panel->m_anButtonViews)
        if (CCPObject* r = m_manager.FindButtonView(id); IsSelected(r))
            records.push_back(r);
    for (int id : panel->m_anObjects)
        if (CCPObject* r = m_manager.FindObject(id); IsSelected(r))
            records.push_back(r);
    // A record a panel lists twice is taken once.
    std::unordered_set<const CCPObject*> seen;
    records.erase(std::remove_if(records.begin(), records.end(),
                                 [&seen](const CCPObject* r) { return !seen.insert(r).second; }),
                  records.end());
    return records;
}

std::string CVireoDoc::RecordsText(const std::vector<CCPObject*>& records)
{
    CLineWriter ar;
    for (CCPObject* r : records)
        r->Serialize(ar);
    return ar.Take();
}

std::string CVireoDoc::CopySelection()
{
    return SelectionText("Copied");
}

std::string CVireoDoc::SelectionText(const std::string& done)
{
    const std::vector<CCPObject*> records = CopyableSelection();
    const auto entries = std::count_if(m_selection.Records().begin(), m_selection.Records().end(),
                                       [](const CCPObject* r) { return r->IsSurfaceRef(); });
    const bool entryOnly = m_selection.Empty() && m_pCurrentObject &&
                           m_pCurrentObject->IsSurfaceRef() &&
                           PanelHolds(m_pCurrentPanel, m_pCurrentObject);
    if (records.empty()) {
        if ((entries > 0 || entryOnly) && m_pUI)
            m_pUI->MessageBox(
                "A surface entry cannot be copied: it is a piece of its panel's background, not "
                "a record of its own. Drag it in the tree to move it to another panel, or use "
                "Add Object > Surface for a new one.",
                IUserInterface::Information);
        return std::string();
    }
    if (m_pUI)
        m_pUI->StatusMessage(done + " " + RecordsLabel(records) +
                             (entries > 0 ? "; surface entries are part of the panel and were "
                                            "left out."
                                          : "."));
    return RecordsText(records);
}

std::string CVireoDoc::CutSelection()
{
    if (RefuseWhileStepOpen("Cut"))
        return std::string();
    const std::vector<CCPObject*> records = CopyableSelection();
    std::string text = SelectionText("Cut");
    if (text.empty() || !RemoveRecords(records, "Cut"))
        return std::string();
    return text;
}

bool CVireoDoc::RemoveRecords(const std::vector<CCPObject*>& records, const std::string& verb)
{
    CCPPanel* panel = m_pCurrentPanel;
    if (records.empty() || !panel || RefuseWhileStepOpen(verb))
        return false;
    CCPObject* focus = std::find(records.begin(), records.end(), m_pCurrentObject) != records.end()
                           ? m_pCurrentObject
                           : records.front();
    BeginStep(verb + " " + RecordsLabel(records), focus, panel);
    m_pStep->m_pFocusRedo = nullptr;
    WillChange(*panel);
    for (CCPObject* record : records) {
        if (record->IsSurfaceRef())
            RemoveSurfaceRef(panel, static_cast<CCPSurfaceRef*>(record));
        else
            panel->RemoveRecord(record, true);
    }
    const bool changed = EndStep() != nullptr;
    m_pCurrentObject = nullptr;
    m_selection.Clear();
    if (changed) {
        // One row goes by itself; more are quicker made anew.
        if (records.size() == 1)
            UpdateAllViews(nullptr, Hint::Removed, records.front());
        else
            UpdateAllViews(nullptr, Hint::Reload);
    }
    return changed;
}

std::vector<CCPObject*> CVireoDoc::AddRecords(std::vector<std::unique_ptr<CCPObject>> records,
                                              CCPPanel* panel, bool keepIds, bool stepAside,
                                              const std::string& verb)
{
    std::vector<CCPObject*> added;
    if (records.empty() || !panel || RefuseWhileStepOpen(verb))
        return added;

    // Where they land: shifted together while any of them would cover a record that is there.
    int shift = 0;
    if (stepAside) {
        const auto frames = FramesOn(m_manager, *panel);
        const auto covers = [&](int by) {
            return std::any_of(records.begin(), records.end(), [&](const auto& r) {
                CRect rc;
                if (!r->GetDestRect(&rc))
                    return false;
                const std::optional<CRect> at = Shifted(rc, by);
                return at && frames.count({{at->left, at->top}, {at->right, at->bottom}});
            });
        };
        for (int steps = 0; steps < kMaxStepsAside && covers(shift); ++steps)
            shift += kStepAside;
    }

    CPanelIds ids(m_manager, *panel);
    std::vector<CCPObject*> raw;
    for (auto& r : records)
        raw.push_back(r.get());
    BeginStep(verb + " " + RecordsLabel(raw), raw.back(), panel);
    m_pStep->m_pFocusUndo = nullptr;
    WillChange(*panel);
    for (auto& record : records) {
        CCPObject* r = record.get();
        const bool view = r->IsButtonView();
        if (!keepIds || !(view ? ids.ViewIdFree(r->m_nId) : ids.ObjectIdFree(r->m_nId)))
            r->m_nId = view ? ids.NextFreeId(panel->m_nId) : panel->NextObjectId();
        ids.Take(r->m_nId);
        CRect rc;
        if (shift && r->GetDestRect(&rc))
            if (const std::optional<CRect> at = Shifted(rc, shift))
                r->SetDestRect(&*at);
        if (view) {
            panel->m_anButtonViews.push_back(r->m_nId);
            m_manager.AddButtonView(
                std::unique_ptr<CCPButtonView>(static_cast<CCPButtonView*>(record.release())));
        } else {
            panel->m_anObjects.push_back(r->m_nId);
            m_manager.AddObject(std::move(record));
        }
        added.push_back(r);
    }
    // The step is named after the records as they came out: a copy without a name goes by its
    // new id.
    m_pStep->m_strName = verb + " " + RecordsLabel(added);
    EndStep();
    if (m_pCurrentPanel != panel)
        SetCurrentPanel(panel);
    // Each shows up as an added record does, even in a tree that shows only what matches a
    // filter.
    for (CCPObject* r : added)
        UpdateAllViews(nullptr, Hint::AddedToPanel, r);
    Select(added, added.back());
    return added;
}

std::vector<CCPObject*> CVireoDoc::PasteText(const std::string& text, CCPPanel* to,
                                             std::optional<int> fromPanel)
{
    if (!to || RefuseWhileStepOpen("Paste"))
        return {};

    // Read as a file is read: comment lines collect in front of a header, which starts the
    // record that its reading constructor takes up to "#end".
    std::vector<std::string> kinds;
    std::vector<std::unique_ptr<CCPObject>> records =
        CCockpitReader(m_manager, m_pUI).ReadPanelRecords(text, kinds);
    std::vector<std::pair<std::string, int>> leftOut;
    for (const std::string& kind : kinds) {
        const auto it = std::find_if(leftOut.begin(), leftOut.end(),
                                     [&kind](const auto& k) { return k.first == kind; });
        if (it == leftOut.end())
            leftOut.emplace_back(kind, 1);
        else
            ++it->second;
    }

    if (records.empty()) {
        if (m_pUI)
            m_pUI->MessageBox(
                leftOut.empty()
                    ? std::string("Nothing was pasted: the clipboard holds no cockpit records.")
                    : "Nothing was pasted: the clipboard holds no records that go onto a panel (" +
                          KindsText(leftOut) +
                          "). Only button views and panel objects such as lights and dials "
                          "can be pasted.",
                IUserInterface::Exclamation);
        return {};
    }
    const std::vector<CCPObject*> pasted =
        AddRecords(std::move(records), to, true, fromPanel && *fromPanel == to->m_nId, "Paste");
    if (!pasted.empty() && !leftOut.empty() && m_pUI)
        m_pUI->MessageBox("Pasted " + RecordsLabel(pasted) + ". Left out " + KindsText(leftOut) +
                              ": only button views and panel objects go onto a panel.",
                          IUserInterface::Information);
    return pasted;
}

bool CVireoDoc::DuplicateSelection()
{
    const std::vector<CCPObject*> records = CopyableSelection();
    if (records.empty())
        return DuplicateObject(m_pCurrentObject);
    if (RefuseWhileStepOpen("Duplicate"))
        return false;
    std::vector<std::unique_ptr<CCPObject>> copies;
    for (CCPObject* r : records)
        if (auto copy = CloneObject(r))
            copies.push_back(std::move(copy));
    return !AddRecords(std::move(copies), m_pCurrentPanel, false, true, "Duplicate").empty();
}
