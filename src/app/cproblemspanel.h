#pragma once

#include "ccheckmessage.h"
#include "idocobserver.h"

#include <QDockWidget>

#include <functional>

class CVireoDoc;
class QLabel;
class QMainWindow;
class QMenu;
class QPushButton;
class QSplitter;
class QTreeWidget;

// The dockable "Problems" panel: the messages of the last check, one row each, followed by the
// records that lie outside the screen (a finding of this panel only; the check does not report
// it). Double-click or Enter on a row selects the record the message names and shows its
// panel; each row explains itself in its tooltip and, for the current row, beside the list,
// where the fix of a problem that has a mechanical one is offered (also in the row's context
// menu). A fix is one undoable edit, after which the check runs again. "Check again" runs
// Check Cockpit. The panel fills and shows itself whenever a check reports to the document's
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
    // The current row's explanation, and the button that makes its fix.
    QLabel* GetExplanation() const { return m_pExplanation; }
    QPushButton* GetFixButton() const { return m_pFix; }
    // What "Check again" and a fix run (Check Cockpit along the frame's command route).
    void SetCheckHandler(std::function<void()> fn) { m_fnCheck = std::move(fn); }
    // How long the panel's messages stay in the status bar before it says "Ready" again.
    void SetStatusTimeout(int ms) { m_nStatusMs = ms; }

    // Selects the record of the message in row; false, with the reason in the status bar,
    // when there is none to select.
    bool GoToProblem(int row);
    // Makes the fix of the problem in row as one undoable step and checks again; false, with
    // the reason in the status bar, when it has none (any more).
    bool FixProblem(int row);
    // The row's context menu, owned by the caller.
    QMenu* CreateContextMenu(int row);

    void OnUpdate(IDocObserver*, Hint, CCPObject*) override;
    void OnInitialUpdate() override;
    bool OnChecked(const CCheckMessageArray& messages, bool full) override;

private:
    void ShowStatus(const QString& text);
    void RunCheck();
    // The explanation and the fix button for the current row.
    void ShowDetails();

    CVireoDoc* m_pDoc;
    QMainWindow* m_pFrame;
    QTreeWidget* m_pList;
    QLabel* m_pSummary;
    QPushButton* m_pCheckAgain;
    QLabel* m_pExplanation;
    QPushButton* m_pFix;
    QSplitter* m_pSplitter;        // the list and the current row's details
    CCheckMessageArray m_messages; // the records they point to are looked up again, not followed
    std::function<void()> m_fnCheck;
    int m_nStatusMs = 5000;
    bool m_bPlaced = false; // given its first height
};
