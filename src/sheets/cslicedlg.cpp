#include "cslicedlg.h"

#include "cdialogrunner.h"
#include "slicing.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

CSliceDlg::CSliceDlg(std::vector<CRect>& list, QWidget* parent)
    : CExchangeDlg(QStringLiteral("Slice"), parent), m_list(list)
{
    CRect outer = BoundsOfPieces(list);
    if (outer.IsRectEmpty())
        outer = CRect(0, 0, 10, 10);
    m_nLeft = outer.left;
    m_nTop = outer.top;
    m_nRight = outer.right;
    m_nBottom = outer.bottom;
    m_nCount = std::max(1, int(list.size()));
    // A strip wider than high most likely runs across.
    m_nDirection = outer.Width() >= outer.Height() ? 0 : 1;

    auto* strip = new QGroupBox(QStringLiteral("Strip"));
    auto* edges = new QFormLayout(strip);
    for (auto [member, name] :
         {std::pair{&m_nLeft, QStringLiteral("Left")}, std::pair{&m_nTop, QStringLiteral("Top")},
          std::pair{&m_nRight, QStringLiteral("Right")},
          std::pair{&m_nBottom, QStringLiteral("Bottom")}}) {
        QLineEdit* edit = m_dx.Int(*member, name);
        edit->setMaximumWidth(90);
        edges->addRow(name, edit);
    }
    auto* pieces = new QFormLayout;
    QLineEdit* count = m_dx.Int(m_nCount, QStringLiteral("Pieces"));
    count->setMaximumWidth(90);
    pieces->addRow(QStringLiteral("Pieces"), count);

    auto* row = new QHBoxLayout;
    row->addWidget(strip);
    auto* right = new QVBoxLayout;
    right->addLayout(pieces);
    right->addWidget(m_dx.Radio(m_nDirection, QStringLiteral("Direction"),
                                {QStringLiteral("Across"), QStringLiteral("Down")}));
    right->addStretch(1);
    row->addLayout(right);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(MakeOkCancel());
    m_dx.Load();
    count->setFocus();
    count->selectAll();
}

std::vector<CRect> CSliceDlg::Pieces() const
{
    CRect outer(m_nLeft, m_nTop, m_nRight, m_nBottom);
    outer.NormalizeRect();
    return SliceRect(outer, m_nCount,
                     m_nDirection == 1 ? SliceDirection::Down : SliceDirection::Across);
}

bool CSliceDlg::Validate()
{
    if (!Pieces().empty())
        return true;
    CDialogRunner::Message(
        this, QStringLiteral("The strip cannot be cut into %1 pieces of at least one pixel each.\n"
                             "Give a count from 1 to %2 and no larger than the strip is long.")
                  .arg(m_nCount)
                  .arg(kMaxSlices));
    return false;
}

void CSliceDlg::OnOK()
{
    m_list = Pieces();
}
