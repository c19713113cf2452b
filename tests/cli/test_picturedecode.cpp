// Pictures read without Qt read exactly as Qt reads them (the same size and pixels), or not at
// all: whatever the readers are not sure of, whole or damaged, is left to Qt.
#include "cbitmap.h"
#include "cqtimageloader.h"
#include "picturedecode.h"
#include "testcockpit.h"
#include "testdata.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace {

const char* const kGifs[] = {"gif87_plain.gif",
                             "gif89_extensions.gif",
                             "gif_interlaced.gif",
                             "gif_transparent.gif",
                             "gif_two_frames.gif",
                             "gif_framed.gif",
                             "gif_framed_transparent.gif",
                             "gif_many_colours.gif"};
const char* const kPngs[] = {"png_gray1.png",
                             "png_gray2.png",
                             "png_gray4.png",
                             "png_gray8.png",
                             "png_gray_alpha.png",
                             "png_rgb.png",
                             "png_rgba.png",
                             "png_palette1.png",
                             "png_palette2.png",
                             "png_palette4.png",
                             "png_palette8.png",
                             "png_palette_transparent.png",
                             "png_rgb_transparent.png",
                             "png_rgb_interlaced.png",
                             "png_palette_interlaced.png",
                             "png_gray2_interlaced.png",
                             "png_rgba_interlaced.png",
                             "png_colour_chunks.png"};
// Read by Qt in a way of its own (16 bits rounded, a transparent grey blacked out).
const char* const kLeftToQt[] = {"png_rgb16.png", "png_gray_transparent.png"};

std::string Picture(const std::string& name)
{
    return TestData("pictures/" + name);
}

// Every fixture of a format this build reads without Qt.
std::vector<std::string> AllFixtures()
{
    std::vector<std::string> names(std::begin(kGifs), std::end(kGifs));
#ifdef VIREO_HAVE_PNG
    names.insert(names.end(), std::begin(kPngs), std::end(kPngs));
    names.insert(names.end(), std::begin(kLeftToQt), std::end(kLeftToQt));
#endif
    return names;
}

// What the Qt loader makes of the bytes, as a file.
class CQtReference
{
public:
    bool Load(const std::string& bytes, CBitmap& out)
    {
        m_dir.Write("picture", bytes);
        CQtImageLoader loader; // a new one: it remembers files that failed
        return loader.Load(m_dir.File("picture"), out);
    }
    bool PeekSize(const std::string& bytes, int& width, int& height)
    {
        m_dir.Write("picture", bytes);
        CQtImageLoader loader;
        return loader.PeekSize(m_dir.File("picture"), width, height);
    }

private:
    CTempDir m_dir;
};

testing::AssertionResult SameBitmap(const CBitmap& ours, const CBitmap& qt)
{
    if (ours.Width() != qt.Width() || ours.Height() != qt.Height())
        return testing::AssertionFailure() << "size " << ours.Width() << "x" << ours.Height()
                                           << ", Qt " << qt.Width() << "x" << qt.Height();
    for (int y = 0; y < qt.Height(); ++y)
        for (int x = 0; x < qt.Width(); ++x)
            if (ours.Pixel(x, y) != qt.Pixel(x, y))
                return testing::AssertionFailure() << "pixel " << x << "," << y << ": " << std::hex
                                                   << ours.Pixel(x, y) << ", Qt " << qt.Pixel(x, y);
    return testing::AssertionSuccess();
}

// Decodes the bytes; when sure, Qt must read the same. True when decoded.
bool DecodesAsQt(CQtReference& qt, const std::string& bytes, const std::string& what)
{
    CBitmap ours;
    if (!DecodePictureSurely(bytes, ours))
        return false;
    CBitmap theirs;
    EXPECT_TRUE(qt.Load(bytes, theirs)) << what << ": decoded, but Qt cannot read it";
    EXPECT_TRUE(SameBitmap(ours, theirs)) << what;
    return true;
}

