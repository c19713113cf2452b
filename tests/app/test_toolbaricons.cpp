#include "ctoolbarart.h"
#include "iconpixels.h"
#include "mainframefixture.h"

#include <QFile>
#include <QPainter>

#include <iterator>

namespace {
// Puts the icon theme of the desktop aside (or replaces it) while a test runs.
class CThemeScope
{
public:
    CThemeScope(const QStringList& searchPaths, const QString& name)
        : m_paths(QIcon::themeSearchPaths()), m_fallback(QIcon::fallbackSearchPaths()),
          m_name(QIcon::themeName())
    {
        QIcon::setThemeSearchPaths(searchPaths);
        QIcon::setFallbackSearchPaths({});
        QIcon::setThemeName(name);
    }
    ~CThemeScope()
    {
        QIcon::setThemeSearchPaths(m_paths);
        QIcon::setFallbackSearchPaths(m_fallback);
        QIcon::setThemeName(m_name);
    }

private:
    QStringList m_paths, m_fallback;
    QString m_name;
};

// The toolbar's buttons, in their order.
const int kButtons[] = {ID_FILE_NEW, ID_FILE_OPEN,  ID_FILE_SAVE,  ID_EDIT_UNDO,   ID_EDIT_REDO,
                        ID_EDIT_CUT, ID_EDIT_COPY,  ID_EDIT_PASTE, ID_FILE_PRINT,  ID_ZOOM_IN,
                        ID_ZOOM_OUT, ID_NEXT_STATE, ID_NUDGE_LEFT, ID_NUDGE_RIGHT, ID_NUDGE_DOWN,
                        ID_NUDGE_UP, ID_SAME_SIZE,  ID_VIEW_PLAY,  ID_APP_ABOUT};

QImage Own(int id)
{
    return IconImage(QIcon(CToolBarArt::File(id)), 16);
}
} // namespace

// Without a desktop theme every button shows the program's own picture: built in, painted at
// 16 x 16 and with twice the pixels on a 2x screen, and unlike the others. VIREO_SHOT_DIR
// keeps them.
TEST_F(MainFrameTest, ToolbarButtonsHaveTheirOwnPictures)
{
    const CThemeScope noTheme({}, QStringLiteral("vireo-no-theme"));
    Start();
    std::vector<QAction*> buttons;
    for (QAction* action : frame()->GetToolBar()->actions())
        if (!action->isSeparator())
            buttons.push_back(action);
    ASSERT_EQ(buttons.size(), std::size(kButtons));

    std::vector<QImage> pictures;
    QImage strip(int(buttons.size()) * 36, 52, QImage::Format_ARGB32);
    strip.fill(Qt::white);
    QPainter p(&strip);
    for (size_t i = 0; i < buttons.size(); ++i) {
        QAction* action = buttons[i];
        SCOPED_TRACE(action->text().toStdString());
        EXPECT_EQ(action, frame()->Action(kButtons[i]));
        EXPECT_FALSE(action->toolTip().isEmpty());
        EXPECT_TRUE(QFile::exists(CToolBarArt::File(kButtons[i])));
        const QImage picture = IconImage(action->icon(), 16);
        ASSERT_EQ(picture.size(), QSize(16, 16));
        EXPECT_GT(OpaquePixels(picture), 20);
        EXPECT_EQ(picture, Own(kButtons[i]));
        const QImage large = IconImage(action->icon(), 16, 2.0);
        EXPECT_EQ(large.size(), QSize(32, 32));
        EXPECT_GT(OpaquePixels(large), 4 * 20);
        for (const QImage& other : pictures)
            EXPECT_NE(picture, other);
        pictures.push_back(picture);
        p.drawImage(int(i) * 36 + 8, 2, picture);
        p.drawImage(int(i) * 36 + 2, 20, large);
    }
    p.end();
    if (const QByteArray dir = qgetenv("VIREO_SHOT_DIR"); !dir.isEmpty())
        strip.save(QString::fromLocal8Bit(dir) + "/toolbar-icons.png");
    EXPECT_EQ(frame()->Action(ID_NEXT_STATE)->toolTip(), QStringLiteral("Next State"));
    EXPECT_EQ(frame()->Action(ID_NEXT_STATE)->statusTip(), QStringLiteral("Move to next state"));
}

// Where the desktop theme has a standard icon for a command the button shows it; the others
// keep the program's own (the test theme has New and Undo only, as magenta squares).
TEST_F(MainFrameTest, ToolbarTakesTheThemesIconWhereItHasOne)
{
    const CThemeScope theme({QString::fromStdString(TestDataPath("icontheme"))},
                            QStringLiteral("vireo-test"));
    Start();
    for (int id : {ID_FILE_NEW, ID_EDIT_UNDO}) {
        const QImage picture = IconImage(frame()->Action(id)->icon(), 16);
        ASSERT_EQ(picture.size(), QSize(16, 16));
        EXPECT_EQ(picture.pixel(8, 8), qRgb(255, 0, 255)) << id;
        EXPECT_NE(picture, Own(id)) << id;
    }
    for (int id : {ID_FILE_OPEN, ID_EDIT_REDO, ID_NUDGE_LEFT, ID_APP_ABOUT})
        EXPECT_EQ(IconImage(frame()->Action(id)->icon(), 16), Own(id)) << id;
}

// The window and About box icon: a picture at every size a desktop asks for.
TEST(AppIcon, PaintsAtEverySize)
{
    for (int size : {16, 32, 48, 256}) {
        const QImage picture = IconImage(CToolBarArt::AppIcon(), size);
        ASSERT_EQ(picture.size(), QSize(size, size));
        EXPECT_GT(OpaquePixels(picture), size * size / 2) << size;
    }
}
