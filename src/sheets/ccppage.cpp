#include "ccppage.h"

#include "careadlg.h"
#include "ccolourfield.h"
#include "ccpdisplay.h"
#include "cdialogrunner.h"
#include "choosecolour.h"
#include "cpointdlg.h"
#include "crectlistdlg.h"
#include "cscanner.h"
#include "iuserinterface.h"
#include "strformat.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

CCPPage::CCPPage(const QString& title, QWidget* parent) : QWidget(parent), m_strTitle(title)
{
    setObjectName(title);
}

bool CCPPage::UpdateData(bool save)
{
    if (!save) {
        m_dx.Load();
        return true;
    }
    return m_dx.Save() && Validate();
}

QPushButton* CCPPage::MakeButton(const QString& label, std::function<void()> onClick)
{
    auto* button = new QPushButton(label);
    button->setObjectName(label);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [fn = std::move(onClick)] { fn(); });
    return button;
}

QGroupBox* CCPPage::ButtonBox(const QString& title, std::initializer_list<QPushButton*> buttons,
                              int columns)
{
    auto* box = new QGroupBox(title);
    auto* grid = new QGridLayout(box);
    int i = 0;
    for (QPushButton* b : buttons) {
        b->setMinimumWidth(qMax(110, b->sizeHint().width() + 12));
        grid->addWidget(b, i / columns, i % columns);
        ++i;
    }
    grid->setColumnStretch(columns, 1);
    return box;
}

QFormLayout* CCPPage::MakeForm()
{
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->setLabelAlignment(Qt::AlignLeft);
    return form;
}

void CCPPage::AddSlotAndBitsRows(QFormLayout* form, int& callbackSlot, std::string& cycleBits)
{
    form->addRow(QStringLiteral("CallBack Slot"),
                 m_dx.Int(callbackSlot, QStringLiteral("CallBack Slot")));
    form->addRow(QStringLiteral("Cycle Bits"), m_dx.Text(cycleBits, QStringLiteral("Cycle Bits")));
}

void CCPPage::AddColourRow(QFormLayout* form, std::string& text, const QString& name)
{
    auto* field = new CColourField(m_dx.Text(text, name + QStringLiteral(" Value")), name);
    connect(field, &CColourField::chooseClicked, this,
            [this, &text] { ChooseColour(*this, text); });
    form->addRow(name, field);
}

std::string CCPPage::HexText(uint32_t value, bool padTo8)
{
    return StrFormat(padTo8 ? "%8x" : "%x", value);
}

void CCPPage::ReadHex(const std::string& text, uint32_t& value)
{
    ScanHex(text, value);
}

bool CCPPage::EditArea(CRect& rc)
{
    CAreaDlg dlg(rc, this);
    return CDialogRunner::RunModal(dlg) == IDOK;
}

void CCPPage::EditRectList(std::vector<CRect>& list, bool onTemplate)
{
    CRectListDlg dlg(list, this);
    if (const auto* sheet = qobject_cast<const CCPDisplay*>(window()); sheet && onTemplate)
        dlg.m_rcDrawnStrip = sheet->m_rcDrawnPiece;
    CDialogRunner::RunModal(dlg);
}

bool CCPPage::EditPoint(CPoint& pt)
{
    CPointDlg dlg(pt, this);
    return CDialogRunner::RunModal(dlg) == IDOK;
}