// Peeks at the bytes; when sure, Qt must tell the same size.
bool PeeksAsQt(CQtReference& qt, const std::string& bytes, const std::string& what)
{
    int width = 0, height = 0, qtWidth = 0, qtHeight = 0;
    if (!PeekPictureSize(bytes, width, height))
        return false;
    EXPECT_TRUE(qt.PeekSize(bytes, qtWidth, qtHeight)) << what << ": Qt tells no size";
    EXPECT_EQ(width, qtWidth) << what;
    EXPECT_EQ(height, qtHeight) << what;
    return true;
}

bool IsPngName(const std::string& name)
{
    return name.size() > 4 && name.compare(name.size() - 4, 4, ".png") == 0;
}

uint32_t Crc32(const std::string& bytes, size_t from, size_t count)
{
    uint32_t crc = 0xffffffffu;
    for (size_t i = from; i < from + count; ++i) {
        crc ^= static_cast<unsigned char>(bytes[i]);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

uint32_t BigEndian(const std::string& bytes, size_t at)
{
    uint32_t value = 0;
    for (size_t i = at; i < at + 4; ++i)
        value = value << 8 | static_cast<unsigned char>(bytes[i]);
    return value;
}

void PutBigEndian(std::string& bytes, size_t at, uint32_t value)
{
    for (int i = 3; i >= 0; --i, value >>= 8)
        bytes[at + size_t(i)] = char(value & 0xff);
}

// Every whole chunk gets the checksum of what it now holds: damage that libpng's checksums
// do not catch.
void FixChunkCrcs(std::string& png)
{
    for (size_t at = 8; at + 12 <= png.size();) {
        const uint32_t length = BigEndian(png, at);
        if (length > png.size() - at - 12)
            return;
        PutBigEndian(png, at + 8 + length, Crc32(png, at + 4, length + 4));
        at += 12 + length;
    }
}

// A GIF whose codes are all single pixels, as simple encoders write them: the table grows by
// one entry per code, and once it is full the codes go on without a clear code.
struct CGifWriter
{
    int width = 0, height = 0;
    std::vector<uint32_t> global; // colours 0xRRGGBB
    int background = 0;
    int transparent = -1;
    std::string extensions; // before the picture
    int left = 0, top = 0, frameWidth = 0, frameHeight = 0;
    std::vector<uint32_t> local;
    bool interlaced = false;
    bool clearFirst = true;
    std::vector<int> pixels; // frameWidth x frameHeight, rows top to bottom

    std::string Bytes() const
    {
        std::string out = "GIF89a";
        Word(out, width);
        Word(out, height);
        out += char(global.empty() ? 0 : 0xf0 | TableBits(global));
        out += char(background);
        out += char(0);
        Table(out, global);
        out += extensions;
        if (transparent >= 0)
            out += std::string("\x21\xf9\x04\x01\0\0", 6) + char(transparent) + '\0';
        out += char(0x2c);
        for (int v : {left, top, frameWidth, frameHeight})
            Word(out, v);
        out += char((local.empty() ? 0 : 0x80 | TableBits(local)) | (interlaced ? 0x40 : 0));
        Table(out, local);
        const int minCode = 8;
        out += char(minCode);
        std::string data = Codes(minCode);
        for (size_t at = 0; at < data.size(); at += 255) {
            const size_t n = std::min<size_t>(255, data.size() - at);
            out += char(n);
            out += data.substr(at, n);
        }
        return out + '\0' + ';';
    }

private:
    static void Word(std::string& out, int v)
    {
        out += char(v & 0xff);
        out += char((v >> 8) & 0xff);
    }
    static int TableBits(const std::vector<uint32_t>& table)
    {
        int bits = 0;
        while ((2u << bits) < table.size())
            ++bits;
        return bits;
    }
    static void Table(std::string& out, const std::vector<uint32_t>& table)
    {
        if (table.empty())
            return;
        for (size_t i = 0; i < (2u << TableBits(table)); ++i) {
            const uint32_t c = i < table.size() ? table[i] : 0;
            out += char(c >> 16);
            out += char((c >> 8) & 0xff);
            out += char(c & 0xff);
        }
    }
    std::string Codes(int minCode) const
    {
        std::vector<int> order;
        std::vector<int> rows;
        for (auto [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}})
            for (int y = start; y < frameHeight; y += step)
                rows.push_back(y);
        for (int y = 0; y < frameHeight; ++y) {
            const int row = interlaced ? rows[size_t(y)] : y;
            for (int x = 0; x < frameWidth; ++x)
                order.push_back(pixels[size_t(row * frameWidth + x)]);
        }
        std::string out;
        uint32_t buffer = 0;
        int bits = 0, size = minCode + 1, next = (1 << minCode) + 2;
        auto put = [&](int code) {
            buffer |= uint32_t(code) << bits;
            for (bits += size; bits >= 8; bits -= 8, buffer >>= 8)
                out += char(buffer & 0xff);
        };
        if (clearFirst)
            put(1 << minCode);
        for (size_t i = 0; i < order.size(); ++i) {
            put(order[i]);
            if (i > 0 && next < 4096 && ++next == (1 << size) && size < 12)
                ++size;
        }
        put((1 << minCode) + 1);
        if (bits > 0)
            out += char(buffer & 0xff);
        return out;
    }
};

// A frame of w x h pixels over `colours` colours, in a pattern that repeats seldom.
CGifWriter Pattern(int w, int h, int colours)
{
    CGifWriter gif;
    gif.width = gif.frameWidth = w;
    gif.height = gif.frameHeight = h;
    for (int i = 0; i < colours; ++i)
        gif.global.push_back(uint32_t(i * 0x0b3d5f + 0x102030) & 0xffffffu);
    for (int i = 0; i < w * h; ++i)
        gif.pixels.push_back((i * 7 + i / w) % colours);
    return gif;
}

} // namespace

