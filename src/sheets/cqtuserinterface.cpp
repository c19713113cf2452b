#include "cqtuserinterface.h"

#include "cbufferdlg.h"
#include "ccheckresultsdlg.h"
#include "cdialogrunner.h"
#include "cselecttypedlg.h"
#include "textconvert.h"

#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>

QWidget* CQtUserInterface::Parent() const
{
    return QApplication::activeModalWidget() ? QApplication::activeModalWidget() : m_pParent;
}

void CQtUserInterface::MessageBox(const std::string& text, Icon icon, const std::string& details)
{
    QMessageBox::Icon shown = QMessageBox::Warning;
    if (icon == Information)
        shown = QMessageBox::Information;
    else if (icon == Stop)
        shown = QMessageBox::Critical;
    CDialogRunner::Message(Parent(), MessageToQt(text), shown, MessageToQt(details));
}

int CQtUserInterface::CheckResults(CCheckMessageArray& messages, bool showSaveAnyway)
{
    CCheckResultsDlg dlg(messages, showSaveAnyway, Parent());
    return CDialogRunner::RunModal(dlg);
}

int CQtUserInterface::SelectObjectType(int& code)
{
    CSelectTypeDlg dlg(Parent());
    if (CDialogRunner::RunModal(dlg) != IDOK || dlg.m_nType < 0)
        return IDCANCEL;
    code = dlg.m_nType;
    return IDOK;
}

int CQtUserInterface::EditBuffer(CCPBuffer& buffer)
{
    CBufferDlg dlg(buffer, Parent());
    return CDialogRunner::RunModal(dlg);
}

void CQtUserInterface::StatusMessage(const std::string& text)
{
    if (auto* frame = qobject_cast<QMainWindow*>(m_pParent ? m_pParent->window() : nullptr))
        frame->statusBar()->showMessage(MessageToQt(text));
}
