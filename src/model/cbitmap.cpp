#include "cbitmap.h"

#include <algorithm>

CBitmap::CBitmap(int width, int height, uint32_t fill)
{
    if (width > 0 && height > 0) {
        m_nWidth = width;
        m_nHeight = height;
        m_aPixels.assign(size_t(width) * size_t(height), fill);
    }
}

void CBitmap::SetPixel(int x, int y, uint32_t argb)
{
    MutableBits()[size_t(y) * size_t(m_nWidth) + size_t(x)] = argb;
}

uint32_t* CBitmap::MutableBits()
{
    m_pKeyed.reset();
    return m_aPixels.data();
}

const uint32_t* CBitmap::KeyedBits() const
{
    if (!m_pKeyed) {
        auto keyed = std::make_shared<std::vector<uint32_t>>(m_aPixels);
        for (uint32_t& p : *keyed)
            p = IsKeyBlue(p) ? 0u : (p | 0xff000000u);
        m_pKeyed = std::move(keyed);
    }
    return m_pKeyed->data();
}

CBitmap CBitmap::CropOrPad(const CBitmap& src, int width, int height)
{
    CBitmap out(width, height, 0xff000000u);
    if (out.IsNull())
        return out;
    const int w = std::min(width, src.Width());
    const int h = std::min(height, src.Height());
    uint32_t* dst = out.MutableBits();
    for (int y = 0; y < h; ++y)
        std::copy_n(src.Bits() + size_t(y) * size_t(src.Width()), w,
                    dst + size_t(y) * size_t(width));
    return out;
}
