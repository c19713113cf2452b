#pragma once

#include "iimageloader.h"

// The pictures of a vireo-cli built without Qt, which has nothing to decode them with and needs
// none: format and check never paint. A picture that is there and can be read counts as read
// (a one-pixel stand-in), so that only a missing or unreadable file is reported, as the editor
// reports it; a file that is no picture is not told.
class CFileOnlyImageLoader : public IImageLoader
{
public:
    bool Load(const std::string& path, CBitmap& out) override;
};
