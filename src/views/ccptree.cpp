#include "ccptree.h"

#include "ccpmanager.h"
#include "ccppanel.h"
#include "cdialogrunner.h"
#include "cvireodoc.h"
#include "textconvert.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include <algorithm>
#include <array>
#include <unordered_set>
#include <vector>

namespace {
CCPPanel* AsPanel(CCPObject* record)
{
    return record && record->IsPanel() ? static_cast<CCPPanel*>(record) : nullptr;
}

// True when inner is index or lies below it.
bool IsWithin(QModelIndex inner, const QModelIndex& index)
{
    for (; inner.isValid(); inner = inner.parent())
        if (inner == index)
            return true;
    return false;
}

// A row told apart by its records rather than by its place, so that it can be found again
// after the rows were made anew: a root, a root's child, or a panel's child.
struct CRowKey
{
    int depth = -1;
    int root = 0;
    const CCPObject* panel = nullptr;
    const CCPObject* record = nullptr;
};

CRowKey KeyOf(const CCPTreeModel& model, const CCPTreeModel::CEntry& entry)
{
    CRowKey key;
    if (!model.IsAlive(entry))
        return key;
    const CCPTreeModel::CEntry parent = model.Parent(entry);
    if (parent.IsNull()) {
        key.depth = 0;
        key.root = model.Position(entry);
        return key;
    }
    key.record = model.Record(entry);
    const CCPTreeModel::CEntry grand = model.Parent(parent);
    if (grand.IsNull()) {
        key.depth = 1;
        key.root = model.Position(parent);
    } else {
        key.depth = 2;
        key.root = model.Position(grand);
        key.panel = model.Record(parent);
    }
    return key;
}

CCPTreeModel::CEntry FindKey(const CCPTreeModel& model, const CRowKey& key)
{
    switch (key.depth) {
    case 0:
        return model.Root(key.root);
    case 1:
        return model.FindChild(model.Root(key.root), key.record);
    case 2:
        return model.FindChild(model.FindChild(model.Root(key.root), key.panel), key.record);
    default:
        return {};
    }
}

} // namespace

// Limits the label edit, hands the finished text to the document and paints the drop target.
class CCPTreeDelegate : public QStyledItemDelegate
{
public:
    explicit CCPTreeDelegate(CCPTree* tree) : QStyledItemDelegate(tree), m_pTree(tree) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            line->setMaxLength(CCPTree::kMaxLabel);
        return editor;
    }

    // Called only when the edit is accepted (Return or leaving the box), never on Escape.
    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override
    {
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            m_pTree->OnEndLabelEdit(index, line->text());
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (m_pTree->m_dropHilite.isValid() && index == m_pTree->m_dropHilite)
            option->state |= QStyle::State_Selected | QStyle::State_Active;
    }

private:
    CCPTree* m_pTree;
};

CCPTree::CCPTree(CVireoDoc* doc, QWidget* parent)
    : QTreeView(parent), m_pDoc(doc), m_pModel(new CCPTreeModel(doc, this)), m_editCommands(doc)
{
    setModel(m_pModel);
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    // Ctrl+click and Shift+click choose several records of a panel, as in the panel view.
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setExpandsOnDoubleClick(false);
    // A row is dropped onto another row, never between two: the model keeps the panel's order.
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setDragDropOverwriteMode(true);
    setAutoExpandDelay(700);
    setIconSize(QSize(CCPTreeIcons::kWidth, CCPTreeIcons::kHeight));
    setItemDelegate(new CCPTreeDelegate(this));
    // Follow the selection, not the current row: focusing the tree moves the current row
    // without selecting anything, and that must not change the document.
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        OnSelChanged();
        emit CommandsChanged();
    });
    // A dropped record is chosen where it landed.
    connect(m_pModel, &CCPTreeModel::RowPlaced, this, [this](const QModelIndex& index) {
        expand(index.parent());
        SelectEntry(m_pModel->Entry(index));
    });
    // Paste follows what the clipboard holds, whichever program put it there.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &CCPTree::CommandsChanged);
}

CCPTree::~CCPTree() = default;

CCPObject* CCPTree::ItemRecord(const QModelIndex& index)
{
    return index.isValid() ? reinterpret_cast<CCPObject*>(
                                 index.data(CCPTreeModel::kRecordRole).value<quintptr>())
                           : nullptr;
}

