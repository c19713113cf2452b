#pragma once

#include "ccheckmessage.h"
#include "idocobserver.h"

#include <QDockWidget>

#include <functional>

class CVireoDoc;
class QLabel;
class QMainWindow;
class QPushButton;
class QTreeWidget;

// The dockable "Problems" panel: the messages of the last check, one row each. Double-click
// or Enter on a row selects the record the message names and shows its panel; "Check again"
// runs Check Cockpit. It fills and shows itself whenever a check reports to the document's
// observers, so Check Cockpit lists its results here instead of in a dialog.
class CProblemsPanel : public QDockWidget, public IDocObserver
{
    Q_OBJECT

public:
    CProblemsPanel(CVireoDoc* doc, QMainWindow* frame);
    ~CProblemsPanel() override;

    QTreeWidget* GetList() const { return m_pList; }
    QLabel* GetSummary() const { return m_pSummary; }
    QPushButton* GetCheckAgain() const { return m_pCheckAgain; }
    // What "Check again" runs (Check Cockpit along the frame's command route).
    void SetCheckHandler(std::function<void()> fn) { m_fnCheck = std::move(fn); }

    // Selects the record of the message in row; false, with the reason in the status bar,
    // when there is none to select.
    bool GoToProblem(int row);

    void OnUpdate(IDocObserver*, int, CCPObject*) override {}
    void OnInitialUpdate() override;
    bool OnChecked(const CCheckMessageArray& messages, bool full) override;

private:
    void ShowStatus(const QString& text);

    CVireoDoc* m_pDoc;
    QMainWindow* m_pFrame;
    QTreeWidget* m_pList;
    QLabel* m_pSummary;
    QPushButton* m_pCheckAgain;
    CCheckMessageArray m_messages; // the records they point to are looked up again, not followed
    std::function<void()> m_fnCheck;
    bool m_bPlaced = false; // given its first height
};
