#include "cexchangedlg.h"

#include <QDialogButtonBox>
#include <QPushButton>

CExchangeDlg::CExchangeDlg(const QString& caption, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(caption);
    setObjectName(caption);
}

void CExchangeDlg::accept()
{
    if (!m_dx.Save() || !Validate())
        return;
    OnOK();
    QDialog::accept();
}

QDialogButtonBox* CExchangeDlg::MakeOkCancel(QDialog* dialog)
{
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    box->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OK"));
    box->button(QDialogButtonBox::Ok)->setDefault(true);
    box->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("Cancel"));
    connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return box;
}