QString CCPTree::ItemLabel(const CCPObject* record)
{
    return CCPTreeModel::ItemLabel(record);
}

void CCPTree::OnInitialUpdate()
{
    // A new cockpit starts with every row shown and nothing open or chosen.
    const bool filtered = m_pModel->IsFiltering();
    if (filtered)
        m_pModel->SetFilter(QString());
    m_pModel->Rebuild();
    m_dropHilite = QPersistentModelIndex();
    emit CommandsChanged();
    if (filtered)
        emit FilterChanged(QString());
}

void CCPTree::Rebuild()
{
    // The rows are made anew; what the user opened and chose stays.
    const CExpansion open = SaveExpansion();
    const CRowKey selected = KeyOf(*m_pModel, m_pModel->Entry(SelectedItem()));
    const int scrolled = verticalScrollBar()->value();

    m_pModel->Rebuild();
    if (m_pModel->IsFiltering())
        ExpandShown();
    else
        RestoreExpansion(open);
    executeDelayedItemsLayout();
    verticalScrollBar()->setValue(scrolled);
    // The row chosen before, when it still shows the current record (one listed twice keeps
    // its row); otherwise the current record's row. The rows of the rest of the selection
    // follow.
    if (const QModelIndex index = m_pModel->Index(FindKey(*m_pModel, selected));
        index.isValid() && ShowsCurrent(index))
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    SelectCurrentObject();
    emit CommandsChanged();
}

QModelIndex CCPTree::FindItem(const CCPPanel* panel) const
{
    return m_pModel->Index(m_pModel->FindPanel(panel));
}

void CCPTree::RelabelCurrentObject()
{
    // Labels are read from the records as they are drawn; the rows only need redrawing.
    m_pModel->Relabel(m_pDoc->m_pCurrentObject, m_pDoc->m_pCurrentPanel);
    viewport()->update();
}

void CCPTree::OnUpdate(IDocObserver*, Hint hint, CCPObject* record)
{
    switch (hint) {
    case Hint::Refresh:
        RelabelCurrentObject();
        break;
    case Hint::Reload:
        Rebuild();
        break;
    case Hint::CurrentObject:
        SelectCurrentObject();
        break;
    case Hint::Removed: {
        const CEntry panel = m_pModel->FindPanel(m_pDoc->m_pCurrentPanel);
        if (m_pModel->HasRows(panel))
            DeleteItem(m_pModel->FindChild(panel, record));
        else
            m_pModel->RemoveChild(panel, record);
        break;
    }
    case Hint::AddedToPanel:
        // A surface entry shows its id until the rows are made again. The row goes where its
        // family's rows are (rows not made yet come from the document in its order).
        if (const CEntry panel = m_pModel->FindPanel(m_pDoc->m_pCurrentPanel);
            !panel.IsNull() && record) {
            const int at =
                m_pModel->HasRows(panel) ? m_pModel->InsertPosition(panel, CEntry(), record) : -1;
            m_pModel->Insert(panel, at, record, record->m_nId);
        }
        break;
    case Hint::PanelAdded:
        if (const CEntry entry = m_pModel->Insert(m_pModel->Root(0), -1, AsPanel(record));
            !entry.IsNull() && record == m_pDoc->m_pCurrentObject) {
            // The new panel is the current record now: its row is the one selected.
            SelectEntry(entry);
        }
        break;
    case Hint::SoundAdded:
        m_pModel->Insert(m_pModel->Root(2), -1, record);
        break;
    case Hint::ButtonAdded:
        m_pModel->Insert(m_pModel->Root(1), -1, record);
        break;
    default:
        break;
    }
}

QModelIndex CCPTree::CurrentRow() const
{
    CCPObject* current = m_pDoc->m_pCurrentObject;
    if (!current)
        return {};
    // A record listed twice keeps the row the user chose.
    for (const QModelIndex& chosen : {currentIndex(), SelectedItem()})
        if (chosen.isValid() && ShowsCurrent(chosen))
            return chosen;
    CEntry found;
    if (const CEntry panel = m_pModel->FindPanel(m_pDoc->m_pCurrentPanel); !panel.IsNull())
        found = m_pModel->FindChild(panel, current);
    // Records that are no panel's child have rows of their own: the manager, a panel, a
    // parent button, a sound.
    if (found.IsNull()) {
        if (current == &m_pDoc->m_manager)
            found = m_pModel->Root(0);
        else if (current->IsPanel())
            found = m_pModel->FindPanel(AsPanel(current));
        else if (current->IsButton())
            found = m_pModel->FindChild(m_pModel->Root(1), current);
        else if (current->IsSound())
            found = m_pModel->FindChild(m_pModel->Root(2), current);
    }
    return m_pModel->Index(found);
}

