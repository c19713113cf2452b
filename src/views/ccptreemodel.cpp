#include "ccptreemodel.h"

#include "ccpbutton.h"
#include "ccpmanager.h"
#include "ccppanel.h"
#include "ccpsound.h"
#include "ccpsurfaceref.h"
#include "cvireodoc.h"
#include "panelpaint.h"
#include "textconvert.h"

#include <QCoreApplication>
#include <QMimeData>

#include <algorithm>
#include <charconv>
#include <string_view>

struct CCPTreeModel::Node
{
    enum Kind
    {
        kRoot,
        kManager,
        kButtons,
        kSounds,
        kPanel
    };

    Node(Kind k, Node* p, int at); // below Item: the item list needs it complete

    Kind kind;
    Node* parent; // null for the hidden root above "Manager", "Buttons" and "Sounds"
    int item;     // own position among the parent's items
    bool populated = false;
    std::vector<Item> items;
    std::vector<int> shown; // under a filter: the positions of the items shown, ascending

    // Only the roots and the panels have rows below them.
    bool HoldsNodes() const { return kind == kRoot || kind == kManager; }
};

struct CCPTreeModel::Item
{
    CCPObject* record = nullptr; // null for "Buttons" and "Sounds"
    int number = 0;              // a surface entry's label number when it has no name
    unsigned serial = 0;
    std::unique_ptr<Node> node; // its rows, once somebody asked for them
};

CCPTreeModel::Node::Node(Kind k, Node* p, int at) : kind(k), parent(p), item(at) {}

namespace {
const char* const kRootLabels[] = {"Manager", "Buttons", "Sounds"};
const char* const kRowMimeType = "application/x-vireo-tree-row";

CCPPanel* AsPanel(CCPObject* record)
{
    return record && record->IsPanel() ? static_cast<CCPPanel*>(record) : nullptr;
}

// Lower case of the file's single-byte text (Latin-1).
char Lower(char c)
{
    const auto u = static_cast<unsigned char>(c);
    if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7))
        return static_cast<char>(u + 0x20);
    return c;
}

void AppendLower(std::string& out, std::string_view text)
{
    for (char c : text)
        out += Lower(c);
}
} // namespace

CCPTreeModel::CCPTreeModel(CVireoDoc* doc, QObject* parent)
    : QAbstractItemModel(parent), m_pDoc(doc),
      m_pRoot(std::make_unique<Node>(Node::kRoot, nullptr, 0))
{
    for (int i = 0; i + 1 < CCPTreeIcons::kCount; i += 2)
        m_aIcons.push_back(CCPTreeIcons::Icon(i));
}

CCPTreeModel::~CCPTreeModel() = default;

QString CCPTreeModel::ItemLabel(const CCPObject* record)
{
    std::string name;
    if (!record->GetName(name))
        name = record->GetTypeName() + ' ' + std::to_string(record->m_nId);
    return Latin1ToQt(name);
}

// --- the rows, made when asked for ---

void CCPTreeModel::Populate(Node* node) const
{
    if (node->populated)
        return;
    node->populated = true;
    const CCPManager& manager = m_pDoc->m_manager;
    auto add = [&](CCPObject* record, int number) {
        node->items.push_back(Item{record, number, m_nNextSerial++, nullptr});
    };
    switch (node->kind) {
    case Node::kRoot:
        add(&m_pDoc->m_manager, 0);
        add(nullptr, 0);
        add(nullptr, 0);
        break;
    case Node::kManager:
        node->items.reserve(manager.m_aPanels.size());
        for (int i = 0; CCPPanel* panel = manager.GetPanel(i); ++i)
            add(panel, 0);
        break;
    case Node::kButtons:
        node->items.reserve(manager.m_aButtons.size());
        for (int i = 0; i < static_cast<int>(manager.m_aButtons.size()); ++i)
            if (CCPButton* button = manager.GetButton(i))
                add(button, 0);
        break;
    case Node::kSounds:
        node->items.reserve(manager.m_aSounds.size());
        for (int i = 0; i < static_cast<int>(manager.m_aSounds.size()); ++i)
            if (CCPSound* sound = manager.GetSound(i))
                add(sound, 0);
        break;
    case Node::kPanel: {
        const auto* panel =
            static_cast<const CCPPanel*>(node->parent->items[size_t(node->item)].record);
        node->items.reserve(panel->m_aSurfaces.size() + panel->m_anButtonViews.size() +
                            panel->m_anObjects.size());
        // Surface entries have no id of their own in the file: they are told apart by position.
        for (size_t i = 0; i < panel->m_aSurfaces.size(); ++i)
            add(panel->m_aSurfaces[i].get(), static_cast<int>(i));
        WalkPanel(manager, *panel, kAllLayers, [&](CCPObject& record) {
            add(&record, 0);
            return false;
        });
        break;
    }
    }
    // Rows made under a filter are filtered as they come.
    if (IsFiltering())
        const_cast<CCPTreeModel*>(this)->ApplyFilter(node);
}

