#include "picturedecode.h"

#include "cbitmap.h"

#include <array>
#include <cstddef>
#include <cstring>
#include <vector>

#ifdef VIREO_HAVE_PNG
#include <png.h>
#endif

namespace {

bool SizeAccepted(uint64_t width, uint64_t height)
{
    return width > 0 && height > 0 && width <= uint64_t(kMaxPictureSide) &&
           height <= uint64_t(kMaxPictureSide) && width * height <= kMaxPictureArea;
}

uint32_t Opaque(unsigned r, unsigned g, unsigned b)
{
    return 0xff000000u | r << 16 | g << 8 | b;
}

// ---------------------------------------------------------------------------------------------
// PNG, through libpng as Qt's own reader uses it. Every step that may fail runs under libpng's
// jump point in a function that holds nothing with a destructor.

#ifdef VIREO_HAVE_PNG

constexpr unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};

bool IsPng(std::string_view bytes)
{
    return bytes.size() >= sizeof kPngSignature &&
           std::memcmp(bytes.data(), kPngSignature, sizeof kPngSignature) == 0;
}

struct CPngInput
{
    const unsigned char* data;
    size_t size;
    size_t pos;
    bool warned;
};

void PngFail(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

// A warning means libpng patched something up; Qt may then show another picture.
void PngWarn(png_structp png, png_const_charp)
{
    static_cast<CPngInput*>(png_get_error_ptr(png))->warned = true;
}

void PngRead(png_structp png, png_bytep out, size_t count)
{
    auto* in = static_cast<CPngInput*>(png_get_io_ptr(png));
    if (count > in->size - in->pos)
        png_error(png, "truncated");
    std::memcpy(out, in->data + in->pos, count);
    in->pos += count;
}

// What a step of reading needs; plain data only, as it lives across the jump.
struct CPngStep
{
    png_structp png;
    png_infop info;
    png_bytep row;   // one row, for a picture read row by row
    png_bytepp rows; // every row, for an interlaced picture
    const png_color* palette;
    int paletteCount;
    int colorType;
    int bitDepth;
    uint32_t* pixels; // the bitmap's
    png_uint_32 width;
    png_uint_32 height;
};

// Runs `step` under the jump point: false when libpng gave up.
bool Guarded(CPngStep& s, void (*step)(CPngStep&))
{
    if (setjmp(png_jmpbuf(s.png)))
        return false;
    step(s);
    return true;
}

// One row of samples (one byte each, after unpacking) as opaque pixels the way Qt shows them:
// grey levels stretched to 0..255, alpha and palette transparency left out.
bool ConvertRow(const CPngStep& s, const png_byte* in, uint32_t* out)
{
    static constexpr unsigned kGreyScale[9] = {0, 255, 85, 0, 17, 0, 0, 0, 1};
    for (png_uint_32 x = 0; x < s.width; ++x) {
        switch (s.colorType) {
        case PNG_COLOR_TYPE_GRAY: {
            const unsigned v = in[x] * kGreyScale[s.bitDepth];
            out[x] = Opaque(v, v, v);
            break;
        }
        case PNG_COLOR_TYPE_GRAY_ALPHA:
            out[x] = Opaque(in[2 * x], in[2 * x], in[2 * x]);
            break;
        case PNG_COLOR_TYPE_RGB:
            out[x] = Opaque(in[3 * x], in[3 * x + 1], in[3 * x + 2]);
            break;
        case PNG_COLOR_TYPE_RGB_ALPHA:
            out[x] = Opaque(in[4 * x], in[4 * x + 1], in[4 * x + 2]);
            break;
        case PNG_COLOR_TYPE_PALETTE: {
            if (in[x] >= s.paletteCount)
                return false;
            const png_color& c = s.palette[in[x]];
            out[x] = Opaque(c.red, c.green, c.blue);
            break;
        }
        default:
            return false;
        }
    }
    return true;
}

void StepInfo(CPngStep& s)
{
    png_read_info(s.png, s.info);
}

void StepUpdate(CPngStep& s)
{
    png_read_update_info(s.png, s.info);
}

void StepRows(CPngStep& s)
{
    for (png_uint_32 y = 0; y < s.height; ++y) {
        png_read_row(s.png, s.row, nullptr);
        if (!ConvertRow(s, s.row, s.pixels + size_t(y) * s.width))
            png_error(s.png, "palette index");
    }
}

void StepImage(CPngStep& s)
{
    png_read_image(s.png, s.rows);
}

void StepEnd(CPngStep& s)
{
    png_read_end(s.png, s.info);
}

// A libpng reader over bytes in memory, as strict as libpng can be.
class CPngReader
{
public:
    explicit CPngReader(std::string_view bytes)
        : m_input{reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), 0, false}
    {
        m_step = {};
        m_step.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &m_input, PngFail, PngWarn);
        if (!m_step.png)
            return;
        m_step.info = png_create_info_struct(m_step.png);
        if (!m_step.info)
            return;
        png_set_read_fn(m_step.png, &m_input, PngRead);
        png_set_benign_errors(m_step.png, 0);
        png_set_crc_action(m_step.png, PNG_CRC_DEFAULT, PNG_CRC_ERROR_QUIT);
        png_set_user_limits(m_step.png, kMaxPictureSide, kMaxPictureSide);
    }
    ~CPngReader()
    {
        png_destroy_read_struct(&m_step.png, m_step.info ? &m_step.info : nullptr, nullptr);
    }
    CPngReader(const CPngReader&) = delete;
    CPngReader& operator=(const CPngReader&) = delete;

    // The chunks up to the picture data; the size taken on.
    bool ReadInfo()
    {
        if (!m_step.info || !Guarded(m_step, StepInfo) || m_input.warned)
            return false;
        int interlace = 0;
        png_get_IHDR(m_step.png, m_step.info, &m_step.width, &m_step.height, &m_step.bitDepth,
                     &m_step.colorType, &interlace, nullptr, nullptr);
        m_bInterlaced = interlace != PNG_INTERLACE_NONE;
        return SizeAccepted(m_step.width, m_step.height);
    }
    int Width() const { return int(m_step.width); }
    int Height() const { return int(m_step.height); }

    bool Decode(CBitmap& out)
    {
        if (!Understood())
            return false;
        if (m_step.bitDepth < 8)
            png_set_packing(m_step.png); // one byte per sample, values as stored
        if (m_bInterlaced)
            png_set_interlace_handling(m_step.png);
        if (!Guarded(m_step, StepUpdate))
            return false;
        const size_t rowBytes = png_get_rowbytes(m_step.png, m_step.info);
        if (rowBytes != size_t(m_step.width) * png_get_channels(m_step.png, m_step.info))
            return false;

        CBitmap bitmap(Width(), Height());
        m_step.pixels = bitmap.MutableBits();
        if (m_bInterlaced) {
            // The passes fill the rows in turn: the whole picture is kept once as samples.
            std::vector<png_byte> samples(rowBytes * m_step.height);
            std::vector<png_bytep> rows(m_step.height);
            for (png_uint_32 y = 0; y < m_step.height; ++y)
                rows[y] = samples.data() + size_t(y) * rowBytes;
            m_step.rows = rows.data();
            if (!Guarded(m_step, StepImage))
                return false;
            for (png_uint_32 y = 0; y < m_step.height; ++y)
                if (!ConvertRow(m_step, rows[y], m_step.pixels + size_t(y) * m_step.width))
                    return false;
        } else {
            std::vector<png_byte> row(rowBytes);
            m_step.row = row.data();
            if (!Guarded(m_step, StepRows))
                return false;
        }
        // Everything up to IEND is read and sound, and nothing follows it.
        if (!Guarded(m_step, StepEnd) || m_input.warned || m_input.pos != m_input.size)
            return false;
        out = std::move(bitmap);
        return true;
    }

