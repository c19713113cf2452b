#include "ccpadi.h"

#include "canvas.h"
#include "ccpmanager.h"
#include "cinstrumentpiece.h"
#include "ckeyreader.h"
#include "clinewriter.h"
#include "ctokencursor.h"
#include "strformat.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

CCPAdi::CCPAdi(CCPManager* manager) : CCPRecord(manager)
{
    SetDefaults();
}

CCPAdi::CCPAdi(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
    : CCPRecord(manager)
{
    Load(id, ar, comment, manager);
}

void CCPAdi::SetDefaults()
{
    m_nCycleBits = 0xffff;
    m_nCallbackSlot = -1;
    m_nPersistent = 0;
    m_rcSrc = m_rcIlsLimits = m_rcDest = CRect(0, 0, 10, 10);
    m_bTransparent = false;
    m_background = CBackgroundSave();
    m_rcBackDest = m_rcBackSrc = CRect();
    m_aColors = {0xff20a2c8, 0xff808080, 0xffffffff, 0xff6cf3f3, 0xff6cf3f3};
}

void CCPAdi::Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
{
    CCPObject::Load(id, ar, comment, manager);
    // A copy is read into a new record: start from the defaults so it equals the original.
    SetDefaults();
    ReadKeys(ar, "Adi Bad string", [&](std::string_view key, CTokenCursor& cur) {
        std::string_view value;
        if (CRect* rc = EqualsNoCase(key, "srcloc")      ? &m_rcSrc
                        : EqualsNoCase(key, "ilslimits") ? &m_rcIlsLimits
                        : EqualsNoCase(key, "backdest")  ? &m_rcBackDest
                        : EqualsNoCase(key, "backsrc")   ? &m_rcBackSrc
                                                         : nullptr) {
            ReadRect(cur, *rc);
        } else if (EqualsNoCase(key, "cyclebits")) {
            ReadHex(cur, m_nCycleBits, TokenSet::Value);
        } else if (EqualsNoCase(key, "destloc")) {
            cur.Next(value, TokenSet::Value); // an empty line reads as a missing word
            CInstrumentPiece::ReadDestLine(ar, value, m_rcDest, m_bTransparent,
                                           "Adi Bad Transparency Type");
        } else if (EqualsNoCase(key, "callbackslot")) {
            ReadInt(cur, m_nCallbackSlot);
        } else if (EqualsNoCase(key, "persistant")) {
            // A persistent ADI keeps no background and no pictures of its own; the writer puts
            // srcloc and destloc after this line so that they survive.
            if (ReadInt(cur, m_nPersistent) && m_nPersistent != 0) {
                m_background.m_nSurface = -1;
                m_rcDest = m_rcSrc = CRect();
            }
        } else if (const int n = CInstrumentPiece::ColourIndex(key, int(m_aColors.size()));
                   n >= 0) {
            ReadHex(cur, m_aColors[size_t(n)]);
        } else {
            return m_background.ReadKey(key, cur, ar, *this,
                                        CBackgroundSave::kLimitRects |
                                            CBackgroundSave::kBlitBackground);
        }
        return true;
    });
}

void CCPAdi::Serialize(CLineWriter& ar)
{
    WriteHeader(ar, "ADI");
    WriteHex(ar, "cyclebits", m_nCycleBits);
    WriteInt(ar, "callbackslot", m_nCallbackSlot);
    WriteInt(ar, "persistant", m_nPersistent);
    WriteRect(ar, "srcloc", m_rcSrc);
    WriteRect(ar, "ilslimits", m_rcIlsLimits);
    m_background.WriteSurface(ar);
    CInstrumentPiece::WriteDestLine(ar, m_rcDest, m_bTransparent);
    m_background.WriteRectsIfNotEmpty(ar);
    m_background.WriteBlitBackground(ar);
    if (!m_rcBackDest.IsRectEmpty())
        WriteRect(ar, "backdest", m_rcBackDest);
    if (!m_rcBackSrc.IsRectEmpty())
        WriteRect(ar, "backsrc", m_rcBackSrc);
    CInstrumentPiece::WriteColours(ar, m_aColors.data(), m_aColors.size());
    WriteEnd(ar);
}

bool CCPAdi::Check(CCheckMessageArray& messages, bool full)
{
    bool ok = CCPObject::Check(messages, full);
    if (!CheckIdUnique(messages, m_pManager))
        ok = false;
    if (full && (m_rcSrc.Width() != m_rcDest.Width() || m_rcSrc.Height() != m_rcDest.Height())) {
        AddMessage(messages, CheckKind::AdiSizes,
                   StrFormat("Adi Id %d, src/dest different sizes", m_nId));
        return false;
    }
    return ok;
}

bool CCPAdi::GetSrcRect(CRect* out) const
{
    if (out)
        *out = m_rcSrc;
    return true;
}

void CCPAdi::SetDestRect(const CRect* rc)
{
    if (rc)
        SetDestWithSrc(m_rcDest, m_rcSrc, rc->left, rc->top, rc->right, rc->bottom);
}

void CCPAdi::Draw(Canvas& dc, float scale)
{
    // The ball picture is taller than the window: show its middle.
    CInstrumentPiece::Blit(m_pManager, m_rcDest, CInstrumentPiece::MiddleBand(m_rcSrc, m_rcDest),
                           m_bTransparent, dc, scale);
}

void CCPAdi::PitchPlacement(float pitch, CRect& band, CRect& dest) const
{
    band = CInstrumentPiece::MiddleBand(m_rcSrc, m_rcDest);
    dest = m_rcDest;
    const double height = double(m_rcSrc.bottom) - m_rcSrc.top;
    const double p = std::isfinite(pitch) ? std::clamp(double(pitch), -90.0, 90.0) : 0.0;
    // Nose up shows more of the sky: the band moves toward the picture's top.
    int64_t shift = -int64_t(std::llround(p * height / 180.0));
    const int64_t spaceUp = int64_t(m_rcSrc.top) - band.top;         // 0 or below
    const int64_t spaceDown = int64_t(m_rcSrc.bottom) - band.bottom; // 0 or above
    int64_t off = 0; // what the picture cannot give: the picture moves instead
    if (shift < spaceUp) {
        off = shift - spaceUp;
        shift = spaceUp;
    } else if (shift > spaceDown) {
        off = shift - spaceDown;
        shift = spaceDown;
    }
    band.top = int(band.top + shift);
    band.bottom = int(band.bottom + shift);
    dest.top = int(std::clamp<int64_t>(dest.top - off, INT_MIN, INT_MAX));
    dest.bottom = int(std::clamp<int64_t>(dest.bottom - off, INT_MIN, INT_MAX));
}

void CCPAdi::DrawAttitude(Canvas& dc, float scale, float pitch, float roll) const
{
    if (!m_pManager || m_pManager->m_bmpTemplate.IsNull())
        return;
    CRect band;
    CRect dest;
    PitchPlacement(pitch, band, dest);
    const double r = std::isfinite(roll) ? double(roll) : 0.0;
    dc.TurnedBlt(m_pManager->m_bmpTemplate, band, ScaledRect(dest, scale),
                 ScaledRect(m_rcDest, scale), r, m_bTransparent);
}

void CCPAdi::DrawSelected(Canvas& dc, float scale)
{
    CCPPlacedObject::DrawSelected(dc, scale);
    dc.FrameRect(ScaledRect(m_rcIlsLimits, scale), MakeRgb(255, 255, 0));
}
