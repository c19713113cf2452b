#pragma once

// Helpers of the record tests: reading one record from its key lines, writing it, checking
// it, and painting it onto an image through the Qt canvas.

#include "canvas.h"
#include "cbitmap.h"
#include "ccheckmessage.h"
#include "ccpmanager.h"
#include "ccpobject.h"
#include "clinereader.h"
#include "clinewriter.h"
#include "crecordingui.h"
#include "iimageloader.h"
#include "irecordeditor.h"

// Painting goes through Qt: a build without it tests the rest.
#ifdef VIREO_TEST_QT
#include "cqtcanvas.h"

#include <QImage>
#include <QPainter>
#endif

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace recordtest {

inline std::string Written(CCPObject& r)
{
    CLineWriter w;
    r.Serialize(w);
    return w.Take();
}

// The part of text from the first `from` up to (not including) the next `to`.
inline std::string Between(const std::string& text, const std::string& from, const std::string& to)
{
    const size_t b = text.find(from);
    if (b == std::string::npos)
        return "<" + from + " not found>";
    const size_t e = text.find(to, b);
    return text.substr(b, e == std::string::npos ? std::string::npos : e - b);
}

// Messages of one record's check; a message about another record is marked so. The check
// answers FALSE exactly when there are messages.
inline std::vector<std::string> CheckTexts(CCPObject& r, bool full, bool* ok = nullptr)
{
    CCheckMessageArray messages;
    const bool result = r.Check(messages, full);
    if (ok)
        *ok = result;
    std::vector<std::string> texts;
    for (const CCheckMessage& m : messages)
        texts.push_back(m.m_strMessage + (m.m_pObject == &r ? "" : " (other record)"));
    EXPECT_EQ(result, texts.empty());
    return texts;
}

// Hands out one picture for every path (none when it is null) and counts the loads.
class CCountingLoader : public IImageLoader
{
public:
    CBitmap picture;
    std::vector<std::string> paths;
    bool Load(const std::string& path, CBitmap& out) override
    {
        paths.push_back(path);
        if (picture.IsNull())
            return false;
        out = picture;
        return true;
    }
};

// Remembers which records had their sheet opened and answers with a fixed result.
class CRecordingEditor : public IRecordEditor
{
public:
    std::vector<CCPObject*> opened;
    int answer = 1;
    int EditProperties(CCPObject& record) override
    {
        opened.push_back(&record);
        return answer;
    }
};

// A picture whose every pixel tells its own position: red = x, green = y, blue = 7.
inline CBitmap PositionPicture(int width, int height)
{
    CBitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.SetPixel(x, y, 0xff000000u | uint32_t(x) << 16 | uint32_t(y) << 8 | 7u);
    return b;
}

#ifdef VIREO_TEST_QT
inline uint32_t At(const QImage& img, int x, int y)
{
    return uint32_t(img.pixel(x, y)) & 0xffffffu;
}

// A white canvas image.
inline QImage WhiteImage(int width, int height)
{
    QImage img(width, height, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}
#endif

// A manager whose messages are recorded.
struct CFixture
{
    CRecordingUI ui;
    CCPManager manager;
    CFixture() { manager.SetUserInterface(&ui); }

    // Reads the key lines that follow a header on line 1, as the loader does.
    template <class T>
    std::unique_ptr<T> Read(const std::string& body, int id = 7,
                            const std::string& comment = std::string())
    {
        int line = 1;
        CLineReader ar(body, &line, &ui);
        return std::make_unique<T>(id, ar, comment, &manager);
    }
};

// The key lines of a written record: what follows its header line.
inline std::string Body(const std::string& written)
{
    const size_t header = written.find("\n#");
    const size_t eol = written.find('\n', header + 1);
    return written.substr(eol + 1);
}

// Writes a record and reads the result back into a new record of the same type.
template <class T> std::string RoundTrip(CFixture& f, T& r)
{
    const std::string first = Written(r);
    auto again = f.Read<T>(Body(first), r.m_nId, r.m_strComment);
    return Written(*again);
}

// The colour of pixel (x, y) of a PositionPicture.
inline uint32_t TemplateRgb(int x, int y)
{
    return uint32_t(x) << 16 | uint32_t(y) << 8 | 7u;
}

inline constexpr uint32_t kBackground = 0x102030;

#ifdef VIREO_TEST_QT
// Paints through a CQtCanvas onto an image filled with kBackground.
inline QImage Paint(int width, int height, const std::function<void(Canvas&)>& draw)
{
    QImage img(width, height, QImage::Format_RGB32);
    img.fill(QColor(0x10, 0x20, 0x30));
    {
        QPainter painter(&img);
        CQtCanvas canvas(painter);
        draw(canvas);
    }
    return img;
}

// How many pixels of the image have the colour.
inline int Count(const QImage& img, uint32_t rgb)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += At(img, x, y) == rgb;
    return n;
}
#endif

// Remembers the shapes drawn on it, with the pen and brush selected at the time.
class CRecordingCanvas : public Canvas
{
public:
    struct Shape
    {
        std::vector<CPoint> points; // a polygon's corners
        CRect rc;                   // an ellipse's bounds
        Pen pen;
        Brush brush;
    };
    std::vector<Shape> m_aPolygons;
    std::vector<Shape> m_aEllipses;
    std::vector<std::pair<CRect, Rgb>> m_aFills;
    Pen m_pen;
    Brush m_brush;

    Pen SelectPen(const Pen& pen) override { return std::exchange(m_pen, pen); }
    Brush SelectBrush(const Brush& brush) override { return std::exchange(m_brush, brush); }
    Font SelectFont(const Font& font) override { return font; }
    void FrameRect(const CRect&, Rgb) override {}
    void FillRect(const CRect& rc, Rgb color) override { m_aFills.emplace_back(rc, color); }
    void Line(int, int, int, int) override {}
    void Polygon(const std::vector<CPoint>& points) override
    {
        m_aPolygons.push_back({points, {}, m_pen, m_brush});
    }
    void Ellipse(const CRect& rc) override { m_aEllipses.push_back({{}, rc, m_pen, m_brush}); }
    void TextOut(int, int, const std::string&, Rgb) override {}
    void StretchBlt(const CBitmap&, const CRect&, const CRect&, bool) override {}
};

} // namespace recordtest
