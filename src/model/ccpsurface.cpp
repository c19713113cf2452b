#include "ccpsurface.h"

#include "canvas.h"
#include "ccpbuffer.h"
#include "ckeyreader.h"
#include "clinewriter.h"
#include "ctokencursor.h"
#include "strformat.h"

namespace {
// A source rect beyond these is not allocated; the surface then draws nothing.
constexpr int kMaxSide = 16384;
constexpr long long kMaxArea = 64LL * 1024 * 1024;
} // namespace

CCPSurface::CCPSurface(int id, CLineReader& ar, const std::string& comment, CCPManager* manager,
                       CCPBuffer* buffer)
    : CCPObject(manager), m_pBuffer(buffer)
{
    Load(id, ar, comment, manager);
}

void CCPSurface::Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
{
    CCPObject::Load(id, ar, comment, manager);
    m_rcSrc = CRect(0, 0, 10, 10);
    ReadKeys(ar, "Surface Bad string", [&](std::string_view key, CTokenCursor& cur) {
        std::string value;
        if (EqualsNoCase(key, "filename")) {
            if (cur.Next(value))
                m_strFile = value;
        } else if (EqualsNoCase(key, "srcloc")) {
            ReadRect(cur, m_rcSrc);
        } else {
            return false;
        }
        return true;
    });
    m_bBuilt = false;
}

void CCPSurface::WriteSurface(CLineWriter& ar, std::string& last)
{
    if (!EqualsNoCase(m_strFile, last) && m_pBuffer)
        m_pBuffer->Serialize(ar);
    last = m_strFile;
    WriteHeader(ar, "SURFACE");
    WriteString(ar, "filename", m_strFile);
    WriteRect(ar, "srcloc", m_rcSrc);
    WriteEnd(ar);
}

void CCPSurface::DrawSurface(Canvas& dc, const CRect& dest, float scale, int /*transparent*/)
{
    if (!m_pBuffer)
        return; // nothing to cut from
    if (!m_bBuilt) {
        const long long w = (long long)m_rcSrc.right - m_rcSrc.left;
        const long long h = (long long)m_rcSrc.bottom - m_rcSrc.top;
        const bool sane =
            w > 0 && h > 0 && w <= kMaxSide && h <= kMaxSide && (long long)w * h <= kMaxArea;
        m_bitmap = sane ? CBitmap(int(w), int(h)) : CBitmap();
        if (!m_bitmap.IsNull())
            m_pBuffer->Render(m_rcSrc, m_bitmap);
        m_bBuilt = true;
    }
    if (m_bitmap.IsNull())
        return;
    CRect rc = dest;
    rc.right += 1;
    rc.bottom += 1;
    ScaleRect(rc, scale);
    // Always an opaque copy: the surface is the panel's background.
    dc.StretchBlt(m_bitmap, CRect(0, 0, m_bitmap.Width(), m_bitmap.Height()), rc, false);
}

void CCPSurface::ResetImage()
{
    m_bBuilt = false;
    if (m_pBuffer)
        m_pBuffer->ReleasePicture();
}

std::unique_ptr<CCPObject> CCPSurface::CopyFields() const
{
    auto copy = std::make_unique<CCPSurface>(m_pManager);
    copy->AssignFields(*this);
    return copy;
}

void CCPSurface::AssignFields(const CCPObject& from)
{
    const auto& other = static_cast<const CCPSurface&>(from);
    CCPObject::operator=(other);
    m_strFile = other.m_strFile;
    m_rcSrc = other.m_rcSrc;
    m_pBuffer = other.m_pBuffer;
    // Cut again from the buffer's picture, which stays loaded.
    m_bBuilt = false;
    m_bitmap = CBitmap();
}

bool CCPSurface::SameFields(const CCPObject& other) const
{
    const auto& o = static_cast<const CCPSurface&>(other);
    return m_nId == o.m_nId && m_strComment == o.m_strComment && m_strFile == o.m_strFile &&
           m_rcSrc == o.m_rcSrc && m_pBuffer == o.m_pBuffer;
}
