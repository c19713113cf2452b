#pragma once

#include "ccommandtarget.h"
#include "ccpmanager.h"
#include "ccppanel.h"
#include "ccptree.h"
#include "irecordeditor.h"
#include "testcockpit.h"
#include "testdata.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <vector>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

// A row by its path of labels, "Manager/Front/Light 101".
inline void PrintTo(const QModelIndex& index, std::ostream* os)
{
    QStringList path;
    for (QModelIndex at = index; at.isValid(); at = at.parent())
        path.push_front(at.data().toString());
    *os << (index.isValid() ? path.join('/').toStdString() : std::string("(no row)"));
}

// Panel 100 (named Front) with two surface entries, a button view and objects 101, 102 and a
// missing 999; panel 200 lists 101 too; panel 300 is empty.
inline std::string TreeCockpit()
{
    return TestData("tree_three_panels.dat");
}

// Answers every property sheet as told and remembers what it was asked to edit; m_fnWhileOpen
// runs while the sheet is open.
class CAnswerEditor : public IRecordEditor
{
public:
    int m_nAnswer = IDOK;
    std::vector<CCPObject*> m_aEdited;
    std::function<void()> m_fnWhileOpen;
    int EditProperties(CCPObject& record) override
    {
        m_aEdited.push_back(&record);
        if (m_fnWhileOpen)
            m_fnWhileOpen();
        if (m_nAnswer == IDOK)
            record.m_strComment += "// edited\r\n"; // as a sheet would change something
        return m_nAnswer;
    }
};

// Another view: remembers the hints it got.
class CHintLog : public IDocObserver
{
public:
    std::vector<Hint> m_aHints;
    void OnUpdate(IDocObserver*, Hint hint, CCPObject*) override { m_aHints.push_back(hint); }
};

class TreeTest : public ::testing::Test
{
protected:
    std::unique_ptr<CTestCockpit> cockpit;
    CAnswerEditor editor;
    std::unique_ptr<CCPTree> tree;

    ~TreeTest() override
    {
        if (tree)
            cockpit->doc.RemoveObserver(tree.get());
        tree.reset();
    }

    void Open(const std::string& text)
    {
        // Nothing copied by an earlier test.
        QGuiApplication::clipboard()->clear();
        cockpit = std::make_unique<CTestCockpit>(text);
        cockpit->doc.SetRecordEditor(&editor);
        ASSERT_TRUE(cockpit->ui.m_aBoxes.empty()) << cockpit->ui.m_aBoxes.front().text;
        tree = std::make_unique<CCPTree>(&cockpit->doc);
        cockpit->doc.AddObserver(tree.get());
        tree->OnInitialUpdate();
        tree->resize(320, 700);
        tree->show();
    }

    CVireoDoc& doc() { return cockpit->doc; }
    CCPPanel* Panel(int id) { return doc().m_manager.FindPanel(id); }

    // The row at a path of labels from a root, such as "Front/Light 101" ("Front" being a
    // child of "Manager", as all panels are).
    QModelIndex Item(const QString& path)
    {
        QAbstractItemModel* model = tree->model();
        QStringList parts = path.split('/');
        QModelIndex item;
        for (int i = 0; i < model->rowCount(); ++i)
            if (model->index(i, 0).data().toString() == parts.front())
                item = model->index(i, 0);
        if (!item.isValid()) {
            item = Root(0); // a panel
            parts.push_front("Manager");
        }
        for (int p = 1; item.isValid() && p < parts.size(); ++p) {
            QModelIndex next;
            for (int i = 0; i < model->rowCount(item) && !next.isValid(); ++i)
                if (model->index(i, 0, item).data().toString() == parts[p])
                    next = model->index(i, 0, item);
            item = next;
        }
        EXPECT_TRUE(item.isValid()) << path.toStdString();
        return item;
    }

    // Root 0 "Manager", 1 "Buttons", 2 "Sounds".
    QModelIndex Root(int row) { return tree->model()->index(row, 0); }
    int ChildCount(const QModelIndex& parent) { return tree->model()->rowCount(parent); }

