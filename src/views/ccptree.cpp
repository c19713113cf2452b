#include "ccptree.h"

#include "ccpbutton.h"
#include "ccpbuttonview.h"
#include "ccpmanager.h"
#include "ccppanel.h"
#include "ccpsound.h"
#include "ccpsurfaceref.h"
#include "cvireodoc.h"
#include "iuserinterface.h"
#include "strformat.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {
constexpr int kRecordRole = Qt::UserRole;

CCPPanel* AsPanel(CCPObject* record)
{
    return record && record->IsPanel() ? static_cast<CCPPanel*>(record) : nullptr;
}

// True when item is inner or one of its ancestors.
bool IsWithin(const QTreeWidgetItem* inner, const QTreeWidgetItem* item)
{
    for (; inner; inner = inner->parent())
        if (inner == item)
            return true;
    return false;
}
} // namespace

// Limits the label edit, hands the finished text to the record and paints the drop target.
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
        auto* line = qobject_cast<QLineEdit*>(editor);
        QTreeWidgetItem* item = m_pTree->itemFromIndex(index);
        if (line && item)
            m_pTree->OnEndLabelEdit(item, line->text());
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (m_pTree->m_hDropHilite && m_pTree->itemFromIndex(index) == m_pTree->m_hDropHilite)
            option->state |= QStyle::State_Selected | QStyle::State_Active;
    }

private:
    CCPTree* m_pTree;
};

CCPTree::CCPTree(CVireoDoc* doc, QWidget* parent) : QTreeWidget(parent), m_pDoc(doc), m_editCommands(doc)
{
    setColumnCount(1);
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setExpandsOnDoubleClick(false);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setIconSize(QSize(CCPTreeIcons::kWidth, CCPTreeIcons::kHeight));
    setItemDelegate(new CCPTreeDelegate(this));
    // Follow the selection, not the current item: focusing the tree moves the current item
    // without selecting anything, and that must not change the document.
    connect(this, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (m_nSyncing)
            return;
        const QList<QTreeWidgetItem*> items = selectedItems();
        if (!items.isEmpty())
            OnSelChanged(items.first());
    });
}

CCPTree::~CCPTree()
{
    if (m_bDragging)
        EndDrag();
}

CCPObject* CCPTree::ItemRecord(const QTreeWidgetItem* item)
{
    return item ? reinterpret_cast<CCPObject*>(item->data(0, kRecordRole).value<quintptr>()) : nullptr;
}