TEST(PictureDecode, CommonPicturesDecodeAsQtReadsThem)
{
    CQtReference qt;
    for (const char* name : kGifs)
        EXPECT_TRUE(DecodesAsQt(qt, Picture(name), name)) << name << " was not decoded";
#ifdef VIREO_HAVE_PNG
    for (const char* name : kPngs)
        EXPECT_TRUE(DecodesAsQt(qt, Picture(name), name)) << name << " was not decoded";
    // The demo's pictures, as Qt wrote them.
    for (const char* name : {"demo_template.png", "demo_front.png"})
        EXPECT_TRUE(DecodesAsQt(qt, ExampleData(name), name)) << name << " was not decoded";
#endif
}

TEST(PictureDecode, GifsOfOtherEncodersDecodeAsQtReadsThem)
{
    CQtReference qt;
    // The table fills up and the codes go on without a clear code.
    CGifWriter full = Pattern(64, 64, 256);
    EXPECT_TRUE(DecodesAsQt(qt, full.Bytes(), "full table"));
    CGifWriter noClear = Pattern(7, 5, 6);
    noClear.clearFirst = false;
    EXPECT_TRUE(DecodesAsQt(qt, noClear.Bytes(), "no clear code first"));
    // A local colour table on the first picture.
    CGifWriter local = Pattern(7, 5, 6);
    local.local = {0xff0000, 0x00ff00, 0x0000ff, 0xffff00, 0x00ffff, 0xff00ff};
    EXPECT_TRUE(DecodesAsQt(qt, local.Bytes(), "local table"));
    local.global.clear();
    EXPECT_TRUE(DecodesAsQt(qt, local.Bytes(), "local table only"));
    // Every height against the interlaced passes (Qt misplaces the rows of 3 and 4).
    for (int h = 1; h <= 24; ++h) {
        CGifWriter gif = Pattern(3, h, 5);
        gif.interlaced = true;
        EXPECT_EQ(DecodesAsQt(qt, gif.Bytes(), "interlaced, height " + std::to_string(h)),
                  h != 3 && h != 4);
    }
    // Around a smaller picture: the background colour, or the transparent index's colour.
    CGifWriter framed = Pattern(4, 3, 5);
    framed.width = 9;
    framed.height = 7;
    framed.left = 2;
    framed.top = 3;
    framed.background = 3;
    EXPECT_TRUE(DecodesAsQt(qt, framed.Bytes(), "framed"));
    framed.transparent = 1;
    EXPECT_TRUE(DecodesAsQt(qt, framed.Bytes(), "framed, transparent"));
    // Rows filled in passes stay inside the picture.
    CGifWriter top = Pattern(5, 9, 6);
    top.width = 8;
    top.height = 20;
    top.left = 1;
    top.interlaced = true;
    EXPECT_TRUE(DecodesAsQt(qt, top.Bytes(), "framed, interlaced"));
}

