#pragma once

#include <QIcon>
#include <QString>

// The pictures of the toolbar buttons and the application icon: SVG files built into the
// program (":/icons/..."), or the desktop theme's standard icon where it has one.
class CToolBarArt
{
public:
    // The size the toolbar asks for; the pictures are drawn on this grid.
    static constexpr int kWidth = 16;
    static constexpr int kHeight = 16;

    // The button icon of a command id: the theme's icon for the command if the theme has one,
    // ours otherwise; a null icon for a command without a button picture.
    static QIcon Icon(int commandId);
    // Our own picture of a command, as a resource path; empty for a command without one.
    static QString File(int commandId);
    static QIcon AppIcon();
};
