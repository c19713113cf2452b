// A file that is no picture is found out from its start and read no more until it changes,
// however many records and names point at it.
#include "ccppanel.h"
#include "cqtimageloader.h"
#include "panelimage.h"
#include "testcockpit.h"
#include "testdata.h"

#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>

#include <unistd.h>

namespace {
std::string Png(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer device(&bytes);
    device.open(QIODevice::WriteOnly);
    image.save(&device, "PNG");
    return std::string(bytes.constData(), size_t(bytes.size()));
}
} // namespace

TEST(PictureReads, ALargeFileThatIsNoPictureIsReadOnceFromItsStartOnly)
{
    CTempDir dir;
    dir.Write("c.dat", TestData("hostile_shared_buffers.dat")); // 200 buffers, one file
    dir.Write("shared.png", std::string(size_t(24) << 20, 'x'));
    CQtImageLoader loader;
    CTestCockpit c;
    c.doc.m_manager.SetImageLoader(&loader);
    ASSERT_TRUE(c.doc.OnOpenDocument(dir.File("c.dat")));
    CCPPanel* panel = c.doc.m_manager.FindPanel(100);
    ASSERT_NE(panel, nullptr);
    PaintPanelImage(c.doc.m_manager, *panel, 1.0f);
    EXPECT_EQ(loader.OpenCount(), 1);
    EXPECT_FALSE(c.ui.m_aBoxes.empty()); // still reported
    c.doc.Refresh();
    PaintPanelImage(c.doc.m_manager, *panel, 1.0f);
    EXPECT_EQ(loader.OpenCount(), 1);

    // Other names for the same file (hard links) are known too.
    ASSERT_EQ(link(dir.File("shared.png").c_str(), dir.File("again.png").c_str()), 0);
    CBitmap out;
    int w = 0, h = 0;
    const int before = loader.OpenCount();
    EXPECT_FALSE(loader.Load(dir.File("again.png"), out));
    EXPECT_FALSE(loader.PeekSize(dir.File("again.png"), w, h));
    EXPECT_EQ(loader.OpenCount(), before);

    // Once the file is rewritten as a picture, it is read again and shows.
    dir.Write("shared.png", Png(32, 32));
    ASSERT_TRUE(loader.PeekSize(dir.File("shared.png"), w, h));
    EXPECT_EQ(w, 32);
    EXPECT_EQ(h, 32);
    ASSERT_TRUE(loader.Load(dir.File("shared.png"), out));
    EXPECT_EQ(out.Width(), 32);
    EXPECT_GT(loader.OpenCount(), before);
}
