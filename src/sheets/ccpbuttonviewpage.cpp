#include "ccpbuttonviewpage.h"

#include "ccpbutton.h"
#include "ccpbuttonview.h"
#include "ccpmanager.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CCPButtonViewPage::CCPButtonViewPage(CCPButtonView* record, QWidget* parent)
    : CCPPage(QStringLiteral("ButtonView Properties"), parent),
      m_nParentButton(record->m_nParentButton), m_bTransparent(record->m_bTransparent),
      m_nPersistent(record->m_nPersistent), m_pRecord(record)
{
    auto* parentRow = new QHBoxLayout;
    parentRow->addWidget(MakeButton(QStringLiteral("Parent"), [this] { OpenParent(); }));
    QLineEdit* parentId = m_dx.Int(m_nParentButton, QStringLiteral("Parent Id"));
    parentId->setMaximumWidth(100);
    parentRow->addWidget(parentId);
    parentRow->addStretch(1);

    QGroupBox* state = m_dx.Radio(m_nPersistent, QStringLiteral("State"),
                                  {QStringLiteral("Non Persistent"), QStringLiteral("Persistent"),
                                   QStringLiteral("Electrical")});
    QGroupBox* areas = ButtonBox(
        QStringLiteral("Areas"),
        {MakeButton(QStringLiteral("Source"), [this] { EditRectList(m_pRecord->m_arcSrc, true); }),
         MakeButton(QStringLiteral("Dest"), [this] { EditArea(m_pRecord->m_rcDest); })});

    auto* row = new QHBoxLayout;
    row->addWidget(state);
    row->addWidget(areas, 0, Qt::AlignTop);
    row->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(parentRow);
    layout->addWidget(m_dx.Check(m_bTransparent, QStringLiteral("Transparent")));
    layout->addLayout(row);
    layout->addStretch(1);
    UpdateData(false);
}

void CCPButtonViewPage::OpenParent()
{
    if (!UpdateData(true) || !m_pRecord->m_pManager)
        return;
    if (CCPButton* button = m_pRecord->m_pManager->FindButton(m_nParentButton))
        button->EditProperties();
}

void CCPButtonViewPage::OnOK()
{
    m_pRecord->m_nParentButton = m_nParentButton;
    m_pRecord->m_bTransparent = m_bTransparent;
    m_pRecord->m_nPersistent = m_nPersistent;
}
