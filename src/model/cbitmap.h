#pragma once

#include <cstdint>
#include <memory>
#include <vector>

// A picture in memory: 32-bit pixels 0xAARRGGBB, rows top to bottom. Images loaded from files
// are opaque (alpha 0xff). The blue-keyed form used by transparent blits is built once per
// picture and kept until the pixels change.
class CBitmap
{
public:
    CBitmap() = default;
    CBitmap(int width, int height, uint32_t fill = 0xff000000u);

    bool IsNull() const { return m_nWidth <= 0 || m_nHeight <= 0; }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    uint32_t Pixel(int x, int y) const
    {
        return m_aPixels[size_t(y) * size_t(m_nWidth) + size_t(x)];
    }
    void SetPixel(int x, int y, uint32_t argb);
    const uint32_t* Bits() const { return m_aPixels.data(); }
    uint32_t* MutableBits();

    // Same pixels with pure blue (0,0,255) turned fully transparent (premultiplied ARGB).
    const uint32_t* KeyedBits() const;

    // The top-left width x height part of src; pixels outside src stay black.
    static CBitmap CropOrPad(const CBitmap& src, int width, int height);

private:
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::vector<uint32_t> m_aPixels;
    mutable std::shared_ptr<std::vector<uint32_t>> m_pKeyed;
};

// True for the colour that transparent blits leave out.
inline bool IsKeyBlue(uint32_t argb)
{
    return (argb & 0x00ffffffu) == 0x000000ffu;
}
