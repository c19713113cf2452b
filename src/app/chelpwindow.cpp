#include "chelpwindow.h"

#include <QFile>
#include <QImage>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {
// The manual and its pictures are built into the program, so it is found wherever the
// program runs from (build tree or installed); a copy is installed beside it for reading.
const char* const kHelpFolder = ":/help";
const char* const kManual = ":/help/manual.md";
// Screenshots are shown at most this wide, so the text beside them needs no sideways scrolling.
constexpr int kPictureWidth = 720;

void FitPictures(QTextDocument* doc)
{
    std::vector<std::pair<QTextFragment, QTextImageFormat>> wide;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextImageFormat image = it.fragment().charFormat().toImageFormat();
            if (image.isValid())
                wide.emplace_back(it.fragment(), image);
        }
    for (auto& [fragment, image] : wide) {
        const QImage picture(QString::fromLatin1(kHelpFolder) + QLatin1Char('/') + image.name());
        if (picture.isNull() || picture.width() <= kPictureWidth)
            continue;
        image.setWidth(kPictureWidth);
        image.setHeight(double(picture.height()) * kPictureWidth / picture.width());
        QTextCursor cursor(doc);
        cursor.setPosition(fragment.position());
        cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
        cursor.setCharFormat(image);
    }
}
} // namespace

CHelpWindow::CHelpWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("Vireo Help"));
    setObjectName(QStringLiteral("Vireo Help"));
    resize(780, 680);

    m_pBrowser = new QTextBrowser;
    m_pBrowser->setOpenExternalLinks(true);
    m_pBrowser->document()->setDocumentMargin(12);
    // Pictures named in the manual are found beside it.
    m_pBrowser->setSearchPaths({QString::fromLatin1(kHelpFolder)});
    const QString text = ManualText();
    if (text.isEmpty())
        m_pBrowser->setPlainText(QStringLiteral("The manual is missing from this build."));
    else
        m_pBrowser->setMarkdown(text);
    FitPictures(m_pBrowser->document());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pBrowser);
}

QString CHelpWindow::ManualText()
{
    QFile file(QString::fromLatin1(kManual));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}