bool CCPTreeModel::HasRecordsFor(const Node* node) const
{
    const CCPManager& manager = m_pDoc->m_manager;
    switch (node->kind) {
    case Node::kRoot:
        return true;
    case Node::kManager:
        return manager.GetPanel(0) != nullptr;
    case Node::kButtons:
        return std::any_of(manager.m_aButtons.begin(), manager.m_aButtons.end(),
                           [](const auto& b) { return b != nullptr; });
    case Node::kSounds:
        return std::any_of(manager.m_aSounds.begin(), manager.m_aSounds.end(),
                           [](const auto& s) { return s != nullptr; });
    case Node::kPanel: {
        const auto* panel =
            static_cast<const CCPPanel*>(node->parent->items[size_t(node->item)].record);
        return !panel->m_aSurfaces.empty() ||
               WalkPanel(manager, *panel, kAllLayers, [](CCPObject&) { return true; });
    }
    }
    return false;
}

CCPTreeModel::Node* CCPTreeModel::ChildNode(Node* node, int item) const
{
    if (!node->HoldsNodes())
        return nullptr;
    Populate(node);
    if (item < 0 || item >= static_cast<int>(node->items.size()))
        return nullptr;
    Item& it = node->items[size_t(item)];
    if (!it.node) {
        Node::Kind kind = Node::kPanel;
        if (node->kind == Node::kRoot)
            kind = item == 0 ? Node::kManager : item == 1 ? Node::kButtons : Node::kSounds;
        it.node = std::make_unique<Node>(kind, node, item);
    }
    return it.node.get();
}

int CCPTreeModel::RowCount(const Node* node) const
{
    Populate(const_cast<Node*>(node));
    return static_cast<int>(IsFiltering() ? node->shown.size() : node->items.size());
}

int CCPTreeModel::ItemAt(const Node* node, int row) const
{
    return IsFiltering() ? node->shown[size_t(row)] : row;
}

int CCPTreeModel::RowOf(const Node* node, int item) const
{
    if (!IsFiltering())
        return item;
    const auto it = std::lower_bound(node->shown.begin(), node->shown.end(), item);
    return it != node->shown.end() && *it == item ? static_cast<int>(it - node->shown.begin()) : -1;
}

QModelIndex CCPTreeModel::IndexOfNode(const Node* node) const
{
    if (!node || !node->parent)
        return {};
    const int row = RowOf(node->parent, node->item);
    return row < 0 ? QModelIndex() : createIndex(row, 0, node->parent);
}

// --- QAbstractItemModel ---

QModelIndex CCPTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0 || parent.column() > 0)
        return {};
    Node* node = Root();
    if (parent.isValid()) {
        auto* owner = static_cast<Node*>(parent.internalPointer());
        node = ChildNode(owner, ItemAt(owner, parent.row()));
    }
    if (!node || row >= RowCount(node))
        return {};
    return createIndex(row, 0, node);
}

QModelIndex CCPTreeModel::parent(const QModelIndex& index) const
{
    if (!index.isValid())
        return {};
    return IndexOfNode(static_cast<Node*>(index.internalPointer()));
}

int CCPTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0)
        return 0;
    if (!parent.isValid())
        return RowCount(Root());
    auto* owner = static_cast<Node*>(parent.internalPointer());
    Node* node = ChildNode(owner, ItemAt(owner, parent.row()));
    return node ? RowCount(node) : 0;
}

int CCPTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

bool CCPTreeModel::hasChildren(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return true;
    auto* owner = static_cast<Node*>(parent.internalPointer());
    if (!owner->HoldsNodes() || parent.column() > 0)
        return false;
    Node* node = ChildNode(owner, ItemAt(owner, parent.row()));
    // Whether a panel has rows is read from the document until they are made, so that views
    // draw the expand mark without making them.
    if (!node->populated && !IsFiltering())
        return HasRecordsFor(node);
    return RowCount(node) > 0;
}

QVariant CCPTreeModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    auto* owner = static_cast<Node*>(index.internalPointer());
    const Item& it = owner->items[size_t(ItemAt(owner, index.row()))];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (owner->kind == Node::kRoot) {
            // "Manager" is a record and shows the name given to it; the groups keep theirs.
            std::string name;
            if (it.record && it.record->GetName(name) && !name.empty())
                return Latin1ToQt(name);
            return QString::fromLatin1(kRootLabels[std::clamp(ItemAt(owner, index.row()), 0, 2)]);
        }
        return Label(MakeEntry(owner, ItemAt(owner, index.row())));
    case Qt::DecorationRole: {
        const int image = it.record && owner->kind != Node::kRoot ? it.record->GetImageIndex() : 0;
        const size_t pair = image >= 0 && image + 1 < CCPTreeIcons::kCount ? size_t(image / 2) : 0;
        return m_aIcons[pair];
    }
    case kRecordRole:
        return QVariant::fromValue(reinterpret_cast<quintptr>(it.record));
    default:
        return {};
    }
}

Qt::ItemFlags CCPTreeModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    auto* owner = static_cast<Node*>(index.internalPointer());
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (owner->items[size_t(ItemAt(owner, index.row()))].record)
        flags |= Qt::ItemIsEditable; // the group items have nothing to rename
    if (!owner->HoldsNodes())
        flags |= Qt::ItemNeverHasChildren;
    // A panel's records move; they and the panels take drops (canDropMimeData decides).
    if (owner->kind == Node::kPanel)
        flags |= Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
    else if (owner->kind == Node::kManager)
        flags |= Qt::ItemIsDropEnabled;
    return flags;
}

// --- drag and drop ---

QByteArray CCPTreeModel::DragToken() const
{
    // This model in this process: rows of another editor or another tree are not ours.
    return QByteArray::number(QCoreApplication::applicationPid()) + ':' +
           QByteArray::number(reinterpret_cast<quintptr>(this)) + ':' +
           QByteArray::number(m_nGeneration);
}

QStringList CCPTreeModel::mimeTypes() const
{
    return {QString::fromLatin1(kRowMimeType)};
}

QMimeData* CCPTreeModel::mimeData(const QModelIndexList& indexes) const
{
    if (indexes.size() != 1)
        return nullptr;
    const CEntry entry = Entry(indexes.front());
    if (!IsMovable(entry))
        return nullptr;
    // The data only names the drag; the row itself stays here.
    m_dragged = entry;
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kRowMimeType), DragToken());
    return data;
}

CCPTreeModel::CEntry CCPTreeModel::DraggedEntry(const QMimeData* data) const
{
    if (!data || data->data(QString::fromLatin1(kRowMimeType)) != DragToken() ||
        !IsMovable(m_dragged))
        return {};
    return m_dragged;
}

CCPTreeModel::CEntry CCPTreeModel::DropTarget(const QMimeData* data, Qt::DropAction action, int row,
                                              int column, const QModelIndex& parent) const
{
    // Onto a row only: between rows would promise an order that the panel does not keep
    // (surface entries first, then button views, then objects).
    if (action != Qt::MoveAction || row != -1 || column > 0 || DraggedEntry(data).IsNull())
        return {};
    const CEntry target = Entry(parent);
    if (target.IsNull() || target == m_dragged)
        return {};
    const CEntry holder = ChildCount(target) == 0 ? Parent(target) : target;
    return AsPanel(Record(holder)) ? target : CEntry();
}

bool CCPTreeModel::canDropMimeData(const QMimeData* data, Qt::DropAction action, int row,
                                   int column, const QModelIndex& parent) const
{
    return !DropTarget(data, action, row, column, parent).IsNull();
}

