#pragma once

#include "ccprecord.h"

class CCPPanel;
class CCPSurface;

// A panel's surface entry: places a SURFACE record on the panel.
class CCPSurfaceRef : public CCPRecord<CCPSurfaceRef>
{
public:
    CRect m_rcDest{0, 0, 10, 10};
    bool m_bTransparent = true;
    int m_nSurfaceId = 0;
    int m_nPersistent = 0;

    explicit CCPSurfaceRef(CCPManager* manager) : CCPRecord(manager) {}

    bool SameFields(const CCPObject& other) const override;
    bool IsSurfaceRef() const override { return true; }
    bool GetDestRect(CRect* out) const override;
    void SetDestRect(const CRect* rc) override;
    void Draw(Canvas& dc, float scale) override;
    void DrawSelected(Canvas& dc, float scale) override;

    CCPSurface* GetSurface() const; // the SURFACE record named by m_nSurfaceId, or null
    // Ties a new entry to a new SURFACE record; IDOK, or IDCANCEL when the user declined the
    // "Buffer" dialog (the caller then drops the entry).
    int AttachNewSurface(CCPPanel* panel);
};
