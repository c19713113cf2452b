#pragma once

#include "iimageloader.h"

class QImage;

// Reads pictures with Qt's image readers (PNG, GIF, BMP, JPEG, ...).
class CQtImageLoader : public IImageLoader
{
public:
    bool Load(const std::string& path, CBitmap& out) override;
};

// Conversions between the model's bitmaps and Qt images.
CBitmap BitmapFromImage(const QImage& image);
QImage ImageFromBitmap(const CBitmap& bitmap);