bool CCPTree::ShowsDocument(const QModelIndexList& rows) const
{
    if (m_pDoc->GetSelection().Count() < 2)
        return rows.size() == 1 && ShowsCurrent(rows.front());
    // Several records: exactly their rows under the current panel, as far as the filter
    // shows them.
    const QModelIndex panel = FindItem(m_pDoc->m_pCurrentPanel);
    std::unordered_set<const CCPObject*> chosen;
    for (const QModelIndex& row : rows) {
        CCPObject* record = ItemRecord(row);
        if (!panel.isValid() || row.parent() != panel || !m_pDoc->IsSelected(record))
            return false;
        chosen.insert(record);
    }
    std::unordered_set<const CCPObject*> shown;
    for (int i = 0, n = panel.isValid() ? m_pModel->rowCount(panel) : 0; i < n; ++i)
        if (CCPObject* record = ItemRecord(m_pModel->index(i, 0, panel));
            m_pDoc->IsSelected(record))
            shown.insert(record);
    return chosen.size() == shown.size();
}

void CCPTree::SelectCurrentObject()
{
    const QModelIndex key = CurrentRow();
    const QModelIndexList rows = selectionModel()->selectedRows();
    if (ShowsDocument(rows)) {
        // The rows show the document's choice already (the user's own click, say): the key
        // row is made current and brought back into sight, and nothing is selected anew.
        if (key.isValid() && key != currentIndex())
            selectionModel()->setCurrentIndex(key, QItemSelectionModel::NoUpdate);
        if (key.isValid() && !viewport()->rect().intersects(visualRect(key)))
            scrollTo(key);
        return;
    }
    if (m_pDoc->GetSelection().Count() > 1) {
        SelectRows(key);
    } else if (key.isValid()) {
        ChooseRow(key);
        scrollTo(key);
    } else if (std::any_of(rows.begin(), rows.end(), [this](const QModelIndex& row) {
                   return ItemRecord(row) != m_pDoc->m_pCurrentObject;
               })) {
        // The tree shows no selection rather than a record that is no longer current.
        clearSelection();
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
}

void CCPTree::SelectRows(const QModelIndex& key)
{
    // One selection of runs of neighbouring rows: a thousand records select at once.
    const QModelIndex panel = FindItem(m_pDoc->m_pCurrentPanel);
    QItemSelection rows;
    const int count = panel.isValid() ? m_pModel->rowCount(panel) : 0;
    int first = -1;
    for (int i = 0; i <= count; ++i) {
        const bool take = i < count && m_pDoc->IsSelected(ItemRecord(m_pModel->index(i, 0, panel)));
        if (take && first < 0)
            first = i;
        if (!take && first >= 0) {
            rows.select(m_pModel->index(first, 0, panel), m_pModel->index(i - 1, 0, panel));
            first = -1;
        }
    }
    // The key row first, so that the selection arrives complete with its key.
    if (key.isValid())
        selectionModel()->setCurrentIndex(key, QItemSelectionModel::NoUpdate);
    selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (key.isValid())
        scrollTo(key);
}

void CCPTree::ChooseRow(const QModelIndex& index)
{
    // Just this row, whatever modifier keys are held at the moment.
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
}

QModelIndex CCPTree::SelectedItem() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.isEmpty())
        return {};
    // The row clicked last, else the key record's, else any.
    if (const QModelIndex current = currentIndex();
        current.isValid() && selectionModel()->isSelected(current))
        return current;
    for (const QModelIndex& row : rows)
        if (ShowsCurrent(row))
            return row;
    return rows.last();
}

namespace {
// The panel a row stands on: the panel itself, or the panel it is listed under.
CCPPanel* OwnerPanel(const QModelIndex& index)
{
    for (QModelIndex at = index; at.isValid(); at = at.parent())
        if (CCPPanel* panel = AsPanel(CCPTree::ItemRecord(at)))
            return panel;
    return nullptr;
}
} // namespace

