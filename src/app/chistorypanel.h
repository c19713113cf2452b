#pragma once

#include "idocobserver.h"

#include <QDockWidget>

class CVireoDoc;
class QListWidget;

// The "History" panel: the opened file, then one line per edit, oldest first, the current
// state highlighted. Clicking a line undoes or redoes to it.
//
// Whoever registers the panel with the document (AddObserver) removes it before either goes.
class CHistoryPanel : public QDockWidget, public IDocObserver
{
public:
    explicit CHistoryPanel(CVireoDoc* doc, QWidget* parent = nullptr);

    QListWidget* GetList() const { return m_pList; }

    void OnUpdate(IDocObserver*, Hint, CCPObject*) override {}
    void OnInitialUpdate() override { Fill(); }
    void OnHistoryChanged() override { Fill(); }

private:
    void Fill();

    CVireoDoc* m_pDoc;
    QListWidget* m_pList;
    bool m_bFilling = false;
};
