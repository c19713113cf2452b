#include "cplaysession.h"

#include "ccpbutton.h"
#include "ccpbuttonview.h"
#include "ccplight.h"
#include "ccppanel.h"
#include "ccpsound.h"
#include "ccpsurface.h"
#include "ccpsurfaceref.h"
#include "cvireodoc.h"
#include "panelpaint.h"
#include "strformat.h"

#include <algorithm>
#include <map>
#include <utility>

namespace {

// The name the tree gives a record.
std::string TreeName(const CCPObject& record)
{
    std::string name;
    if (!record.GetName(name))
        name = record.GetTypeName() + ' ' + std::to_string(record.m_nId);
    return name;
}

float RestValue(const CCPObject& record, const InstrumentInput& in)
{
    float rest = 0.0f;
    if (auto* light = dynamic_cast<const CCPLight*>(&record))
        rest = float(light->m_nInitState);
    return std::clamp(rest, in.min, in.max);
}

// The state a button view starts in: its button's initial state, held within the view's states.
int InitialState(const CCPManager& manager, const CCPButtonView& view)
{
    const CCPButton* button = manager.FindButton(view.m_nParentButton);
    const int states = int(view.m_arcSrc.size());
    if (!button || states == 0)
        return 0;
    return std::clamp(button->m_nInitState, 0, states - 1);
}

} // namespace

// What the editor showed before playing.
struct CPlaySession::Kept
{
    CCPPanel* panel = nullptr;
    CCPObject* current = nullptr;
    std::vector<CCPObject*> selection;
    std::map<const CCPObject*, int> states; // button views and lights
};

namespace {
// Whether record is (still) one of the cockpit's: the cockpit may have been replaced while
// playing.
bool InCockpit(const CCPManager& m, const CCPObject* record)
{
    const auto in = [record](const auto& list) {
        return std::any_of(list.begin(), list.end(), [record](const auto& r) {
            return static_cast<const CCPObject*>(r.get()) == record;
        });
    };
    return record && (in(m.m_aPanels) || in(m.m_aObjects) || in(m.m_aButtonViews) ||
                      in(m.m_aButtons) || in(m.m_aSounds) ||
                      std::any_of(m.m_aPanels.begin(), m.m_aPanels.end(),
                                  [&in](const auto& p) { return in(p->m_aSurfaces); }));
}
} // namespace

CPlaySession::CPlaySession(CVireoDoc& doc) : m_doc(doc), m_pKept(std::make_unique<Kept>())
{
    m_pKept->panel = doc.m_pCurrentPanel;
    m_pKept->current = doc.m_pCurrentObject;
    m_pKept->selection = doc.GetSelection().Records();
    CCPManager& manager = doc.m_manager;
    for (const auto& view : manager.m_aButtonViews) {
        m_pKept->states[view.get()] = view->m_nCurrentState;
        view->m_nCurrentState = InitialState(manager, *view);
    }
    for (const auto& object : manager.m_aObjects)
        if (auto* light = dynamic_cast<CCPLight*>(object.get())) {
            m_pKept->states[light] = light->m_nCurrentState;
            light->m_nCurrentState = light->StateOf(float(light->m_nInitState));
        }
    // The pilot sees no selection.
    doc.SetCurrentObject(nullptr);
    FeedRestValues();
}

CPlaySession::~CPlaySession()
{
    const CCPManager& manager = m_doc.m_manager;
    const auto kept = [this](const CCPObject* r) {
        const auto it = m_pKept->states.find(r);
        return it == m_pKept->states.end() ? std::optional<int>() : it->second;
    };
    for (const auto& view : manager.m_aButtonViews)
        if (const auto state = kept(view.get()))
            view->m_nCurrentState = *state;
    for (const auto& object : manager.m_aObjects)
        if (auto* light = dynamic_cast<CCPLight*>(object.get()))
            if (const auto state = kept(light))
                light->m_nCurrentState = *state;
    m_doc.ClearInputValues();
    // What the editor showed, unless the cockpit was replaced meanwhile.
    if (!InCockpit(manager, m_pKept->panel))
        return;
    if (m_doc.m_pCurrentPanel != m_pKept->panel)
        m_doc.SetCurrentPanel(m_pKept->panel);
    std::erase_if(m_pKept->selection,
                  [&manager](const CCPObject* r) { return !InCockpit(manager, r); });
    CCPObject* current = InCockpit(manager, m_pKept->current) ? m_pKept->current : nullptr;
    if (m_pKept->selection.empty())
        m_doc.SetCurrentObject(current);
    else
        m_doc.Select(m_pKept->selection, current);
}

CCPButtonView* CPlaySession::ButtonViewAt(CPoint pt) const
{
    if (!m_doc.m_pCurrentPanel)
        return nullptr;
    CCPButtonView* hit = nullptr;
    WalkPanel(m_doc.m_manager, *m_doc.m_pCurrentPanel, kButtonViewLayer, [&](CCPObject& r) {
        CRect rc;
        if (r.IsButtonView() && r.GetDestRect(&rc) && rc.PtInRect(pt))
            hit = static_cast<CCPButtonView*>(&r);
        return false;
    });
    return hit;
}

