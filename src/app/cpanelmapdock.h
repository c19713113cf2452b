#pragma once

#include <QDockWidget>

class CPanelMapView;
class CVireoDoc;

// View > Panel Map: the map of the cockpit's panels, docked.
class CPanelMapDock : public QDockWidget
{
public:
    CPanelMapDock(CVireoDoc* doc, QWidget* parent);

    CPanelMapView* GetView() const { return m_pView; }

private:
    CPanelMapView* m_pView;
};
