#include "cpanelmapdock.h"

#include "cpanelmapview.h"

#include <QAction>

CPanelMapDock::CPanelMapDock(CVireoDoc* doc, QWidget* parent)
    : QDockWidget(QStringLiteral("Panel Map"), parent), m_pView(new CPanelMapView(doc, this))
{
    // The name the window's saved state knows it by.
    setObjectName(QStringLiteral("panelMapDock"));
    setWidget(m_pView);
    QAction* toggle = toggleViewAction();
    toggle->setText(QStringLiteral("Panel &Map"));
    toggle->setStatusTip(QStringLiteral("Show or hide the map of the panels and their links"));
}