bool CCPTree::ShowsCurrent(const QModelIndex& index) const
{
    CCPObject* record = ItemRecord(index);
    if (!record || record != m_pDoc->m_pCurrentObject)
        return false;
    if (AsPanel(record))
        return true;
    CCPPanel* owner = OwnerPanel(index);
    return !owner || owner == m_pDoc->m_pCurrentPanel;
}

void CCPTree::OnSelChanged()
{
    // Rows that show the document's choice already (the tree following the document, or the
    // same rows chosen again) have nothing to tell it; neither has an empty selection.
    const QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.isEmpty() || ShowsDocument(rows))
        return;
    const QModelIndex key = SelectedItem();
    CCPObject* record = ItemRecord(key);
    if (!record)
        return; // a group row chooses nothing
    CCPPanel* owner = OwnerPanel(key);
    if (!owner || ItemRecord(key.parent()) != owner || !m_pDoc->PanelHolds(owner, record)) {
        // The manager, a panel, a button or a sound: just that one.
        if (owner)
            m_pDoc->SetCurrentPanel(owner);
        m_pDoc->SetCurrentObject(record);
        return;
    }
    // The chosen rows of the key row's panel; rows of other panels are let go.
    std::vector<CCPObject*> records;
    records.reserve(size_t(rows.size()));
    for (const QModelIndex& row : rows)
        if (row.parent() == key.parent())
            records.push_back(ItemRecord(row));
    if (owner != m_pDoc->m_pCurrentPanel)
        m_pDoc->SetCurrentPanel(owner);
    m_pDoc->Select(records, record);
}

void CCPTree::SelectEntry(const CEntry& entry)
{
    const QModelIndex index = m_pModel->Index(entry);
    if (!index.isValid())
        return;
    ChooseRow(index);
    scrollTo(index);
}

void CCPTree::DeleteItem(const CEntry& entry)
{
    const QModelIndex index = m_pModel->Index(entry);
    // The row goes without choosing a neighbour in its place.
    if (index.isValid() && (IsWithin(currentIndex(), index) || IsWithin(SelectedItem(), index))) {
        clearSelection();
        setCurrentIndex(QModelIndex());
    }
    m_pModel->Remove(entry);
    if (!m_dropHilite.isValid())
        SetDropHilite(QModelIndex());
    emit CommandsChanged(); // the selected row may have gone with it
}

void CCPTree::SetDropHilite(const QModelIndex& index)
{
    if (m_dropHilite == index)
        return;
    m_dropHilite = index;
    viewport()->update();
}

// --- commands ---

bool CCPTree::OnUpdateCommand(CCmdUI& ui)
{
    // What the tree shows chosen is what goes: a group row carries no record.
    if ((ui.m_nID == ID_EDIT_COPY || ui.m_nID == ID_EDIT_CUT) && !ItemRecord(SelectedItem())) {
        ui.Enable(false);
        return true;
    }
    if (m_editCommands.OnUpdateCommand(ui))
        return true;
    switch (ui.m_nID) {
    case ID_PROPERTIES:
    case ID_NEXT_STATE:
        ui.Enable(true);
        return true;
    case ID_EDIT_RENAME: {
        const QModelIndex selected = SelectedItem();
        ui.Enable(selected.isValid() && (m_pModel->flags(selected) & Qt::ItemIsEditable));
        return true;
    }
    default:
        return false;
    }
}

bool CCPTree::OnCommand(int id)
{
    CCmdUI ui(id);
    if (!OnUpdateCommand(ui))
        return false;
    if (!ui.m_bEnabled)
        return true; // a disabled command never runs
    if (m_editCommands.OnCommand(id))
        return true;
    switch (id) {
    case ID_PROPERTIES:
        OnProperties();
        break;
    case ID_NEXT_STATE:
        if (const QModelIndex selected = SelectedItem(); selected.isValid()) {
            if (CCPObject* record = ItemRecord(selected))
                record->NextState();
            m_pDoc->UpdateAllViews(this, Hint::Refresh);
        }
        break;
    case ID_EDIT_RENAME:
        scrollTo(SelectedItem());
        edit(SelectedItem());
        break;
    }
    return true;
}

