#include "ccpsurfacepage.h"

#include "ccpsurface.h"
#include "strformat.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CCPSurfacePage::CCPSurfacePage(CCPSurface* record, QWidget* parent)
    : CCPPage(QStringLiteral("Surface Properties"), parent), m_strFile(record->m_strFile),
      m_strSrc(StrFormat("%d,%d,%d,%d", record->m_rcSrc.left, record->m_rcSrc.top,
                         record->m_rcSrc.right, record->m_rcSrc.bottom))
{
    QLineEdit* file = m_dx.Text(m_strFile, QStringLiteral("File"));
    QLineEdit* src = m_dx.Text(m_strSrc, QStringLiteral("Src Location"));
    file->setReadOnly(true);
    file->setMinimumWidth(260);
    src->setReadOnly(true);
    QFormLayout* form = MakeForm();
    form->addRow(QStringLiteral("File"), file);
    form->addRow(QStringLiteral("Src Location"), src);
    auto* note = new QLabel(QStringLiteral("Change these through the panel's surface entry."));
    note->setEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addStretch(1);
    UpdateData(false);
}
