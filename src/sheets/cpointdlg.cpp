#include "cpointdlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

CPointDlg::CPointDlg(CPoint& pt, QWidget* parent)
    : CExchangeDlg(QStringLiteral("Point"), parent), m_nX(pt.x), m_nY(pt.y), m_pt(pt)
{
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("X"), m_dx.Int(m_nX, QStringLiteral("X")));
    form->addRow(QStringLiteral("Y"), m_dx.Int(m_nY, QStringLiteral("Y")));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(MakeOkCancel());
    m_dx.Load();
}

void CPointDlg::OnOK()
{
    m_pt.x = m_nX;
    m_pt.y = m_nY;
}
