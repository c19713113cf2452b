#include "ccpplacedobject.h"

#include "canvas.h"

bool CCPPlacedObject::GetDestRect(CRect* out) const
{
    if (out)
        *out = m_rcDest;
    return true;
}

void CCPPlacedObject::SetDestRect(const CRect* rc)
{
    if (rc)
        m_rcDest = *rc;
}

void CCPPlacedObject::DrawSelected(Canvas& dc, float scale)
{
    dc.FrameRect(ScaledRect(m_rcDest, scale), MakeRgb(255, 0, 0));
}
