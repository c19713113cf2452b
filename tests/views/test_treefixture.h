#pragma once

#include "ccommandtarget.h"
#include "ccpmanager.h"
#include "ccppanel.h"
#include "ccptree.h"
#include "irecordeditor.h"
#include "testcockpit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <vector>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

// Panel 100 (named Front) with two surface entries, a button view and objects 101, 102 and a
// missing 999; panel 200 lists 101 too; panel 300 is empty.
inline const char* const kCockpit = "// Name: Front\n"
                                    "#100 PANEL\n"
                                    "surfaces = 7 0 opaque 0 0 100 100;\n"
                                    "surfaces = 8 0 transparent 0 100 100 200;\n"
                                    "buttonviews = 103;\n"
                                    "objects = 101 102 999;\n"
                                    "#end\n"
                                    "#200 PANEL\n"
                                    "surfaces = 9 0 opaque 0 0 50 50;\n"
                                    "objects = 201 101;\n"
                                    "#end\n"
                                    "#300 PANEL\n"
                                    "#end\n"
                                    "#101 LIGHT\n"
                                    "destloc = transparent 10 20 30 40;\n"
                                    "#end\n"
                                    "// Name: Left MFD\n"
                                    "#102 LIGHT\n"
                                    "#end\n"
                                    "#201 LIGHT\n"
                                    "#end\n"
                                    "#103 BUTTONVIEW\n"
                                    "parentbutton = 1001\n"
                                    "#end\n"
                                    "#1 SOUND\n"
                                    "#end\n"
                                    "#1001 BUTTON\n"
                                    "#end\n";

// Answers every property sheet as told and remembers what it was asked to edit.
class CAnswerEditor : public IRecordEditor
{
public:
    int m_nAnswer = IDOK;
    std::vector<CCPObject*> m_aEdited;
    int EditProperties(CCPObject& record) override
    {
        m_aEdited.push_back(&record);
        if (m_nAnswer == IDOK)
            record.m_strComment += "// edited\r\n"; // as a sheet would change something
        return m_nAnswer;
    }
};

// Another view: remembers the hints it got.
class CHintLog : public IDocObserver
{
public:
    std::vector<int> m_aHints;
    void OnUpdate(IDocObserver*, int hint, CCPObject*) override { m_aHints.push_back(hint); }
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

    void Open(const char* text)
    {
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

    // The item at a path of labels from a root, such as "Front/Light 101" ("Front" being a
    // child of "Manager", as all panels are).
    QTreeWidgetItem* Item(const QString& path)
    {
        QStringList parts = path.split('/');
        QTreeWidgetItem* item = nullptr;
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            if (tree->topLevelItem(i)->text(0) == parts.front())
                item = tree->topLevelItem(i);
        if (!item) {
            item = tree->topLevelItem(0); // a panel
            parts.push_front("Manager");
        }
        for (int p = 1; item && p < parts.size(); ++p) {
            QTreeWidgetItem* next = nullptr;
            for (int i = 0; i < item->childCount() && !next; ++i)
                if (item->child(i)->text(0) == parts[p])
                    next = item->child(i);
            item = next;
        }
        EXPECT_NE(item, nullptr) << path.toStdString();
        return item;
    }

    QStringList Labels(QTreeWidgetItem* parent)
    {
        QStringList labels;
        const int n = parent ? parent->childCount() : tree->topLevelItemCount();
        for (int i = 0; i < n; ++i)
            labels << (parent ? parent->child(i) : tree->topLevelItem(i))->text(0);
        return labels;
    }

    QTreeWidgetItem* Selected()
    {
        const QList<QTreeWidgetItem*> items = tree->selectedItems();
        return items.isEmpty() ? nullptr : items.front();
    }

    void Select(QTreeWidgetItem* item) { tree->setCurrentItem(item); }

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

    QPoint Centre(QTreeWidgetItem* item)
    {
        if (!item)
            return {};
        for (QTreeWidgetItem* up = item->parent(); up; up = up->parent())
            up->setExpanded(true);
        tree->scrollToItem(item);
        const QRect rc = tree->visualItemRect(item);
        return QPoint(rc.left() + 30, rc.center().y());
    }

    void Mouse(QEvent::Type type, const QPoint& pos, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QWidget* viewport = tree->viewport();
        QMouseEvent event(type, QPointF(pos), QPointF(viewport->mapToGlobal(pos)), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
    }

    // Presses on from, moves over to; releases there unless Escape is pressed first.
    void Drag(QTreeWidgetItem* from, QTreeWidgetItem* to, bool escape = false)
    {
        tree->expandAll();
        if (!from || !to)
            return;
        const QPoint a = Centre(from);
        const QPoint b = Centre(to);
        Mouse(QEvent::MouseButtonPress, a, Qt::LeftButton, Qt::LeftButton);
        Mouse(QEvent::MouseMove, a + QPoint(12, 0), Qt::NoButton, Qt::LeftButton);
        Mouse(QEvent::MouseMove, b, Qt::NoButton, Qt::LeftButton);
        if (escape) {
            // The drag is on, showing where it would drop, until Escape.
            EXPECT_TRUE(tree->IsDragging());
            EXPECT_EQ(tree->DropHilite(), to);
            Key(tree.get(), Qt::Key_Escape);
            EXPECT_FALSE(tree->IsDragging());
            EXPECT_EQ(tree->DropHilite(), nullptr);
        }
        Mouse(QEvent::MouseButtonRelease, b, Qt::LeftButton, Qt::NoButton);
    }

    void DoubleClick(QTreeWidgetItem* item)
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

    QLineEdit* StartEdit(QTreeWidgetItem* item)
    {
        Centre(item);
        tree->editItem(item);
        return tree->viewport()->findChild<QLineEdit*>();
    }

    void FinishEdit(QLineEdit* edit, int key)
    {
        Key(edit, key);
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};
