#pragma once

#include "ccommandtarget.h"
#include "ccptreemodel.h"
#include "ceditcommands.h"
#include "idocobserver.h"

#include <QPersistentModelIndex>
#include <QString>
#include <QTreeView>

#include <array>
#include <memory>
#include <vector>

class CCPObject;
class CCPPanel;
class CVireoDoc;
class QMenu;

// The cockpit as a tree: "Manager" with the panels and each panel's surface entries, button
// views and objects, then "Buttons" and "Sounds". Choosing a row makes the document follow;
// records are renamed and dragged here, each through the document; Cut, Copy and Paste go
// through the system clipboard as in the panel view.
//
// The document's selection and current record are the one truth about what is chosen: rows
// the user chooses (Ctrl+click and Shift+click choose several records of a panel) are passed
// on to the document, and the tree shows the document's choice by selecting its rows, which
// are then already the document's and are not passed back.
//
// The rows come from a CCPTreeModel, which makes them only when they are shown or looked
// for. A filter (Find) shows only the records that match a text.
//
// Whoever registers the tree with the document (AddObserver) removes it again before either
// of them goes away.
class CCPTree : public QTreeView, public IDocObserver, public CCommandTarget
{
    Q_OBJECT

public:
    using CEntry = CCPTreeModel::CEntry;

    // Longest name a label edit takes.
    static constexpr int kMaxLabel = 127;

    CCPTree(CVireoDoc* doc, QWidget* parent = nullptr);
    ~CCPTree() override;

    using QTreeView::edit;

    CVireoDoc* GetDocument() const { return m_pDoc; }
    CCPTreeModel* GetModel() const { return m_pModel; }

    void OnUpdate(IDocObserver* sender, Hint hint, CCPObject* record) override;
    void OnInitialUpdate() override;

    bool OnUpdateCommand(CCmdUI& ui) override;
    bool OnCommand(int id) override;

    // The record a row shows; null for the "Buttons" and "Sounds" rows.
    static CCPObject* ItemRecord(const QModelIndex& index);
    // The record's name, or its type name and id.
    static QString ItemLabel(const CCPObject* record);
    // The row of a panel among the children of "Manager" (invalid when the filter hides it).
    QModelIndex FindItem(const CCPPanel* panel) const;
    // Brings the labels of the current record's rows up to date (a sheet may have renamed it).
    void RelabelCurrentObject();
    // The row commands act on: the key row of the selection (the one clicked last).
    QModelIndex SelectedItem() const;

    bool IsDragging() const { return state() == DraggingState; }
    // The row shown as drop target, if any.
    QModelIndex DropHilite() const { return m_dropHilite; }

    // Ends a label edit still open, as Return (keep) or Escape would: a command must not start
    // while a rename waits to land in the middle of it.
    void EndPendingEdit(bool keep = true);
    // Opens the label editor on the current record's row (Rename); false when no row shows it.
    bool StartRename();

    // The tree's context menu with its commands enabled as they are now.
    std::unique_ptr<QMenu> CreateContextMenu();

    // --- find ---
    // Shows only the records whose label, type or id holds text, with their panels; empty
    // text shows everything again, opened as before, the current record in view.
    void SetFilter(const QString& text);
    QString Filter() const { return m_pModel->Filter(); }
    // Selects the first match (for a number, the record with that id first); false when
    // nothing matches.
    bool SelectFirstMatch();
    // Selects the match after (or before) the selected row, round the end.
    bool SelectNextMatch(bool forward);

signals:
    // The filter changed, here or because a new cockpit was opened.
    void FilterChanged(const QString& text);
    // What the tree's commands act on changed: the selected row, or what the clipboard holds.
    void CommandsChanged();

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // The row a drop would go onto is marked; the model decides and does the drop.
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    friend class CCPTreeDelegate;

    // Makes every row anew after records moved between lists (undo, redo, a changed id),
    // keeping what was open and selected.
    void Rebuild();
    void OnSelChanged();
    // Whether the row shows the document's current record (on the current panel, for a
    // panel's row): selecting it chooses nothing new.
    bool ShowsCurrent(const QModelIndex& index) const;
    // Whether the selected rows are the document's selection (or its current record).
    bool ShowsDocument(const QModelIndexList& rows) const;
    // The row of the document's current record.
    QModelIndex CurrentRow() const;
    void SelectEntry(const CEntry& entry);
    // Selects just this row and makes it current.
    void ChooseRow(const QModelIndex& index);
    // Shows the document's choice: the selected records' rows, the key row current.
    void SelectCurrentObject();
    void SelectRows(const QModelIndex& key);
    void DeleteItem(const CEntry& entry);
    void SetDropHilite(const QModelIndex& index);
    // Which roots and panels are open.
    struct CExpansion
    {
        std::array<bool, 3> roots{};
        std::vector<const CCPObject*> panels;
    };
    CExpansion SaveExpansion() const;
    void RestoreExpansion(const CExpansion& open);
    // Under a filter every row that leads to a match is open.
    void ExpandShown();
    void OnProperties();
    void OnEndLabelEdit(const QModelIndex& index, const QString& text);

    CVireoDoc* m_pDoc;
    CCPTreeModel* m_pModel;
    // Add, Duplicate, Delete, Cut, Copy and Paste, as the panel view routes them.
    CEditCommands m_editCommands;
    QPersistentModelIndex m_dropHilite;
    CExpansion m_openBeforeFind;
};
