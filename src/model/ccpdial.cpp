#include "ccpdial.h"

#include "canvas.h"
#include "cinstrumentpiece.h"
#include "ckeyreader.h"
#include "clinewriter.h"
#include "cscanner.h"
#include "ctokencursor.h"
#include "strformat.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>

// The simulator's single-precision constants.
static constexpr float kPi = 3.1415925f;
static constexpr float kQuarterPi = 0.7854f;

CCPDial::CCPDial(CCPManager* manager) : CCPRecord(manager)
{
    SetDefaults();
}

CCPDial::CCPDial(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
    : CCPRecord(manager)
{
    Load(id, ar, comment, manager);
}

void CCPDial::SetDefaults()
{
    m_nCycleBits = 0xffff;
    m_afPoints.clear();
    m_afValues.clear();
    m_astrPointText.clear();
    m_astrValueText.clear();
    m_anRadius = {};
    m_aColors = {0xff000000u, 0xff000000u, 0xff000000u};
    m_rcSrc = m_rcDest = CRect(0, 0, 10, 10);
    m_background = CBackgroundSave();
    m_nPersistent = 0;
    m_nCallbackSlot = -1;
}

// Appends every number of the line with its text; a token that is not a number adds nothing.
static void AppendNumbers(CTokenCursor& cur, std::vector<float>& list,
                          std::vector<std::string>& texts)
{
    std::string token;
    float f = 0.0f;
    while (cur.Next(token))
        if (ScanFloat(token, f)) {
            list.push_back(f);
            texts.push_back(token);
        }
}

void CCPDial::Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
{
    CCPObject::Load(id, ar, comment, manager);
    SetDefaults();
    ReadKeys(ar, "Dial Bad string", [&](std::string_view key, CTokenCursor& cur) {
        if (EqualsNoCase(key, "numendpoints")) {
            // The count is the length of the points list.
        } else if (EqualsNoCase(key, "cyclebits")) {
            ReadHex(cur, m_nCycleBits, TokenSet::Value);
        } else if (EqualsNoCase(key, "points")) {
            AppendNumbers(cur, m_afPoints, m_astrPointText);
        } else if (EqualsNoCase(key, "values")) {
            AppendNumbers(cur, m_afValues, m_astrValueText);
        } else if (int* n = EqualsNoCase(key, "radius0")        ? &m_anRadius[0]
                            : EqualsNoCase(key, "radius1")      ? &m_anRadius[1]
                            : EqualsNoCase(key, "radius2")      ? &m_anRadius[2]
                            : EqualsNoCase(key, "callbackslot") ? &m_nCallbackSlot
                                                                : nullptr) {
            ReadInt(cur, *n);
        } else if (const int c = CInstrumentPiece::ColourIndex(key, int(m_aColors.size()));
                   c >= 0) {
            ReadHex(cur, m_aColors[size_t(c)]);
        } else if (CRect* rc = EqualsNoCase(key, "srcloc")    ? &m_rcSrc
                               : EqualsNoCase(key, "destloc") ? &m_rcDest
                                                              : nullptr) {
            ReadRect(cur, *rc);
        } else if (EqualsNoCase(key, "persistant")) {
            if (ReadInt(cur, m_nPersistent) && m_nPersistent == 0)
                m_background.Forget();
        } else {
            return m_background.ReadKey(key, cur, ar, *this);
        }
        return true;
    });
}

static uint32_t Bits(float f)
{
    uint32_t bits = 0;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

// Every entry with the text it was read as while it still reads as that number (bit for bit,
// wherever the entry has moved in the list), else formatted "%g".
static std::string JoinNumbers(const std::vector<float>& list,
                               const std::vector<std::string>& texts)
{
    std::unordered_map<uint32_t, const std::string*> asRead;
    float read = 0.0f;
    for (const std::string& t : texts)
        if (ScanFloat(t, read))
            asRead.emplace(Bits(read), &t);
    std::string text;
    for (float f : list) {
        text += ' ';
        const auto it = asRead.find(Bits(f));
        text += it != asRead.end() ? *it->second : FormatG(f);
    }
    return text;
}

void CCPDial::Serialize(CLineWriter& ar)
{
    WriteHeader(ar, "DIAL");
    WriteHex(ar, "cyclebits", m_nCycleBits);
    WriteInt(ar, "numendpoints", int(m_afPoints.size()));
    WriteString(ar, "points", JoinNumbers(m_afPoints, m_astrPointText));
    WriteString(ar, "values", JoinNumbers(m_afValues, m_astrValueText));
    for (size_t i = 0; i < m_anRadius.size(); ++i)
        WriteInt(ar, StrFormat("radius%d", int(i)).c_str(), m_anRadius[i]);
    CInstrumentPiece::WriteColours(ar, m_aColors.data(), m_aColors.size());
    WriteRect(ar, "srcloc", m_rcSrc);
    WriteRect(ar, "destloc", m_rcDest);
    m_background.WriteRectsIfNotEmpty(ar);
    m_background.WriteSurface(ar);
    WriteInt(ar, "callbackslot", m_nCallbackSlot);
    WriteInt(ar, "persistant", m_nPersistent);
    WriteEnd(ar);
}

bool CCPDial::Check(CCheckMessageArray& messages, bool full)
{
    bool ok = CCPObject::Check(messages, full);
    if (!CheckIdUnique(messages, m_pManager))
        ok = false;
    if (full && (m_rcDest.Width() != m_rcSrc.Width() || m_rcDest.Height() != m_rcSrc.Height())) {
        AddMessage(messages, CheckKind::DialSizes,
                   StrFormat("Dial Id %d, destloc different size to src", m_nId));
        ok = false;
    }
    if (m_afPoints.size() != m_afValues.size()) {
        AddMessage(messages, CheckKind::DialPointsValues,
                   StrFormat("Dial Id %d, points/values mismatch %d/%d", m_nId,
                             int(m_afPoints.size()), int(m_afValues.size())));
        ok = false;
    }
    return ok;
}

bool CCPDial::GetSrcRect(CRect* out) const
{
    if (out)
        *out = m_rcSrc;
    return true;
}

void CCPDial::SetDestRect(const CRect* rc)
{
    if (rc)
        SetDestWithSrc(m_rcDest, m_rcSrc, rc->left, rc->top, rc->right, rc->bottom);
}

bool CCPDial::ZeroAngle(float& angle) const
{
    if (m_afPoints.size() < 2 || m_afValues.size() < 2 || m_afValues[1] == m_afValues[0])
        return false;
    // The scale always runs clockwise from the first point to the second.
    const float d = ClockwiseSpan(m_afPoints[0], m_afPoints[1]);
    const float s = d / (m_afValues[1] - m_afValues[0]);
    float a = m_afPoints[0] - m_afValues[0] * s;
    if (a < -kPi)
        a += 2 * kPi;
    else if (a > kPi)
        a -= 2 * kPi;
    if (!std::isfinite(a))
        return false;
    angle = a;
    return true;
}

float CCPDial::ClockwiseSpan(float from, float to)
{
    float d = to - from;
    if (d > 0)
        d -= 2 * kPi;
    return d;
}

bool CCPDial::NeedleAngle(float value, float& angle) const
{
    const size_t n = std::min(m_afPoints.size(), m_afValues.size());
    if (n < 2 || !std::isfinite(value))
        return false;
    bool anySpan = false;
    size_t nearest = 0;
    for (size_t i = 0; i + 1 < n; ++i) {
        const float v0 = m_afValues[i];
        const float v1 = m_afValues[i + 1];
        if (v0 == v1)
            continue;
        anySpan = true;
        if (value >= std::min(v0, v1) && value <= std::max(v0, v1)) {
            const double t = (double(value) - v0) / (double(v1) - v0);
            const double a = m_afPoints[i] + t * ClockwiseSpan(m_afPoints[i], m_afPoints[i + 1]);
            if (!std::isfinite(a))
                return false;
            angle = float(a);
            return true;
        }
    }
    if (!anySpan)
        return false;
    // Beyond the table the needle rests on the stop nearest to the value.
    for (size_t i = 1; i < n; ++i)
        if (std::fabs(double(value) - m_afValues[i]) <
            std::fabs(double(value) - m_afValues[nearest]))
            nearest = i;
    if (!std::isfinite(m_afPoints[nearest]))
        return false;
    angle = m_afPoints[nearest];
    return true;
}

void CCPDial::Draw(Canvas& dc, float scale)
{
    float a = 0.0f;
    if (ZeroAngle(a))
        DrawNeedle(dc, scale, a);
}

void CCPDial::NeedleCentre(double& cx, double& cy) const
{
    // Centred on the source rectangle, as the simulator turns the needle over its picture.
    cx = double((int64_t(m_rcSrc.left) + m_rcSrc.right) / 2);
    cy = double((int64_t(m_rcSrc.top) + m_rcSrc.bottom) / 2);
}

void CCPDial::DrawNeedle(Canvas& dc, float scale, float a) const
{
    double cx = 0;
    double cy = 0;
    NeedleCentre(cx, cy);
    auto at = [&](int radius, float angle) {
        return CPoint{CInstrumentPiece::Trunc((cx + radius * std::cos(double(angle))) * scale),
                      CInstrumentPiece::Trunc((cy - radius * std::sin(double(angle))) * scale)};
    };
    const CPoint p0 = at(m_anRadius[0], a);
    const CPoint p1 = at(m_anRadius[1], a);
    const CPoint p2 = at(m_anRadius[2], a + kQuarterPi);
    const CPoint p3 = at(m_anRadius[2], a - kQuarterPi);

    const Brush oldBrush = dc.SelectBrush(Brush{false, RgbOf(m_aColors[1])});
    dc.Polygon({p0, p1, p2});
    dc.SelectBrush(Brush{false, RgbOf(m_aColors[2])});
    const Pen oldPen = dc.SelectPen(Pen{Pen::Null, 0, 1}); // filled only
    dc.Polygon({p0, p1, p3});
    dc.SelectPen(oldPen);
    dc.SelectBrush(oldBrush);
}