TEST(PictureDecode, WhatReadersShowDifferentlyIsLeftToQt)
{
    CQtReference qt;
    const auto leftToQt = [&](const std::string& bytes, const std::string& what) {
        CBitmap out(2, 3, 0xff123456u);
        EXPECT_FALSE(DecodePictureSurely(bytes, out)) << what;
        EXPECT_EQ(out.Width(), 2) << what;
        EXPECT_EQ(out.Pixel(1, 2), 0xff123456u) << what;
    };
    for (const char* name : kLeftToQt) {
        CBitmap theirs;
        EXPECT_TRUE(qt.Load(Picture(name), theirs)) << name;
        leftToQt(Picture(name), name);
    }
    // Qt paints the screen around a picture with a local table in colours of its own.
    CGifWriter framed = Pattern(4, 3, 5);
    framed.width = 9;
    framed.height = 7;
    framed.local = {0xff0000, 0x00ff00, 0x0000ff, 0xffff00, 0x00ffff};
    leftToQt(framed.Bytes(), "framed with a local table");
    // Pixels or a transparent index past the colour table.
    CGifWriter gif = Pattern(7, 5, 6);
    gif.pixels[9] = 8; // the table holds 8 colours, 6 used
    leftToQt(gif.Bytes(), "pixel past the table");
    // Qt reads it, and the loader gives it opaque, as every picture is.
    CBitmap read;
    ASSERT_TRUE(qt.Load(gif.Bytes(), read));
    int seeThrough = 0;
    for (int y = 0; y < read.Height(); ++y)
        for (int x = 0; x < read.Width(); ++x)
            seeThrough += (read.Pixel(x, y) >> 24) != 0xffu;
    EXPECT_EQ(seeThrough, 0);
    gif = Pattern(7, 5, 6);
    gif.transparent = 9;
    leftToQt(gif.Bytes(), "transparent index past the table");
    // Plain text and a second graphic control before the picture.
    gif = Pattern(7, 5, 6);
    gif.extensions = std::string("\x21\x01\x0c", 3) + std::string(12, '\0') +
                     "\x02"
                     "ab" +
                     std::string(1, '\0');
    leftToQt(gif.Bytes(), "plain text");
    gif.extensions = std::string("\x21\xf9\x04\0\0\0\0\0", 8);
    gif.transparent = 2;
    leftToQt(gif.Bytes(), "two controls");
    gif.extensions = std::string("\x21\xff\0", 3);
    gif.transparent = -1;
    leftToQt(gif.Bytes(), "application data without a name");
    // A picture reaching past the screen.
    gif = Pattern(7, 5, 6);
    gif.width = 6;
    leftToQt(gif.Bytes(), "wider than the screen");
    // Bytes after the end, or no end.
    for (const char* name : {"gif87_plain.gif", "png_rgb.png"}) {
        leftToQt(Picture(name) + '\0', std::string(name) + " with a byte more");
        const std::string bytes = Picture(name);
        leftToQt(bytes.substr(0, bytes.size() - 1), std::string(name) + " with a byte less");
    }
    // A chunk that must be understood, after the picture data.
    std::string png = Picture("png_rgb.png");
    png.insert(png.size() - 12, std::string("\0\0\0\0EXTR\0\0\0\0", 12));
    FixChunkCrcs(png);
    leftToQt(png, "unknown critical chunk");
    leftToQt("BM" + std::string(60, '\0'), "a bitmap file");
    leftToQt(std::string(), "nothing");
}