bool CCPTreeModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                                const QModelIndex& parent)
{
    const CEntry target = DropTarget(data, action, row, column, parent);
    if (target.IsNull())
        return false;
    const CEntry source = m_dragged;
    m_dragged = CEntry();
    return !PlaceOnto(source, target, true).IsNull();
}

// --- paste and the record work behind moves and copies ---

bool CCPTreeModel::IsMovable(const CEntry& entry) const
{
    Node* node = nullptr;
    int item = 0;
    return Resolve(entry, node, item) && node->kind == Node::kPanel;
}

int CCPTreeModel::InsertPosition(const CEntry& parent, const CEntry& after,
                                 const CCPObject* record) const
{
    const int count = ChildCount(parent);
    const CCPObject* proposed = Record(after);
    const auto indexAfter = [this](const CEntry& entry) { return Position(entry) + 1; };
    // The number of leading children for which keep holds.
    const auto leading = [this, &parent, count](auto keep) {
        int n = 0;
        while (n < count && keep(Record(Child(parent, n))))
            ++n;
        return n;
    };
    const auto isRef = [](const CCPObject* r) { return r && r->IsSurfaceRef(); };
    const auto isRefOrView = [](const CCPObject* r) {
        return r && (r->IsSurfaceRef() || r->IsButtonView());
    };

    if (record->IsSurfaceRef()) {
        if (!after.IsNull() && isRef(proposed))
            return indexAfter(after);
        return leading(isRef);
    }
    if (record->IsButtonView()) {
        if (!after.IsNull() && proposed && proposed->IsButtonView())
            return indexAfter(after);
        if (!after.IsNull() && isRef(proposed))
            return leading(isRef);
        return leading(isRefOrView);
    }
    if (after.IsNull())
        return count;
    if (!isRefOrView(proposed))
        return indexAfter(after);
    return leading(isRefOrView);
}

CCPTreeModel::CEntry CCPTreeModel::CopyItem(const CEntry& source, const CEntry& parent,
                                            int position, bool move)
{
    const CEntry item = Insert(parent, position, Record(source), Number(source));
    if (item.IsNull())
        return {};
    if (!OnItemCopied(source, item, move)) {
        Remove(item);
        return {};
    }
    return item;
}

bool CCPTreeModel::OnItemCopied(const CEntry& source, const CEntry& item, bool move)
{
    CCPPanel* oldPanel = AsPanel(Record(Parent(source)));
    const CEntry parent = Parent(item);
    CCPPanel* newPanel = AsPanel(Record(parent));
    CCPObject* record = Record(source);
    if (!oldPanel || !newPanel || !record)
        return false;

    // The record goes after the record of the row before the new one; the moved row itself
    // does not count, it is about to go.
    CEntry before;
    for (int at = Position(item); at > 0;) {
        before = Child(parent, --at);
        if (!(move && before == source))
            break;
        before = CEntry();
    }

    CCPObject* placed =
        m_pDoc->PlaceRecord(record, oldPanel, newPanel, Record(before), move, nullptr);
    if (!placed)
        return false;
    if (placed != record)
        SetRecord(item, placed);
    return true;
}

CCPTreeModel::CEntry CCPTreeModel::PlaceOnto(const CEntry& source, const CEntry& target, bool move)
{
    // A row with children takes the record last; a leaf stands for its parent and takes the
    // record after itself.
    CEntry parent = target;
    CEntry after;
    if (ChildCount(target) == 0) {
        parent = Parent(target);
        after = target;
    }
    if (parent.IsNull() || !AsPanel(Record(parent)) || !IsMovable(source))
        return {};
    const int position = InsertPosition(parent, after, Record(source));
    const CEntry item = CopyItem(source, parent, position, move);
    if (item.IsNull())
        return {};
    if (move)
        Remove(source);
    emit RowPlaced(Index(item));
    return item;
}

void CCPTreeModel::Rebuild()
{
    beginResetModel();
    m_pRoot = std::make_unique<Node>(Node::kRoot, nullptr, 0);
    ++m_nGeneration;
    endResetModel();
}

// --- rows, shown or not ---

