#include "ctoolbarart.h"

#include "ccommandtarget.h"

namespace {
struct Art
{
    int id;
    const char* file;
    const char* theme; // freedesktop icon name, or null where no standard icon fits
};

// Nudging, stepping a state and same size are our own commands: no theme icon means them
// (the theme's go-previous/go-next would read as navigation).
constexpr Art kArt[] = {
    {ID_FILE_NEW, "file-new", "document-new"},
    {ID_FILE_OPEN, "file-open", "document-open"},
    {ID_FILE_SAVE, "file-save", "document-save"},
    {ID_EDIT_UNDO, "edit-undo", "edit-undo"},
    {ID_EDIT_REDO, "edit-redo", "edit-redo"},
    {ID_EDIT_CUT, "edit-cut", "edit-cut"},
    {ID_EDIT_COPY, "edit-copy", "edit-copy"},
    {ID_EDIT_PASTE, "edit-paste", "edit-paste"},
    {ID_FILE_PRINT, "file-print", "document-print"},
    {ID_ZOOM_IN, "zoom-in", "zoom-in"},
    {ID_ZOOM_OUT, "zoom-out", "zoom-out"},
    {ID_NEXT_STATE, "next-state", nullptr},
    {ID_NUDGE_LEFT, "nudge-left", nullptr},
    {ID_NUDGE_RIGHT, "nudge-right", nullptr},
    {ID_NUDGE_UP, "nudge-up", nullptr},
    {ID_NUDGE_DOWN, "nudge-down", nullptr},
    {ID_SAME_SIZE, "same-size", nullptr},
    {ID_VIEW_PLAY, "play", "media-playback-start"},
    {ID_APP_ABOUT, "help-about", "help-about"},
};

const Art* Find(int commandId)
{
    for (const Art& art : kArt)
        if (art.id == commandId)
            return &art;
    return nullptr;
}
} // namespace

QString CToolBarArt::File(int commandId)
{
    const Art* art = Find(commandId);
    if (!art)
        return {};
    return QStringLiteral(":/icons/%1.svg").arg(QString::fromLatin1(art->file));
}

QIcon CToolBarArt::Icon(int commandId)
{
    const Art* art = Find(commandId);
    if (!art)
        return {};
    QIcon own(File(commandId));
    return art->theme ? QIcon::fromTheme(QString::fromLatin1(art->theme), own) : own;
}

QIcon CToolBarArt::AppIcon()
{
    // A round gauge with a needle on a panel.
    return QIcon(QStringLiteral(":/icons/vireo.svg"));
}
