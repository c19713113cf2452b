#include "cstatelist.h"

#include "ccpbuttonview.h"
#include "ccpdigits.h"
#include "ccpindicator.h"
#include "ccplight.h"
#include "ccpobject.h"
#include "cinstrumentpiece.h"

static bool InList(const std::vector<CRect>& srcs, int current)
{
    return current >= 0 && current < int(srcs.size());
}

void CStateList::Expect(std::vector<CRect>& srcs, int count)
{
    constexpr int kMostAhead = 64; // a hostile count allocates nothing large
    if (count > 0)
        srcs.reserve(size_t(count < kMostAhead ? count : kMostAhead));
}

void CStateList::Next(int& current, const std::vector<CRect>& srcs)
{
    if (++current >= int(srcs.size()) || current < 0)
        current = 0;
}

bool CStateList::GetSrc(const std::vector<CRect>& srcs, int current, CRect* out)
{
    if (!InList(srcs, current))
        return false;
    if (out)
        *out = srcs[size_t(current)];
    return true;
}

void CStateList::SetSrc(std::vector<CRect>& srcs, int current, const CRect* rc)
{
    if (rc && InList(srcs, current))
        srcs[size_t(current)] = *rc;
}

void CStateList::SetDest(CRect& dest, std::vector<CRect>& srcs, const CRect* rc)
{
    if (rc)
        SetDestWithSrcList(dest, srcs, rc->left, rc->top, rc->right, rc->bottom);
}

void CStateList::MakeSameSize(std::vector<CRect>& srcs, const CRect& dest)
{
    for (CRect& rc : srcs) {
        rc.right = rc.left + dest.Width();
        rc.bottom = rc.top + dest.Height();
    }
}

void CStateList::Draw(const CCPManager* manager, const CRect& dest, const std::vector<CRect>& srcs,
                      int current, bool transparent, Canvas& dc, float scale)
{
    if (current <= 0 || !InList(srcs, current))
        return;
    CInstrumentPiece::Blit(manager, dest, srcs[size_t(current)], transparent, dc, scale);
}

int CStateList::Count(const CCPObject& record)
{
    if (auto* v = dynamic_cast<const CCPButtonView*>(&record))
        return int(v->m_arcSrc.size());
    if (auto* l = dynamic_cast<const CCPLight*>(&record))
        return int(l->m_arcSrc.size());
    if (auto* d = dynamic_cast<const CCPDigits*>(&record))
        return int(d->m_arcSrc.size());
    if (auto* i = dynamic_cast<const CCPIndicator*>(&record))
        return i->GetTapeCount();
    return 0;
}

void CStateList::Step(CCPObject& record, int n)
{
    if (n <= 0)
        return;
    record.NextState();
    const int count = Count(record);
    for (int k = count > 0 ? (n - 1) % count : 0; k > 0; --k)
        record.NextState();
}
