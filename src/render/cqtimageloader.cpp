#include "cqtimageloader.h"

#include "cbitmap.h"
#include "filepaths.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QtGlobal>

#include <cstdio>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <unistd.h>

namespace {

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
        m_nSaved = ::dup(STDERR_FILENO);
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (m_nSaved >= 0 && null >= 0)
            ::dup2(null, STDERR_FILENO);
        if (null >= 0)
            ::close(null);
    }
    ~CQuietReaders()
    {
        std::fflush(stderr);
        if (m_nSaved >= 0) {
            ::dup2(m_nSaved, STDERR_FILENO);
            ::close(m_nSaved);
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
    bool Open(const std::string& path)
    {
        std::string error;
        CFileReader reader;
        if (!reader.ReadFile(path, m_data, CQtImageLoader::kMaxFileBytes, error))
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
    std::string m_data;
    QByteArray m_bytes; // a view of m_data
    QBuffer m_device;
    CQuietReaders m_quiet; // outlives the reader
    QImageReader m_reader;
};

} // namespace

bool CQtImageLoader::Load(const std::string& path, CBitmap& out)
{
    CPictureFile file;
    if (!file.Open(path))
        return false;
    const QImage image = file.Reader().read();
    if (image.isNull())
        return false;
    CBitmap bitmap = BitmapFromImage(image);
    if (bitmap.IsNull())
        return false;
    out = std::move(bitmap);
    return true;
}

bool CQtImageLoader::PeekSize(const std::string& path, int& width, int& height)
{
    CPictureFile file;
    if (!file.Open(path))
        return false;
    const QSize size = file.Reader().size();
    if (!size.isValid())
        return false;
    width = size.width();
    height = size.height();
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
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(bits + size_t(y) * size_t(rgb.width()), rgb.constScanLine(y),
                    size_t(rgb.width()) * 4);
    return out;
}
