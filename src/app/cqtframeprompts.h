#pragma once

#include "iframeprompts.h"

class QWidget;

// The file dialogs and the save question of the editor window.
class CQtFramePrompts : public IFramePrompts
{
public:
    static constexpr const char* kFilter = "Cockpit Files (*.dat);;All Files (*)";

    void SetParent(QWidget* parent) { m_pParent = parent; }

    std::string AskOpenFileName() override;
    std::string AskSaveFileName(const std::string& proposed) override;
    Answer AskSaveChanges(const std::string& name) override;
    Answer AskCopyPictures(const std::vector<std::string>& names,
                           const std::string& folder) override;
    Answer AskRecover(const std::string& question) override;

private:
    QWidget* m_pParent = nullptr;
};
