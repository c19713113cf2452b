#include "ccptreeicons.h"

namespace {
// One name per pair of image indices.
constexpr const char* kNames[CCPTreeIcons::kCount / 2] = {
    "group",     "panel",  "surface", "button",   "light", "dial", "adi",
    "indicator", "digits", "text",    "kneeview", "ded",   "hsi",  "sound"};
} // namespace

QString CCPTreeIcons::File(int index)
{
    if (index < 0 || index >= kCount)
        index = 0;
    const QString name = QString::fromLatin1(kNames[index / 2]);
    return index % 2 ? QStringLiteral(":/icons/%1-selected.svg").arg(name)
                     : QStringLiteral(":/icons/%1.svg").arg(name);
}

QIcon CCPTreeIcons::Icon(int imageIndex)
{
    if (imageIndex < 0 || imageIndex + 1 >= kCount)
        imageIndex = 0;
    QIcon icon;
    icon.addFile(File(imageIndex), QSize(), QIcon::Normal);
    icon.addFile(File(imageIndex + 1), QSize(), QIcon::Selected);
    return icon;
}
