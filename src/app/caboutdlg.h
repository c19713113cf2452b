#pragma once

#include <QDialog>

// "About Vireo": the icon, the version and one line on what the program is for.
class CAboutDlg : public QDialog
{
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