private:
    // The variants whose pixels Qt shows as ConvertRow does. Not 16 bits (Qt rounds them its
    // own way), nor a transparent grey level (Qt blacks it out at some depths only).
    bool Understood()
    {
        if (m_step.bitDepth > 8)
            return false;
        switch (m_step.colorType) {
        case PNG_COLOR_TYPE_GRAY:
            return !png_get_valid(m_step.png, m_step.info, PNG_INFO_tRNS);
        case PNG_COLOR_TYPE_PALETTE: {
            png_colorp palette = nullptr;
            int count = 0;
            if (!png_get_PLTE(m_step.png, m_step.info, &palette, &count) || count <= 0)
                return false;
            m_step.palette = palette;
            m_step.paletteCount = count;
            return true;
        }
        case PNG_COLOR_TYPE_GRAY_ALPHA:
        case PNG_COLOR_TYPE_RGB:
        case PNG_COLOR_TYPE_RGB_ALPHA:
            return true;
        default:
            return false;
        }
    }

    CPngInput m_input;
    CPngStep m_step;
    bool m_bInterlaced = false;
};

bool DecodePng(std::string_view bytes, CBitmap& out)
{
    CPngReader reader(bytes);
    return reader.ReadInfo() && reader.Decode(out);
}

bool PeekPng(std::string_view head, int& width, int& height)
{
    CPngReader reader(head);
    if (!reader.ReadInfo())
        return false;
    width = reader.Width();
    height = reader.Height();
    return true;
}

