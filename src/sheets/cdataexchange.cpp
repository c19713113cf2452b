#include "cdataexchange.h"

#include "cdialogrunner.h"
#include "textconvert.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

QString FormatInt(int value)
{
    return QString::number(value);
}

// Six significant digits, the way the file writes floats; independent of the user's locale.
QString FormatFloat(float value)
{
    return QString::number(double(value), 'g', 6);
}

bool ParseInt(const QString& text, int& value)
{
    bool ok = false;
    const qlonglong v = text.trimmed().toLongLong(&ok, 10);
    if (!ok || v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return false;
    value = int(v);
    return true;
}

bool ParseFloat(const QString& text, float& value)
{
    bool ok = false;
    const double v = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(v) || std::fabs(v) > double(std::numeric_limits<float>::max()))
        return false;
    value = float(v);
    return true;
}

QLineEdit* CDataExchange::Int(int& member, const QString& name)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    m_aBindings.push_back({[edit, &member] { edit->setText(FormatInt(member)); },
                           [this, edit, &member] {
                               return ParseInt(edit->text(), member) ||
                                      Refuse(edit, QStringLiteral("Please enter an integer."));
                           }});
    return edit;
}

QLineEdit* CDataExchange::Float(float& member, const QString& name)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    m_aBindings.push_back({[edit, &member] { edit->setText(FormatFloat(member)); },
                           [this, edit, &member] {
                               return ParseFloat(edit->text(), member) ||
                                      Refuse(edit, QStringLiteral("Please enter a number."));
                           }});
    return edit;
}

QLineEdit* CDataExchange::Text(std::string& member, const QString& name)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    m_aBindings.push_back({[edit, &member] { edit->setText(Latin1ToQt(member)); },
                           [edit, &member] {
                               member = QtToLatin1(edit->text());
                               return true;
                           }});
    return edit;
}

QCheckBox* CDataExchange::Check(int& member, const QString& label)
{
    auto* box = new QCheckBox(label);
    box->setObjectName(label);
    m_aBindings.push_back({[box, &member] { box->setChecked(member != 0); },
                           [box, &member] {
                               if (!box->isChecked())
                                   member = 0;
                               else if (member == 0)
                                   member = 1;
                               return true;
                           }});
    return box;
}

QGroupBox* CDataExchange::Radio(int& member, const QString& title, const QStringList& labels)
{
    auto* group = new QGroupBox(title);
    group->setObjectName(title);
    auto* layout = new QVBoxLayout(group);
    auto* buttons = new QButtonGroup(group);
    for (int i = 0; i < labels.size(); ++i) {
        auto* radio = new QRadioButton(labels[i]);
        radio->setObjectName(labels[i]);
        buttons->addButton(radio, i);
        layout->addWidget(radio);
    }
    m_aBindings.push_back({[buttons, &member] {
                               // A value with no button of its own ticks none.
                               buttons->setExclusive(false);
                               for (QAbstractButton* b : buttons->buttons())
                                   b->setChecked(buttons->id(b) == member);
                               buttons->setExclusive(true);
                           },
                           [buttons, &member] {
                               if (buttons->checkedId() >= 0)
                                   member = buttons->checkedId();
                               return true;
                           }});
    return group;
}

void CDataExchange::Custom(std::function<void()> load, std::function<bool()> save)
{
    m_aBindings.push_back({std::move(load), std::move(save)});
}

void CDataExchange::Load()
{
    for (Binding& b : m_aBindings)
        b.load();
}

bool CDataExchange::Save()
{
    for (Binding& b : m_aBindings)
        if (!b.save())
            return false;
    return true;
}

bool CDataExchange::Refuse(QLineEdit* edit, const QString& message)
{
    CDialogRunner::Message(m_pOwner, message, QMessageBox::Warning);
    edit->setFocus();
    edit->selectAll();
    return false;
}
