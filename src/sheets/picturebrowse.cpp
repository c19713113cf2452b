#include "picturebrowse.h"

#include "ccpmanager.h"
#include "cdialogrunner.h"
#include "filenamerule.h"
#include "filepaths.h"
#include "iuserinterface.h"
#include "textconvert.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

QStringList PictureNameFilters()
{
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(format).toLower();
    patterns.removeDuplicates();
    patterns.sort();
    return {QStringLiteral("Picture Files (%1)").arg(patterns.join(QLatin1Char(' '))),
            QStringLiteral("All Files (*)")};
}

namespace {

constexpr int kPreviewSide = 160;
// Larger pictures are not decoded for a preview (the template's own limit).
constexpr qint64 kPreviewMaxPixels = 64LL * 1024 * 1024;

// The picture under the chooser's pointer, fitted into a small square, and its size. Gives
// what shows a path there; the chooser's own pointer moves it too.
std::function<void(const QString&)> AddPreview(QFileDialog& dlg)
{
    auto* layout = qobject_cast<QGridLayout*>(dlg.layout());
    if (!layout)
        return [](const QString&) {};
    auto* box = new QWidget(&dlg);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    auto* picture = new QLabel;
    picture->setObjectName(QStringLiteral("Preview"));
    picture->setFixedSize(kPreviewSide, kPreviewSide);
    picture->setAlignment(Qt::AlignCenter);
    picture->setFrameShape(QFrame::StyledPanel);
    auto* size = new QLabel;
    size->setObjectName(QStringLiteral("Preview Size"));
    size->setAlignment(Qt::AlignHCenter);
    column->addWidget(picture);
    column->addWidget(size);
    column->addStretch(1);
    layout->addWidget(box, 0, layout->columnCount(), std::max(1, layout->rowCount()), 1);

    auto show = [picture, size](const QString& path) {
        picture->clear();
        size->clear();
        // Only a regular file is read: opening a FIFO would wait for a writer.
        if (!QFileInfo(path).isFile())
            return;
        QImageReader reader(path);
        const QSize full = reader.size();
        if (full.isEmpty())
            return;
        size->setText(QStringLiteral("%1 x %2").arg(full.width()).arg(full.height()));
        if (qint64(full.width()) * full.height() > kPreviewMaxPixels)
            return;
        reader.setScaledSize(
            full.scaled(QSize(kPreviewSide - 4, kPreviewSide - 4), Qt::KeepAspectRatio)
                .expandedTo(QSize(1, 1)));
        const QImage image = reader.read();
        if (!image.isNull())
            picture->setPixmap(QPixmap::fromImage(image));
    };
    QObject::connect(&dlg, &QFileDialog::currentChanged, picture, show);
    return show;
}

} // namespace

bool BrowsePicture(QWidget* parent, const CCPManager* manager, const std::string& current,
                   std::string& name, QSize& size)
{
    const std::string folder = manager ? manager->GetFolder() : std::string();
    QFileDialog dlg(parent, QStringLiteral("Open"));
    // The chooser of our own, so the preview can stand beside the list.
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    const auto preview = AddPreview(dlg);
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setNameFilters(PictureNameFilters());
    const std::string shown = current.empty() ? std::string()
                              : manager       ? manager->FullPath(current)
                                              : current;
    if (!shown.empty() && QFileInfo(PathFromCore(shown)).isFile()) {
        dlg.selectFile(PathFromCore(shown));
        preview(PathFromCore(shown));
    } else if (!folder.empty())
        dlg.setDirectory(PathFromCore(folder));
    if (CDialogRunner::RunModal(dlg) != IDOK || dlg.selectedFiles().isEmpty())
        return false;

    const QString chosen = dlg.selectedFiles().first();
    // The name as the core holds names.
    const std::string path = PathToCore(chosen);
    std::string stored;
    const bool inFolder = NameInFolder(folder, path, stored);
    if (!CheckFileName(parent, stored))
        return false;
    IUserInterface* ui = manager ? manager->GetUserInterface() : nullptr;
    if (!inFolder && ui) {
        // What matters comes first: a long path is cut at the end of the status bar.
        ui->StatusMessage(
            std::string("Stored with its full path (") +
            (folder.empty() ? "the cockpit has no folder yet" : "outside the cockpit's folder") +
            "): " + path);
    }
    name = stored;
    // Only a regular file's header is read: opening a FIFO would wait for a writer.
    size = QFileInfo(chosen).isFile() ? QImageReader(chosen).size() : QSize();
    return true;
}

QWidget* PictureFileRow(QLineEdit* field, const CCPManager* manager, QLineEdit* width,
                        QLineEdit* height, std::function<void(QSize)> picked)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(field, 1);
    auto* browse = new QPushButton(QStringLiteral("Browse..."));
    browse->setObjectName(QStringLiteral("Browse..."));
    browse->setAutoDefault(false);
    layout->addWidget(browse);
    QObject::connect(browse, &QPushButton::clicked, field, [=] {
        std::string name;
        QSize size;
        // The field shows record bytes as Latin-1.
        if (!BrowsePicture(field->window(), manager, QtToLatin1(field->text()), name, size))
            return;
        field->setText(Latin1ToQt(name));
        // The sizes are the picture's own: the one chosen now.
        if (width && height && !size.isEmpty()) {
            width->setText(QString::number(size.width()));
            height->setText(QString::number(size.height()));
        }
        if (picked)
            picked(size);
    });
    return row;
}
