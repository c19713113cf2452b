#include "ccpsurface.h"

#include "canvas.h"
#include "cbitmap.h"
#include "ccpbuffer.h"
#include "ccpmanager.h"
#include "ckeyreader.h"
#include "clinewriter.h"
#include "ctokencursor.h"
#include "filepaths.h"
#include "strformat.h"

#include <algorithm>
#include <cmath>

CCPSurface::CCPSurface(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
    : CCPRecord(manager)
{
    Load(id, ar, comment, manager);
}

void CCPSurface::Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
{
    CCPObject::Load(id, ar, comment, manager);
    m_rcSrc = CRect(0, 0, 10, 10);
    ReadKeys(ar, "Surface Bad string", [&](std::string_view key, CTokenCursor& cur) {
        std::string_view value;
        if (EqualsNoCase(key, "filename")) {
            if (cur.Next(value))
                TakeText(ar, value, m_strFile);
        } else if (EqualsNoCase(key, "srcloc")) {
            ReadRect(cur, m_rcSrc);
        } else {
            return false;
        }
        return true;
    });
}

void CCPSurface::WriteSurface(CLineWriter& ar, std::optional<std::string>& last)
{
    std::string key = NameKey(m_strFile);
    if (m_pBuffer && (!last || !EqualsNoCase(key, *last)))
        m_pBuffer->Serialize(ar);
    last = std::move(key);
    Serialize(ar);
}

void CCPSurface::Serialize(CLineWriter& ar)
{
    WriteHeader(ar, "SURFACE");
    WriteString(ar, "filename", m_strFile);
    WriteRect(ar, "srcloc", m_rcSrc);
    WriteEnd(ar);
}

void CCPSurface::SetFile(const std::string& file)
{
    if (file == m_strFile)
        return;
    m_strFile = file;
    if (m_pManager)
        m_pBuffer = m_pManager->BufferOf(file, m_pBuffer);
}

void CCPSurface::DrawSurface(Canvas& dc, const CRect& dest, float scale, bool /*transparent*/)
{
    if (!m_pBuffer)
        return; // nothing to cut from
    using i64 = long long;
    const CRect& src = m_rcSrc;
    const i64 w = i64(src.right) - src.left;
    const i64 h = i64(src.bottom) - src.top;
    if (w <= 0 || h <= 0)
        return;
    const CBitmap* picture = m_pBuffer->GetPicture();
    // The right and bottom edges are drawn too.
    const CRect rc = ScaledRect(CRect(dest.left, dest.top, ClampToInt(i64(dest.right) + 1),
                                      ClampToInt(i64(dest.bottom) + 1)),
                                scale);
    if (rc.IsRectEmpty())
        return;
    // The part of the cut that lies on the picture; the rest (all of it without a picture) is
    // black, as in a fresh bitmap of the cut's size.
    CRect inside;
    if (picture) {
        inside =
            CRect(std::max(src.left, 0), std::max(src.top, 0),
                  std::min(src.right, picture->Width()), std::min(src.bottom, picture->Height()));
    }
    if (inside == src) {
        // Always an opaque copy: the surface is the panel's background.
        dc.StretchBlt(*picture, src, rc, false);
        return;
    }
    dc.FillRect(rc, MakeRgb(0, 0, 0));
    if (inside.IsRectEmpty())
        return;
    // Where the inside part lands within the stretched cut.
    const auto x = [&](int v) {
        return int(std::floor(rc.left + double(i64(v) - src.left) *
                                            double(i64(rc.right) - rc.left) / double(w)));
    };
    const auto y = [&](int v) {
        return int(std::floor(rc.top + double(i64(v) - src.top) * double(i64(rc.bottom) - rc.top) /
                                           double(h)));
    };
    const CRect part(x(inside.left), y(inside.top), x(inside.right), y(inside.bottom));
    if (!part.IsRectEmpty())
        dc.StretchBlt(*picture, inside, part, false);
}

void CCPSurface::ResetImage()
{
    if (m_pBuffer)
        m_pBuffer->ReleasePicture();
}

bool CCPSurface::SameFields(const CCPObject& other) const
{
    const auto& o = static_cast<const CCPSurface&>(other);
    return m_nId == o.m_nId && m_strComment == o.m_strComment && m_strFile == o.m_strFile &&
           m_rcSrc == o.m_rcSrc && m_pBuffer == o.m_pBuffer;
}