#endif // VIREO_HAVE_PNG

// ---------------------------------------------------------------------------------------------
// GIF: the first picture of the file, decoded here.

bool IsGif(std::string_view bytes)
{
    return bytes.substr(0, 6) == "GIF87a" || bytes.substr(0, 6) == "GIF89a";
}

// Bounds-checked reading of the file's bytes.
class CGifCursor
{
public:
    explicit CGifCursor(std::string_view bytes) : m_bytes(bytes) {}
    bool AtEnd() const { return m_nPos == m_bytes.size(); }
    bool Byte(unsigned& value)
    {
        if (m_nPos >= m_bytes.size())
            return false;
        value = static_cast<unsigned char>(m_bytes[m_nPos++]);
        return true;
    }
    bool Word(unsigned& value)
    {
        unsigned lo = 0, hi = 0;
        if (!Byte(lo) || !Byte(hi))
            return false;
        value = lo | hi << 8;
        return true;
    }
    // `count` bytes in place.
    bool Take(size_t count, const unsigned char*& at)
    {
        if (count > m_bytes.size() - m_nPos)
            return false;
        at = reinterpret_cast<const unsigned char*>(m_bytes.data()) + m_nPos;
        m_nPos += count;
        return true;
    }
    // Data sub-blocks up to and with their terminator.
    bool SkipSubBlocks()
    {
        const unsigned char* at = nullptr;
        for (unsigned length = 0;;) {
            if (!Byte(length))
                return false;
            if (length == 0)
                return true;
            if (!Take(length, at))
                return false;
        }
    }

private:
    std::string_view m_bytes;
    size_t m_nPos = 0;
};

struct CGifTable
{
    const unsigned char* rgb = nullptr; // three bytes per colour
    unsigned count = 0;

    uint32_t Colour(unsigned index) const
    {
        return Opaque(rgb[3 * index], rgb[3 * index + 1], rgb[3 * index + 2]);
    }
};

bool ReadTable(CGifCursor& in, unsigned flags, CGifTable& table)
{
    if (!(flags & 0x80))
        return true;
    table.count = 2u << (flags & 7);
    return in.Take(size_t(table.count) * 3, table.rgb);
}

// Everything before the first picture's data, and the picture's place.
struct CGifStart
{
    unsigned width = 0, height = 0; // the logical screen
    CGifTable global;
    unsigned background = 0;
    int transparent = -1;
    unsigned left = 0, top = 0, frameWidth = 0, frameHeight = 0;
    bool interlaced = false;
    CGifTable local;
};

// A graphic control block: four bytes, then the terminator.
bool ReadControl(CGifCursor& in, int& transparent)
{
    const unsigned char* block = nullptr;
    unsigned size = 0, end = 1;
    if (!in.Byte(size) || size != 4 || !in.Take(4, block) || !in.Byte(end) || end != 0)
        return false;
    transparent = (block[0] & 1) ? block[3] : -1;
    return true;
}

// Extensions other than graphic control: comments and application data only. (Plain text
// is drawn by some readers and not by others.) Application data starts with its 11 byte name:
// Qt loses its way in one that has none.
bool SkipExtension(CGifCursor& in, unsigned label)
{
    const unsigned char* name = nullptr;
    unsigned size = 0;
    if (label == 0xff && (!in.Byte(size) || size != 11 || !in.Take(size, name)))
        return false;
    return (label == 0xfe || label == 0xff) && in.SkipSubBlocks();
}