void CCPTree::OnProperties()
{
    // The tree hears about the change like every view: relabelled, or rebuilt when ids moved.
    m_pDoc->EditRecordProperties(ItemRecord(SelectedItem()));
}

void CCPTree::OnEndLabelEdit(const QModelIndex& index, const QString& text)
{
    const CEntry entry = m_pModel->Entry(index);
    CCPObject* record = m_pModel->Record(entry);
    if (!record)
        return;
    // The file is single-byte text: a name it cannot hold is refused, not stored with "?".
    const QString refused = CharsNotInLatin1(text.left(kMaxLabel));
    if (!refused.isEmpty()) {
        CDialogRunner::Message(this, NotInLatin1Message(QStringLiteral("The name"), refused));
        return;
    }
    m_pDoc->RenameRecord(record, QtToLatin1(text.left(kMaxLabel)), this);
    m_pModel->SetRecord(entry, record);
}

bool CCPTree::StartRename()
{
    SelectCurrentObject();
    const QModelIndex index = SelectedItem();
    if (!index.isValid() || !(m_pModel->flags(index) & Qt::ItemIsEditable))
        return false;
    scrollTo(index);
    edit(index);
    return state() == QAbstractItemView::EditingState;
}

void CCPTree::EndPendingEdit(bool keep)
{
    if (state() != QAbstractItemView::EditingState)
        return;
    QWidget* editor = indexWidget(currentIndex());
    if (!editor)
        return;
    if (keep)
        commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

std::unique_ptr<QMenu> CCPTree::CreateContextMenu()
{
    static const struct
    {
        const char* text;
        int id;
    } items[] = {
        {"&Add Object", ID_ADD_OBJECT},
        {"Add Sound", ID_ADD_SOUND},
        {"Add Parent Button", ID_ADD_BUTTON},
        {"Duplicate", ID_DUPLICATE},
        {"Cu&t", ID_EDIT_CUT},
        {"&Copy", ID_EDIT_COPY},
        {"&Paste", ID_EDIT_PASTE},
        {"&Delete", ID_EDIT_CLEAR},
        {"Rena&me\tF2", ID_EDIT_RENAME},
        {nullptr, 0},
        {"&Next State\tAlt+N", ID_NEXT_STATE},
        {nullptr, 0},
        {"Properties\tALT+RET", ID_PROPERTIES},
    };
    auto menu = std::make_unique<QMenu>(window());
    for (const auto& entry : items) {
        if (!entry.text) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(QString::fromLatin1(entry.text));
        CCmdUI ui(entry.id);
        OnUpdateCommand(ui);
        action->setEnabled(ui.m_bEnabled);
        const int id = entry.id;
        connect(action, &QAction::triggered, this, [this, id] {
            EndPendingEdit();
            OnCommand(id);
        });
    }
    return menu;
}

// --- find ---

CCPTree::CExpansion CCPTree::SaveExpansion() const
{
    CExpansion open;
    for (int i = 0; i < 3; ++i)
        open.roots[size_t(i)] = isExpanded(m_pModel->Index(m_pModel->Root(i)));
    // Panels are open only under an open "Manager".
    const CEntry manager = m_pModel->Root(0);
    for (int i = 0, n = open.roots[0] ? m_pModel->ChildCount(manager) : 0; i < n; ++i) {
        const CEntry panel = m_pModel->Child(manager, i);
        if (isExpanded(m_pModel->Index(panel)))
            open.panels.push_back(m_pModel->Record(panel));
    }
    return open;
}

void CCPTree::RestoreExpansion(const CExpansion& open)
{
    for (int i = 0; i < 3; ++i)
        if (open.roots[size_t(i)])
            expand(m_pModel->Index(m_pModel->Root(i)));
    for (const CCPObject* panel : open.panels)
        expand(FindItem(static_cast<const CCPPanel*>(panel)));
}

void CCPTree::ExpandShown()
{
    for (const QModelIndex& index : m_pModel->ShownParents())
        expand(index);
}

void CCPTree::SetFilter(const QString& text)
{
    const bool was = m_pModel->IsFiltering();
    const QString before = m_pModel->Filter();
    // What the user opened before the search comes back after it.
    if (!was)
        m_openBeforeFind = SaveExpansion();
    const CEntry selected = m_pModel->Entry(SelectedItem());

    m_pModel->SetFilter(text);
    if (m_pModel->IsFiltering())
        ExpandShown();
    else if (was)
        RestoreExpansion(m_openBeforeFind);
    // The rows were made anew: the chosen row is chosen again (the document's choice, with
    // the rest of the selection that shows, or a group row, which chooses nothing).
    if (const QModelIndex index = m_pModel->Index(selected); index.isValid()) {
        if (!ItemRecord(index)) {
            ChooseRow(index);
        } else if (ShowsCurrent(index)) {
            selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
            SelectCurrentObject();
        }
        if (currentIndex() == index)
            scrollTo(index, m_pModel->IsFiltering() ? EnsureVisible : PositionAtCenter);
    }
    if (m_pModel->Filter() != before)
        emit FilterChanged(m_pModel->Filter());
}

bool CCPTree::SelectFirstMatch()
{
    const QModelIndex index = m_pModel->FirstMatch();
    if (!index.isValid())
        return false;
    ChooseRow(index);
    scrollTo(index);
    return true;
}

bool CCPTree::SelectNextMatch(bool forward)
{
    const QModelIndex selected = SelectedItem();
    const QModelIndex index =
        m_pModel->NextMatch(selected.isValid() ? selected : currentIndex(), forward);
    if (!index.isValid())
        return false;
    ChooseRow(index);
    scrollTo(index);
    return true;
}

// --- mouse, drag and drop ---

void CCPTree::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    // A click below the rows chooses nothing and lets nothing go: the tree keeps showing the
    // document's selection.
    if (!index.isValid() && event->button() == Qt::LeftButton) {
        setFocus(Qt::MouseFocusReason);
        event->accept();
        return;
    }
    // A right click selects, so the context menu acts on this row; one on a chosen row keeps
    // the selection.
    if (event->button() == Qt::RightButton && index.isValid() &&
        !selectionModel()->isSelected(index))
        SelectEntry(m_pModel->Entry(index));
    QTreeView::mousePressEvent(event);
}

