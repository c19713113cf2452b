#include "chelpwindow.h"
#include "mainframefixture.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace {
class HelpTest : public MainFrameTest
{
};
} // namespace

TEST_F(HelpTest, F1OpensTheManualRenderedFromMarkdownWithItsPictures)
{
    StartOn("clean.dat", "10_clean.dat");
    QAction* help = frame()->Action(ID_HELP);
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->text(), QStringLiteral("&Vireo Help\tF1"));
    QMenu* helpMenu = nullptr;
    for (QAction* menu : frame()->menuBar()->actions())
        if (menu->text() == QStringLiteral("&Help"))
            helpMenu = menu->menu();
    ASSERT_NE(helpMenu, nullptr);
    EXPECT_EQ(helpMenu->actions().value(0), help);
    EXPECT_EQ(frame()->GetHelpWindow(), nullptr);

    frame()->UpdateCommandUI();
    for (int id : {ID_HELP, ID_HELP_CONTENTS, ID_HELP_INDEX, ID_HELP_USING})
        EXPECT_TRUE(frame()->Action(id)->isEnabled()) << id;
    QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : frame();
    EXPECT_TRUE(PressShortcut(focus, Qt::Key_F1, Qt::NoModifier));
    CHelpWindow* window = frame()->GetHelpWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vireo Help"));

    // Rendered, not shown as source: headings, emphasis and the keys table are formatted.
    QTextDocument* text = window->GetBrowser()->document();
    const QString plain = text->toPlainText();
    EXPECT_TRUE(plain.startsWith(QStringLiteral("Vireo user manual")));
    for (const char* topic : {"three panes", "Selecting", "Moving and resizing", "States",
                              "Property sheets", "Problems panel", "Undo", "vireo-cli"})
        EXPECT_TRUE(plain.contains(QLatin1String(topic))) << topic;
    EXPECT_FALSE(plain.contains(QStringLiteral("## ")));
    EXPECT_FALSE(plain.contains(QStringLiteral("**")));
    EXPECT_EQ(text->firstBlock().blockFormat().headingLevel(), 1);
    bool table = false;
    for (QTextFrame* f : text->rootFrame()->childFrames())
        table |= qobject_cast<QTextTable*>(f) != nullptr;
    EXPECT_TRUE(table);

    // Every picture the manual shows is found.
    const QRegularExpression picture(QStringLiteral(R"(!\[[^\]]*\]\(([^)]+)\))"));
    int pictures = 0;
    for (const auto& match : picture.globalMatch(CHelpWindow::ManualText())) {
        ++pictures;
        const QVariant image = window->GetBrowser()->loadResource(QTextDocument::ImageResource,
                                                                  QUrl(match.captured(1)));
        EXPECT_TRUE(image.isValid() && !image.toByteArray().isEmpty())
            << match.captured(1).toStdString();
    }
    EXPECT_GT(pictures, 0);

    // The other help items show the same window again.
    window->hide();
    EXPECT_TRUE(frame()->ExecuteCommand(ID_HELP_CONTENTS));
    EXPECT_EQ(frame()->GetHelpWindow(), window);
    EXPECT_TRUE(window->isVisible());
}
