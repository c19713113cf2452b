// The frame's part in making records by drawing and in looking at the panel: the Records
// palette, the template's piece taken to the panel view, View > Outlines and View > Light
// Everything.
#include "cmainframe.h"

#include "crecordspalette.h"
#include "ctemplview.h"
#include "cvireodoc.h"
#include "cvireoview.h"

#include <QSettings>

namespace {
// Outlines is a way of working: kept with the layout. Light Everything is a quick look: every
// run starts with the panel as the simulator shows it.
const QString kOutlinesKey = QStringLiteral("Layout/Outlines");

QVariant Setting(const QString& key, const QVariant& fallback)
{
    return QSettings(QStringLiteral("Orvanta"), QStringLiteral("Vireo")).value(key, fallback);
}

void KeepSetting(const QString& key, const QVariant& value)
{
    QSettings(QStringLiteral("Orvanta"), QStringLiteral("Vireo")).setValue(key, value);
}
} // namespace

void CMainFrame::CreateDrawingTools()
{
    m_pRecords = new CRecordsPalette(m_pDoc, this);
    // Below the panes, where it takes no width from the tree and the two views; hidden until
    // View > Records shows it, so that the panes keep their room for reading a cockpit.
    addDockWidget(Qt::BottomDockWidgetArea, m_pRecords);
    m_pRecords->hide();
    m_pRecords->SetAddHandler([this](int code) {
        if (m_pDoc->AddRecordAt(code, m_pView->VisibleCentre(), nullptr, PlaceAnchor::Centre))
            SetActivePane(kViewPane);
    });

    // The template's band snaps as the panel's records do; Enter there goes to the panel.
    m_pTemplView->SetSnapSource([this] { return m_pView->m_bSnapObjects; });
    m_pTemplView->SetPlaceHandler([this] {
        if (m_pView->BeginPlacingPiece())
            SetActivePane(kViewPane);
    });

    m_pView->m_bOutlines = Setting(kOutlinesKey, false).toBool();
}

bool CMainFrame::OnUpdateDrawingCommand(CCmdUI& ui)
{
    switch (ui.m_nID) {
    case ID_VIEW_OUTLINES:
        ui.Enable();
        ui.SetCheck(m_pView->m_bOutlines);
        return true;
    case ID_VIEW_LIGHT_EVERYTHING:
        ui.Enable();
        ui.SetCheck(m_pView->m_bLightEverything);
        return true;
    default:
        return false;
    }
}

bool CMainFrame::OnDrawingCommand(int id)
{
    switch (id) {
    case ID_VIEW_OUTLINES:
        m_pView->m_bOutlines = !m_pView->m_bOutlines;
        KeepSetting(kOutlinesKey, m_pView->m_bOutlines);
        m_pView->viewport()->update();
        return true;
    case ID_VIEW_LIGHT_EVERYTHING:
        m_pView->m_bLightEverything = !m_pView->m_bLightEverything;
        m_pView->viewport()->update();
        return true;
    default:
        return false;
    }
}
