#include "picturebrowse.h"

#include "ccpmanager.h"
#include "cdialogrunner.h"
#include "filenamerule.h"
#include "filepaths.h"
#include "iuserinterface.h"
#include "textconvert.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLineEdit>
#include <QPushButton>

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

bool BrowsePicture(QWidget* parent, const CCPManager* manager, const std::string& current,
                   std::string& name, QSize& size)
{
    const std::string folder = manager ? manager->GetFolder() : std::string();
    QFileDialog dlg(parent, QStringLiteral("Open"));
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setNameFilters(PictureNameFilters());
    const std::string shown = current.empty() ? std::string()
                              : manager       ? manager->FullPath(current)
                                              : current;
    if (!shown.empty() && QFileInfo(PathFromCore(shown)).isFile())
        dlg.selectFile(PathFromCore(shown));
    else if (!folder.empty())
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
                        QLineEdit* height)
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
        if (width && height && !size.isEmpty() && width->text().trimmed().toInt() == 0 &&
            height->text().trimmed().toInt() == 0) {
            width->setText(QString::number(size.width()));
            height->setText(QString::number(size.height()));
        }
    });
    return row;
}
