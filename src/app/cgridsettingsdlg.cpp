#include "cgridsettingsdlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>
#include <QVBoxLayout>

CGridSettingsDlg::CGridSettingsDlg(int size, QWidget* parent)
    : QDialog(parent), m_pSize(new QSpinBox(this))
{
    setWindowTitle(QStringLiteral("Grid Settings"));
    m_pSize->setObjectName(QStringLiteral("gridSize"));
    // The spin box keeps the value within what the grid can be, whatever is typed.
    m_pSize->setRange(kMinSize, kMaxSize);
    m_pSize->setSuffix(QStringLiteral(" pixels"));
    m_pSize->setValue(size);
    m_pSize->selectAll();

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Grid &size:"), m_pSize);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

int CGridSettingsDlg::GridSize() const
{
    // A value still being typed counts as it would once the field lost the focus.
    m_pSize->interpretText();
    return m_pSize->value();
}
