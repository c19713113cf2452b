#include "cedithistory.h"

#include "ccpmanager.h"
#include "ccppanel.h"
#include "ccpsurfaceref.h"
#include "clinewriter.h"

#include <algorithm>

CEditStep::~CEditStep() = default;

unsigned long long CEditStep::NextSerial()
{
    static unsigned long long s_nSerial = 0;
    return ++s_nSerial;
}

void CEditStep::WillChange(CCPObject& record)
{
    for (const Change& c : m_aChanges)
        if (c.record == &record)
            return;
    Change change;
    change.record = &record;
    change.before = record.CopyFields();
    m_aChanges.push_back(std::move(change));
}

void CEditStep::Appended(CCPObject& record)
{
    m_aMoves.push_back({MoveKind::Appended, &record, nullptr, 0});
}

void CEditStep::SurfaceInserted(CCPPanel& panel, size_t index, CCPObject& entry)
{
    m_aMoves.push_back({MoveKind::SurfaceInserted, &entry, &panel, index});
}

void CEditStep::SurfaceRemoved(CCPPanel& panel, size_t index, std::unique_ptr<CCPObject> entry)
{
    m_aMoves.push_back({MoveKind::SurfaceRemoved, entry.get(), &panel, index});
    Hold(std::move(entry));
}

void CEditStep::Hold(std::unique_ptr<CCPObject> record)
{
    if (record)
        m_aHeld.push_back(std::move(record));
}

std::unique_ptr<CCPObject> CEditStep::Unhold(const CCPObject* record)
{
    for (auto it = m_aHeld.begin(); it != m_aHeld.end(); ++it)
        if (it->get() == record) {
            std::unique_ptr<CCPObject> out = std::move(*it);
            m_aHeld.erase(it);
            return out;
        }
    return nullptr;
}

namespace {
// What a copy of a record takes, near enough: its text as the file holds it.
size_t TextBytes(CCPObject& record)
{
    CLineWriter out;
    record.Serialize(out);
    return sizeof(CCPObject) + out.Take().size();
}
} // namespace

CEditStep::ListRun CEditStep::RunOf(std::vector<int>& before, std::vector<int>& after)
{
    size_t head = 0;
    while (head < before.size() && head < after.size() && before[head] == after[head])
        ++head;
    size_t tail = 0;
    while (tail < before.size() - head && tail < after.size() - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    ListRun run;
    run.at = head;
    run.before.assign(before.begin() + std::ptrdiff_t(head), before.end() - std::ptrdiff_t(tail));
    run.after.assign(after.begin() + std::ptrdiff_t(head), after.end() - std::ptrdiff_t(tail));
    std::vector<int>().swap(before);
    std::vector<int>().swap(after);
    return run;
}

void CEditStep::Assign(Change& c, bool undo)
{
    const CCPObject& copy = undo ? *c.before : *c.after;
    if (!c.runs) {
        c.record->AssignFields(copy);
        return;
    }
    auto& panel = static_cast<CCPPanel&>(*c.record);
    std::vector<int> objects = std::move(panel.m_anObjects);
    std::vector<int> views = std::move(panel.m_anButtonViews);
    panel.AssignFields(copy);
    // The list is in the other state now: its run is swapped for this state's.
    const auto swapRun = [undo](std::vector<int>& list, const ListRun& run) {
        const std::vector<int>& out = undo ? run.after : run.before;
        const std::vector<int>& in = undo ? run.before : run.after;
        const auto at = list.begin() + std::ptrdiff_t(std::min(run.at, list.size()));
        const auto end = at + std::ptrdiff_t(std::min(out.size(), size_t(list.end() - at)));
        list.insert(list.erase(at, end), in.begin(), in.end());
    };
    swapRun(objects, c.objects);
    swapRun(views, c.views);
    panel.m_anObjects = std::move(objects);
    panel.m_anButtonViews = std::move(views);
}

bool CEditStep::Finish()
{
    for (Change& c : m_aChanges) {
        c.after = c.record->CopyFields();
        if (c.runs) {
            // Finished once already (a burst goes on): the lists are in the runs.
            auto& after = static_cast<CCPPanel&>(*c.after);
            std::vector<int>().swap(after.m_anObjects);
            std::vector<int>().swap(after.m_anButtonViews);
        }
    }
    m_aChanges.erase(std::remove_if(m_aChanges.begin(), m_aChanges.end(),
                                    [](const Change& c) {
                                        return c.before->SameFields(*c.after) &&
                                               c.objects.before == c.objects.after &&
                                               c.views.before == c.views.after;
                                    }),
                     m_aChanges.end());
    m_nBytes = sizeof(CEditStep) + m_strName.size();
    for (Change& c : m_aChanges) {
        if (c.record->IsPanel() && !c.runs) {
            auto& before = static_cast<CCPPanel&>(*c.before);
            auto& after = static_cast<CCPPanel&>(*c.after);
            c.objects = RunOf(before.m_anObjects, after.m_anObjects);
            c.views = RunOf(before.m_anButtonViews, after.m_anButtonViews);
            c.runs = true;
        }
        m_nBytes += TextBytes(*c.before) + TextBytes(*c.after) +
                    sizeof(int) * (c.objects.before.size() + c.objects.after.size() +
                                   c.views.before.size() + c.views.after.size());
    }
    for (const auto& held : m_aHeld)
        m_nBytes += TextBytes(*held);
    m_nBytes += m_aMoves.size() * sizeof(Move);
    return HasChanges();
}

bool CEditStep::ChangesStructure() const
{
    if (!m_aMoves.empty() || m_aChanges.size() > 1)
        return true;
    // A panel's changed fields may be its lists of records; an id change moves the record in
    // every list that shows it.
    return std::any_of(m_aChanges.begin(), m_aChanges.end(), [](const Change& c) {
        return c.record->IsPanel() || (c.after && c.before->m_nId != c.after->m_nId);
    });
}

void CEditStep::TakeOut(const Move& move, CCPManager& manager)
{
    if (move.kind == MoveKind::Appended) {
        Hold(manager.Release(move.record));
        return;
    }
    auto& list = move.panel->m_aSurfaces;
    // Steps are undone in order, so the entry is where it was put.
    auto it = move.index < list.size() && list[move.index].get() == move.record
                  ? list.begin() + static_cast<std::ptrdiff_t>(move.index)
                  : std::find_if(list.begin(), list.end(),
                                 [&](const auto& r) { return r.get() == move.record; });
    if (it == list.end())
        return;
    Hold(std::unique_ptr<CCPObject>(it->release()));
    list.erase(it);
}

void CEditStep::PutBack(const Move& move, CCPManager& manager)
{
    std::unique_ptr<CCPObject> record = Unhold(move.record);
    if (!record)
        return;
    if (move.kind == MoveKind::Appended) {
        manager.AppendRecord(std::move(record));
        return;
    }
    auto& list = move.panel->m_aSurfaces;
    const size_t at = std::min(move.index, list.size());
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(at),
                std::unique_ptr<CCPSurfaceRef>(static_cast<CCPSurfaceRef*>(record.release())));
}

