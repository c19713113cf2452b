#pragma once

#include "ccptreeicons.h"

#include <QAbstractItemModel>
#include <QIcon>
#include <QString>

#include <memory>
#include <string>
#include <vector>

class CCPObject;
class CCPPanel;
class CVireoDoc;

// The rows of the cockpit tree over the manager's lists: "Manager" with the panels and each
// panel's surface entries, button views and objects, then "Buttons" and "Sounds".
//
// A parent's rows are made the first time anybody asks for them (a view expanding it, a
// search, a selection), so a cockpit of any size opens at once. From then on they follow what
// the tree tells the model, as a tree control's items would: rows added, removed or moved by
// the tree's own edits and by the document's hints, until Rebuild starts again from the
// document.
//
// A filter shows only the records that match a text (part of the label, the record type or
// the id), with the rows that lead to them.
//
// A panel's surface entries, button views and objects move between and within panels by drag
// and drop (and copy by paste): the model asks the document to place the record, one step,
// and moves its rows to match.
class CCPTreeModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    static constexpr int kRecordRole = Qt::UserRole;

    // A row whether the filter shows it or not. It stays good while the row is there; it is
    // null (or dead, see IsAlive) once the row is removed or the model rebuilt.
    class CEntry
    {
    public:
        bool IsNull() const { return !m_pNode; }
        bool operator==(const CEntry& other) const
        {
            return m_pNode == other.m_pNode && m_nSerial == other.m_nSerial &&
                   m_nGeneration == other.m_nGeneration;
        }

    private:
        friend class CCPTreeModel;
        void* m_pNode = nullptr; // the parent's node
        unsigned m_nSerial = 0;
        unsigned m_nGeneration = 0;
        mutable int m_nHint = 0; // where the row was last found among its parent's rows
    };

    explicit CCPTreeModel(CVireoDoc* doc, QObject* parent = nullptr);
    ~CCPTreeModel() override;

    QModelIndex index(int row, int column,
                      const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Drag and drop. The data names a row of this model only, so it drops nowhere else; a row
    // dropped onto another is placed as Paste would place it there (see PlaceOnto).
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::MoveAction; }
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

    // Forgets every row; they are made again from the document when asked for. The filter
    // stays.
    void Rebuild();

    // The record's name, or its type name and id.
    static QString ItemLabel(const CCPObject* record);

    // --- rows, shown or not ---
    CEntry Entry(const QModelIndex& index) const;
    // The row's index; invalid when the filter hides it or it is gone.
    QModelIndex Index(const CEntry& entry) const;
    bool IsAlive(const CEntry& entry) const;
    CCPObject* Record(const CEntry& entry) const;
    QString Label(const CEntry& entry) const;
    // The number a surface entry's label shows when it has no name.
    int Number(const CEntry& entry) const;
    // Null for the three roots.
    CEntry Parent(const CEntry& entry) const;
    // Whether the rows under parent were made (until then they follow the document alone).
    bool HasRows(const CEntry& parent) const;
    // The children of a row (of the roots for a null entry), whatever the filter shows.
    int ChildCount(const CEntry& parent) const;
    CEntry Child(const CEntry& parent, int position) const;
    int Position(const CEntry& entry) const;
    // Root 0 "Manager", 1 "Buttons", 2 "Sounds".
    CEntry Root(int position) const { return Child(CEntry(), position); }
    // The panel's row under "Manager".
    CEntry FindPanel(const CCPPanel* panel) const;
    // The first child of parent that shows record.
    CEntry FindChild(const CEntry& parent, const CCPObject* record) const;

    // A new row for record under parent at position (-1: last). Under a filter it is shown,
    // with the rows that lead to it. Null when parent holds no rows.
    CEntry Insert(const CEntry& parent, int position, CCPObject* record, int number = 0);
    void Remove(const CEntry& entry);
    // Removes the first row of record under parent; rows not made yet follow the document.
    void RemoveChild(const CEntry& parent, const CCPObject* record);
    // The row shows another record (a pasted copy instead of its source).
    void SetRecord(const CEntry& entry, CCPObject* record);
    // The labels of record's rows among the roots, the panels and under panel may have changed.
    void Relabel(const CCPObject* record, const CCPPanel* panel);

    // --- moving and copying a panel's records (drag and drop) ---
    // A panel's surface entry, button view or object: what moves and copies.
    bool IsMovable(const CEntry& entry) const;
    // source moved or copied onto target through the document, one step: a row with children
    // takes the record last, a leaf after itself, so that surface entries stay first, then
    // button views, then objects. The new row, or null when the record could not be placed
    // there (the document and the rows are as they were then).
    CEntry PlaceOnto(const CEntry& source, const CEntry& target, bool move);
    // Where a record moved, copied or added under parent goes (a position among its children);
    // after is the proposed neighbour, or null for the end.
    int InsertPosition(const CEntry& parent, const CEntry& after, const CCPObject* record) const;

    // --- the filter ---
    // Shows only what matches text (empty: everything); the model is reset.
    void SetFilter(const QString& text);
    const QString& Filter() const { return m_strFilter; }
    bool IsFiltering() const { return !m_strNeedle.empty(); }
    // The first matching row in tree order; for a number, the row of the record with that id
    // comes first. Invalid when nothing matches.
    QModelIndex FirstMatch() const;
    // The matching row after (or before) from, round the end; the first one without from.
    QModelIndex NextMatch(const QModelIndex& from, bool forward) const;
    // The shown rows whose shown children the view opens under a filter.
    QModelIndexList ShownParents() const;

signals:
    // A record was moved or copied onto this row: the view shows it chosen.
    void RowPlaced(const QModelIndex& index);

private:
    struct Node;
    struct Item;

    // Puts a row for source under parent at position and has the document place the record
    // there; null (and no new row) when it could not.
    CEntry CopyItem(const CEntry& source, const CEntry& parent, int position, bool move);
    bool OnItemCopied(const CEntry& source, const CEntry& item, bool move);
    // The dragged row the data names, and the row a drop onto parent goes onto; null when
    // there is no such drop.
    CEntry DraggedEntry(const QMimeData* data) const;
    CEntry DropTarget(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) const;
    QByteArray DragToken() const;

    Node* Root() const { return m_pRoot.get(); }
    void Populate(Node* node) const;
    bool HasRecordsFor(const Node* node) const;
    Node* ChildNode(Node* node, int item) const;
    int RowCount(const Node* node) const;
    int ItemAt(const Node* node, int row) const;
    int RowOf(const Node* node, int item) const;
    QModelIndex IndexOfNode(const Node* node) const;
    bool Resolve(const CEntry& entry, Node*& node, int& item) const;
    CEntry MakeEntry(Node* node, int item) const;
    bool MatchesRecord(const CCPObject* record, int number) const;
    bool MatchesItem(const Node* node, int item) const;
    bool ApplyFilter(Node* node);
    void ShowItem(Node* node, int item);
    void Renumber(Node* node, int from);

    CVireoDoc* m_pDoc;
    std::unique_ptr<Node> m_pRoot;
    mutable unsigned m_nNextSerial = 1;
    unsigned m_nGeneration = 1;
    QString m_strFilter;
    std::string m_strNeedle;     // the filter in lower case, as the file's single-byte text
    std::vector<QIcon> m_aIcons; // one per image index pair
    mutable CEntry m_dragged;    // the row of the drag under way
};