QString CCPTree::ItemLabel(const CCPObject* record)
{
    std::string name;
    if (!record->GetName(name))
        name = StrFormat("%s %d", record->GetTypeName().c_str(), record->m_nId);
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

QTreeWidgetItem* CCPTree::AddItem(QTreeWidgetItem* parent, CCPObject* record, const QString& text, int index)
{
    auto* item = new QTreeWidgetItem;
    item->setText(0, text);
    item->setIcon(0, m_imageList.Icon(record ? record->GetImageIndex() : 0));
    item->setData(0, kRecordRole, QVariant::fromValue(reinterpret_cast<quintptr>(record)));
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (record)
        flags |= Qt::ItemIsEditable; // the group items have nothing to rename
    item->setFlags(flags);
    if (!parent)
        addTopLevelItem(item);
    else if (index < 0 || index >= parent->childCount())
        parent->addChild(item);
    else
        parent->insertChild(index, item);
    return item;
}

void CCPTree::AddPanelItem(CCPPanel* panel)
{
    QTreeWidgetItem* root = topLevelItem(0);
    if (!root)
        return;
    CCPManager& manager = m_pDoc->m_manager;
    QTreeWidgetItem* item = AddItem(root, panel, ItemLabel(panel));
    // Surface entries have no id of their own in the file: they are told apart by position.
    for (size_t i = 0; i < panel->m_aSurfaces.size(); ++i) {
        CCPSurfaceRef* ref = panel->m_aSurfaces[i].get();
        std::string name;
        if (!ref->GetName(name))
            name = StrFormat("%s %d", ref->GetTypeName().c_str(), static_cast<int>(i));
        AddItem(item, ref, QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    }
    for (int id : panel->m_anButtonViews)
        if (CCPButtonView* view = manager.FindButtonView(id))
            AddItem(item, view, ItemLabel(view));
    for (int id : panel->m_anObjects)
        if (CCPObject* object = manager.FindObject(id))
            AddItem(item, object, ItemLabel(object));
}

void CCPTree::OnInitialUpdate()
{
    if (m_bDragging)
        EndDrag();
    ++m_nSyncing;
    clear();
    m_hClipItem = nullptr;
    m_bCut = false;
    m_hItemDrag = nullptr;
    m_hItemDrop = nullptr;
    m_hDropHilite = nullptr;
    m_hPressItem = nullptr;

    CCPManager& manager = m_pDoc->m_manager;
    AddItem(nullptr, &manager, QStringLiteral("Manager"));
    for (int i = 0; CCPPanel* panel = manager.GetPanel(i); ++i)
        AddPanelItem(panel);
    QTreeWidgetItem* buttons = AddItem(nullptr, nullptr, QStringLiteral("Buttons"));
    for (int i = 0; i < static_cast<int>(manager.m_aButtons.size()); ++i)
        if (CCPButton* button = manager.GetButton(i))
            AddItem(buttons, button, ItemLabel(button));
    QTreeWidgetItem* sounds = AddItem(nullptr, nullptr, QStringLiteral("Sounds"));
    for (int i = 0; i < static_cast<int>(manager.m_aSounds.size()); ++i)
        if (CCPSound* sound = manager.GetSound(i))
            AddItem(sounds, sound, ItemLabel(sound));
    --m_nSyncing;
}

void CCPTree::Rebuild()
{
    // Items are made anew; what the user opened and remembered stays.
    std::vector<const CCPObject*> expanded;
    std::vector<int> groupsExpanded;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem* top = topLevelItem(i);
        if (top->isExpanded())
            groupsExpanded.push_back(i);
        for (int j = 0; j < top->childCount(); ++j)
            if (top->child(j)->isExpanded())
                expanded.push_back(ItemRecord(top->child(j)));
    }
    const CCPObject* clip = ItemRecord(m_hClipItem);
    const CCPObject* clipParent = m_hClipItem ? ItemRecord(m_hClipItem->parent()) : nullptr;
    const bool cut = m_bCut;

    OnInitialUpdate();
    ++m_nSyncing;
    for (int i : groupsExpanded)
        if (QTreeWidgetItem* top = topLevelItem(i))
            top->setExpanded(true);
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem* top = topLevelItem(i);
        for (int j = 0; j < top->childCount(); ++j) {
            QTreeWidgetItem* item = top->child(j);
            if (std::find(expanded.begin(), expanded.end(), ItemRecord(item)) != expanded.end())
                item->setExpanded(true);
            for (int k = 0; clip && !m_hClipItem && k < item->childCount(); ++k)
                if (ItemRecord(item->child(k)) == clip && ItemRecord(item) == clipParent)
                    m_hClipItem = item->child(k);
        }
    }
    m_bCut = m_hClipItem && cut;
    --m_nSyncing;
    SelectCurrentObject();
}

QTreeWidgetItem* CCPTree::FindItem(const CCPPanel* panel) const
{
    QTreeWidgetItem* root = topLevelItem(0);
    if (!panel || !root)
        return nullptr;
    for (int i = 0; i < root->childCount(); ++i)
        if (ItemRecord(root->child(i)) == panel)
            return root->child(i);
    return nullptr;
}

void CCPTree::RelabelCurrentObject()
{
    CCPObject* current = m_pDoc->m_pCurrentObject;
    std::string name;
    // An unnamed surface entry is labelled by its place in the panel, which ItemLabel does
    // not know: its label stays.
    if (!current || (current->IsSurfaceRef() && !current->GetName(name)))
        return;
    // Only where the current record can stand: a root, the groups, the current panel.
    std::vector<QTreeWidgetItem*> parents;
    // The roots keep their own labels: "Manager" is not the cockpit's name.
    for (int i = 0; i < topLevelItemCount(); ++i)
        parents.push_back(topLevelItem(i));
    if (QTreeWidgetItem* panelItem = FindItem(m_pDoc->m_pCurrentPanel))
        parents.push_back(panelItem);
    for (QTreeWidgetItem* parent : parents)
        for (int i = 0; i < parent->childCount(); ++i)
            if (ItemRecord(parent->child(i)) == current)
                parent->child(i)->setText(0, ItemLabel(current));
}

