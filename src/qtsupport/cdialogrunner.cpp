#include "cdialogrunner.h"

#include "iuserinterface.h"

#include <QDialog>

namespace {
CDialogRunner g_defaultRunner;
CDialogRunner* g_pRunner = &g_defaultRunner;
} // namespace

int CDialogRunner::Run(QDialog& dlg)
{
    dlg.exec();
    return dlg.result() == QDialog::Accepted ? IDOK : IDCANCEL;
}

int CDialogRunner::RunModal(QDialog& dlg)
{
    return g_pRunner->Run(dlg);
}

CDialogRunner* CDialogRunner::Install(CDialogRunner* runner)
{
    CDialogRunner* previous = g_pRunner == &g_defaultRunner ? nullptr : g_pRunner;
    g_pRunner = runner ? runner : &g_defaultRunner;
    return previous;
}

void CDialogRunner::Message(QWidget* parent, const QString& text, QMessageBox::Icon icon,
                            const QString& details)
{
    QMessageBox box(icon, QStringLiteral("Vireo"), text, QMessageBox::Ok,
                    parent ? parent->window() : nullptr);
    if (!details.isEmpty())
        box.setDetailedText(details);
    RunModal(box);
}
