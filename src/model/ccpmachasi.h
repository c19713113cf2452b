#pragma once

#include "cbackgroundsave.h"
#include "ccpobject.h"

#include <array>
#include <cstdint>

// A MACHASI record: a combined Mach and airspeed dial drawn by the simulator from its needle
// and arc geometry. It takes no template piece; the preview shows only its frame.
class CCPMachAsi : public CCPObject
{
public:
    uint32_t m_nCycleBits = 0xff; // a record read from a file starts from 0xffffffff
    CRect m_rcDest{0, 0, 10, 10}; // "destloc"
    int m_bTransparent = 1;       // word of the "destloc" line
    std::array<uint32_t, 2> m_aColors{0xff000000u, 0xff000000u}; // "color0", "color1"
    float m_fEndAngle = 1.0f;
    float m_fEndLength = 1.0f;
    int m_nCallbackSlot = -1;
    float m_fMinVal = 0.0f;
    float m_fMaxVal = 1.0f;
    float m_fStartAngle = 0.0f;
    float m_fArcLength = 1.0f;
    int m_nNeedleRadius = 1;
    int m_nPersistant = 0;
    CBackgroundSave m_background; // "bsurface", "bsrcloc", "bdestloc"

    explicit CCPMachAsi(CCPManager* manager);
    CCPMachAsi(int id, CLineReader& ar, const std::string& comment, CCPManager* manager);

    const char* GetRuntimeClass() const override { return "CCPMachAsi"; }
    int GetTypeCode() const override { return 7; }
    int GetImageIndex() const override { return 24; }
    std::string GetTypeName() const override { return "MachAsi"; }
    void Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager) override;
    void Serialize(CLineWriter& ar) override;
    bool GetDestRect(CRect* out) const override;
    void SetDestRect(const CRect* rc) override;
    void DrawSelected(Canvas& dc, float scale) override;

private:
    void SetDefaults();
};