void CEditStep::Undo(CCPManager& manager)
{
    for (auto it = m_aMoves.rbegin(); it != m_aMoves.rend(); ++it) {
        if (it->kind == MoveKind::SurfaceRemoved)
            PutBack(*it, manager);
        else
            TakeOut(*it, manager);
    }
    for (auto it = m_aChanges.rbegin(); it != m_aChanges.rend(); ++it)
        Assign(*it, true);
    if (TouchesIndex())
        manager.InvalidateIndex();
}

void CEditStep::Redo(CCPManager& manager)
{
    for (Change& c : m_aChanges)
        Assign(c, false);
    for (Move& m : m_aMoves) {
        if (m.kind == MoveKind::SurfaceRemoved)
            TakeOut(m, manager);
        else
            PutBack(m, manager);
    }
    if (TouchesIndex())
        manager.InvalidateIndex();
}

bool CEditStep::TouchesIndex() const
{
    // The manager's look-ups by id change only when ids or its lists do.
    return std::any_of(m_aMoves.begin(), m_aMoves.end(),
                       [](const Move& m) { return m.kind == MoveKind::Appended; }) ||
           std::any_of(m_aChanges.begin(), m_aChanges.end(), [](const Change& c) {
               return c.after && c.before->m_nId != c.after->m_nId;
           });
}

bool CEditStep::Owns(const CCPObject* record) const
{
    if (!record)
        return false;
    for (const auto& held : m_aHeld) {
        if (held.get() == record)
            return true;
        // A surface entry of a held panel is out of the cockpit with it.
        if (held->IsPanel() && record->IsSurfaceRef() &&
            static_cast<const CCPPanel*>(held.get())
                ->HasSurfaceRef(static_cast<const CCPSurfaceRef*>(record)))
            return true;
    }
    return false;
}

void CEditHistory::Clear()
{
    m_aSteps.clear();
    m_nCurrent = 0;
    m_nSaved = 0;
    m_nBytes = 0;
}

void CEditHistory::DropOldest()
{
    m_nBytes -= std::min(m_nBytes, m_aSteps.front()->Bytes());
    m_aSteps.pop_front();
    --m_nCurrent;
    if (m_nSaved >= 0)
        --m_nSaved; // at -1 now when the saved state was the oldest one kept
}

void CEditHistory::Push(std::unique_ptr<CEditStep> step)
{
    // Steps after the current one were undone; the records they hold go with them.
    while (m_aSteps.size() > m_nCurrent) {
        m_nBytes -= std::min(m_nBytes, m_aSteps.back()->Bytes());
        m_aSteps.pop_back();
    }
    if (m_nSaved > static_cast<long>(m_nCurrent))
        m_nSaved = -1;
    m_nBytes += step->Bytes();
    m_aSteps.push_back(std::move(step));
    ++m_nCurrent;
    while (m_aSteps.size() > m_nLimit || (m_nBytes > m_nByteLimit && m_aSteps.size() > 1))
        DropOldest();
}

CEditStep* CEditHistory::Undo(CCPManager& manager)
{
    if (!CanUndo())
        return nullptr;
    CEditStep* step = m_aSteps[--m_nCurrent].get();
    step->Undo(manager);
    return step;
}

CEditStep* CEditHistory::Redo(CCPManager& manager)
{
    if (!CanRedo())
        return nullptr;
    CEditStep* step = m_aSteps[m_nCurrent++].get();
    step->Redo(manager);
    return step;
}

std::unique_ptr<CEditStep> CEditHistory::TakeLast()
{
    if (m_aSteps.empty() || CanRedo())
        return nullptr;
    std::unique_ptr<CEditStep> step = std::move(m_aSteps.back());
    m_aSteps.pop_back();
    m_nBytes -= std::min(m_nBytes, step->Bytes());
    --m_nCurrent;
    return step;
}
