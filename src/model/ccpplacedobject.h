#pragma once

#include "ccpobject.h"

// A record shown on one destination rect of its panel ("destloc"), framed in red when selected.
// A base of record classes (see CCPRecord), not a record of its own.
class CCPPlacedObject : public CCPObject
{
public:
    CRect m_rcDest{0, 0, 10, 10}; // "destloc"

    explicit CCPPlacedObject(CCPManager* manager) : CCPObject(manager) {}

    bool GetDestRect(CRect* out) const override;
    // Only the destination moves; records with a source of their own override this.
    void SetDestRect(const CRect* rc) override;
    void DrawSelected(Canvas& dc, float scale) override;
};
