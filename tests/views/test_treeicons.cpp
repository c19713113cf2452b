#include "ccpobject.h"
#include "ccptreeicons.h"
#include "iconpixels.h"
#include "test_treefixture.h"

#include <QFile>
#include <QPainter>
#include <QSet>

#include <map>

namespace {
QByteArray Bytes(const QImage& image)
{
    return QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
}

// The pictures side by side at 1x and, below, at 2x, for looking at them.
void KeepStrip(const std::vector<QImage>& small, const std::vector<QImage>& large)
{
    const QByteArray dir = qgetenv("VIREO_SHOT_DIR");
    if (dir.isEmpty())
        return;
    QImage strip(int(small.size()) * 36, 52, QImage::Format_ARGB32);
    strip.fill(Qt::white);
    QPainter p(&strip);
    for (size_t i = 0; i < small.size(); ++i) {
        p.drawImage(int(i) * 36 + 8, 2, small[i]);
        p.drawImage(int(i) * 36 + 2, 20, large[i]);
    }
    p.end();
    strip.save(QString::fromLocal8Bit(dir) + "/tree-icons.png");
}
} // namespace

// Every picture of the tree is built into the program and paints at 16 x 16, and with twice
// the pixels on a 2x screen. No two are alike: each record type, and its selected row, has a
// picture of its own.
TEST(TreeIcons, EveryPictureLoadsPaintsAndDiffers)
{
    QSet<QByteArray> seen;
    std::vector<QImage> small, large;
    for (int i = 0; i < CCPTreeIcons::kCount; ++i) {
        const QString file = CCPTreeIcons::File(i);
        SCOPED_TRACE(file.toStdString());
        EXPECT_TRUE(QFile::exists(file));
        const QIcon icon(file);
        small.push_back(IconImage(icon, 16));
        large.push_back(IconImage(icon, 16, 2.0));
        ASSERT_EQ(small.back().size(), QSize(16, 16));
        EXPECT_GT(OpaquePixels(small.back()), 40);
        EXPECT_EQ(large.back().size(), QSize(32, 32));
        EXPECT_GT(OpaquePixels(large.back()), 4 * 40);
        EXPECT_FALSE(seen.contains(Bytes(small.back()))) << "looks like an earlier picture";
        seen.insert(Bytes(small.back()));
    }
    KeepStrip(small, large);
}

// An image index gives the picture, and the one after it for a selected row; an index past
// the list shows the group's folder.
TEST(TreeIcons, AnIconPairsThePictureWithItsSelectedOne)
{
    const auto picture = [](int index) { return IconImage(QIcon(CCPTreeIcons::File(index)), 16); };
    for (int i = 0; i + 1 < CCPTreeIcons::kCount; i += 2) {
        const QIcon icon = CCPTreeIcons::Icon(i);
        ASSERT_GT(OpaquePixels(picture(i + 1)), 40) << i;
        EXPECT_EQ(IconImage(icon, 16), picture(i)) << i;
        EXPECT_EQ(IconImage(icon, 16, 1.0, QIcon::Selected), picture(i + 1)) << i;
    }
    const QImage group = IconImage(CCPTreeIcons::Icon(0), 16);
    ASSERT_GT(OpaquePixels(group), 40);
    EXPECT_EQ(IconImage(CCPTreeIcons::Icon(-2), 16), group);
    EXPECT_EQ(IconImage(CCPTreeIcons::Icon(CCPTreeIcons::kCount), 16), group);
    // The last picture has no selected one after it.
    EXPECT_EQ(IconImage(CCPTreeIcons::Icon(CCPTreeIcons::kCount - 1), 16), group);
}

// In the tree of the demo cockpit, the rows of one record type all show one picture, and the
// types show different pictures except where they are kinds of one thing (a button and its
// view, the two attitude-and-heading instruments).
TEST_F(TreeTest, EachRecordTypeShowsItsOwnPicture)
{
    Open(std::string());
    ASSERT_TRUE(doc().OnOpenDocument(ExamplePath("10_demo.dat")));
    tree->expandAll();
    std::map<std::string, QByteArray> byType;
    QAbstractItemModel* model = tree->model();
    std::vector<QModelIndex> rows;
    for (int i = 0; i < model->rowCount(); ++i)
        rows.push_back(model->index(i, 0));
    for (size_t at = 0; at < rows.size(); ++at) {
        const QModelIndex row = rows[at];
        for (int i = 0; i < model->rowCount(row); ++i)
            rows.push_back(model->index(i, 0, row));
        const CCPObject* record = CCPTree::ItemRecord(row);
        // The top rows are the folders of the cockpit.
        const std::string type = !row.parent().isValid() ? "folder"
                                 : record                ? record->GetTypeName()
                                                         : "missing";
        const QImage picture = IconImage(row.data(Qt::DecorationRole).value<QIcon>(), 16);
        EXPECT_GT(OpaquePixels(picture), 40) << type;
        const auto [it, added] = byType.emplace(type, Bytes(picture));
        EXPECT_TRUE(added || it->second == Bytes(picture)) << type << " rows differ";
    }
    EXPECT_EQ(byType["Button"], byType["ButtonView"]);
    EXPECT_EQ(byType["Hsi"], byType["MachAsi"]);
    const char* distinct[] = {"folder",   "Panel", "Surface",   "ButtonView", "Light",
                              "Dial",     "Adi",   "Indicator", "Digits",     "Text",
                              "KneeView", "Ded",   "Hsi",       "Sound"};
    QSet<QByteArray> seen;
    for (const char* type : distinct) {
        ASSERT_TRUE(byType.count(type)) << "the demo has no " << type;
        EXPECT_FALSE(seen.contains(byType[type])) << type << " looks like another type";
        seen.insert(byType[type]);
    }
}
