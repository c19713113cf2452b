#include "ccpmachasi.h"

#include "canvas.h"
#include "cinstrumentpiece.h"
#include "ckeyreader.h"
#include "clinewriter.h"
#include "ctokencursor.h"
#include "strformat.h"

#include <algorithm>
#include <cmath>

CCPMachAsi::CCPMachAsi(CCPManager* manager) : CCPRecord(manager)
{
    SetDefaults();
}

CCPMachAsi::CCPMachAsi(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
    : CCPRecord(manager)
{
    Load(id, ar, comment, manager);
}

void CCPMachAsi::SetDefaults()
{
    m_nCycleBits = 0xff;
    m_rcDest = CRect(0, 0, 10, 10);
    m_bTransparent = true;
    m_aColors = {0xff000000u, 0xff000000u};
    m_fEndAngle = m_fEndLength = 1.0f;
    m_nCallbackSlot = -1;
    m_fMinVal = 0.0f;
    m_fMaxVal = 1.0f;
    m_fStartAngle = 0.0f;
    m_fArcLength = 1.0f;
    m_nNeedleRadius = 1;
    m_nPersistent = 0;
    m_background = CBackgroundSave();
}

void CCPMachAsi::Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
{
    CCPObject::Load(id, ar, comment, manager);
    SetDefaults();
    // Only the editor's new records start with the low byte of the cycle bits.
    m_nCycleBits = 0xffffffffu;
    m_nCallbackSlot = -1;
    ReadKeys(ar, "MachASI Bad string", [&](std::string_view key, CTokenCursor& cur) {
        std::string_view value;
        if (float* f = EqualsNoCase(key, "endangle")     ? &m_fEndAngle
                       : EqualsNoCase(key, "endlength")  ? &m_fEndLength
                       : EqualsNoCase(key, "minval")     ? &m_fMinVal
                       : EqualsNoCase(key, "maxval")     ? &m_fMaxVal
                       : EqualsNoCase(key, "startangle") ? &m_fStartAngle
                       : EqualsNoCase(key, "arclength")  ? &m_fArcLength
                                                         : nullptr) {
            ReadFloat(cur, *f);
        } else if (int* n = EqualsNoCase(key, "callbackslot")   ? &m_nCallbackSlot
                            : EqualsNoCase(key, "needleradius") ? &m_nNeedleRadius
                                                                : nullptr) {
            ReadInt(cur, *n);
        } else if (EqualsNoCase(key, "cyclebits")) {
            ReadHex(cur, m_nCycleBits, TokenSet::Value);
        } else if (EqualsNoCase(key, "destloc")) {
            cur.Next(value, TokenSet::Value); // an empty line reads as a missing word
            CInstrumentPiece::ReadDestLine(ar, value, m_rcDest, m_bTransparent,
                                           "MachAsi Bad transparency");
        } else if (const int c = CInstrumentPiece::ColourIndex(key, int(m_aColors.size()));
                   c >= 0) {
            ReadHex(cur, m_aColors[size_t(c)]);
        } else if (EqualsNoCase(key, "persistant")) {
            if (ReadInt(cur, m_nPersistent) && m_nPersistent == 0)
                m_background.Forget();
        } else {
            return m_background.ReadKey(key, cur, ar, *this);
        }
        return true;
    });
}

void CCPMachAsi::Serialize(CLineWriter& ar)
{
    WriteHeader(ar, "MACHASI");
    WriteHex(ar, "cyclebits", m_nCycleBits);
    CInstrumentPiece::WriteDestLine(ar, m_rcDest, m_bTransparent);
    CInstrumentPiece::WriteColours(ar, m_aColors.data(), m_aColors.size());
    WriteFloat(ar, "endangle", m_fEndAngle);
    WriteFloat(ar, "endlength", m_fEndLength);
    WriteInt(ar, "callbackslot", m_nCallbackSlot);
    WriteFloat(ar, "minval", m_fMinVal);
    WriteFloat(ar, "maxval", m_fMaxVal);
    WriteFloat(ar, "startangle", m_fStartAngle);
    WriteFloat(ar, "arclength", m_fArcLength);
    WriteInt(ar, "needleradius", m_nNeedleRadius);
    WriteInt(ar, "persistant", m_nPersistent);
    m_background.WriteSurface(ar);
    m_background.WriteRectsIfNotEmpty(ar);
    WriteEnd(ar);
}

float CCPMachAsi::NeedleAngle(float value) const
{
    double t = 0.0;
    if (m_fMaxVal != m_fMinVal && std::isfinite(value))
        t = std::clamp((double(value) - m_fMinVal) / (double(m_fMaxVal) - m_fMinVal), 0.0, 1.0);
    return float(m_fStartAngle - t * m_fArcLength);
}

void CCPMachAsi::DrawAtValue(Canvas& dc, float scale, float value) const
{
    const double angle = NeedleAngle(value);
    const double cx = (double(m_rcDest.left) + m_rcDest.right) / 2;
    const double cy = (double(m_rcDest.top) + m_rcDest.bottom) / 2;
    const double r = m_nNeedleRadius;
    const Pen old = dc.SelectPen(Pen{Pen::Solid, RgbOf(m_aColors[0]), std::max(1, int(3 * scale))});
    dc.Line(CInstrumentPiece::Trunc(cx * scale), CInstrumentPiece::Trunc(cy * scale),
            CInstrumentPiece::Trunc((cx + r * std::cos(angle)) * scale),
            CInstrumentPiece::Trunc((cy - r * std::sin(angle)) * scale));
    dc.SelectPen(old);
}
