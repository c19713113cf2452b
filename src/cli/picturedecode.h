#pragma once

#include <cstdint>
#include <string_view>

class CBitmap;

// The common pictures (PNG, GIF) read without Qt, so that format and check need not load it for
// them. Both readers vouch only for what they fully understand: anything else ("not sure") is
// left to Qt's readers, which stay the reference.

// Picture sizes these readers take on: each side at most kMaxPictureSide pixels, at most
// kMaxPictureArea pixels in all (well inside what Qt's readers allocate), files up to
// kMaxPictureBytes (the limit of the Qt loader).
constexpr int kMaxPictureSide = 32767;
constexpr uint64_t kMaxPictureArea = uint64_t(1) << 24;
constexpr uint64_t kMaxPictureBytes = uint64_t(256) << 20;

// True when `bytes` are a picture these readers fully understand and Qt's readers would read
// with the same width, height and pixels; `out` then holds it as the Qt loader gives it (opaque,
// 0xffRRGGBB). False means "not sure": damaged, or a format or variant not handled here; `out`
// is then untouched.
bool DecodePictureSurely(std::string_view bytes, CBitmap& out);

// The width and height Qt's reader would report from the file's start `head` (PNG: its header,
// GIF: the logical screen); false when not sure.
bool PeekPictureSize(std::string_view head, int& width, int& height);