void CCPTree::OnUpdate(IDocObserver*, int hint, CCPObject* record)
{
    switch (hint) {
    case HINT_REFRESH:
        RelabelCurrentObject();
        break;
    case HINT_RELOAD:
        Rebuild();
        break;
    case HINT_CURRENT_OBJECT:
        SelectCurrentObject();
        break;
    case HINT_REMOVED:
        if (QTreeWidgetItem* panelItem = FindItem(m_pDoc->m_pCurrentPanel))
            for (int i = 0; i < panelItem->childCount(); ++i)
                if (ItemRecord(panelItem->child(i)) == record) {
                    DeleteItem(panelItem->child(i));
                    break;
                }
        break;
    case HINT_ADDED_TO_PANEL:
        if (QTreeWidgetItem* panelItem = FindItem(m_pDoc->m_pCurrentPanel); panelItem && record)
            AddItem(panelItem, record, ItemLabel(record));
        break;
    case HINT_PANEL_ADDED:
        if (CCPPanel* panel = AsPanel(record))
            AddPanelItem(panel);
        break;
    case HINT_SOUND_ADDED:
        if (QTreeWidgetItem* sounds = topLevelItem(2); sounds && record)
            AddItem(sounds, record, ItemLabel(record));
        break;
    case HINT_BUTTON_ADDED:
        if (QTreeWidgetItem* buttons = topLevelItem(1); buttons && record)
            AddItem(buttons, record, ItemLabel(record));
        break;
    default:
        break;
    }
}

void CCPTree::SelectCurrentObject()
{
    if (m_bNotifying)
        return; // the document is following our own selection
    CCPObject* current = m_pDoc->m_pCurrentObject;
    QTreeWidgetItem* panelItem = FindItem(m_pDoc->m_pCurrentPanel);
    QTreeWidgetItem* found = nullptr;
    if (panelItem && current) {
        QTreeWidgetItem* selected = SelectedItem();
        if (selected && selected->parent() == panelItem && ItemRecord(selected) == current)
            found = selected; // a record listed twice keeps the item the user chose
        for (int i = 0; !found && i < panelItem->childCount(); ++i)
            if (ItemRecord(panelItem->child(i)) == current)
                found = panelItem->child(i);
    }
    ++m_nSyncing;
    if (found) {
        setCurrentItem(found);
        scrollToItem(found);
    } else if (QTreeWidgetItem* selected = SelectedItem(); selected && ItemRecord(selected) != current) {
        // The tree shows no selection rather than a record that is no longer current.
        clearSelection();
        setCurrentItem(nullptr);
    }
    --m_nSyncing;
}

QTreeWidgetItem* CCPTree::SelectedItem() const
{
    const QList<QTreeWidgetItem*> items = selectedItems();
    return items.isEmpty() ? nullptr : items.first();
}

void CCPTree::OnSelChanged(QTreeWidgetItem* item)
{
    CCPObject* record = ItemRecord(item);
    if (!record)
        return;
    m_bNotifying = true;
    if (CCPPanel* panel = AsPanel(record)) {
        m_pDoc->SetCurrentPanel(panel);
        m_pDoc->SetCurrentObject(record);
    } else {
        CCPPanel* owner = nullptr;
        for (QTreeWidgetItem* up = item->parent(); up && !owner; up = up->parent())
            owner = AsPanel(ItemRecord(up));
        if (owner)
            m_pDoc->SetCurrentPanel(owner);
        m_pDoc->SetCurrentObject(record);
    }
    m_bNotifying = false;
}

void CCPTree::SelectItem(QTreeWidgetItem* item)
{
    setCurrentItem(item);
    scrollToItem(item);
}

void CCPTree::DeleteItem(QTreeWidgetItem* item)
{
    if (!item)
        return;
    // Nothing may keep pointing at the item or its children once it is gone.
    if (IsWithin(m_hClipItem, item))
        m_hClipItem = nullptr;
    if (IsWithin(m_hItemDrag, item)) {
        if (m_bDragging)
            EndDrag();
        m_hItemDrag = nullptr;
    }
    if (IsWithin(m_hItemDrop, item))
        m_hItemDrop = nullptr;
    if (IsWithin(m_hDropHilite, item))
        m_hDropHilite = nullptr;
    if (IsWithin(m_hPressItem, item))
        m_hPressItem = nullptr;
    ++m_nSyncing;
    if (IsWithin(currentItem(), item) || IsWithin(SelectedItem(), item)) {
        clearSelection();
        setCurrentItem(nullptr);
    }
    delete item;
    --m_nSyncing;
}

