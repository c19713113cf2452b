#include "ccpdigits.h"

#include "canvas.h"
#include "ccpmanager.h"
#include "ckeyreader.h"
#include "clinewriter.h"
#include "ctokencursor.h"
#include "strformat.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

CCPDigits::CCPDigits(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
    : CCPRecord(manager)
{
    Load(id, ar, comment, manager);
}

void CCPDigits::Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
{
    CCPObject::Load(id, ar, comment, manager);
    m_nPersistent = 0;
    m_nCallbackSlot = -1;
    m_nCycleBits = 0xffff;
    m_arcSrc.clear();
    m_arcDest.clear();

    ReadKeys(ar, "Digit Bad string", [&](std::string_view key, CTokenCursor& cur) {
        if (EqualsNoCase(key, "cyclebits")) {
            ReadHex(cur, m_nCycleBits, TokenSet::Value);
        } else if (EqualsNoCase(key, "numdigits")) {
            // The count is the length of the destination list.
        } else if (EqualsNoCase(key, "srcloc") || EqualsNoCase(key, "destloc")) {
            // Every line adds an element, even one whose value does not scan, so that the
            // digit order stays that of the file.
            AppendRect(cur, EqualsNoCase(key, "srcloc") ? m_arcSrc : m_arcDest);
        } else if (EqualsNoCase(key, "callbackslot")) {
            ReadInt(cur, m_nCallbackSlot);
        } else if (EqualsNoCase(key, "persistant")) {
            ReadInt(cur, m_nPersistent);
        } else {
            return false;
        }
        return true;
    });
}

void CCPDigits::Serialize(CLineWriter& ar)
{
    WriteHeader(ar, "DIGITS");
    WriteHex(ar, "cyclebits", m_nCycleBits);
    WriteInt(ar, "numdigits", int(m_arcDest.size()));
    WriteInt(ar, "callbackslot", m_nCallbackSlot);
    WriteInt(ar, "persistant", m_nPersistent);
    // List elements are written even when all zero: dropping one would shift the digits
    // after it when the file is read again.
    for (const CRect& rc : m_arcSrc)
        WriteRectAlways(ar, "srcloc", rc);
    for (const CRect& rc : m_arcDest)
        WriteRectAlways(ar, "destloc", rc);
    WriteEnd(ar);
}

bool CCPDigits::Check(CCheckMessageArray& messages, bool full)
{
    bool ok = CCPObject::Check(messages, full);
    if (!CheckIdUnique(messages, m_pManager))
        ok = false;
    if (m_arcSrc.size() != 10) {
        AddMessage(
            messages, CheckKind::DigitsSourceCount,
            StrFormat("Digits Id %d, %d src locations (expected 10)", m_nId, int(m_arcSrc.size())));
        ok = false;
    }
    return ok;
}

void CCPDigits::NextState()
{
    // Wraps also from a digit beyond a short list, so stepping always comes back to 0.
    if (++m_nCurrentDigit >= int(m_arcSrc.size()) || m_nCurrentDigit < 0)
        m_nCurrentDigit = 0;
}

bool CCPDigits::GetDestRect(CRect* out) const
{
    if (m_arcDest.empty())
        return false;
    if (out)
        *out = m_arcDest.front();
    return true;
}

bool CCPDigits::GetSrcRect(CRect* out) const
{
    if (m_nCurrentDigit < 0 || m_nCurrentDigit >= int(m_arcSrc.size()))
        return false;
    if (out)
        *out = m_arcSrc[size_t(m_nCurrentDigit)];
    return true;
}

void CCPDigits::Draw(Canvas& dc, float scale)
{
    if (!m_pManager || m_nCurrentDigit < 0 || m_nCurrentDigit >= int(m_arcSrc.size()))
        return;
    const CRect& src = m_arcSrc[size_t(m_nCurrentDigit)];
    for (const CRect& d : m_arcDest)
        m_pManager->BlitOpaque(d.left, d.top, d.right, d.bottom, src, dc, scale);
}

double CCPDigits::MaxShown() const
{
    const size_t places = std::min<size_t>(m_arcDest.size(), 9);
    return std::pow(10.0, double(places)) - 1;
}

std::vector<int> CCPDigits::DigitsOf(float value) const
{
    double v = std::isfinite(value) ? std::floor(double(value) + 0.5) : 0.0;
    v = std::clamp(v, 0.0, MaxShown());
    auto n = int64_t(v);
    std::vector<int> digits(m_arcDest.size(), 0);
    for (size_t i = digits.size(); i-- > 0 && n > 0; n /= 10)
        digits[i] = int(n % 10);
    return digits;
}

void CCPDigits::DrawAtValue(Canvas& dc, float scale, float value) const
{
    if (!m_pManager)
        return;
    const std::vector<int> digits = DigitsOf(value);
    for (size_t i = 0; i < m_arcDest.size(); ++i) {
        if (size_t(digits[i]) >= m_arcSrc.size())
            continue;
        const CRect& d = m_arcDest[i];
        m_pManager->BlitOpaque(d.left, d.top, d.right, d.bottom, m_arcSrc[size_t(digits[i])], dc,
                               scale);
    }
}

void CCPDigits::DrawSelected(Canvas& dc, float scale)
{
    for (const CRect& d : m_arcDest)
        dc.FrameRect(ScaledRect(d, scale), MakeRgb(0, 0, 255));
}
