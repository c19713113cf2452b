#pragma once

#include "ccpmanager.h"
#include "clinewriter.h"
#include "idocobserver.h"
#include "panelmappaint.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QThreadPool>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>

class CCPPanel;
class CVireoDoc;

// The Panel Map: every panel as a small picture of itself, laid out by its links. A click
// shows a panel; a drag from a panel's side to another panel links them that way. The
// pictures are painted on a worker thread from a copy of the cockpit, so that a large
// cockpit's map opens at once with placeholders and fills in.
class CPanelMapView : public QAbstractScrollArea, public IDocObserver
{
    Q_OBJECT

public:
    explicit CPanelMapView(CVireoDoc* doc, QWidget* parent = nullptr);
    ~CPanelMapView() override;

    // Asks whether to link to back the opposite way as well: true for yes. The default asks
    // with a message box through the dialog runner.
    void SetLinkBackQuestion(std::function<bool(const QString&)> ask) { m_fnAsk = std::move(ask); }

    const CPanelMapGeometry& Geometry() const { return *m_pGeometry; }
    double Zoom() const { return m_fZoom; }
    // Zoom (kept between 0.1 and 4) with the map point under the viewport point anchor kept
    // under it.
    void SetZoom(double zoom, QPointF anchor);
    // The viewport point where the map point p is shown, and back.
    QPointF ToViewport(QPointF p) const;
    QPointF ToMap(QPointF viewportPoint) const;
    // The framed panel (index in the layout), -1 for none.
    int CurrentIndex() const { return m_nCurrent; }
    // The pictures painted so far for the cockpit as it is now, and whether any are still
    // to come.
    int PicturesReady() const { return m_nReady; }
    bool PicturesPending() const { return m_bPending; }
    // The text of the tooltip at a map point (empty: none).
    QString ToolTipAt(QPointF mapPoint) const;

    void OnUpdate(IDocObserver* sender, Hint hint, CCPObject* record) override;
    void OnInitialUpdate() override;
    void OnHistoryChanged() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // The layout again from the document's panels; the frame follows the current panel.
    void Rebuild();
    void UpdateCurrent();
    void UpdateScrollBars();
    // A cockpit shown for the first time: the whole map where it fits at a readable zoom,
    // else the current panel in the middle.
    void FitOnce();
    // The cockpit changed: its pictures are painted again, from a copy taken shortly.
    void Invalidate();
    void StartRendering();
    // Takes the next slice of the copy, and hands the whole copy to the worker.
    void CopySome();
    void CancelRendering();
    CCPPanel* PanelOf(int index) const;
    QImage Picture(size_t index) const;

    CVireoDoc* m_pDoc;
    std::unique_ptr<CPanelMapGeometry> m_pGeometry;
    double m_fZoom = 1.0;
    int m_nCurrent = -1;
    std::function<bool(const QString&)> m_fnAsk;

    // A drag from a panel's side.
    int m_nPressed = -1;
    int m_nDragFrom = -1;
    int m_nDragDirection = -1;
    QPointF m_ptDrag; // map point

    // The pictures by panel id; those of an older cockpit stay until their new ones come.
    std::unordered_map<int, QImage> m_pictures;
    int m_nGeneration = 0;
    int m_nReady = 0;
    bool m_bPending = false;
    bool m_bStale = true;
    bool m_bFitted = false;
    QTimer m_renderTimer;
    // The copy of the cockpit is taken a slice at a time between the window's events: a large
    // cockpit's text takes longer than a frame.
    QTimer m_copyTimer;
    std::unique_ptr<CLineWriter> m_pCopy;
    CCPManager::SerializePosition m_copied;
    QThreadPool m_pool;
    std::shared_ptr<std::atomic<bool>> m_pCancel;
};
