#pragma once

#include <QIcon>
#include <QString>

// The tree's pictures: pairs of a normal and a selected picture, in the order of the records'
// image indices (0 group, 2 panel, 4 surface entry, 6 button, 8 light, 10 dial, 12 ADI,
// 14 indicator, 16 digits, 18 text, 20 knee view, 22 DED, 24 HSI, 26 sound). Each is an SVG
// file built into the program (":/icons/<name>.svg", the selected one "<name>-selected.svg").
class CCPTreeIcons
{
public:
    static constexpr int kWidth = 16;
    static constexpr int kHeight = 16;
    static constexpr int kCount = 28;

    // The resource path of one picture; an index outside the list gives the group's.
    static QString File(int index);
    // The pair that starts at an image index: the picture and, for selected items, the next one.
    // An index outside the list gives the group pair.
    static QIcon Icon(int imageIndex);
};
