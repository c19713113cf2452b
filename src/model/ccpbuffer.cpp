#include "ccpbuffer.h"

#include "ccpmanager.h"
#include "ckeyreader.h"
#include "clinewriter.h"
#include "cscanner.h"
#include "ctokencursor.h"
#include "iimageloader.h"
#include "strformat.h"

#include <algorithm>

CCPBuffer::CCPBuffer(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
    : CCPObject(manager)
{
    CCPObject::Load(id, ar, comment, manager);
    ReadKeys(ar, "Buffer Bad string", [&](std::string_view key, CTokenCursor& cur) {
        std::string value;
        if (EqualsNoCase(key, "filename")) {
            if (cur.Next(value))
                m_strFile = value;
        } else if (EqualsNoCase(key, "buffersize")) {
            if (cur.Next(value, TokenSet::Value)) {
                CScanner s(value);
                s.Int(m_nWidth) && s.Int(m_nHeight);
            }
        } else {
            return false;
        }
        return true;
    });
    SetFile(m_strFile);
}

void CCPBuffer::Write(CLineWriter& ar, bool embedded)
{
    if (!embedded)
        WriteHeader(ar, "BUFFER");
    WriteString(ar, "filename", m_strFile);
    WritePoint(ar, "buffersize", m_nWidth, m_nHeight);
    WriteEnd(ar);
}

void CCPBuffer::SetFile(const std::string& file)
{
    m_strFile = file;
    m_strPath = m_pManager ? m_pManager->FullPath(m_strFile) : m_strFile;
    m_bLoaded = false;
    m_picture = CBitmap();
}

bool CCPBuffer::Render(const CRect& src, CBitmap& out)
{
    if (!m_bLoaded) {
        // One attempt (and at most one message) until the picture is released again.
        m_bLoaded = true;
        IImageLoader* loader = m_pManager ? m_pManager->GetImageLoader() : nullptr;
        CBitmap picture;
        if (loader && loader->Load(m_strPath, picture) && !picture.IsNull()) {
            m_picture = std::move(picture);
        } else {
            m_picture = CBitmap();
            if (m_pManager)
                m_pManager->MessageBox(ImageErrorText(m_strPath));
        }
    }
    if (m_picture.IsNull())
        return false;

    // src of the picture lands at the origin of out, pixel for pixel; what lies outside
    // either bitmap is left alone.
    // Wide arithmetic: the rectangle comes straight from the file.
    using i64 = long long;
    const i64 left = src.left, top = src.top;
    const i64 x0 = std::max<i64>(0, -left);
    const i64 y0 = std::max<i64>(0, -top);
    const i64 x1 =
        std::min({i64(src.right) - left, i64(out.Width()), i64(m_picture.Width()) - left});
    const i64 y1 =
        std::min({i64(src.bottom) - top, i64(out.Height()), i64(m_picture.Height()) - top});
    if (x0 >= x1 || y0 >= y1)
        return true;
    uint32_t* dst = out.MutableBits();
    const uint32_t* pic = m_picture.Bits();
    for (i64 y = y0; y < y1; ++y) {
        const uint32_t* from =
            pic + size_t(top + y) * size_t(m_picture.Width()) + size_t(left + x0);
        std::copy_n(from, size_t(x1 - x0), dst + size_t(y) * size_t(out.Width()) + size_t(x0));
    }
    return true;
}

void CCPBuffer::ReleasePicture()
{
    m_picture = CBitmap();
    m_bLoaded = false;
}

std::unique_ptr<CCPObject> CCPBuffer::CopyFields() const
{
    auto copy = std::make_unique<CCPBuffer>(m_pManager);
    copy->AssignFields(*this);
    return copy;
}

void CCPBuffer::AssignFields(const CCPObject& from)
{
    const auto& other = static_cast<const CCPBuffer&>(from);
    CCPObject::operator=(other);
    m_strPath = other.m_strPath;
    m_nWidth = other.m_nWidth;
    m_nHeight = other.m_nHeight;
    m_strFile = other.m_strFile;
    ReleasePicture();
}
