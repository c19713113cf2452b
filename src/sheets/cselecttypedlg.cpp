#include "cselecttypedlg.h"

#include "ccpobject.h"
#include "cdialogrunner.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <vector>

namespace {
const std::array<const char*, 18> kTypeNames = {
    "Surface",    "Sound",   "Light",   "Button",    "Dial",     "Digits",
    "Hsi",        "MachAsi", "Panel",   "Indicator", "Kneeview", "Ded",
    "ButtonView", "Adi",     "Chevron", "Buffer",    "LiftLine", "Text"};

// Sounds, buttons and panels have their own Add commands.
bool Offered(int code)
{
    return code != kSoundType && code != kButtonType && code != kPanelType;
}
} // namespace

QString CSelectTypeDlg::TypeName(int code)
{
    return code >= 0 && code < int(kTypeNames.size())
               ? QString::fromLatin1(kTypeNames[size_t(code)])
               : QString();
}

CSelectTypeDlg::CSelectTypeDlg(QWidget* parent)
    : CExchangeDlg(QStringLiteral("Select Object Type"), parent)
{
    std::vector<int> codes;
    for (int code = 0; code < int(kTypeNames.size()); ++code)
        if (Offered(code))
            codes.push_back(code);
    std::sort(codes.begin(), codes.end(), [](int a, int b) {
        return TypeName(a).compare(TypeName(b), Qt::CaseInsensitive) < 0;
    });

    m_pList = new QComboBox;
    m_pList->setObjectName(QStringLiteral("Type"));
    m_pList->setMinimumWidth(200);
    for (int code : codes)
        m_pList->addItem(TypeName(code), code);
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
