#include "cqtimageloader.h"

#include "cbitmap.h"

#include <QImage>
#include <QImageReader>

#include <cstring>

bool CQtImageLoader::Load(const std::string& path, CBitmap& out)
{
    QImageReader reader(QString::fromLocal8Bit(path.c_str()));
    reader.setAutoTransform(false);
    QImage image = reader.read();
    if (image.isNull())
        return false;
    out = BitmapFromImage(image);
    return !out.IsNull();
}

CBitmap BitmapFromImage(const QImage& image)
{
    // Pictures are opaque: transparent parts of a PNG come out as what the colour holds.
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    CBitmap out(rgb.width(), rgb.height());
    if (out.IsNull())
        return out;
    uint32_t* bits = out.MutableBits();
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(bits + size_t(y) * size_t(rgb.width()), rgb.constScanLine(y), size_t(rgb.width()) * 4);
    return out;
}

QImage ImageFromBitmap(const CBitmap& bitmap)
{
    if (bitmap.IsNull())
        return QImage();
    QImage img(bitmap.Width(), bitmap.Height(), QImage::Format_ARGB32);
    for (int y = 0; y < bitmap.Height(); ++y)
        std::memcpy(img.scanLine(y), bitmap.Bits() + size_t(y) * size_t(bitmap.Width()), size_t(bitmap.Width()) * 4);
    return img;
}
