#pragma once

#include <string>

class CBitmap;

// Reads a picture file of any format the platform knows into an opaque bitmap.
class IImageLoader
{
public:
    virtual ~IImageLoader() = default;
    // False (out untouched) when the file cannot be read or is not a picture.
    virtual bool Load(const std::string& path, CBitmap& out) = 0;
    // The picture's width and height from its header, without decoding it: a picture too
    // large to keep is refused before it takes memory. False when not known.
    virtual bool PeekSize(const std::string&, int& /*width*/, int& /*height*/) { return false; }
};