CCPTreeModel::CEntry CCPTreeModel::MakeEntry(Node* node, int item) const
{
    CEntry entry;
    entry.m_pNode = node;
    entry.m_nSerial = node->items[size_t(item)].serial;
    entry.m_nGeneration = m_nGeneration;
    entry.m_nHint = item;
    return entry;
}

bool CCPTreeModel::Resolve(const CEntry& entry, Node*& node, int& item) const
{
    if (entry.IsNull() || entry.m_nGeneration != m_nGeneration)
        return false;
    node = static_cast<Node*>(entry.m_pNode);
    const int count = static_cast<int>(node->items.size());
    if (entry.m_nHint >= 0 && entry.m_nHint < count &&
        node->items[size_t(entry.m_nHint)].serial == entry.m_nSerial) {
        item = entry.m_nHint;
        return true;
    }
    for (int i = 0; i < count; ++i)
        if (node->items[size_t(i)].serial == entry.m_nSerial) {
            entry.m_nHint = item = i;
            return true;
        }
    return false;
}

CCPTreeModel::CEntry CCPTreeModel::Entry(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return {};
    auto* owner = static_cast<Node*>(index.internalPointer());
    return MakeEntry(owner, ItemAt(owner, index.row()));
}

QModelIndex CCPTreeModel::Index(const CEntry& entry) const
{
    Node* node = nullptr;
    int item = 0;
    if (!Resolve(entry, node, item))
        return {};
    const int row = RowOf(node, item);
    return row < 0 ? QModelIndex() : createIndex(row, 0, node);
}

bool CCPTreeModel::IsAlive(const CEntry& entry) const
{
    Node* node = nullptr;
    int item = 0;
    return Resolve(entry, node, item);
}

CCPObject* CCPTreeModel::Record(const CEntry& entry) const
{
    Node* node = nullptr;
    int item = 0;
    return Resolve(entry, node, item) ? node->items[size_t(item)].record : nullptr;
}

QString CCPTreeModel::Label(const CEntry& entry) const
{
    Node* node = nullptr;
    int item = 0;
    if (!Resolve(entry, node, item))
        return {};
    if (node->kind == Node::kRoot)
        return QString::fromLatin1(kRootLabels[std::clamp(item, 0, 2)]);
    const Item& it = node->items[size_t(item)];
    std::string name;
    // An unnamed surface entry is labelled by the number it was given, not by its id.
    if (it.record->IsSurfaceRef() && !it.record->GetName(name))
        return Latin1ToQt(it.record->GetTypeName() + ' ' + std::to_string(it.number));
    return ItemLabel(it.record);
}

int CCPTreeModel::Number(const CEntry& entry) const
{
    Node* node = nullptr;
    int item = 0;
    return Resolve(entry, node, item) ? node->items[size_t(item)].number : 0;
}

CCPTreeModel::CEntry CCPTreeModel::Parent(const CEntry& entry) const
{
    Node* node = nullptr;
    int item = 0;
    if (!Resolve(entry, node, item) || !node->parent)
        return {};
    return MakeEntry(node->parent, node->item);
}

bool CCPTreeModel::HasRows(const CEntry& parent) const
{
    Node* owner = nullptr;
    int item = 0;
    if (!Resolve(parent, owner, item) || !owner->HoldsNodes())
        return false;
    const Node* node = owner->items[size_t(item)].node.get();
    return node && node->populated;
}

int CCPTreeModel::ChildCount(const CEntry& parent) const
{
    Node* node = Root();
    if (!parent.IsNull()) {
        Node* owner = nullptr;
        int item = 0;
        if (!Resolve(parent, owner, item) || !(node = ChildNode(owner, item)))
            return 0;
    }
    Populate(node);
    return static_cast<int>(node->items.size());
}

CCPTreeModel::CEntry CCPTreeModel::Child(const CEntry& parent, int position) const
{
    Node* node = Root();
    if (!parent.IsNull()) {
        Node* owner = nullptr;
        int item = 0;
        if (!Resolve(parent, owner, item) || !(node = ChildNode(owner, item)))
            return {};
    }
    Populate(node);
    if (position < 0 || position >= static_cast<int>(node->items.size()))
        return {};
    return MakeEntry(node, position);
}