bool CCPTree::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    // A click on a chosen row renames it only when it is the one row chosen and no Ctrl or
    // Shift is held: otherwise the click chooses rows.
    if (trigger == SelectedClicked && ((event && event->isInputEvent() &&
                                        (static_cast<QInputEvent*>(event)->modifiers() &
                                         (Qt::ControlModifier | Qt::ShiftModifier))) ||
                                       selectionModel()->selectedRows().size() > 1))
        return false;
    return QTreeView::edit(index, trigger, event);
}

void CCPTree::keyPressEvent(QKeyEvent* event)
{
    // Select All means the current panel's records (the command, when there are any), never
    // every row of the tree.
    if (event->matches(QKeySequence::SelectAll)) {
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void CCPTree::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && ItemRecord(index) && event->button() == Qt::LeftButton) {
        OnProperties();
        event->accept();
        return;
    }
    // The group rows open and close as usual.
    QTreeView::mouseDoubleClickEvent(event);
    if (index.isValid() && !ItemRecord(index) && event->button() == Qt::LeftButton)
        setExpanded(index, !isExpanded(index));
}

void CCPTree::contextMenuEvent(QContextMenuEvent* event)
{
    QPoint pos = event->pos();
    if (event->reason() == QContextMenuEvent::Keyboard && currentIndex().isValid())
        pos = visualRect(currentIndex()).center();
    const QModelIndex index = indexAt(pos);
    if (!index.isValid() || IsDragging()) {
        QTreeView::contextMenuEvent(event);
        return;
    }
    SetDropHilite(index);
    std::unique_ptr<QMenu> menu = CreateContextMenu();
    menu->exec(viewport()->mapToGlobal(pos));
    SetDropHilite(QModelIndex());
    event->accept();
}

void CCPTree::dragMoveEvent(QDragMoveEvent* event)
{
    QTreeView::dragMoveEvent(event);
    SetDropHilite(event->isAccepted() ? indexAt(event->position().toPoint()) : QModelIndex());
}

void CCPTree::dragLeaveEvent(QDragLeaveEvent* event)
{
    QTreeView::dragLeaveEvent(event);
    SetDropHilite(QModelIndex());
}

void CCPTree::dropEvent(QDropEvent* event)
{
    SetDropHilite(QModelIndex());
    QTreeView::dropEvent(event);
}
