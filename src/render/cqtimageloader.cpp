#include "cqtimageloader.h"

#include "cbitmap.h"
#include "filepaths.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QtGlobal>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

// The C library's descriptors under their names on each system.
#ifdef _WIN32
constexpr int kStderr = 2;
int Dup(int fd)
{
    return _dup(fd);
}
int Dup2(int from, int to)
{
    return _dup2(from, to);
}
int OpenNull()
{
    return _open("NUL", _O_WRONLY);
}
void Close(int fd)
{
    _close(fd);
}
#else
constexpr int kStderr = STDERR_FILENO;
int Dup(int fd)
{
    return ::dup(fd);
}
int Dup2(int from, int to)
{
    return ::dup2(from, to);
}
int OpenNull()
{
    return ::open("/dev/null", O_WRONLY | O_CLOEXEC);
}
void Close(int fd)
{
    ::close(fd);
}
#endif

void DropMessage(QtMsgType, const QMessageLogContext&, const QString&) {}

// While it lives, the image readers' own words on a bad picture are dropped: Qt's warnings,
// and what libpng prints straight to the error stream ("libpng error: Read Error"). The
// caller reports a picture that cannot be read in a message of its own.
class CQuietReaders
{
public:
    CQuietReaders() : m_previous(qInstallMessageHandler(DropMessage))
    {
        std::fflush(stderr);
        m_nSaved = Dup(kStderr);
        const int null = OpenNull();
        if (m_nSaved >= 0 && null >= 0)
            Dup2(null, kStderr);
        if (null >= 0)
            Close(null);
    }
    ~CQuietReaders()
    {
        std::fflush(stderr);
        if (m_nSaved >= 0) {
            Dup2(m_nSaved, kStderr);
            Close(m_nSaved);
        }
        qInstallMessageHandler(m_previous);
    }
    CQuietReaders(const CQuietReaders&) = delete;
    CQuietReaders& operator=(const CQuietReaders&) = delete;

private:
    QtMessageHandler m_previous;
    int m_nSaved = -1;
};

// A picture file read whole, from a regular file only, and opened for decoding from memory;
// the readers keep quiet while it lives.
class CPictureFile
{
public:
    // The whole file, or (head) only its first kHeadBytes: enough for the format and the size.
    bool Open(const std::string& path, bool head = false)
    {
        if (head ? !ReadHead(path) : !ReadWhole(path))
            return false;
        m_bytes = QByteArray::fromRawData(m_data.data(), qsizetype(m_data.size()));
        m_device.setBuffer(&m_bytes);
        m_device.open(QIODevice::ReadOnly);
        m_reader.setDevice(&m_device);
        m_reader.setAutoTransform(false);
        return true;
    }
    QImageReader& Reader() { return m_reader; }

private:
    bool ReadWhole(const std::string& path)
    {
        std::string error;
        CFileReader reader;
        return reader.ReadFile(path, m_data, CQtImageLoader::kMaxFileBytes, error);
    }
    bool ReadHead(const std::string& path)
    {
        std::string error;
        CFileReader reader;
        return reader.ReadStart(path, m_data, CQtImageLoader::kHeadBytes, error);
    }

    std::string m_data;
    QByteArray m_bytes; // a view of m_data
    QBuffer m_device;
    CQuietReaders m_quiet; // outlives the reader
    QImageReader m_reader;
};

} // namespace

int CQtImageLoader::OpenCount() const
{
    std::lock_guard lock(m_mutex);
    return m_nOpened;
}

void CQtImageLoader::Opened()
{
    std::lock_guard lock(m_mutex);
    ++m_nOpened;
}

void CQtImageLoader::RememberFailure(const CFileKey& key)
{
    std::lock_guard lock(m_mutex);
    m_setFailed.insert(key);
}

bool CQtImageLoader::MayBePicture(const std::string& path, CFileKey& key, int* width, int* height)
{
    const CFileStamp stamp = StampOf(path);
    if (!stamp.exists)
        return false;
    key = FileKeyOf(stamp); // a rewrite makes another key: the file is tried again then
    {
        std::lock_guard lock(m_mutex);
        if (m_setFailed.count(key))
            return false;
    }
    // The start of the file tells whether any reader knows the format, before a large file
    // that is no picture is read whole.
    CPictureFile head;
    Opened();
    if (!head.Open(path, true) || !head.Reader().canRead()) {
        RememberFailure(key);
        return false;
    }
    if (width && height) {
        const QSize size = head.Reader().size();
        *width = size.isValid() ? size.width() : 0;
        *height = size.isValid() ? size.height() : 0;
    }
    return true;
}

bool CQtImageLoader::Load(const std::string& path, CBitmap& out)
{
    CFileKey key;
    if (!MayBePicture(path, key, nullptr, nullptr))
        return false;
    CPictureFile file;
    Opened();
    if (!file.Open(path)) {
        RememberFailure(key);
        return false;
    }
    const QImage image = file.Reader().read();
    CBitmap bitmap = image.isNull() ? CBitmap() : BitmapFromImage(image);
    if (bitmap.IsNull()) {
        RememberFailure(key);
        return false;
    }
    out = std::move(bitmap);
    return true;
}

bool CQtImageLoader::PeekSize(const std::string& path, int& width, int& height)
{
    CFileKey key;
    int w = 0, h = 0;
    if (!MayBePicture(path, key, &w, &h) || w <= 0 || h <= 0)
        return false;
    width = w;
    height = h;
    return true;
}

CBitmap BitmapFromImage(const QImage& image)
{
    // Pictures are opaque: transparent parts of a PNG come out as what the colour holds.
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    CBitmap out(rgb.width(), rgb.height());
    if (out.IsNull())
        return out;
    uint32_t* bits = out.MutableBits();
    for (int y = 0; y < rgb.height(); ++y) {
        uint32_t* row = bits + size_t(y) * size_t(rgb.width());
        std::memcpy(row, rgb.constScanLine(y), size_t(rgb.width()) * 4);
        // Qt's GIF reader can leave alpha 0 in an image it calls opaque (around a smaller
        // first picture, indexes past the colour table).
        for (int x = 0; x < rgb.width(); ++x)
            row[x] |= 0xff000000u;
    }
    return out;
}
