// The picture readers on any bytes: nothing may crash or overflow, no picture past the size
// limits is allocated, and a size told from the file's start is the size of the picture read.
#include "cbitmap.h"
#include "picturedecode.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    int width = 0, height = 0;
    const bool peeked = PeekPictureSize(bytes, width, height);
    CBitmap picture;
    if (DecodePictureSurely(bytes, picture)) {
        if (picture.IsNull() ||
            (peeked && (picture.Width() != width || picture.Height() != height)))
            std::abort();
    }
    return 0;
}
