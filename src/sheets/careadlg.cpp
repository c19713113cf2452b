#include "careadlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
// A label above its edit, so the compass keeps its shape.
QWidget* Labelled(const QString& label, QLineEdit* edit)
{
    auto* cell = new QWidget;
    auto* layout = new QVBoxLayout(cell);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto* text = new QLabel(label);
    text->setAlignment(Qt::AlignHCenter);
    text->setBuddy(edit);
    edit->setAlignment(Qt::AlignRight);
    edit->setMaximumWidth(90);
    layout->addWidget(text);
    layout->addWidget(edit, 0, Qt::AlignHCenter);
    return cell;
}
} // namespace

CAreaDlg::CAreaDlg(CRect& rc, QWidget* parent)
    : CExchangeDlg(QStringLiteral("Area"), parent), m_nBottom(rc.bottom), m_nLeft(rc.left),
      m_nRight(rc.right), m_nTop(rc.top), m_rc(rc)
{
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->addWidget(Labelled(QStringLiteral("Top"), m_dx.Int(m_nTop, QStringLiteral("Top"))), 0, 1);
    grid->addWidget(Labelled(QStringLiteral("Left"), m_dx.Int(m_nLeft, QStringLiteral("Left"))), 1,
                    0);
    grid->addWidget(Labelled(QStringLiteral("Right"), m_dx.Int(m_nRight, QStringLiteral("Right"))),
                    1, 2);
    grid->addWidget(
        Labelled(QStringLiteral("Bottom"), m_dx.Int(m_nBottom, QStringLiteral("Bottom"))), 2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(MakeOkCancel());
    m_dx.Load();
}

void CAreaDlg::OnOK()
{
    m_rc = CRect(m_nLeft, m_nTop, m_nRight, m_nBottom);
}
