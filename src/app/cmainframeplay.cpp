// View > Play and View > Inputs: the cockpit used as the pilot uses it, without an edit.
#include "cmainframe.h"

#include "chistorypanel.h"
#include "cinputsdock.h"
#include "cplaysession.h"
#include "cproblemspanel.h"
#include "crecordspalette.h"
#include "ctemplview.h"
#include "cvireodoc.h"
#include "cvireoview.h"

#include <QAction>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>

void CMainFrame::CreatePlayTools()
{
    m_pInputs = new CInputsDock(m_pDoc, this);
    addDockWidget(Qt::RightDockWidgetArea, m_pInputs);
    m_pInputs->hide();
    QAction* toggle = m_pInputs->toggleViewAction();
    toggle->setText(QStringLiteral("&Inputs"));
    toggle->setStatusTip(QStringLiteral("Show or hide the values fed to the instruments in Play"));

    // Escape leaves Play from wherever the focus is; it does nothing otherwise.
    m_pLeavePlay = new QAction(QStringLiteral("Leave Play"), this);
    m_pLeavePlay->setShortcut(QKeySequence(Qt::Key_Escape));
    m_pLeavePlay->setEnabled(false);
    connect(m_pLeavePlay, &QAction::triggered, this, [this] {
        EndPlay();
        UpdateCommandUI();
    });
    addAction(m_pLeavePlay);
}

void CMainFrame::AddPlayEntries(QMenu* view)
{
    view->addAction(Action(ID_VIEW_PLAY));
    view->addSeparator();
}

void CMainFrame::AddPlayButton()
{
    QAction* about = Action(ID_APP_ABOUT);
    m_pToolBar->insertAction(about, Action(ID_VIEW_PLAY));
    m_pToolBar->insertSeparator(about);
}

bool CMainFrame::OnUpdatePlayCommand(CCmdUI& ui)
{
    if (ui.m_nID != ID_VIEW_PLAY)
        return false;
    // A sheet or a calibration holds an edit open: the pilot waits for it.
    ui.Enable(IsPlaying() ||
              (m_pDoc->m_pCurrentPanel && !m_pDoc->IsStepOpen() && !m_pView->GetCalibration()));
    ui.SetCheck(IsPlaying());
    return true;
}

bool CMainFrame::OnPlayCommand(int id)
{
    if (id != ID_VIEW_PLAY)
        return false;
    if (IsPlaying())
        EndPlay();
    else
        StartPlay();
    return true;
}

bool CMainFrame::PlayAllows(int id) const
{
    if (!IsPlaying())
        return true;
    // Only what changes nothing of the cockpit, and the way out.
    switch (id) {
    case ID_VIEW_PLAY:
    case ID_VIEW_TOOLBAR:
    case ID_VIEW_STATUS_BAR:
    case ID_SHOW_OBJECTS:
    case ID_SHOW_BUTTONS:
    case ID_ZOOM_IN:
    case ID_ZOOM_OUT:
    case ID_ZOOM_ACTUAL:
    case ID_ZOOM_FIT:
    case ID_NEXT_PANE:
    case ID_PREV_PANE:
    case ID_HELP:
    case ID_HELP_INDEX:
    case ID_HELP_CONTENTS:
    case ID_HELP_USING:
    case ID_APP_ABOUT:
    case ID_APP_EXIT:
        return true;
    default:
        return false;
    }
}

void CMainFrame::StartPlay()
{
    if (IsPlaying() || !m_pDoc->m_pCurrentPanel)
        return;
    m_pPlay = std::make_unique<CPlaySession>(*m_pDoc);
    // The panes that edit stay in sight but take no input.
    for (QWidget* w :
         {PaneWidget(kTreePane), PaneWidget(kTemplPane), static_cast<QWidget*>(m_pHistory),
          static_cast<QWidget*>(m_pProblems), static_cast<QWidget*>(m_pRecords)})
        w->setEnabled(false);
    m_pView->SetPlaySession(m_pPlay.get());
    m_pInputs->SetSession(m_pPlay.get());
    m_pInputs->show();
    m_pLeavePlay->setEnabled(true);
    SetActivePane(kViewPane);
    m_pView->setFocus();
    statusBar()->showMessage(
        QStringLiteral("Playing: click buttons, arrow keys walk the panels; F9 or Esc ends"));
}

void CMainFrame::EndPlay()
{
    if (!IsPlaying())
        return;
    m_pView->SetPlaySession(nullptr);
    m_pInputs->SetSession(nullptr);
    m_pInputs->hide();
    m_pLeavePlay->setEnabled(false);
    // What the editor showed comes back: states, panel, current record and selection.
    m_pPlay.reset();
    for (QWidget* w :
         {PaneWidget(kTreePane), PaneWidget(kTemplPane), static_cast<QWidget*>(m_pHistory),
          static_cast<QWidget*>(m_pProblems), static_cast<QWidget*>(m_pRecords)})
        w->setEnabled(true);
    statusBar()->clearMessage();
    m_pView->viewport()->update();
}