bool ReadGifStart(CGifCursor& in, CGifStart& g)
{
    const unsigned char* signature = nullptr;
    unsigned flags = 0, aspect = 0;
    if (!in.Take(6, signature) || !in.Word(g.width) || !in.Word(g.height) || !in.Byte(flags) ||
        !in.Byte(g.background) || !in.Byte(aspect) || !ReadTable(in, flags, g.global))
        return false;
    if (!SizeAccepted(g.width, g.height))
        return false;
    bool control = false;
    for (;;) {
        unsigned introducer = 0, label = 0;
        if (!in.Byte(introducer))
            return false;
        if (introducer == 0x2c)
            break;
        if (introducer != 0x21 || !in.Byte(label))
            return false;
        if (label == 0xf9) {
            // Two controls for one picture: readers differ on which one counts.
            if (control || !ReadControl(in, g.transparent))
                return false;
            control = true;
        } else if (!SkipExtension(in, label)) {
            return false;
        }
    }
    unsigned frameFlags = 0;
    if (!in.Word(g.left) || !in.Word(g.top) || !in.Word(g.frameWidth) || !in.Word(g.frameHeight) ||
        !in.Byte(frameFlags) || !ReadTable(in, frameFlags, g.local))
        return false;
    g.interlaced = (frameFlags & 0x40) != 0;
    return g.frameWidth > 0 && g.frameHeight > 0 && g.left + g.frameWidth <= g.width &&
           g.top + g.frameHeight <= g.height;
}

// After the first picture: the blocks of the rest, sound up to the trailer, which ends the file.
bool ReadGifRest(CGifCursor& in)
{
    for (;;) {
        unsigned introducer = 0, label = 0, flags = 0, word = 0, minCode = 0;
        int transparent = -1;
        CGifTable table;
        if (!in.Byte(introducer))
            return false;
        if (introducer == 0x3b)
            return in.AtEnd();
        if (introducer == 0x21) {
            if (!in.Byte(label))
                return false;
            if (label == 0xf9 ? !ReadControl(in, transparent) : !SkipExtension(in, label))
                return false;
        } else if (introducer == 0x2c) {
            for (int i = 0; i < 4; ++i)
                if (!in.Word(word))
                    return false;
            if (!in.Byte(flags) || !ReadTable(in, flags, table) || !in.Byte(minCode) ||
                !in.SkipSubBlocks())
                return false;
        } else {
            return false;
        }
    }
}

// The codes of the picture's data, read across its sub-blocks.
class CGifCodes
{
public:
    explicit CGifCodes(CGifCursor& in) : m_in(in) {}
    bool Next(unsigned size, unsigned& code)
    {
        while (m_nBits < size) {
            unsigned byte = 0;
            if (m_nLeft == 0 && (!m_in.Byte(m_nLeft) || m_nLeft == 0))
                return false; // the data ended before its end code
            if (!m_in.Byte(byte))
                return false;
            --m_nLeft;
            m_nBuffer |= uint32_t(byte) << m_nBits;
            m_nBits += 8;
        }
        code = m_nBuffer & ((1u << size) - 1);
        m_nBuffer >>= size;
        m_nBits -= size;
        return true;
    }
    // After the end code: nothing but the padding of its last byte, then the terminator.
    bool EndsCleanly()
    {
        unsigned terminator = 1;
        return m_nLeft == 0 && m_in.Byte(terminator) && terminator == 0;
    }

private:
    CGifCursor& m_in;
    uint32_t m_nBuffer = 0;
    unsigned m_nBits = 0;
    unsigned m_nLeft = 0; // bytes left in the current sub-block
};

// Places the picture's pixels on the screen bitmap, row by row in the order they come
// (interlaced: every 8th row from 0, every 8th from 4, every 4th from 2, every 2nd from 1).
class CGifPlacer
{
public:
    CGifPlacer(const CGifStart& g, const CGifTable& table, CBitmap& screen)
        : m_g(g), m_table(table), m_pixels(screen.MutableBits())
    {
    }
    bool Put(unsigned index)
    {
        if (index >= m_table.count || m_nRow >= m_g.frameHeight)
            return false;
        m_pixels[size_t(m_g.top + m_nRow) * m_g.width + m_g.left + m_nX] = m_table.Colour(index);
        ++m_nCount;
        if (++m_nX == m_g.frameWidth) {
            m_nX = 0;
            NextRow();
        }
        return true;
    }
    bool Complete() const { return m_nCount == uint64_t(m_g.frameWidth) * m_g.frameHeight; }

private:
    void NextRow()
    {
        static constexpr unsigned kStart[4] = {0, 4, 2, 1};
        static constexpr unsigned kStep[4] = {8, 8, 4, 2};
        if (!m_g.interlaced) {
            ++m_nRow;
            return;
        }
        m_nRow += kStep[m_nPass];
        while (m_nRow >= m_g.frameHeight && m_nPass < 3)
            m_nRow = kStart[++m_nPass];
    }

    const CGifStart& m_g;
    const CGifTable& m_table;
    uint32_t* m_pixels;
    unsigned m_nX = 0, m_nRow = 0, m_nPass = 0;
    uint64_t m_nCount = 0;
};