void CCPTree::SetDropHilite(QTreeWidgetItem* item)
{
    if (m_hDropHilite == item)
        return;
    m_hDropHilite = item;
    viewport()->update();
}

// --- commands ---

bool CCPTree::OnUpdateCommand(CCmdUI& ui)
{
    if (m_editCommands.OnUpdateCommand(ui))
        return true;
    switch (ui.m_nID) {
    case ID_PROPERTIES:
    case ID_NEXT_STATE:
        ui.Enable(true);
        return true;
    case ID_EDIT_COPY:
    case ID_EDIT_CUT: {
        QTreeWidgetItem* selected = SelectedItem();
        ui.Enable(selected && selected->childCount() == 0);
        return true;
    }
    case ID_EDIT_PASTE:
        ui.Enable(m_hClipItem != nullptr);
        return true;
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
        if (QTreeWidgetItem* item = SelectedItem()) {
            if (CCPObject* record = ItemRecord(item))
                record->NextState();
            m_pDoc->UpdateAllViews(this, HINT_REFRESH);
        }
        break;
    case ID_EDIT_COPY:
    case ID_EDIT_CUT:
        m_hClipItem = SelectedItem();
        m_bCut = id == ID_EDIT_CUT;
        break;
    case ID_EDIT_PASTE:
        OnEditPaste();
        break;
    }
    return true;
}

void CCPTree::OnProperties()
{
    // The tree hears about the change like every view: relabelled, or rebuilt when ids moved.
    m_pDoc->EditRecordProperties(ItemRecord(SelectedItem()));
}

void CCPTree::OnEndLabelEdit(QTreeWidgetItem* item, const QString& text)
{
    CCPObject* record = ItemRecord(item);
    if (!record)
        return;
    // The file is single-byte text; the label shows what was stored.
    const QByteArray bytes = text.left(kMaxLabel).toLatin1();
    m_pDoc->RenameRecord(record, bytes.toStdString(), this);
    ++m_nSyncing;
    item->setText(0, ItemLabel(record));
    --m_nSyncing;
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
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    }
    return menu;
}

// --- paste and the record work behind moves and copies ---

int CCPTree::InsertPosition(QTreeWidgetItem* parent, QTreeWidgetItem* after, const CCPObject* record) const
{
    const int count = parent->childCount();
    const CCPObject* proposed = ItemRecord(after);
    const auto indexAfter = [parent](QTreeWidgetItem* item) { return parent->indexOfChild(item) + 1; };
    // The number of leading children for which keep holds.
    const auto leading = [parent, count](auto keep) {
        int n = 0;
        while (n < count && keep(ItemRecord(parent->child(n))))
            ++n;
        return n;
    };
    const auto isRef = [](const CCPObject* r) { return r && r->IsSurfaceRef(); };
    const auto isRefOrView = [](const CCPObject* r) { return r && (r->IsSurfaceRef() || r->IsButtonView()); };

    if (record->IsSurfaceRef()) {
        if (after && isRef(proposed))
            return indexAfter(after);
        return leading(isRef);
    }
    if (record->IsButtonView()) {
        if (after && proposed && proposed->IsButtonView())
            return indexAfter(after);
        if (after && isRef(proposed))
            return leading(isRef);
        return leading(isRefOrView);
    }
    if (!after)
        return count;
    if (!isRefOrView(proposed))
        return indexAfter(after);
    return leading(isRefOrView);
}

QTreeWidgetItem* CCPTree::CopyItem(QTreeWidgetItem* source, QTreeWidgetItem* parent, int position, bool move)
{
    CCPObject* record = ItemRecord(source);
    QTreeWidgetItem* item = AddItem(parent, record, source->text(0), position);
    item->setIcon(0, source->icon(0));
    if (!OnItemCopied(source, item, move)) {
        ++m_nSyncing;
        delete item;
        --m_nSyncing;
        return nullptr;
    }
    return item;
}

