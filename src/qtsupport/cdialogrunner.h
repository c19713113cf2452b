#pragma once

#include <QMessageBox>

class QDialog;
class QWidget;

// Runs every modal dialog of the sheets layer: property sheets, the small dialogs they open,
// the colour and file choosers and the message boxes. The default shows them with exec();
// tests install a runner of their own that fills fields and accepts or rejects, so modal
// code runs without a user and without timers.
class CDialogRunner
{
public:
    virtual ~CDialogRunner() = default;

    // Runs dlg modally and returns IDOK when it ended accepted, IDCANCEL otherwise.
    virtual int Run(QDialog& dlg);

    // Through the installed runner.
    static int RunModal(QDialog& dlg);
    // Installs runner (null: the default) and returns the one it replaces.
    static CDialogRunner* Install(CDialogRunner* runner);

    // A message box over parent's window, run through the installed runner.
    static void Message(QWidget* parent, const QString& text,
                        QMessageBox::Icon icon = QMessageBox::Warning,
                        const QString& details = QString());
};
