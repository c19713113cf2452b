#pragma once

#include <QDialog>

class QSpinBox;

// "Grid Settings": the spacing of the grid that dragged records snap to, in screen pixels.
class CGridSettingsDlg : public QDialog
{
public:
    static constexpr int kMinSize = 2;
    static constexpr int kMaxSize = 256;
    static constexpr int kDefaultSize = 8;

    explicit CGridSettingsDlg(int size, QWidget* parent = nullptr);

    int GridSize() const;

private:
    QSpinBox* m_pSize;
};
