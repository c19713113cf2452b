#pragma once

#include "ccommandtarget.h"
#include "cdeferredmessages.h"
#include "ceditcommands.h"
#include "crecttracker.h"
#include "cscrollview.h"
#include "idocobserver.h"

#include <memory>

class CVireoDoc;
class QMenu;
class QPrinter;

// The panel view: paints the document's current panel at the zoom, picks records with the
// mouse, moves and resizes the current record with the tracker (Shift held), nudges it and
// steps it through its states.
class CVireoView : public CScrollView, public IDocObserver, public CCommandTarget
{
public:
    CPoint m_ptMouse;
    CRect m_rcSelection;
    CRectTracker m_tracker{CRect(), CRectTracker::dottedLine | CRectTracker::resizeOutside};
    bool m_bShowButtons = true;
    bool m_bShowObjects = true;

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

    // The cockpit's screen size: the scroll extent at zoom 1.
    QSize ContentSize() const override;

protected:
    bool ZoomFocus(CPoint& pt) const override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void DrawRecords(QPainter& painter, float zoom);
    int ShownLayers() const;
    // The tracker's rectangle for the current record, in device coordinates.
    bool CurrentTrackerRect(CRect& rc) const;
    void CenterOnCurrent();
    void UpdateCursor(Qt::KeyboardModifiers keys, CPoint pt);
    // Makes the record under pt (scrolled by the view) the current one.
    void Pick(CPoint pt);

    CVireoDoc* m_pDoc;
    CEditCommands m_edit;
    CDeferredMessages m_paintMessages{this}; // what drawing the panel reports, shown after it
    QMenu* m_pContextMenu = nullptr;
    bool m_bPressOnTracker = false; // a plain press on the tracker, not yet a drag
    CPoint m_ptPress;
    bool m_bOverTracker = false;
    QPrinter* m_pPrinter = nullptr;
    std::unique_ptr<QPrinter> m_pOwnPrinter;
};
