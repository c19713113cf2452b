#include "ccplight.h"

#include "canvas.h"
#include "ccpmanager.h"
#include "cinstrumentpiece.h"
#include "ckeyreader.h"
#include "clinereader.h"
#include "clinewriter.h"
#include "cscanner.h"
#include "cstatelist.h"
#include "ctokencursor.h"
#include "strformat.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

CCPLight::CCPLight(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
    : CCPRecord(manager)
{
    Load(id, ar, comment, manager);
}

void CCPLight::Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
{
    CCPObject::Load(id, ar, comment, manager);
    m_bTransparent = true;
    m_nCallbackSlot = -1;
    m_nPersistent = 0;
    m_rcDest = CRect(0, 0, 10, 10);
    m_arcSrc.clear();
    m_nInitState = 0;
    m_nCursorId = 0;
    m_nCycleBits = 0xffff;

    ReadKeys(ar, "Light Bad string", [&](std::string_view key, CTokenCursor& cur) {
        if (EqualsNoCase(key, "states")) {
            int count = 0;
            if (ReadInt(cur, count))
                CStateList::Expect(m_arcSrc, count);
        } else if (EqualsNoCase(key, "cyclebits")) {
            ReadHex(cur, m_nCycleBits, TokenSet::Value);
        } else if (EqualsNoCase(key, "cursorid")) {
            ReadInt(cur, m_nCursorId);
        } else if (EqualsNoCase(key, "initstate")) {
            ReadInt(cur, m_nInitState);
        } else if (EqualsNoCase(key, "srcloc")) {
            // Every line adds a state, so the states keep their order.
            AppendRect(cur, m_arcSrc);
        } else if (EqualsNoCase(key, "destloc")) {
            std::string_view value;
            cur.Next(value, TokenSet::Value);
            CScanner s(value);
            std::string_view word;
            s.Word(word) && s.Int(m_rcDest.top) && s.Int(m_rcDest.left) && s.Int(m_rcDest.bottom) &&
                s.Int(m_rcDest.right);
            if (EqualsNoCase(word, "transparent"))
                m_bTransparent = true;
            else if (EqualsNoCase(word, "opaque"))
                m_bTransparent = false;
            else
                ReportError(ar, "Light Bad transparency", value);
        } else if (EqualsNoCase(key, "callbackslot")) {
            ReadInt(cur, m_nCallbackSlot);
        } else if (EqualsNoCase(key, "persistant")) {
            if (ReadInt(cur, m_nPersistent) && m_nPersistent == 3)
                m_nPersistent = 2; // "electrical" is 3 in the file
        } else {
            return false;
        }
        return true;
    });
}

void CCPLight::Serialize(CLineWriter& ar)
{
    WriteHeader(ar, "LIGHT");
    WriteHex(ar, "cyclebits", m_nCycleBits);
    if (m_nCursorId >= 0)
        WriteInt(ar, "cursorid", m_nCursorId);
    WriteInt(ar, "initstate", m_nInitState);
    WriteInt(ar, "callbackslot", m_nCallbackSlot);
    WriteInt(ar, "persistant", m_nPersistent == 2 ? 3 : m_nPersistent);
    WriteInt(ar, "states", int(m_arcSrc.size()));
    // Every state is written, an all-zero one too, so the states keep their order.
    for (const CRect& rc : m_arcSrc)
        WriteRectAlways(ar, "srcloc", rc);
    CInstrumentPiece::WriteDestLine(ar, m_rcDest, m_bTransparent);
    WriteEnd(ar);
}

bool CCPLight::Check(CCheckMessageArray& messages, bool full)
{
    bool ok = CCPObject::Check(messages, full);
    if (!CheckIdUnique(messages, m_pManager))
        ok = false;
    if (m_nInitState >= int(m_arcSrc.size())) {
        AddMessage(messages, CheckKind::LightInitStateTooBig,
                   StrFormat("Light Id %d, Too many states (%d)", m_nId, m_nInitState));
        ok = false;
    }
    if (full) {
        for (const CRect& rc : m_arcSrc) {
            if (rc.Width() != m_rcDest.Width() || rc.Height() != m_rcDest.Height()) {
                AddMessage(messages, CheckKind::LightSizes,
                           StrFormat("Light Id %d, src/dest are different sizes", m_nId));
                ok = false;
            }
        }
    }
    return ok;
}

void CCPLight::NextState()
{
    CStateList::Next(m_nCurrentState, m_arcSrc);
}

bool CCPLight::GetDestRect(CRect* out) const
{
    if (out)
        *out = m_rcDest;
    return true;
}

bool CCPLight::GetSrcRect(CRect* out) const
{
    return CStateList::GetSrc(m_arcSrc, m_nCurrentState, out);
}

void CCPLight::SetDestRect(const CRect* rc)
{
    CStateList::SetDest(m_rcDest, m_arcSrc, rc);
}

void CCPLight::SetSrcRect(const CRect* rc)
{
    CStateList::SetSrc(m_arcSrc, m_nCurrentState, rc);
}

void CCPLight::MakeSameSize()
{
    CStateList::MakeSameSize(m_arcSrc, m_rcDest);
}

void CCPLight::Draw(Canvas& dc, float scale)
{
    CStateList::Draw(m_pManager, m_rcDest, m_arcSrc, m_nCurrentState, m_bTransparent, dc, scale);
}

int CCPLight::StateOf(float value) const
{
    const double last = double(std::max<size_t>(m_arcSrc.size(), 1) - 1);
    const double v = std::isfinite(value) ? std::floor(double(value) + 0.5) : 0.0;
    return int(std::clamp(v, 0.0, last));
}

void CCPLight::DrawAtValue(Canvas& dc, float scale, float value) const
{
    CStateList::Draw(m_pManager, m_rcDest, m_arcSrc, StateOf(value), m_bTransparent, dc, scale);
}

void CCPLight::DrawSelected(Canvas& dc, float scale)
{
    dc.FrameRect(ScaledRect(m_rcDest, scale), MakeRgb(255, 255, 0));
}
