#include "cselecttypedlg.h"

#include "ccpobject.h"
#include "cdialogrunner.h"
#include "recordtypes.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

CSelectTypeDlg::CSelectTypeDlg(QWidget* parent)
    : CExchangeDlg(QStringLiteral("Select Object Type"), parent)
{
    std::vector<const CRecordType*> types;
    for (const CRecordType& type : RecordTypes())
        if (type.placeable)
            types.push_back(&type);
    std::sort(types.begin(), types.end(), [](const CRecordType* a, const CRecordType* b) {
        return QString::fromLatin1(a->name).compare(QString::fromLatin1(b->name),
                                                    Qt::CaseInsensitive) < 0;
    });

    m_pList = new QComboBox;
    m_pList->setObjectName(QStringLiteral("Type"));
    m_pList->setMinimumWidth(200);
    for (const CRecordType* type : types)
        m_pList->addItem(QString::fromLatin1(type->name), type->newCode);
    m_pList->setCurrentIndex(-1);
    m_pList->setPlaceholderText(QStringLiteral("(choose a type)"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pList);
    layout->addWidget(MakeOkCancel());
}

bool CSelectTypeDlg::Validate()
{
    if (m_pList->currentIndex() < 0 || m_pList->currentData().toInt() != kBufferType)
        return true;
    CDialogRunner::Message(
        this,
        QStringLiteral("A Buffer is not added on its own: a panel's first Surface brings "
                       "its Buffer, asking for the picture file.\n"
                       "Choose Surface to put a picture on the panel."),
        QMessageBox::Information);
    return false;
}

void CSelectTypeDlg::OnOK()
{
    if (m_pList->currentIndex() >= 0)
        m_nType = m_pList->currentData().toInt();
}
