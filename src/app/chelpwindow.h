#pragma once

#include <QWidget>

class QTextBrowser;

// "Vireo Help": the user manual, written in Markdown and carried inside the program, shown
// with Qt's own Markdown rendering in a window of its own beside the editor.
class CHelpWindow : public QWidget
{
public:
    explicit CHelpWindow(QWidget* parent = nullptr);

    QTextBrowser* GetBrowser() const { return m_pBrowser; }
    // The manual's Markdown text; empty when the program was built without it.
    static QString ManualText();

private:
    QTextBrowser* m_pBrowser;
};
