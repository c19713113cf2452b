#include "cstatelist.h"

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
                      int current, int transparent, Canvas& dc, float scale)
{
    if (current <= 0 || !InList(srcs, current))
        return;
    CInstrumentPiece::Blit(manager, dest, srcs[size_t(current)], transparent, dc, scale);
}
