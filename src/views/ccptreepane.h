#pragma once

#include <QWidget>

class CCPTree;
class QAction;
class QLineEdit;

// The tree with its Find field above it. Ctrl+F puts the keyboard in the field; what is typed
// there filters the tree; Enter selects the first match, F3 and Shift+F3 the next and the
// previous one, Escape clears the field and gives the keyboard back to the tree.
class CCPTreePane : public QWidget
{
    Q_OBJECT

public:
    // The pane takes the tree as its child.
    explicit CCPTreePane(CCPTree* tree, QWidget* parent = nullptr);

    CCPTree* GetTree() const { return m_pTree; }
    QLineEdit* GetFindField() const { return m_pFind; }

    // Ctrl+F: the keyboard goes to the field, its text selected.
    void Find();
    // F3 (forward) and Shift+F3; without a filter, the same as Find.
    void FindNext(bool forward);
    // Find, Find Next and Find Previous with their keys, for a menu to list.
    QList<QAction*> FindActions() const { return actions(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowWhetherFound();

    CCPTree* m_pTree;
    QLineEdit* m_pFind;
};
