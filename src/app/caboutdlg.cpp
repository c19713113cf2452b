#include "caboutdlg.h"

#include "ctoolbarart.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About Vireo"));
    auto* icon = new QLabel(this);
    icon->setPixmap(CToolBarArt::AppIcon().pixmap(32, 32));
    auto* version = new QLabel(QStringLiteral("Vireo Version 1.29"), this);
    version->setObjectName(QStringLiteral("version"));
    auto* purpose = new QLabel(QStringLiteral("Editor for 2-D cockpit definition files"), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(version, 0, 1);
    layout->addWidget(purpose, 1, 1);
    layout->addWidget(buttons, 0, 2, 2, 1, Qt::AlignTop);
    layout->setColumnStretch(1, 1);
}