std::string CPlaySession::StepButton(CCPButtonView& view, bool back)
{
    const int states = int(view.m_arcSrc.size());
    if (states > 0) {
        const int next =
            (std::clamp(view.m_nCurrentState, 0, states - 1) + (back ? -1 : 1) + states) % states;
        // Every view of the button shows the button's state.
        for (const auto& v : m_doc.m_manager.m_aButtonViews)
            if (v.get() == &view || (v->m_nParentButton == view.m_nParentButton &&
                                     m_doc.m_manager.FindButton(view.m_nParentButton)))
                v->m_nCurrentState =
                    v->m_arcSrc.empty() ? 0 : std::min(next, int(v->m_arcSrc.size()) - 1);
    }
    m_doc.UpdateAllViews(nullptr, Hint::Refresh);
    return Describe(view);
}

std::string CPlaySession::Describe(const CCPButtonView& view) const
{
    const CCPButton* button = m_doc.m_manager.FindButton(view.m_nParentButton);
    std::string who = TreeName(view) + " (no button)";
    if (button)
        who = TreeName(*button) == TreeName(view) ? TreeName(view)
                                                  : TreeName(*button) + " (" + TreeName(view) + ")";
    // States count from 0, as the Initial State field does.
    return StrFormat("%s: state %d of 0..%d", who.c_str(), view.m_nCurrentState,
                     std::max(int(view.m_arcSrc.size()) - 1, 0));
}

std::optional<CPlaySession::Direction> CPlaySession::BorderDirection(int border, int screenWidth,
                                                                     int screenHeight, CPoint pt)
{
    if (border <= 0)
        return std::nullopt;
    const bool up = pt.y < border;
    const bool down = pt.y >= screenHeight - border;
    const bool left = pt.x < border;
    const bool right = pt.x >= screenWidth - border;
    return ArrowDirection(up, right, down, left);
}

std::optional<CPlaySession::Direction> CPlaySession::ArrowDirection(bool up, bool right, bool down,
                                                                    bool left)
{
    // Opposite keys cancel each other.
    const int dy = (down ? 1 : 0) - (up ? 1 : 0);
    const int dx = (right ? 1 : 0) - (left ? 1 : 0);
    static const std::optional<Direction> table[3][3] = {
        {kNorthWest, kNorth, kNorthEast},
        {kWest, std::nullopt, kEast},
        {kSouthWest, kSouth, kSouthEast},
    };
    return table[dy + 1][dx + 1];
}

CCPPanel* CPlaySession::Neighbour(Direction direction) const
{
    const CCPPanel* panel = m_doc.m_pCurrentPanel;
    if (!panel)
        return nullptr;
    const int id = panel->m_anAdjPanels[size_t(direction)];
    return id == -1 ? nullptr : m_doc.m_manager.FindPanel(id);
}

bool CPlaySession::Go(Direction direction, std::string& status)
{
    CCPPanel* next = Neighbour(direction);
    if (!next) {
        const CCPPanel* panel = m_doc.m_pCurrentPanel;
        const int id = panel ? panel->m_anAdjPanels[size_t(direction)] : -1;
        status = id == -1 ? StrFormat("No panel to the %s", DirectionName(direction))
                          : StrFormat("No panel to the %s: panel %d does not exist",
                                      DirectionName(direction), id);
        return false;
    }
    m_doc.SetCurrentPanel(next);
    FeedRestValues();
    status = StrFormat("%s (to the %s)", TreeName(*next).c_str(), DirectionName(direction));
    return true;
}

std::vector<CPlaySession::Input> CPlaySession::Inputs() const
{
    std::map<std::pair<int, InputChannel>, Input> rows;
    if (m_doc.m_pCurrentPanel)
        WalkPanel(m_doc.m_manager, *m_doc.m_pCurrentPanel, kObjectLayer, [&](CCPObject& r) {
            for (const InstrumentInput& in : InstrumentInputs(r)) {
                auto [it, added] = rows.try_emplace({in.slot, in.channel});
                Input& row = it->second;
                if (added) {
                    static_cast<InstrumentInput&>(row) = in;
                    row.value = RestValue(r, in);
                } else {
                    row.min = std::min(row.min, in.min);
                    row.max = std::max(row.max, in.max);
                    if (row.what.find(in.what) == std::string::npos)
                        row.what += ", " + in.what;
                }
                row.records.push_back(TreeName(r));
            }
            return false;
        });
    std::vector<Input> inputs;
    for (auto& [key, row] : rows) {
        if (const std::optional<float> v =
                m_doc.GetInstrumentValues().GetSlot(row.slot, row.channel))
            row.value = *v;
        inputs.push_back(std::move(row));
    }
    return inputs;
}

void CPlaySession::SetInput(int slot, InputChannel channel, float value)
{
    m_doc.SetInputValue(slot, channel, value);
}

void CPlaySession::FeedRestValues()
{
    for (const Input& in : Inputs())
        if (!m_doc.GetInstrumentValues().GetSlot(in.slot, in.channel))
            m_doc.SetInputValue(in.slot, in.channel, in.value);
}
