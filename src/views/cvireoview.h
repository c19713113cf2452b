#pragma once

#include "arrange.h"
#include "ccommandtarget.h"
#include "cdeferredmessages.h"
#include "ceditcommands.h"
#include "crecttracker.h"
#include "cscrollview.h"
#include "idocobserver.h"

#include <QRegion>

#include <functional>
#include <memory>
#include <vector>

class CCalibrationMode;
class CPlaySession;
class CVireoDoc;
class QMenu;
class QMimeData;
class QPrinter;

// The panel view: paints the document's current panel at the zoom, picks records with the
// mouse (Ctrl adds or removes one, a drag on empty panel draws a rubber band), moves the
// selection and resizes the key record with the tracker, snapping to other records and to a
// grid, nudges the selection and steps it through its states.
class CVireoView : public CScrollView, public IDocObserver, public CCommandTarget
{
public:
    CPoint m_ptMouse;
    CRect m_rcSelection;
    CRectTracker m_tracker{CRect(), CRectTracker::dottedLine | CRectTracker::resizeOutside};
    bool m_bShowButtons = true;
    bool m_bShowObjects = true;
    // Snapping while dragging (Alt held suspends it); the frame keeps these settings.
    bool m_bSnapObjects = false;
    bool m_bSnapGrid = false;
    int m_nGridSize = 8;
    // Within this many screen pixels an edge or centre snaps, at any zoom.
    static constexpr int kSnapPixels = 6;
    // View > Outlines (kept by the frame between runs) and View > Light Everything: ways of
    // looking only, never an edit.
    bool m_bOutlines = false;
    bool m_bLightEverything = false;

    explicit CVireoView(CVireoDoc* doc, QWidget* parent = nullptr);
    ~CVireoView() override;

    CVireoDoc* GetDocument() const { return m_pDoc; }
    // The popup shown by the context menu; its actions route like the main menu's.
    void SetContextMenu(QMenu* menu) { m_pContextMenu = menu; }

    void OnInitialUpdate() override;
    void OnUpdate(IDocObserver* sender, Hint hint, CCPObject* record) override;
    void OnPreviewChanged(CCPObject* record) override;
    void OnDraw(QPainter& painter) override;
    // Paints the panel for a printer or preview, fitted into page: no tracker, no scrolling.
    void PaintPage(QPainter& painter, const QRect& page);
    // The printer shared with Print Setup; the view keeps its own when none is given.
    void SetPrinter(QPrinter* printer) { m_pPrinter = printer; }
    QPrinter* GetPrinter();
    void OnFilePrint(bool askFirst);
    void OnFilePrintPreview();

    bool OnUpdateCommand(CCmdUI& ui) override;
    bool OnCommand(int id) override;

    void OnLButtonDown(Qt::KeyboardModifiers keys, CPoint pt) override;
    void OnLButtonUp(CPoint pt) override;
    void OnLButtonDblClk(CPoint pt) override;
    void OnMouseMove(Qt::KeyboardModifiers keys, CPoint pt) override;
    bool OnCancelMode() override;

    void OnNextState();
    void Nudge(CPoint step);
    // Calibrate: clicks on the current dial's face make its table (CCalibrationMode).
    bool CanCalibrate() const;
    void StartCalibration();
    // commit: the points clicked become the table, as one step.
    void EndCalibration(bool commit);
    const CCalibrationMode* GetCalibration() const { return m_pCalibration; }
    // Where record lies on the screen (global): its place on the panel, and for a dial as far
    // as its needle reaches; empty when the view does not show it.
    QRect RecordOnScreen(const CCPObject& record) const;

    // --- making records by drawing (cvireoviewdrop.cpp) ---
    // Asks which type a piece of the template becomes, with a menu at a global point: a type
    // code, or -1 for none. Tests answer it themselves.
    std::function<int(const QPoint&)> m_fnChoosePieceType;
    // After Enter in the template view: the next click on the panel puts the template's drawn
    // piece there. False (no mode) when no piece is drawn or no panel is shown.
    bool BeginPlacingPiece();
    bool IsPlacingPiece() const { return m_bPlacing; }
    // The panel point (content units) under a point of the viewport.
    CPoint ContentPoint(CPoint device) const;
    // The middle of the part of the screen area that is in view, in content units.
    CPoint VisibleCentre() const;

    // The guide lines of the snap in force during a drag (content units), if any.
    bool GuideX(int& x) const;
    bool GuideY(int& y) const;

