#include "ccpmanagerpage.h"

#include "ccpmanager.h"
#include "filenamerule.h"
#include "picturebrowse.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CCPManagerPage::CCPManagerPage(CCPManager* record, QWidget* parent)
    : CCPPage(QStringLiteral("Manager Properties"), parent),
      m_strTemplateFile(record->m_strTemplateFile), m_nTemplateWidth(record->m_nTemplateWidth),
      m_nTemplateHeight(record->m_nTemplateHeight), m_nMouseBorder(record->m_nMouseBorder),
      m_bDoGeometry(record->m_bDoGeometry), m_pRecord(record)
{
    m_pTemplate = m_dx.Text(m_strTemplateFile, QStringLiteral("Template"));
    m_pTemplate->setMinimumWidth(280);

    auto* size = new QWidget;
    auto* sizeRow = new QHBoxLayout(size);
    sizeRow->setContentsMargins(0, 0, 0, 0);
    QLineEdit* width = m_dx.Int(m_nTemplateWidth, QStringLiteral("Template Width"));
    QLineEdit* height = m_dx.Int(m_nTemplateHeight, QStringLiteral("Template Height"));
    width->setMaximumWidth(80);
    height->setMaximumWidth(80);
    sizeRow->addWidget(width);
    sizeRow->addWidget(new QLabel(QStringLiteral("x")));
    sizeRow->addWidget(height);
    sizeRow->addStretch(1);

    QFormLayout* form = MakeForm();
    form->addRow(QStringLiteral("Template"), PictureFileRow(m_pTemplate, record, width, height));
    form->addRow(QStringLiteral("Template Size"), size);
    form->addRow(QStringLiteral("MouseBorder"),
                 m_dx.Int(m_nMouseBorder, QStringLiteral("MouseBorder")));
    form->addRow(QString(), m_dx.Check(m_bDoGeometry, QStringLiteral("Do Geometry")));

    CCPManager* m = record;
    QGroupBox* areas = ButtonBox(
        QStringLiteral("Areas"),
        {MakeButton(QStringLiteral("Hud"), [this, m] { EditArea(m->m_rcHud); }),
         MakeButton(QStringLiteral("RWR"), [this, m] { EditArea(m->m_rcRwr); }),
         MakeButton(QStringLiteral("Left MFD"), [this, m] { EditArea(m->m_rcMfdLeft); }),
         MakeButton(QStringLiteral("Right MFD"), [this, m] { EditArea(m->m_rcMfdRight); })});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(areas);
    layout->addStretch(1);
    UpdateData(false);
}

bool CCPManagerPage::Validate()
{
    return CheckFileName(this, m_strTemplateFile, m_pTemplate);
}

void CCPManagerPage::OnOK()
{
    m_pRecord->m_strTemplateFile = m_strTemplateFile;
    m_pRecord->m_nTemplateWidth = m_nTemplateWidth;
    m_pRecord->m_nTemplateHeight = m_nTemplateHeight;
    m_pRecord->m_nMouseBorder = m_nMouseBorder;
    m_pRecord->m_bDoGeometry = m_bDoGeometry;
}
