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

bool ReadPictureFile(const std::string& path, QByteArray& bytes)
{
    std::string data, error;
    CFileReader reader;
    if (!reader.ReadFile(path, data, CQtImageLoader::kMaxFileBytes, error))
        return false;
    bytes = QByteArray(data.data(), qsizetype(data.size()));
    return true;
}

} // namespace

bool CQtImageLoader::Load(const std::string& path, CBitmap& out)
{
    QByteArray bytes;
    if (!ReadPictureFile(path, bytes))
        return false;
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    CQuietReaders quiet;
    QImageReader reader(&device);
    reader.setAutoTransform(false);
    const QImage image = reader.read();
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
    QByteArray bytes;
    if (!ReadPictureFile(path, bytes))
        return false;
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    CQuietReaders quiet;
    QImageReader reader(&device);
    const QSize size = reader.size();
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
        std::memcpy(bits + size_t(y) * size_t(rgb.width()), rgb.constScanLine(y), size_t(rgb.width()) * 4);
    return out;
}

QImage ImageFromBitmap(const CBitmap& bitmap)
{
    if (bitmap.IsNull())
        return QImage();
    QImage img(bitmap.Width(), bitmap.Height(), QImage::Format_ARGB32);
    for (int y = 0; y < bitmap.Height(); ++y)
        std::memcpy(img.scanLine(y), bitmap.Bits() + size_t(y) * size_t(bitmap.Width()), size_t(bitmap.Width()) * 4);
    return img;
}