// The variable-length LZW codes of the picture, every pixel placed exactly once.
bool DecodeLzw(CGifCursor& in, CGifPlacer& placer)
{
    unsigned minCode = 0;
    if (!in.Byte(minCode) || minCode < 2 || minCode > 8)
        return false;
    constexpr unsigned kCodes = 4096;
    const unsigned clear = 1u << minCode, end = clear + 1;
    std::array<uint16_t, kCodes> prefix{};
    std::array<unsigned char, kCodes> suffix{};
    std::array<unsigned char, kCodes> first{}; // the first pixel of each code's string
    std::array<unsigned char, kCodes> stack{};
    for (unsigned c = 0; c < clear; ++c)
        suffix[c] = first[c] = static_cast<unsigned char>(c);

    CGifCodes codes(in);
    unsigned size = minCode + 1, next = end + 1, code = 0;
    int previous = -1;
    for (;;) {
        if (!codes.Next(size, code))
            return false;
        if (code == clear) {
            size = minCode + 1;
            next = end + 1;
            previous = -1;
            continue;
        }
        if (code == end)
            break;
        if (previous < 0) {
            if (code >= clear || !placer.Put(code))
                return false;
            previous = int(code);
            continue;
        }
        // A code not yet in the table may only be the one about to be made.
        if (code > next || (code == next && next == kCodes))
            return false;
        const unsigned head = code < next ? first[code] : first[previous];
        if (next < kCodes) {
            // Once the table is full it stays as it is until a clear code.
            prefix[next] = uint16_t(previous);
            suffix[next] = static_cast<unsigned char>(head);
            first[next] = first[previous];
            if (++next == (1u << size) && size < 12)
                ++size;
        }
        size_t depth = 0;
        for (unsigned c = code; c >= clear; c = prefix[c])
            stack[depth++] = suffix[c];
        if (!placer.Put(first[code]))
            return false;
        while (depth > 0)
            if (!placer.Put(stack[--depth]))
                return false;
        previous = int(code);
    }
    return placer.Complete() && codes.EndsCleanly();
}

bool DecodeGif(std::string_view bytes, CBitmap& out)
{
    CGifCursor in(bytes);
    CGifStart g;
    if (!ReadGifStart(in, g))
        return false;
    const CGifTable& table = g.local.count ? g.local : g.global;
    if (table.count == 0 || (g.transparent >= 0 && unsigned(g.transparent) >= table.count))
        return false;
    // Qt does not skip the empty second pass of a 3 or 4 row interlaced picture: its rows
    // come out in other places.
    if (g.interlaced && (g.frameHeight == 3 || g.frameHeight == 4))
        return false;

    // Qt shows the screen around a smaller picture in the global colour of the transparent
    // index, or else of the background; beside a local table its colour is not to be relied on.
    uint32_t around = 0xff000000u;
    if (g.frameWidth != g.width || g.frameHeight != g.height) {
        const unsigned index = g.transparent >= 0 ? unsigned(g.transparent) : g.background;
        if (g.local.count || index >= g.global.count)
            return false;
        around = g.global.Colour(index);
    }
    CBitmap screen(int(g.width), int(g.height), around);
    CGifPlacer placer(g, table, screen);
    if (!DecodeLzw(in, placer) || !ReadGifRest(in))
        return false;
    out = std::move(screen);
    return true;
}

bool PeekGif(std::string_view head, int& width, int& height)
{
    // Past about 2000 pixels on a side Qt tells the first picture's side for the screen's.
    constexpr unsigned kToldSide = 2000;
    CGifCursor in(head);
    CGifStart g;
    if (!ReadGifStart(in, g) || g.width > kToldSide || g.height > kToldSide)
        return false;
    width = int(g.width);
    height = int(g.height);
    return true;
}

} // namespace

bool DecodePictureSurely(std::string_view bytes, CBitmap& out)
{
    if (bytes.size() > kMaxPictureBytes)
        return false;
    if (IsGif(bytes))
        return DecodeGif(bytes, out);
#ifdef VIREO_HAVE_PNG
    if (IsPng(bytes))
        return DecodePng(bytes, out);
#endif
    return false;
}

bool PeekPictureSize(std::string_view head, int& width, int& height)
{
    if (IsGif(head))
        return PeekGif(head, width, height);
#ifdef VIREO_HAVE_PNG
    if (IsPng(head))
        return PeekPng(head, width, height);
#endif
    return false;
}
