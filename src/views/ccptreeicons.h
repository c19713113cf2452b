#pragma once

#include <QIcon>
#include <QPixmap>

// The tree's icon strip: pairs of a normal and a selected picture, 16 x 15 pixels each, in the
// order of the records' image indices (0 group, 2 panel, 4 surface entry, 6 button, 8 light,
// 10 dial, 12 ADI, 14 indicator, 16 digits, 18 text, 20 knee view, 22 DED, 24 HSI, 26 sound).
// The pictures are drawn in code on a transparent background.
class CCPTreeIcons
{
public:
    static constexpr int kWidth = 16;
    static constexpr int kHeight = 15;
    static constexpr int kCount = 28;

    CCPTreeIcons();

    // All pictures side by side.
    const QPixmap& Strip() const { return m_strip; }
    QPixmap Picture(int index) const;
    // The pair that starts at an image index: the picture and, for selected items, the next one.
    // An index outside the strip gives the group pair.
    QIcon Icon(int imageIndex) const;

private:
    QPixmap m_strip;
};