bool CCPTree::OnItemCopied(QTreeWidgetItem* source, QTreeWidgetItem* item, bool move)
{
    CCPPanel* oldPanel = AsPanel(ItemRecord(source->parent()));
    CCPPanel* newPanel = AsPanel(ItemRecord(item->parent()));
    CCPObject* record = ItemRecord(source);
    if (!oldPanel || !newPanel || !record)
        return false;

    // The record goes after the record of the item before the new one; the moved item itself
    // does not count, it is about to go.
    QTreeWidgetItem* before = item;
    do {
        const int at = item->parent()->indexOfChild(before);
        before = at > 0 ? item->parent()->child(at - 1) : nullptr;
    } while (before && move && before == source);

    CCPObject* placed = m_pDoc->PlaceRecord(record, oldPanel, newPanel, ItemRecord(before), move, this);
    if (!placed)
        return false;
    if (placed != record) {
        item->setData(0, kRecordRole, QVariant::fromValue(reinterpret_cast<quintptr>(placed)));
        item->setText(0, ItemLabel(placed));
    }
    return true;
}

QTreeWidgetItem* CCPTree::PlaceOnto(QTreeWidgetItem* source, QTreeWidgetItem* target, bool move)
{
    // An item with children takes the record last; a leaf stands for its parent and takes
    // the record after itself.
    QTreeWidgetItem* parent = target;
    QTreeWidgetItem* after = nullptr;
    if (target->childCount() == 0) {
        parent = target->parent();
        after = target;
    }
    if (!parent || !AsPanel(ItemRecord(parent)) || !AsPanel(ItemRecord(source->parent())))
        return nullptr;
    const int position = InsertPosition(parent, after, ItemRecord(source));
    parent->setExpanded(true);
    QTreeWidgetItem* item = CopyItem(source, parent, position, move);
    if (item && move)
        DeleteItem(source);
    return item;
}

void CCPTree::OnEditPaste()
{
    QTreeWidgetItem* selected = SelectedItem();
    if (!selected || !m_hClipItem)
        return;
    // A surface entry cannot be rebuilt from its text, so a copy of it is never pasted.
    if (const CCPObject* clip = ItemRecord(m_hClipItem); clip && clip->IsSurfaceRef() && !m_bCut) {
        if (IUserInterface* ui = m_pDoc->GetUserInterface())
            ui->MessageBox("A surface entry cannot be copied, only moved: use Cut and Paste to "
                           "move it, or Add Object > Surface for a new one.",
                           IUserInterface::Information);
        return;
    }
    if (QTreeWidgetItem* item = PlaceOnto(m_hClipItem, selected, m_bCut)) {
        if (m_bCut)
            m_hClipItem = nullptr; // DeleteItem has forgotten it already; a copy stays remembered
        SelectItem(item);
    }
}

// --- mouse, drag and drop ---

void CCPTree::mousePressEvent(QMouseEvent* event)
{
    if (m_bDragging) {
        event->accept();
        return;
    }
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    m_hPressItem = nullptr;
    if (event->button() == Qt::LeftButton) {
        m_hPressItem = item;
        m_ptPress = event->position().toPoint();
    } else if (event->button() == Qt::RightButton && item) {
        SelectItem(item); // a right click selects, so the context menu acts on this item
    }
    QTreeWidget::mousePressEvent(event);
}

void CCPTree::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (!m_bDragging && m_hPressItem && (event->buttons() & Qt::LeftButton)) {
        if ((pos - m_ptPress).manhattanLength() < QApplication::startDragDistance())
            return;
        QTreeWidgetItem* item = m_hPressItem;
        m_hPressItem = nullptr;
        BeginDrag(item, event->globalPosition().toPoint());
        if (!m_bDragging)
            return; // no drag: and no selection that follows the pressed mouse either
    }
    if (!m_bDragging) {
        if (!(event->buttons() & Qt::LeftButton))
            QTreeWidget::mouseMoveEvent(event);
        return;
    }
    MoveDragImage(event->globalPosition().toPoint());
    // Near the top or bottom edge the tree scrolls, so that any item can be reached.
    const int edge = std::max(8, sizeHintForRow(0) / 2);
    if (pos.y() < edge)
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else if (pos.y() > viewport()->height() - edge)
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    if (QTreeWidgetItem* item = itemAt(pos)) {
        SetDropHilite(item);
        m_hItemDrop = item;
    }
    event->accept();
}

void CCPTree::mouseReleaseEvent(QMouseEvent* event)
{
    m_hPressItem = nullptr;
    if (m_bDragging) {
        if (event->button() == Qt::LeftButton) {
            EndDrag();
            Drop();
            setState(QAbstractItemView::NoState);
        }
        event->accept();
        return;
    }
    QTreeWidget::mouseReleaseEvent(event);
}