    QStringList Labels(const QModelIndex& parent)
    {
        QStringList labels;
        QAbstractItemModel* model = tree->model();
        for (int i = 0; i < model->rowCount(parent); ++i)
            labels << model->index(i, 0, parent).data().toString();
        return labels;
    }

    QModelIndex Selected() { return tree->SelectedItem(); }
    bool IsSelected(const QModelIndex& index) { return tree->selectionModel()->isSelected(index); }

    void Select(const QModelIndex& index) { tree->setCurrentIndex(index); }

    bool Enabled(int id)
    {
        CCmdUI ui(id);
        return tree->OnUpdateCommand(ui) && ui.m_bEnabled;
    }
    // True when the command was enabled (and so carried out).
    bool Run(int id)
    {
        const bool enabled = Enabled(id);
        tree->OnCommand(id);
        return enabled;
    }

    // --- mouse and keyboard, as the user would drive them ---

    QPoint Centre(const QModelIndex& item)
    {
        if (!item.isValid())
            return {};
        for (QModelIndex up = item.parent(); up.isValid(); up = up.parent())
            tree->expand(up);
        tree->scrollTo(item);
        const QRect rc = tree->visualRect(item);
        return QPoint(rc.left() + 30, rc.center().y());
    }

    void Mouse(QEvent::Type type, const QPoint& pos, Qt::MouseButton button,
               Qt::MouseButtons buttons)
    {
        QWidget* viewport = tree->viewport();
        QMouseEvent event(type, QPointF(pos), QPointF(viewport->mapToGlobal(pos)), button, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
    }

    // --- drag and drop, as the drag manager delivers it to the tree ---

    // A click chooses the row; the drag then carries what the model gives for the chosen rows
    // it lets go (null: the row does not move, no drag starts).
    std::unique_ptr<QMimeData> StartDrag(const QModelIndex& from)
    {
        const QPoint at = Centre(from);
        Mouse(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
        QModelIndexList dragged;
        for (const QModelIndex& index : tree->selectionModel()->selectedIndexes())
            if (tree->model()->flags(index) & Qt::ItemIsDragEnabled)
                dragged << index;
        if (dragged.isEmpty())
            return nullptr;
        return std::unique_ptr<QMimeData>(tree->model()->mimeData(dragged));
    }

    // The drag comes into the tree and over to.
    void DragOver(const QMimeData& data, const QModelIndex& to)
    {
        const QPoint at = Centre(to);
        QDragEnterEvent enter(at, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(tree->viewport(), &enter);
        QDragMoveEvent move(at, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(tree->viewport(), &move);
    }

    void DropOn(const QMimeData& data, const QModelIndex& to)
    {
        QDropEvent drop(QPointF(Centre(to)), Qt::MoveAction, &data, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(tree->viewport(), &drop);
    }

    // Escape: the drag leaves without dropping.
    void CancelDrag()
    {
        QDragLeaveEvent leave;
        QApplication::sendEvent(tree->viewport(), &leave);
    }

    // Drags from onto to and drops it there, unless Escape is pressed first.
    void Drag(const QModelIndex& from, const QModelIndex& to, bool escape = false)
    {
        tree->expandAll();
        if (!from.isValid() || !to.isValid())
            return;
        const std::unique_ptr<QMimeData> data = StartDrag(from);
        if (!data)
            return;
        DragOver(*data, to);
        if (escape) {
            // The drag is on, showing where it would drop, until Escape.
            EXPECT_TRUE(tree->IsDragging());
            EXPECT_EQ(tree->DropHilite(), to);
            CancelDrag();
            EXPECT_FALSE(tree->IsDragging());
            EXPECT_FALSE(tree->DropHilite().isValid());
            return;
        }
        DropOn(*data, to);
    }

    void DoubleClick(const QModelIndex& item)
    {
        const QPoint at = Centre(item);
        Mouse(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
        Mouse(QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    }

    static void Key(QObject* target, int key)
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(target, &release);
    }

    QLineEdit* StartEdit(const QModelIndex& item)
    {
        Centre(item);
        tree->edit(item);
        return tree->viewport()->findChild<QLineEdit*>();
    }

    void FinishEdit(QLineEdit* edit, int key)
    {
        Key(edit, key);
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};