    // The cockpit's screen size: the scroll extent at zoom 1.
    QSize ContentSize() const override;

    // --- Play (cvireoviewplay.cpp) ---
    // While a session is set the view shows the panel as the pilot sees it and hands clicks
    // and arrow keys to it: no trackers, outlines or selection. Null ends it.
    void SetPlaySession(CPlaySession* session);
    CPlaySession* GetPlaySession() const { return m_pPlay; }

protected:
    bool ZoomFocus(CPoint& pt) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void DrawRecords(QPainter& painter, float zoom);
    int ShownLayers() const;
    // The tracker's rectangle for the current record, in device coordinates.
    bool CurrentTrackerRect(CRect& rc) const;
    void CenterOnCurrent();
    void UpdateCursor(Qt::KeyboardModifiers keys, CPoint pt);
    // The record under pt (device), or null.
    CCPObject* HitRecord(CPoint pt) const;
    // Makes the record under pt the current one.
    void Pick(CPoint pt);
    bool OnSelectedRecord(CPoint pt) const;
    // Drags: the tracker of the key record, a move of the whole selection, a rubber band.
    void BeginDrag(CPoint pt, Qt::KeyboardModifiers keys);
    void DragTo(CPoint pt, Qt::KeyboardModifiers keys);
    // What a drag draws over the panel (tracker, moved frames, band, guides), in device
    // coordinates: a pointer move repaints this before and after, not the whole view.
    QRegion DragMarks() const;
    void EndDrag(CPoint pt);
    // The content delta of a move for the mouse at pt, snapped.
    CPoint MoveDelta(CPoint pt, Qt::KeyboardModifiers keys);
    // The key record's rectangle during a resize, snapped.
    CRect ResizedRect(Qt::KeyboardModifiers keys);
    std::vector<CCPObject*> RecordsInBand() const;
    CRect ContentToDevice(CRect rc) const;
    void DrawSelection(QPainter& painter);
    void DrawGrid(QPainter& painter);
    // Outlines, and where a drop would put a record (zoomed logical coordinates).
    void DrawDrawingAids(QPainter& painter);
    // Where a drop of mime at the viewport point would put a record's place; empty for none.
    CRect DropPreview(const QMimeData* mime, CPoint device) const;
    void PlacePiece(CPoint device, const QPoint& global);
    void EndPlacingPiece();
    int ChoosePieceType(const QPoint& global);

    CVireoDoc* m_pDoc;
    CEditCommands m_edit;
    CDeferredMessages m_paintMessages{this}; // what drawing the panel reports, shown after it
    QMenu* m_pContextMenu = nullptr;
    enum class Drag
    {
        None,
        Pending, // pressed, not yet past the drag distance
        Tracker, // the key record's tracker moves or resizes
        Group,   // the selection moves, taken by another of its records
        Band,    // a rubber band selects
    };
    enum class Press
    {
        Tracker,
        Selection,
        Outside,
    };
    Drag m_drag = Drag::None;
    Press m_press = Press::Outside;
    Qt::KeyboardModifiers m_pressKeys;
    CPoint m_ptPress; // device
    CPoint m_ptMouseDevice;
    int m_nTrackHit = -1;
    CPoint m_ptMoved; // content delta of the move being dragged
    CRect m_rcKeyStart;
    CRect m_rcResized; // content rectangle of the resize being dragged
    CSnapLines m_snap;
    bool m_bGuideX = false;
    bool m_bGuideY = false;
    CPoint m_ptGuide;
    std::vector<CCPObject*> m_aBand; // records inside the rubber band
    bool m_bOverTracker = false;
    bool m_bPlacing = false;
    CRect m_rcDropPreview; // content units; empty while nothing is dragged over the view
    QPrinter* m_pPrinter = nullptr;
    std::unique_ptr<QPrinter> m_pOwnPrinter;
    CCalibrationMode* m_pCalibration = nullptr; // a child object while calibrating

    // Play: the arrow keys held together so far; the move goes when the last is let go.
    bool PlayKey(QKeyEvent* event, bool press);
    void PlayClick(CPoint device, bool back);
    void PlayHover(CPoint device);
    void PlayStatus(const std::string& text);
    CPlaySession* m_pPlay = nullptr;
    int m_nArrowsHeld = 0;  // bits of the arrow keys down now
    int m_nArrowsChord = 0; // bits of the arrow keys pressed since none was down
};
