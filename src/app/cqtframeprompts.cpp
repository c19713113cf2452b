#include "cqtframeprompts.h"
#include "textconvert.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace {
std::string ToLocal(const QString& path)
{
    return path.isEmpty() ? std::string() : PathToCore(path);
}

IFramePrompts::Answer FromButton(int button)
{
    switch (button) {
    case QMessageBox::Yes:
        return IFramePrompts::Yes;
    case QMessageBox::No:
        return IFramePrompts::No;
    default:
        return IFramePrompts::Cancel;
    }
}
} // namespace

std::string CQtFramePrompts::AskOpenFileName()
{
    QFileDialog dialog(m_pParent, QStringLiteral("Open"), QString(), QString::fromLatin1(kFilter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return ToLocal(dialog.selectedFiles().first());
}

std::string CQtFramePrompts::AskSaveFileName(const std::string& proposed)
{
    QFileDialog dialog(m_pParent, QStringLiteral("Save As"), PathFromCore(proposed),
                       QString::fromLatin1(kFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("dat"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return ToLocal(dialog.selectedFiles().first());
}

IFramePrompts::Answer CQtFramePrompts::AskSaveChanges(const std::string& name)
{
    const QString text = QStringLiteral("Save changes to %1?").arg(PathFromCore(name));
    return FromButton(QMessageBox::question(
        m_pParent, QStringLiteral("Vireo"), text,
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes));
}

IFramePrompts::Answer CQtFramePrompts::AskCopyPictures(const std::vector<std::string>& names,
                                                       const std::string& folder)
{
    QStringList list;
    for (const std::string& name : names)
        list << QStringLiteral("    ") + PathFromCore(name);
    QMessageBox box(QMessageBox::Question, QStringLiteral("Vireo"),
                    QStringLiteral("These pictures of the cockpit will not be found beside the "
                                   "new file:\n\n%1\n\nCopy them into %2?")
                        .arg(list.join(QLatin1Char('\n')), PathFromCore(folder)),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, m_pParent);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Copy Them"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Save Without Them"));
    box.setDefaultButton(QMessageBox::Yes);
    return FromButton(box.exec());
}

IFramePrompts::Answer CQtFramePrompts::AskRecover(const std::string& question)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Vireo"),
                    QString::fromUtf8(question.c_str()), QMessageBox::Yes | QMessageBox::No,
                    m_pParent);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Recover"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Discard"));
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes ? Yes : No;
}