int CCPTreeModel::Position(const CEntry& entry) const
{
    Node* node = nullptr;
    int item = -1;
    return Resolve(entry, node, item) ? item : -1;
}

CCPTreeModel::CEntry CCPTreeModel::FindChild(const CEntry& parent, const CCPObject* record) const
{
    if (!record)
        return {};
    const int count = ChildCount(parent);
    if (count == 0)
        return {};
    const CEntry first = Child(parent, 0);
    auto* node = static_cast<Node*>(first.m_pNode);
    for (int i = 0; i < count; ++i)
        if (node->items[size_t(i)].record == record)
            return MakeEntry(node, i);
    return {};
}

CCPTreeModel::CEntry CCPTreeModel::FindPanel(const CCPPanel* panel) const
{
    return panel ? FindChild(Root(0), panel) : CEntry();
}

void CCPTreeModel::Renumber(Node* node, int from)
{
    for (size_t i = size_t(std::max(from, 0)); i < node->items.size(); ++i)
        if (node->items[i].node)
            node->items[i].node->item = static_cast<int>(i);
}

CCPTreeModel::CEntry CCPTreeModel::Insert(const CEntry& parent, int position, CCPObject* record,
                                          int number)
{
    Node* owner = nullptr;
    int at = 0;
    Node* node = nullptr;
    if (!record || !Resolve(parent, owner, at) || !(node = ChildNode(owner, at)))
        return {};
    if (!node->populated) {
        // The rows come from the document, which lists the record by now (last, when it is
        // listed twice). Views hear of it as of a row inserted, so that a parent that had
        // no rows gets its expand mark.
        Populate(node);
        int at = static_cast<int>(node->items.size());
        while (--at >= 0 && node->items[size_t(at)].record != record) {
        }
        if (at >= 0) {
            if (IsFiltering()) {
                ShowItem(node, at);
            } else {
                Item made = std::move(node->items[size_t(at)]);
                node->items.erase(node->items.begin() + at);
                beginInsertRows(IndexOfNode(node), at, at);
                node->items.insert(node->items.begin() + at, std::move(made));
                endInsertRows();
            }
            return MakeEntry(node, at);
        }
    }
    const int count = static_cast<int>(node->items.size());
    if (position < 0 || position > count)
        position = count;

    if (!IsFiltering()) {
        const QModelIndex parentIndex = IndexOfNode(node);
        beginInsertRows(parentIndex, position, position);
        node->items.insert(node->items.begin() + position,
                           Item{record, number, m_nNextSerial++, nullptr});
        Renumber(node, position);
        endInsertRows();
        return MakeEntry(node, position);
    }
    // Under a filter the shown positions behind it move up by one; the new row is shown.
    node->items.insert(node->items.begin() + position,
                       Item{record, number, m_nNextSerial++, nullptr});
    Renumber(node, position);
    for (int& shown : node->shown)
        if (shown >= position)
            ++shown;
    ShowItem(node, position);
    return MakeEntry(node, position);
}

void CCPTreeModel::ShowItem(Node* node, int item)
{
    if (RowOf(node, item) >= 0)
        return;
    // Its parent first, so that the row has somewhere to be.
    if (node->parent)
        ShowItem(node->parent, node->item);
    const auto it = std::lower_bound(node->shown.begin(), node->shown.end(), item);
    const int row = static_cast<int>(it - node->shown.begin());
    beginInsertRows(IndexOfNode(node), row, row);
    node->shown.insert(it, item);
    endInsertRows();
}

void CCPTreeModel::Remove(const CEntry& entry)
{
    Node* node = nullptr;
    int item = 0;
    if (!Resolve(entry, node, item))
        return;
    const bool heldRows = node->items[size_t(item)].node != nullptr;
    const int row = RowOf(node, item);
    if (row >= 0)
        beginRemoveRows(IndexOfNode(node), row, row);
    node->items.erase(node->items.begin() + item);
    Renumber(node, item);
    if (IsFiltering()) {
        if (row >= 0)
            node->shown.erase(node->shown.begin() + row);
        for (int& shown : node->shown)
            if (shown > item)
                --shown;
    }
    if (heldRows)
        ++m_nGeneration; // entries below the row would point at its freed rows
    if (row >= 0)
        endRemoveRows();
}

