#include "cbufferdlg.h"

#include "ccpbuffer.h"
#include "filenamerule.h"
#include "picturebrowse.h"
#include "textconvert.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CBufferDlg::CBufferDlg(CCPBuffer& buffer, QWidget* parent)
    : CExchangeDlg(QStringLiteral("Buffer"), parent), m_strFile(buffer.m_strFile),
      m_nHeight(buffer.m_nHeight), m_nWidth(buffer.m_nWidth), m_buffer(buffer)
{
    m_pFile = m_dx.Text(m_strFile, QStringLiteral("File"));
    m_pFile->setMinimumWidth(280);
    QLineEdit* height = m_dx.Int(m_nHeight, QStringLiteral("Size Ht"));
    QLineEdit* width = m_dx.Int(m_nWidth, QStringLiteral("Wid"));
    height->setMaximumWidth(80);
    width->setMaximumWidth(80);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("File")), 0, 0);
    grid->addWidget(PictureFileRow(m_pFile, buffer.m_pManager, width, height), 0, 1, 1, 5);
    grid->addWidget(new QLabel(QStringLiteral("Size Ht")), 1, 0);
    grid->addWidget(height, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Wid")), 1, 2, Qt::AlignRight);
    grid->addWidget(width, 1, 3);
    grid->setColumnStretch(4, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(MakeOkCancel());
    m_dx.Load();
}

bool CBufferDlg::Validate()
{
    return CheckFileName(this, m_strFile, m_pFile);
}

void CBufferDlg::OnOK()
{
    m_buffer.m_nWidth = m_nWidth;
    m_buffer.m_nHeight = m_nHeight;
    m_buffer.SetFile(m_strFile);
}
