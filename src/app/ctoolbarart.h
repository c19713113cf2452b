#pragma once

#include <QIcon>
#include <QPixmap>

// The pictures of the toolbar buttons (16 x 15 pixels each) and the application icon, drawn
// here rather than shipped as files.
class CToolBarArt
{
public:
    static constexpr int kWidth = 16;
    static constexpr int kHeight = 15;

    // The button picture of a command id; a null pixmap for a command without one.
    static QPixmap Picture(int commandId);
    static QIcon AppIcon();
};