void CCPTreeModel::RemoveChild(const CEntry& parent, const CCPObject* record)
{
    Node* owner = nullptr;
    int at = 0;
    if (!Resolve(parent, owner, at) || !owner->HoldsNodes())
        return;
    Node* node = ChildNode(owner, at);
    if (node->populated) {
        Remove(FindChild(parent, record));
    } else if (!HasRecordsFor(node)) {
        // Its last record went before its rows were made: views drop the expand mark.
        emit layoutAboutToBeChanged();
        emit layoutChanged();
    }
}

void CCPTreeModel::SetRecord(const CEntry& entry, CCPObject* record)
{
    Node* node = nullptr;
    int item = 0;
    if (!record || !Resolve(entry, node, item))
        return;
    node->items[size_t(item)].record = record;
    const int row = RowOf(node, item);
    if (row >= 0) {
        const QModelIndex index = createIndex(row, 0, node);
        emit dataChanged(index, index);
    }
}

void CCPTreeModel::Relabel(const CCPObject* record, const CCPPanel* panel)
{
    if (!record)
        return;
    // Only where the record can stand: the panels, the groups, the given panel; rows not made
    // yet will show the new label anyway.
    std::vector<Node*> nodes;
    Node* root = Root();
    for (auto& top : root->items)
        if (top.node && top.node->populated)
            nodes.push_back(top.node.get());
    if (const CEntry panelEntry = FindPanel(panel); !panelEntry.IsNull()) {
        Node* owner = static_cast<Node*>(panelEntry.m_pNode);
        Item& it = owner->items[size_t(Position(panelEntry))];
        if (it.node && it.node->populated)
            nodes.push_back(it.node.get());
    }
    for (Node* node : nodes)
        for (size_t i = 0; i < node->items.size(); ++i)
            if (node->items[i].record == record)
                if (const int row = RowOf(node, static_cast<int>(i)); row >= 0) {
                    const QModelIndex index = createIndex(row, 0, node);
                    emit dataChanged(index, index);
                }
}

// --- the filter ---

bool CCPTreeModel::MatchesRecord(const CCPObject* record, int number) const
{
    if (!record)
        return false;
    // The name, the type and the id (or, for an unnamed surface entry, its label's number)
    // are searched apart, so that a match never runs from one into the other.
    thread_local std::string text;
    text.clear();
    std::string name;
    const bool named = record->GetName(name);
    if (named) {
        AppendLower(text, name);
        if (text.find(m_strNeedle) != std::string::npos)
            return true;
        text.clear();
    }
    AppendLower(text, record->GetTypeName());
    text += ' ';
    char digits[16];
    const int value = record->IsSurfaceRef() && !named ? number : record->m_nId;
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    text.append(digits, end);
    return text.find(m_strNeedle) != std::string::npos;
}

bool CCPTreeModel::MatchesItem(const Node* node, int item) const
{
    // Of the roots only "Manager" stands for a record; it goes by that label or its name.
    if (node->kind == Node::kRoot) {
        std::string name, lower;
        if (item == 0 && node->items[0].record && node->items[0].record->GetName(name))
            AppendLower(lower, name);
        return item == 0 &&
               (std::string_view("manager").find(m_strNeedle) != std::string_view::npos ||
                lower.find(m_strNeedle) != std::string::npos);
    }
    const Item& it = node->items[size_t(item)];
    return MatchesRecord(it.record, it.number);
}

bool CCPTreeModel::ApplyFilter(Node* node)
{
    Populate(node);
    node->shown.clear();
    for (int i = 0; i < static_cast<int>(node->items.size()); ++i) {
        bool show = MatchesItem(node, i);
        if (node->HoldsNodes())
            show = ApplyFilter(ChildNode(node, i)) || show; // a row leading to matches is shown
        if (show)
            node->shown.push_back(i);
    }
    return !node->shown.empty();
}

