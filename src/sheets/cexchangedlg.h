#pragma once

#include "cdataexchange.h"

#include <QDialog>

class QDialogButtonBox;

// A small modal dialog whose controls are bound to its members: OK checks and takes the
// entries (staying open on a bad one), then stores them; Cancel stores nothing.
class CExchangeDlg : public QDialog
{
    Q_OBJECT

public:
    CExchangeDlg(const QString& caption, QWidget* parent);

    void accept() override;

    // OK (default) and Cancel, wired to dialog's accept and reject.
    static QDialogButtonBox* MakeOkCancel(QDialog* dialog);

protected:
    // Checks after the controls have been taken into the members.
    virtual bool Validate() { return true; }
    // Stores the members where the dialog was opened on.
    virtual void OnOK() {}

    QDialogButtonBox* MakeOkCancel() { return MakeOkCancel(this); }

    CDataExchange m_dx{this};
};
