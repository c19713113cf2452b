#include "ccptreepane.h"

#include "ccptree.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

CCPTreePane::CCPTreePane(CCPTree* tree, QWidget* parent) : QWidget(parent), m_pTree(tree)
{
    m_pFind = new QLineEdit(this);
    m_pFind->setObjectName(QStringLiteral("find"));
    m_pFind->setPlaceholderText(QStringLiteral("Find (Ctrl+F)"));
    m_pFind->setToolTip(QStringLiteral("Shows the records whose id, name or type holds the text.\n"
                                       "Enter: first match. F3, Shift+F3: next, previous. "
                                       "Escape: all records again."));
    m_pFind->setClearButtonEnabled(true);
    m_pFind->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_pFind);
    layout->addWidget(tree, 1);
    // Focusing the pane (Next Pane, a click on its edge) focuses the tree.
    setFocusProxy(tree);
    tree->installEventFilter(this);

    connect(m_pFind, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_pTree->SetFilter(text);
        ShowWhetherFound();
    });
    // A new cockpit clears the filter: the field follows.
    connect(tree, &CCPTree::FilterChanged, this, [this](const QString& text) {
        if (m_pFind->text().trimmed() != text) {
            const QSignalBlocker blocker(m_pFind);
            m_pFind->setText(text);
        }
        ShowWhetherFound();
    });

    // Actions rather than bare shortcuts, so that the Edit menu can show them with their keys.
    auto command = [this](const QString& text, const QString& tip, QKeySequence keys, auto slot) {
        auto* action = new QAction(text, this);
        action->setStatusTip(tip);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
    };
    command(QStringLiteral("&Find..."), QStringLiteral("Find records by id, name or type"),
            QKeySequence(Qt::CTRL | Qt::Key_F), [this] { Find(); });
    command(QStringLiteral("Find &Next"), QStringLiteral("Select the next record found"),
            QKeySequence(Qt::Key_F3), [this] { FindNext(true); });
    command(QStringLiteral("Find &Previous"), QStringLiteral("Select the previous record found"),
            QKeySequence(Qt::SHIFT | Qt::Key_F3), [this] { FindNext(false); });
}

void CCPTreePane::Find()
{
    m_pFind->setFocus(Qt::ShortcutFocusReason);
    m_pFind->selectAll();
}

void CCPTreePane::FindNext(bool forward)
{
    if (m_pTree->Filter().isEmpty())
        Find();
    else
        m_pTree->SelectNextMatch(forward);
}

void CCPTreePane::ShowWhetherFound()
{
    // A search that finds nothing tints the field, as browsers do.
    const bool none = !m_pTree->Filter().isEmpty() && m_pTree->model()->rowCount() == 0;
    QPalette palette = QApplication::palette(m_pFind);
    if (none)
        palette.setColor(QPalette::Base, QColor(255, 214, 214));
    m_pFind->setPalette(palette);
}

bool CCPTreePane::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool plain =
        !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (watched == m_pFind && plain) {
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            m_pTree->SelectFirstMatch();
            return true;
        case Qt::Key_Down:
            m_pTree->setFocus(Qt::TabFocusReason);
            return true;
        case Qt::Key_Escape:
            m_pFind->clear();
            m_pTree->setFocus(Qt::OtherFocusReason);
            return true;
        default:
            break;
        }
    } else if (watched == m_pTree && key->key() == Qt::Key_Escape && plain &&
               !m_pTree->Filter().isEmpty()) {
        // Escape in the filtered tree shows every record again, the chosen one in view.
        m_pFind->clear();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