void CCPTreeModel::SetFilter(const QString& text)
{
    const QString trimmed = text.trimmed();
    std::string needle;
    AppendLower(needle, QtToLatin1(trimmed));
    if (needle == m_strNeedle)
        return;
    beginResetModel();
    m_strFilter = trimmed;
    m_strNeedle = needle;
    if (IsFiltering()) {
        ApplyFilter(Root());
    } else {
        // Back to every row; the rows made for the search stay.
        std::vector<Node*> stack{Root()};
        while (!stack.empty()) {
            Node* node = stack.back();
            stack.pop_back();
            node->shown = std::vector<int>();
            for (Item& it : node->items)
                if (it.node)
                    stack.push_back(it.node.get());
        }
    }
    endResetModel();
}

QModelIndex CCPTreeModel::FirstMatch() const
{
    if (!IsFiltering())
        return {};
    // A number is first of all an id.
    int id = 0;
    const char* begin = m_strNeedle.data();
    const char* end = begin + m_strNeedle.size();
    const auto [ptr, ec] = std::from_chars(begin, end, id);
    if (ec == std::errc() && ptr == end) {
        QModelIndex exact;
        for (QModelIndex at = NextMatch({}, true), first = at; at.isValid() && !exact.isValid();) {
            auto* owner = static_cast<Node*>(at.internalPointer());
            const CCPObject* record = owner->items[size_t(ItemAt(owner, at.row()))].record;
            if (record && record->m_nId == id && !record->IsSurfaceRef())
                exact = at;
            at = NextMatch(at, true);
            if (at == first)
                break;
        }
        if (exact.isValid())
            return exact;
    }
    return NextMatch({}, true);
}

QModelIndex CCPTreeModel::NextMatch(const QModelIndex& from, bool forward) const
{
    if (!IsFiltering())
        return {};
    // Walks the shown rows in tree order, round the end, from the row after (or before) from.
    struct CAt
    {
        Node* node;
        int row;
    };
    auto shownCount = [this](const Node* node) { return RowCount(node); };
    auto childNode = [this](const CAt& at) -> Node* {
        Node* child = at.node->HoldsNodes() ? ChildNode(at.node, ItemAt(at.node, at.row)) : nullptr;
        return child && RowCount(child) > 0 ? child : nullptr;
    };
    auto last = [&](CAt at) {
        while (Node* child = childNode(at))
            at = CAt{child, shownCount(child) - 1};
        return at;
    };
    auto next = [&](CAt at) {
        if (Node* child = childNode(at))
            return CAt{child, 0};
        while (at.row + 1 >= shownCount(at.node) && at.node->parent)
            at = CAt{at.node->parent, RowOf(at.node->parent, at.node->item)};
        if (at.row + 1 < shownCount(at.node))
            return CAt{at.node, at.row + 1};
        return CAt{Root(), 0}; // round the end
    };
    auto previous = [&](CAt at) {
        if (at.row > 0)
            return last(CAt{at.node, at.row - 1});
        if (at.node->parent)
            return CAt{at.node->parent, RowOf(at.node->parent, at.node->item)};
        return last(CAt{Root(), shownCount(Root()) - 1});
    };

    if (shownCount(Root()) == 0)
        return {};
    CAt start;
    if (from.isValid() && from.model() == this)
        start = CAt{static_cast<Node*>(from.internalPointer()), from.row()};
    else if (forward)
        start = last(CAt{Root(), shownCount(Root()) - 1}); // so that the next row is the first
    else
        start = CAt{Root(), 0};
    CAt at = start;
    do {
        at = forward ? next(at) : previous(at);
        if (MatchesItem(at.node, ItemAt(at.node, at.row)))
            return createIndex(at.row, 0, at.node);
    } while (at.node != start.node || at.row != start.row);
    return {};
}

QModelIndexList CCPTreeModel::ShownParents() const
{
    QModelIndexList parents;
    if (!IsFiltering())
        return parents;
    Node* root = Root();
    for (int row = 0; row < static_cast<int>(root->shown.size()); ++row) {
        Node* top = root->items[size_t(root->shown[size_t(row)])].node.get();
        if (!top || top->shown.empty())
            continue;
        parents << createIndex(row, 0, root);
        for (int r = 0; r < static_cast<int>(top->shown.size()); ++r) {
            const Node* child =
                top->HoldsNodes() ? top->items[size_t(top->shown[size_t(r)])].node.get() : nullptr;
            if (child && !child->shown.empty())
                parents << createIndex(r, 0, top);
        }
    }
    return parents;
}