TEST(PictureDecode, DamagedPicturesDecodeAsQtReadsThemOrNotAtAll)
{
    CQtReference qt;
    int decoded = 0;
    for (const std::string& name : AllFixtures()) {
        const std::string bytes = Picture(name);
        const size_t stride = std::max<size_t>(1, bytes.size() / 250);
        for (size_t length = 0; length < bytes.size(); length += stride)
            decoded += DecodesAsQt(qt, bytes.substr(0, length),
                                   name + " cut to " + std::to_string(length));
        for (size_t at = 0; at < bytes.size(); at += stride) {
            for (unsigned flip : {0x01u, 0x10u, 0x80u, 0xffu}) {
                std::string damaged = bytes;
                damaged[at] = char(static_cast<unsigned char>(damaged[at]) ^ flip);
                if (IsPngName(name))
                    FixChunkCrcs(damaged);
                decoded += DecodesAsQt(qt, damaged,
                                       name + " byte " + std::to_string(at) + " ^ " +
                                           std::to_string(flip));
            }
        }
    }
    // Colours and other harmless changes still decode: the comparisons above were made.
    EXPECT_GT(decoded, 100);
}

TEST(PictureDecode, PeekedSizesAreTheSizesQtTells)
{
    CQtReference qt;
    for (const std::string& name : AllFixtures()) {
        const std::string bytes = Picture(name);
        EXPECT_TRUE(PeeksAsQt(qt, bytes, name)) << name << " told no size";
        // The start of the file only, as far as it goes.
        const size_t stride = std::max<size_t>(1, bytes.size() / 100);
        for (size_t length = 0; length < bytes.size(); length += stride)
            PeeksAsQt(qt, bytes.substr(0, length), name + " cut to " + std::to_string(length));
    }
    // Small pictures on large screens: Qt tells the screen's size only up to a point.
    for (int side = 1900; side <= 2100; side += 10) {
        CGifWriter gif = Pattern(6, 5, 4);
        gif.width = side;
        PeeksAsQt(qt, gif.Bytes(), "screen width " + std::to_string(side));
        EXPECT_TRUE(DecodesAsQt(qt, gif.Bytes(), "screen width " + std::to_string(side)));
        gif.width = 6;
        gif.height = side;
        PeeksAsQt(qt, gif.Bytes(), "screen height " + std::to_string(side));
    }
}

TEST(PictureDecode, PicturesTooLargeToTakeOnAreLeftToQt)
{
    // Sizes a header may claim: each side, and the area, past the limits.
    const std::array<std::pair<int, int>, 3> sizes = {
        std::pair{kMaxPictureSide + 1, 1}, {1, kMaxPictureSide + 1}, {4097, 4097}};
    for (auto [w, h] : sizes) {
        CGifWriter gif = Pattern(2, 2, 4);
        gif.width = std::min(w, 0xffff);
        gif.height = std::min(h, 0xffff);
        int pw = 0, ph = 0;
        CBitmap out;
        EXPECT_FALSE(PeekPictureSize(gif.Bytes(), pw, ph)) << w << "x" << h;
        EXPECT_FALSE(DecodePictureSurely(gif.Bytes(), out)) << w << "x" << h;
#ifdef VIREO_HAVE_PNG
        std::string png = Picture("png_rgb.png");
        PutBigEndian(png, 16, uint32_t(w));
        PutBigEndian(png, 20, uint32_t(h));
        FixChunkCrcs(png);
        EXPECT_FALSE(PeekPictureSize(png, pw, ph)) << w << "x" << h;
        EXPECT_FALSE(DecodePictureSurely(png, out)) << w << "x" << h;
#endif
    }
}
