#include "cbackgroundsave.h"

#include "ccpobject.h"
#include "ckeyreader.h"
#include "clinewriter.h"
#include "ctokencursor.h"
#include "strformat.h"

static void LimitRect(CRect& rc)
{
    for (int v : {rc.left, rc.top, rc.right, rc.bottom})
        if (v < 0 || v >= 5000) {
            rc = CRect();
            return;
        }
}

bool CBackgroundSave::ReadKey(std::string_view key, CTokenCursor& cursor, CLineReader& ar,
                              const CCPObject& owner, unsigned options)
{
    if (EqualsNoCase(key, "bsrcloc") || EqualsNoCase(key, "bdestloc")) {
        CRect& rc = EqualsNoCase(key, "bsrcloc") ? m_rcSrc : m_rcDest;
        if (ReadRect(cursor, rc) && (options & kLimitRects))
            LimitRect(rc);
        return true;
    }
    if (EqualsNoCase(key, "bsurface")) {
        ReadInt(cursor, m_nSurface, TokenSet::Value);
        return true;
    }
    if ((options & kBlitBackground) && EqualsNoCase(key, "blitbackground")) {
        m_pBlitBuffer =
            std::make_unique<CCPBuffer>(owner.m_nId, ar, std::string(), owner.m_pManager);
        return true;
    }
    return false;
}

void CBackgroundSave::Forget()
{
    m_nSurface = -1;
    m_rcSrc = CRect();
    m_rcDest = CRect();
}

void CBackgroundSave::WriteSurface(CLineWriter& ar) const
{
    if (m_nSurface >= 0)
        WriteInt(ar, "bsurface", m_nSurface);
}

void CBackgroundSave::WriteRectsIfNotEmpty(CLineWriter& ar) const
{
    if (!m_rcSrc.IsRectEmpty())
        WriteRect(ar, "bsrcloc", m_rcSrc);
    if (!m_rcDest.IsRectEmpty())
        WriteRect(ar, "bdestloc", m_rcDest);
}

void CBackgroundSave::WriteBlitBackground(CLineWriter& ar) const
{
    if (!m_pBlitBuffer)
        return;
    WriteFlag(ar, "blitbackground");
    m_pBlitBuffer->Write(ar, true);
}

CBackgroundSave::CBackgroundSave(const CBackgroundSave& other)
    : m_nSurface(other.m_nSurface), m_rcSrc(other.m_rcSrc), m_rcDest(other.m_rcDest)
{
    if (other.m_pBlitBuffer)
        m_pBlitBuffer.reset(static_cast<CCPBuffer*>(other.m_pBlitBuffer->CopyFields().release()));
}

CBackgroundSave& CBackgroundSave::operator=(const CBackgroundSave& other)
{
    if (this != &other) {
        CBackgroundSave copy(other);
        m_nSurface = copy.m_nSurface;
        m_rcSrc = copy.m_rcSrc;
        m_rcDest = copy.m_rcDest;
        m_pBlitBuffer = std::move(copy.m_pBlitBuffer);
    }
    return *this;
}
