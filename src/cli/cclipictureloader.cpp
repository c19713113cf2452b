#include "cclipictureloader.h"

#include "cbitmap.h"
#include "filepaths.h"
#include "icliqtpart.h"
#include "picturedecode.h"

#include <string_view>

namespace {

// What the first bytes of a PNG or a GIF file are.
bool PngOrGif(std::string_view head)
{
    using namespace std::string_view_literals;
    return head.starts_with("\x89PNG\r\n\x1a\n"sv) || head.starts_with("GIF87a"sv) ||
           head.starts_with("GIF89a"sv);
}

// Enough of a file's start for its format and, for PNG and GIF, its size: Qt tells a size only
// once it has read the chunks before a PNG's data (a palette, colour profiles) or a GIF's
// colour tables and first picture header, which is what the peek holds to.
constexpr uint64_t kHeadBytes = 64 << 10;

} // namespace

IImageLoader* CCliPictureLoader::Qt()
{
    if (!m_pQt)
        return nullptr;
    if (ICliQtPart* part = m_pQt->Part())
        return &part->Pictures();
    if (!m_bToldNoQt) {
        m_bToldNoQt = true;
        m_err << "vireo-cli: pictures other than whole PNG and GIF files are only looked for, "
                 "not read: "
              << m_pQt->Why() << "\n";
    }
    return nullptr;
}

bool CCliPictureLoader::Load(const std::string& path, CBitmap& out)
{
    CFileReader reader;
    std::string head, error;
    if (!reader.ReadStart(path, head, kHeadBytes, error))
        return false; // missing, unreadable, or no regular file: Qt's reader says the same
    if (PngOrGif(head)) {
        const CFileKey key = FileKeyOf(StampOf(path));
        if (!m_setFailed.count(key)) {
            std::string bytes;
            if (!reader.ReadFile(path, bytes, kMaxPictureBytes, error))
                return false;
            if (DecodePictureSurely(bytes, out))
                return true;
            m_setFailed.insert(key);
        }
    }
    if (IImageLoader* qt = Qt())
        return qt->Load(path, out);
    out = CBitmap(1, 1); // there, and nothing here can tell more
    return true;
}

bool CCliPictureLoader::PeekSize(const std::string& path, int& width, int& height)
{
    CFileReader reader;
    std::string head, error;
    if (!reader.ReadStart(path, head, kHeadBytes, error))
        return false;
    if (PeekPictureSize(head, width, height))
        return true;
    IImageLoader* qt = Qt();
    return qt && qt->PeekSize(path, width, height);
}
