#pragma once

#include "ccommandtarget.h"
#include "ccptreeicons.h"
#include "ceditcommands.h"
#include "idocobserver.h"

#include <QPoint>
#include <QString>
#include <QTreeWidget>

#include <memory>

class CCPObject;
class CCPPanel;
class CVireoDoc;
class QLabel;
class QMenu;

// The cockpit as a tree: "Manager" with the panels and each panel's surface entries, button
// views and objects, then "Buttons" and "Sounds". Choosing an item makes the document follow;
// records are renamed, dragged, cut, copied and pasted here.
//
// Whoever registers the tree with the document (AddObserver) removes it again before either
// of them goes away.
class CCPTree : public QTreeWidget, public IDocObserver, public CCommandTarget
{
    Q_OBJECT

public:
    // Longest name a label edit takes.
    static constexpr int kMaxLabel = 127;

    CCPTree(CVireoDoc* doc, QWidget* parent = nullptr);
    ~CCPTree() override;

    CVireoDoc* GetDocument() const { return m_pDoc; }

    void OnUpdate(IDocObserver* sender, int hint, CCPObject* record) override;
    void OnInitialUpdate() override;

    bool OnUpdateCommand(CCmdUI& ui) override;
    bool OnCommand(int id) override;

    // The record an item shows; null for the "Buttons" and "Sounds" items.
    static CCPObject* ItemRecord(const QTreeWidgetItem* item);
    // The record's name, or its type name and id.
    static QString ItemLabel(const CCPObject* record);
    // The item of a panel among the children of "Manager".
    QTreeWidgetItem* FindItem(const CCPPanel* panel) const;
    // Brings the labels of the current record's items up to date (a sheet may have renamed it).
    void RelabelCurrentObject();

    // Where a record moved or copied under parent goes (an index among its children) so that
    // surface entries stay first, then button views, then objects. after is the proposed
    // neighbour, or null for the end.
    int InsertPosition(QTreeWidgetItem* parent, QTreeWidgetItem* after, const CCPObject* record) const;
    // Puts a copy of source under parent at position and does the record work; null (and no
    // new item) when the record could not be moved or copied.
    QTreeWidgetItem* CopyItem(QTreeWidgetItem* source, QTreeWidgetItem* parent, int position, bool move);

    // The item remembered by Copy or Cut, and whether it was Cut.
    QTreeWidgetItem* ClipItem() const { return m_hClipItem; }
    bool IsCut() const { return m_bCut; }
    bool IsDragging() const { return m_bDragging; }
    // The item shown as drop target, if any.
    QTreeWidgetItem* DropHilite() const { return m_hDropHilite; }

    // The tree's context menu with its commands enabled as they are now.
    std::unique_ptr<QMenu> CreateContextMenu();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class CCPTreeDelegate;

    QTreeWidgetItem* AddItem(QTreeWidgetItem* parent, CCPObject* record, const QString& text, int index = -1);
    void AddPanelItem(CCPPanel* panel);
    // Makes every item anew after records moved between lists (undo, redo, a changed id).
    void Rebuild();
    void OnSelChanged(QTreeWidgetItem* item);
    void SelectItem(QTreeWidgetItem* item);
    void SelectCurrentObject();
    QTreeWidgetItem* SelectedItem() const;
    void DeleteItem(QTreeWidgetItem* item);
    void SetDropHilite(QTreeWidgetItem* item);
    bool OnItemCopied(QTreeWidgetItem* source, QTreeWidgetItem* item, bool move);
    // Paste and drop: source moved or copied onto target; the new item, or null.
    QTreeWidgetItem* PlaceOnto(QTreeWidgetItem* source, QTreeWidgetItem* target, bool move);
    void OnEditPaste();
    void OnProperties();
    void OnEndLabelEdit(QTreeWidgetItem* item, const QString& text);

    void BeginDrag(QTreeWidgetItem* item, const QPoint& globalPos);
    void MoveDragImage(const QPoint& globalPos);
    void EndDrag();
    void Drop();

    CVireoDoc* m_pDoc;
    CEditCommands m_editCommands; // Add, Duplicate and Delete, as the panel view routes them
    bool m_bCut = false;
    QTreeWidgetItem* m_hClipItem = nullptr;
    bool m_bDragging = false;
    std::unique_ptr<QLabel> m_pDragImage;
    CCPTreeIcons m_imageList;
    QTreeWidgetItem* m_hItemDrag = nullptr;
    QTreeWidgetItem* m_hItemDrop = nullptr;

    QTreeWidgetItem* m_hDropHilite = nullptr;
    QTreeWidgetItem* m_hPressItem = nullptr; // where a left press may start a drag
    QPoint m_ptPress;
    int m_nSyncing = 0;       // the tree follows the document: its selection changes are not echoed
    bool m_bNotifying = false; // the document follows the tree's selection
};
