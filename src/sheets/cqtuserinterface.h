#pragma once

#include "iuserinterface.h"

class QWidget;

// The editor's answers to the model and the document: message boxes, "Check Results",
// "Select Object Type" and the "Buffer" dialog, all over parent, and notes in parent's status
// bar.
class CQtUserInterface : public IUserInterface
{
public:
    explicit CQtUserInterface(QWidget* parent = nullptr) : m_pParent(parent) {}

    void MessageBox(const std::string& text, Icon icon = Exclamation,
                    const std::string& details = {}) override;
    int CheckResults(CCheckMessageArray& messages, bool showSaveAnyway) override;
    // IDOK only when a type was chosen.
    int SelectObjectType(int& code) override;
    int EditBuffer(CCPBuffer& buffer) override;
    // In the status bar of the main window over which the user interface works.
    void StatusMessage(const std::string& text) override;

private:
    QWidget* Parent() const;

    QWidget* m_pParent;
};
