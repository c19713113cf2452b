#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QWidget;

// Binds the controls of a page or dialog to its members. Load copies the members into the
// controls; Save checks the controls in the order they were bound and copies them into the
// members, stopping at the first bad entry with "Please enter an integer." or "Please enter a
// number." and the focus on that control. Every control is named after its label, so it can be
// found by name.
class CDataExchange
{
public:
    explicit CDataExchange(QWidget* owner) : m_pOwner(owner) {}

    QLineEdit* Int(int& member, const QString& name);
    QLineEdit* Float(float& member, const QString& name);
    QLineEdit* Text(std::string& member, const QString& name);
    // Unticked stores 0; ticked keeps a nonzero value the record had, else stores 1.
    QCheckBox* Check(int& member, const QString& label);
    // Radio buttons for the values 0, 1, 2, ... in a group box titled title.
    QGroupBox* Radio(int& member, const QString& title, const QStringList& labels);
    // Any other exchange; save returns false after showing its own message.
    void Custom(std::function<void()> load, std::function<bool()> save);

    void Load();
    bool Save();

private:
    struct Binding
    {
        std::function<void()> load;
        std::function<bool()> save;
    };
    bool Refuse(QLineEdit* edit, const QString& message);

    QWidget* m_pOwner;
    std::vector<Binding> m_aBindings;
};

// The exchange's own text forms, for callers that show numbers the same way.
QString FormatInt(int value);
QString FormatFloat(float value);
bool ParseInt(const QString& text, int& value);
bool ParseFloat(const QString& text, float& value);
