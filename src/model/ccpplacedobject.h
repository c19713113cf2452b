#pragma once

#include "ccpobject.h"

// A record shown on one destination rect of its panel ("destloc"), framed in red when selected.
class CCPPlacedObject : public CCPObject
{
public:
    std::unique_ptr<CCPObject> CopyFields() const override { return CopyOf(*this); }
    void AssignFields(const CCPObject& from) override { AssignFrom(*this, from); }
    CRect m_rcDest{0, 0, 10, 10}; // "destloc"

    explicit CCPPlacedObject(CCPManager* manager) : CCPObject(manager) {}

    bool GetDestRect(CRect* out) const override;
    // Only the destination moves; records with a source of their own override this.
    void SetDestRect(const CRect* rc) override;
    void DrawSelected(Canvas& dc, float scale) override;
};
