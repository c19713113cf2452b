#pragma once

// Helpers shared by the tests of panels, surfaces, buttons and the whole-cockpit check.

#include "cbitmap.h"
#include "ccheckmessage.h"
#include "ccpobject.h"
#include "clinewriter.h"
#include "iimageloader.h"
#include "irecordeditor.h"

#include <QImage>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace structuretest {

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

// Messages of one record's check; every message must name that record.
inline std::vector<std::string> CheckTexts(CCPObject& r, bool full)
{
    CCheckMessageArray msgs;
    const bool ok = r.Check(msgs, full);
    std::vector<std::string> t;
    for (const CCheckMessage& m : msgs) {
        EXPECT_EQ(m.m_pObject, &r) << m.m_strMessage;
        t.push_back(m.m_strMessage);
    }
    EXPECT_EQ(ok, t.empty());
    return t;
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

inline uint32_t Rgb24(const QImage& img, int x, int y)
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

} // namespace structuretest
