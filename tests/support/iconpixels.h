#pragma once

// What an icon paints, as a toolbar button or a tree row shows it.

#include <QIcon>
#include <QImage>
#include <QSize>

// The icon drawn in a square of size logical pixels on a screen of the given pixel ratio.
inline QImage IconImage(const QIcon& icon, int size, qreal ratio = 1.0,
                        QIcon::Mode mode = QIcon::Normal)
{
    return icon.pixmap(QSize(size, size), ratio, mode)
        .toImage()
        .convertToFormat(QImage::Format_ARGB32);
}

// Pixels that are more than half covered.
inline int OpaquePixels(const QImage& image)
{
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            opaque += qAlpha(image.pixel(x, y)) > 128;
    return opaque;
}
