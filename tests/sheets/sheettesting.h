#pragma once

#include "ccpdisplay.h"
#include "ccppage.h"
#include "cdialogrunner.h"
#include "cqtrecordeditor.h"
#include "iuserinterface.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>

// Answers the modal dialogs of the code under test. Message boxes are recorded and closed;
// every other dialog takes the next step of the script, which fills fields and accepts or
// rejects it. The dialog's result decides what Run returns, as it does for a user.
class CScriptedRunner : public CDialogRunner
{
public:
    using Step = std::function<void(QDialog&)>;

    CScriptedRunner() : m_pPrevious(CDialogRunner::Install(this)) {}
    ~CScriptedRunner() override
    {
        CDialogRunner::Install(m_pPrevious);
        EXPECT_TRUE(m_steps.empty()) << m_steps.size() << " scripted dialog(s) never opened";
    }

    CScriptedRunner& Then(Step step)
    {
        m_steps.push_back(std::move(step));
        return *this;
    }

    // For a dialog that the running step is about to open, ahead of the rest of the script.
    CScriptedRunner& Next(Step step)
    {
        m_steps.push_front(std::move(step));
        return *this;
    }

    int Run(QDialog& dlg) override
    {
        if (auto* box = qobject_cast<QMessageBox*>(&dlg)) {
            m_messages << box->text();
            m_details << box->detailedText();
            m_icons.push_back(box->icon());
            return IDOK;
        }
        m_titles << dlg.windowTitle();
        if (m_steps.empty()) {
            ADD_FAILURE() << "unexpected dialog " << dlg.windowTitle().toStdString();
            return IDCANCEL;
        }
        Step step = std::move(m_steps.front());
        m_steps.pop_front();
        dlg.setResult(QDialog::Rejected);
        step(dlg);
        return dlg.result() == QDialog::Accepted ? IDOK : IDCANCEL;
    }

    QStringList m_messages;
    QStringList m_details;
    std::vector<QMessageBox::Icon> m_icons;
    QStringList m_titles; // of every dialog other than message boxes, in order

private:
    CDialogRunner* m_pPrevious;
    std::deque<Step> m_steps;
};

// Controls are named after their labels.
template <class T> T* Find(QWidget& root, const QString& name)
{
    const QList<T*> found = root.findChildren<T*>(name);
    EXPECT_EQ(found.size(), 1) << "control " << name.toStdString();
    return found.isEmpty() ? nullptr : found.first();
}

inline void SetText(QWidget& root, const QString& name, const QString& text)
{
    if (QLineEdit* edit = Find<QLineEdit>(root, name))
        edit->setText(text);
}

inline QString Text(QWidget& root, const QString& name)
{
    QLineEdit* edit = Find<QLineEdit>(root, name);
    return edit ? edit->text() : QString();
}

inline void Click(QWidget& root, const QString& name)
{
    if (QAbstractButton* button = Find<QAbstractButton>(root, name))
        button->click();
}

inline void SetChecked(QWidget& root, const QString& name, bool checked)
{
    if (QAbstractButton* button = Find<QAbstractButton>(root, name))
        button->setChecked(checked);
}

inline bool IsChecked(QWidget& root, const QString& name)
{
    QAbstractButton* button = Find<QAbstractButton>(root, name);
    return button && button->isChecked();
}

template <class T> T& As(QDialog& dlg)
{
    T* typed = dynamic_cast<T*>(&dlg);
    if (!typed)
        throw std::runtime_error("unexpected dialog " + dlg.windowTitle().toStdString());
    return *typed;
}

// The sheet's page with that title, made active as by a click on its tab.
inline CCPPage& Page(CCPDisplay& sheet, const QString& title)
{
    CCPPage* page = sheet.FindPage(title);
    if (!page)
        throw std::runtime_error("no page " + title.toStdString());
    EXPECT_TRUE(sheet.SetActivePage(page)) << title.toStdString();
    return *page;
}

// The sheet the editor opens for record, started on its first page as DoModal starts it.
inline std::unique_ptr<CCPDisplay> OpenSheet(CCPObject& record)
{
    auto sheet = CQtRecordEditor::CreateSheet(record, nullptr);
    sheet->Open();
    return sheet;
}

inline bool Accepted(QDialog& dlg)
{
    return dlg.result() == QDialog::Accepted;
}
