#pragma once

#include "iimageloader.h"

#include <cstdint>

class QImage;

// Reads pictures with Qt's image readers (PNG, GIF, BMP, JPEG, ...). The file's bytes are read
// first, from regular files only, and decoded from memory: a FIFO or a device never blocks a
// load, and a file name is passed to the system as the bytes it is. The readers' own warnings
// are left out: a picture that cannot be read is reported by the caller.
class CQtImageLoader : public IImageLoader
{
public:
    // Larger picture files are not read.
    static constexpr uint64_t kMaxFileBytes = uint64_t(256) << 20;

    bool Load(const std::string& path, CBitmap& out) override;
    bool PeekSize(const std::string& path, int& width, int& height) override;
};

// A Qt image as the model's bitmap.
CBitmap BitmapFromImage(const QImage& image);
