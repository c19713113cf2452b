#include "crecordspalette.h"

#include "ccptreeicons.h"
#include "crecorddrag.h"
#include "cvireodoc.h"
#include "placeabletypes.h"
#include "recordtypes.h"

#include <QDrag>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace {
constexpr int kCodeRole = Qt::UserRole;
} // namespace

QSize CRecordTypeList::sizeHint() const
{
    const int row = std::max(sizeHintForRow(0), iconSize().height()) + 2 * spacing();
    return QSize(QListWidget::sizeHint().width(), 2 * row + 2 * frameWidth() + 2);
}

QStringList CRecordTypeList::mimeTypes() const
{
    return {QString::fromLatin1(kRecordTypeMime)};
}

QMimeData* CRecordTypeList::mimeData(const QList<QListWidgetItem*>& items) const
{
    if (items.isEmpty())
        return nullptr;
    return MakeRecordTypeMime(CRecordsPalette::TypeCode(items.front()));
}

void CRecordTypeList::startDrag(Qt::DropActions)
{
    QListWidgetItem* item = currentItem();
    if (!item || !(item->flags() & Qt::ItemIsDragEnabled))
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(mimeData({item}));
    drag->setPixmap(item->icon().pixmap(iconSize()));
    drag->exec(Qt::CopyAction);
}

void CRecordTypeList::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem() &&
        m_fnActivate) {
        m_fnActivate(currentItem());
        return;
    }
    QListWidget::keyPressEvent(event);
}

CRecordsPalette::CRecordsPalette(CVireoDoc* doc, QWidget* parent)
    : QDockWidget(QStringLiteral("Records"), parent), m_pDoc(doc)
{
    setObjectName(QStringLiteral("recordsPalette"));
    QAction* toggle = toggleViewAction();
    toggle->setText(QStringLiteral("&Records"));
    toggle->setStatusTip(
        QStringLiteral("Show or hide the palette of record types to drag onto the panel"));

    // The types Add Object offers, in its order.
    const std::vector<const CRecordType*> types = PlaceableTypesByName();

    m_pList = new CRecordTypeList;
    m_pList->setObjectName(QStringLiteral("recordTypes"));
    m_pList->setIconSize(QSize(CCPTreeIcons::kWidth, CCPTreeIcons::kHeight));
    m_pList->setDragEnabled(true);
    m_pList->setDragDropMode(QAbstractItemView::DragOnly);
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    // A row of types below the panes, as many rows as the width needs; one column at a side.
    m_pList->setFlow(QListView::LeftToRight);
    m_pList->setWrapping(true);
    m_pList->setResizeMode(QListView::Adjust);
    m_pList->setSpacing(2);
    for (const CRecordType* type : types) {
        auto* item = new QListWidgetItem(CCPTreeIcons::Icon(type->image),
                                         QString::fromLatin1(type->name), m_pList);
        item->setData(kCodeRole, type->newCode);
        if (!type->create) {
            // Listed as Add Object lists it, to say where a buffer comes from.
            item->setFlags(Qt::ItemIsSelectable);
            item->setToolTip(QStringLiteral("A Buffer is not added on its own: a panel's first "
                                            "Surface brings its Buffer, asking for the picture "
                                            "file."));
        } else {
            item->setToolTip(
                QStringLiteral("Drag onto the panel, or double-click to add a %1 in the middle "
                               "of the panel in view")
                    .arg(QString::fromLatin1(type->name)));
        }
    }
    m_pList->m_fnActivate = [this](QListWidgetItem* item) {
        if (m_fnAdd && (item->flags() & Qt::ItemIsEnabled) && m_pDoc->m_pCurrentPanel)
            m_fnAdd(TypeCode(item));
    };
    connect(m_pList, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { m_pList->m_fnActivate(item); });

    m_pHint = new QLabel(QStringLiteral("Choose a panel in the tree (or Edit > Add Panel) to "
                                        "put records on it."));
    m_pHint->setObjectName(QStringLiteral("recordsHint"));
    m_pHint->setWordWrap(true);
    m_pHint->setMargin(4);

    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pHint);
    layout->addWidget(m_pList, 1);
    setWidget(body);

    m_pDoc->AddObserver(this);
    ShowPanelState();
}

CRecordsPalette::~CRecordsPalette()
{
    m_pDoc->RemoveObserver(this);
}

int CRecordsPalette::TypeCode(const QListWidgetItem* item)
{
    return item ? item->data(kCodeRole).toInt() : -1;
}

void CRecordsPalette::ShowPanelState()
{
    const bool panel = m_pDoc->m_pCurrentPanel != nullptr;
    m_pHint->setVisible(!panel);
    m_pList->setEnabled(panel);
}
