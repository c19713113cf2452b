#include "ccphsi.h"

#include "ccpmanager.h"
#include "cinstrumentpiece.h"
#include "ckeyreader.h"
#include "clinewriter.h"
#include "ctokencursor.h"
#include "strformat.h"

#include <cmath>
#include <cstdint>
#include <vector>

CCPHsi::CCPHsi(CCPManager* manager) : CCPRecord(manager)
{
    SetDefaults();
}

CCPHsi::CCPHsi(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
    : CCPRecord(manager)
{
    Load(id, ar, comment, manager);
}

void CCPHsi::SetDefaults()
{
    m_arcSrc = {CRect(0, 0, 10, 10), CRect()};
    m_nCycleBits = 0xffff;
    m_arcDest = {};
    m_abTransparent = {};
    m_nCallbackSlot = -1;
    m_nPersistent = 0;
    m_background = CBackgroundSave();
    m_rcWarnFlag = CRect();
    m_nDrawParts = 0xffffffffu;
}

void CCPHsi::Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
{
    CCPObject::Load(id, ar, comment, manager);
    // Also when a copy is read into a new record: a first source left at the new record's
    // default would push the copied compass source into the second place.
    SetDefaults();
    m_arcSrc[0] = CRect();
    ReadKeys(ar, "HSI Bad string", [&](std::string_view key, CTokenCursor& cur) {
        std::string_view value;
        if (EqualsNoCase(key, "srcloc")) {
            // The first line with an area is the compass card; later lines go to the second piece.
            ReadRect(cur, m_arcSrc[0].IsRectEmpty() ? m_arcSrc[0] : m_arcSrc[1]);
        } else if (EqualsNoCase(key, "cyclebits")) {
            ReadHex(cur, m_nCycleBits, TokenSet::Value);
        } else if (EqualsNoCase(key, "destloc")) {
            const size_t i = m_arcDest[0].IsRectEmpty() ? 0 : m_arcDest[1].IsRectEmpty() ? 1 : 2;
            cur.Next(value, TokenSet::Value); // an empty line reads as a missing word
            CInstrumentPiece::ReadDestLine(ar, value, m_arcDest[i], m_abTransparent[i],
                                           "HSI Bad transparency");
        } else if (EqualsNoCase(key, "callbackslot")) {
            ReadInt(cur, m_nCallbackSlot);
        } else if (EqualsNoCase(key, "persistant")) {
            if (ReadInt(cur, m_nPersistent) && m_nPersistent == 0)
                m_background.Forget();
        } else if (EqualsNoCase(key, "warnflag")) {
            ReadRect(cur, m_rcWarnFlag);
        } else {
            return m_background.ReadKey(key, cur, ar, *this);
        }
        return true;
    });
}

void CCPHsi::Serialize(CLineWriter& ar)
{
    WriteHeader(ar, "HSI");
    WriteHex(ar, "cyclebits", m_nCycleBits);
    WriteInt(ar, "callbackslot", m_nCallbackSlot);
    m_background.WriteSurface(ar);
    WriteInt(ar, "persistant", m_nPersistent);
    WriteRect(ar, "warnflag", m_rcWarnFlag);
    WriteRect(ar, "bsrcloc", m_background.m_rcSrc);
    WriteRect(ar, "bdestloc", m_background.m_rcDest);
    for (size_t i = 0; i < m_arcDest.size(); ++i)
        CInstrumentPiece::WriteDestLine(ar, m_arcDest[i], m_abTransparent[i]);
    // A second source without a first would come back as the first.
    if (!m_arcSrc[0].IsRectEmpty()) {
        WriteRect(ar, "srcloc", m_arcSrc[0]);
        if (!m_arcSrc[1].IsRectEmpty())
            WriteRect(ar, "srcloc", m_arcSrc[1]);
    }
    WriteEnd(ar);
}

bool CCPHsi::GetDestRect(CRect* out) const
{
    if (out)
        *out = m_arcDest[0];
    return true;
}

void CCPHsi::SetDestRect(const CRect* rc)
{
    if (rc)
        SetDestWithSrc(m_arcDest[0], m_arcSrc[0], rc->left, rc->top, rc->right, rc->bottom);
}

namespace {

// The instrument's unit frame over a panel rectangle: u from -1 (left) to 1 (right), v from -1
// (bottom) to 1 (top). The constants are floats; products are formed in double and truncated
// only at the end, so 0.05 maps slightly beyond its decimal value and 0.04 slightly short of it.
class CUnitFrame
{
public:
    CUnitFrame(const CRect& rc, float scale)
        : m_dHalfWidth((int64_t(rc.right) - rc.left) * 0.5),
          m_dHalfHeight((int64_t(rc.bottom) - rc.top) * 0.5), m_dScale(scale),
          m_nCx(Centre(rc.left, rc.right, scale)), m_nCy(Centre(rc.top, rc.bottom, scale))
    {
    }

    CPoint Map(float u, float v) const
    {
        return CPoint{CInstrumentPiece::Trunc(m_dHalfWidth * double(u) * m_dScale + m_nCx),
                      CInstrumentPiece::Trunc(-(m_dHalfHeight * double(v)) * m_dScale + m_nCy)};
    }

    void Triangle(Canvas& dc, float u1, float v1, float u2, float v2, float u3, float v3) const
    {
        dc.Polygon({Map(u1, v1), Map(u2, v2), Map(u3, v3)});
    }

    // Two triangles on one diagonal, as the simulator fills it.
    void Rectangle(Canvas& dc, float u0, float u1, float v0, float v1) const
    {
        Triangle(dc, u0, v0, u1, v0, u1, v1);
        Triangle(dc, u0, v0, u1, v1, u0, v1);
    }

    // The radius follows the width of the frame.
    void Dot(Canvas& dc, float u, float v, float r) const
    {
        const CPoint c = Map(u, v);
        const int px = CInstrumentPiece::Trunc(m_dHalfWidth * double(r) * m_dScale);
        dc.Ellipse(CRect(ClampToInt(int64_t(c.x) - px), ClampToInt(int64_t(c.y) - px),
                         ClampToInt(int64_t(c.x) + px), ClampToInt(int64_t(c.y) + px)));
    }

private:
    // In single precision like the scaled rectangles, so the shapes line up with the frame.
    static int Centre(int a, int b, float scale)
    {
        return CInstrumentPiece::Trunc(float((int64_t(a) + b) / 2) * scale);
    }

    double m_dHalfWidth;
    double m_dHalfHeight;
    double m_dScale;
    int m_nCx;
    int m_nCy;
};

void SelectColour(Canvas& dc, Rgb colour)
{
    dc.SelectPen(Pen{Pen::Solid, colour, 1});
    dc.SelectBrush(Brush{false, colour});
}

} // namespace

void CCPHsi::Draw(Canvas& dc, float scale)
{
    CInstrumentPiece::Blit(m_pManager, m_arcDest[0], m_arcSrc[0], m_abTransparent[0], dc, scale);
    DrawOverCard(dc, scale);
}

void CCPHsi::DrawAtHeading(Canvas& dc, float scale, float heading)
{
    if (m_pManager && !m_pManager->m_bmpTemplate.IsNull()) {
        const CRect card = ScaledRect(m_arcDest[0], scale);
        const double h = std::isfinite(heading) ? double(heading) : 0.0;
        dc.TurnedBlt(m_pManager->m_bmpTemplate, m_arcSrc[0], card, card, h, m_abTransparent[0]);
    }
    DrawOverCard(dc, scale);
}

void CCPHsi::DrawOverCard(Canvas& dc, float scale)
{
    if (!m_arcDest[1].IsRectEmpty())
        CInstrumentPiece::Blit(m_pManager, m_arcDest[1], m_arcSrc[1], m_abTransparent[1], dc,
                               scale);

    const Pen oldPen = dc.SelectPen(Pen{Pen::Solid, m_rgbAircraft, 1});
    const Brush oldBrush = dc.SelectBrush(Brush{false, m_rgbAircraft});
    const CUnitFrame f(m_arcDest[0], scale);
    if (m_nDrawParts & kAircraft) {
        SelectColour(dc, m_rgbAircraft);
        f.Rectangle(dc, -0.017f, 0.017f, -0.2f, 0.133f);
        f.Rectangle(dc, -0.133f, 0.133f, -0.017f, 0.017f);
        f.Rectangle(dc, -0.067f, 0.067f, -0.158f, -0.133f);
    }
    if (m_nDrawParts & kTo) {
        SelectColour(dc, m_rgbTo);
        f.Triangle(dc, 0.055f, -0.13f, 0.157f, -0.25f, 0.055f, -0.37f);
    }
    if (m_nDrawParts & kFrom) // in whatever colour is selected: the to colour when To is drawn
        f.Triangle(dc, -0.055f, -0.13f, -0.157f, -0.25f, -0.055f, -0.37f);
    if (m_nDrawParts & kCourse) {
        SelectColour(dc, m_rgbCourse);
        for (int i = 0; i < 2; ++i)
            f.Triangle(dc, 0.5f, 0.05f, 0.5f, -0.05f, 0.61f, 0.0f);
        f.Rectangle(dc, 0.25f, 0.5f, -0.02f, 0.02f);
        f.Rectangle(dc, -0.6f, -0.4f, -0.02f, 0.02f);
    }
    if (m_nDrawParts & kCircle) {
        SelectColour(dc, m_rgbAircraft);
        for (float v : {0.48f, -0.48f, 0.24f, -0.24f})
            f.Dot(dc, 0.0f, v, 0.04f);
    }
    if (m_nDrawParts & kDeviation) {
        SelectColour(dc, m_rgbDeviation);
        f.Rectangle(dc, -0.39f, 0.24f, -0.02f, 0.02f);
    }
    if (m_nDrawParts & kDevWarn) {
        SelectColour(dc, m_rgbDevWarning);
        f.Rectangle(dc, -0.04f, 0.04f, -0.08f, 0.08f);
    }
    if (m_nDrawParts & kBearing) {
        SelectColour(dc, m_rgbBearing);
        f.Triangle(dc, 0.69f, 0.05f, 0.8f, 0.0f, 0.69f, -0.05f);
        f.Rectangle(dc, -0.8f, -0.69f, -0.02f, 0.02f);
    }
    if (m_nDrawParts & kHeading) {
        SelectColour(dc, m_rgbHeading);
        f.Rectangle(dc, 0.56f, 0.61f, -0.04f, 0.04f);
    }
    if (m_nDrawParts & kCourseWarn) {
        SelectColour(dc, m_rgbWarning);
        dc.FillRect(ScaledRect(m_rcWarnFlag, scale), m_rgbWarning);
    }
    dc.SelectPen(oldPen);
    dc.SelectBrush(oldBrush);
}

void CCPHsi::DrawSelected(Canvas& dc, float scale)
{
    for (const CRect& rc : m_arcDest)
        dc.FrameRect(ScaledRect(rc, scale), MakeRgb(255, 0, 0));
    dc.FrameRect(ScaledRect(m_rcWarnFlag, scale), MakeRgb(255, 0, 0));
}