void CCPTree::mouseDoubleClickEvent(QMouseEvent* event)
{
    m_hPressItem = nullptr;
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    if (item && ItemRecord(item) && event->button() == Qt::LeftButton) {
        OnProperties();
        event->accept();
        return;
    }
    // The group items open and close as usual.
    QTreeWidget::mouseDoubleClickEvent(event);
    if (item && !ItemRecord(item) && event->button() == Qt::LeftButton)
        item->setExpanded(!item->isExpanded());
}

void CCPTree::contextMenuEvent(QContextMenuEvent* event)
{
    QPoint pos = event->pos();
    if (event->reason() == QContextMenuEvent::Keyboard && currentItem())
        pos = visualItemRect(currentItem()).center();
    QTreeWidgetItem* item = itemAt(pos);
    if (!item || m_bDragging) {
        QTreeWidget::contextMenuEvent(event);
        return;
    }
    SetDropHilite(item);
    std::unique_ptr<QMenu> menu = CreateContextMenu();
    menu->exec(viewport()->mapToGlobal(pos));
    SetDropHilite(nullptr);
    event->accept();
}

void CCPTree::BeginDrag(QTreeWidgetItem* item, const QPoint& globalPos)
{
    m_hItemDrop = nullptr;
    m_hItemDrag = item;
    // Only a panel's surface entries, button views and objects move.
    if (!item || item->childCount() > 0 || !item->parent() || !AsPanel(ItemRecord(item->parent())))
        return;

    // The drag picture: the item's icon and label, following the cursor.
    const QFontMetrics metrics(font());
    const QString text = item->text(0);
    const int height = std::max(CCPTreeIcons::kHeight, metrics.height());
    QPixmap picture(CCPTreeIcons::kWidth + 4 + metrics.horizontalAdvance(text) + 2, height);
    picture.fill(Qt::transparent);
    {
        QPainter p(&picture);
        p.setOpacity(0.75);
        item->icon(0).paint(&p, QRect(0, (height - CCPTreeIcons::kHeight) / 2, CCPTreeIcons::kWidth,
                                      CCPTreeIcons::kHeight));
        p.setPen(palette().color(QPalette::Text));
        p.setFont(font());
        p.drawText(QRect(CCPTreeIcons::kWidth + 4, 0, picture.width(), height), Qt::AlignVCenter, text);
    }
    m_pDragImage = std::make_unique<QLabel>(nullptr, Qt::ToolTip | Qt::FramelessWindowHint |
                                                         Qt::WindowTransparentForInput);
    m_pDragImage->setAttribute(Qt::WA_TranslucentBackground);
    m_pDragImage->setAttribute(Qt::WA_ShowWithoutActivating);
    m_pDragImage->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_pDragImage->setPixmap(picture);
    m_pDragImage->resize(picture.size());

    m_bDragging = true;
    MoveDragImage(globalPos);
    m_pDragImage->show();
    // The mouse stays with the viewport while the button is down: the press grabbed it.
    // Escape must end the drag wherever the keyboard focus is.
    qApp->installEventFilter(this);
}

void CCPTree::MoveDragImage(const QPoint& globalPos)
{
    if (m_pDragImage)
        m_pDragImage->move(globalPos + QPoint(15, 15));
}

void CCPTree::EndDrag()
{
    m_bDragging = false;
    qApp->removeEventFilter(this);
    SetDropHilite(nullptr);
    m_pDragImage.reset();
}

void CCPTree::Drop()
{
    QTreeWidgetItem* drag = m_hItemDrag;
    QTreeWidgetItem* drop = m_hItemDrop;
    m_hItemDrag = nullptr;
    m_hItemDrop = nullptr;
    if (!drag || !drop || IsWithin(drop, drag))
        return;
    if (QTreeWidgetItem* item = PlaceOnto(drag, drop, true))
        SelectItem(item);
}

bool CCPTree::eventFilter(QObject* watched, QEvent* event)
{
    if (m_bDragging && (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        event->accept();
        if (event->type() == QEvent::KeyPress) {
            EndDrag();
            m_hItemDrag = nullptr;
            m_hItemDrop = nullptr;
        }
        return true;
    }
    return QTreeWidget::eventFilter(watched, event);
}
