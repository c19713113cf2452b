#include "cfloatpointdlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

CFloatPointDlg::CFloatPointDlg(QWidget* parent)
    : CExchangeDlg(QStringLiteral("Float Point"), parent)
{
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("X"), m_dx.Float(m_fX, QStringLiteral("X")));
    form->addRow(QStringLiteral("Y"), m_dx.Float(m_fY, QStringLiteral("Y")));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(MakeOkCancel());
    m_dx.Load();
}

void CFloatPointDlg::SetPoint(float x, float y)
{
    m_fX = x;
    m_fY = y;
    m_dx.Load();
}
