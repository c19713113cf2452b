#include "cbufferdlg.h"

#include "ccpbuffer.h"
#include "cdialogrunner.h"
#include "filenamerule.h"
#include "iuserinterface.h"
#include "textconvert.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CBufferDlg::CBufferDlg(CCPBuffer& buffer, QWidget* parent)
    : CExchangeDlg(QStringLiteral("Buffer"), parent), m_strFile(buffer.m_strFile),
      m_nHeight(buffer.m_nHeight), m_nWidth(buffer.m_nWidth), m_buffer(buffer)
{
    m_pFile = m_dx.Text(m_strFile, QStringLiteral("File"));
    m_pFile->setMinimumWidth(280);
    auto* browse = new QPushButton(QStringLiteral("Browse..."));
    browse->setObjectName(QStringLiteral("Browse..."));
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, &CBufferDlg::OnBrowse);
    QLineEdit* height = m_dx.Int(m_nHeight, QStringLiteral("Size Ht"));
    QLineEdit* width = m_dx.Int(m_nWidth, QStringLiteral("Wid"));
    height->setMaximumWidth(80);
    width->setMaximumWidth(80);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("File")), 0, 0);
    grid->addWidget(m_pFile, 0, 1, 1, 4);
    grid->addWidget(browse, 0, 5);
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

void CBufferDlg::OnBrowse()
{
    QFileDialog dlg(this, QStringLiteral("Open"));
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setDefaultSuffix(QStringLiteral("gif"));
    dlg.setNameFilters({QStringLiteral("GIF Files (*.gif)"), QStringLiteral("All Files (*)")});
    if (CDialogRunner::RunModal(dlg) != IDOK || dlg.selectedFiles().isEmpty())
        return;
    // The bytes of the name as the disk has them; the field shows record bytes as Latin-1.
    const QByteArray bytes = QFile::encodeName(dlg.selectedFiles().first());
    const std::string path(bytes.constData(), size_t(bytes.size()));
    if (!CheckFileName(this, path))
        return;
    m_pFile->setText(Latin1ToQt(path));
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
