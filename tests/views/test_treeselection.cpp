// The tree and the document's selection: rows the user chooses with Ctrl and Shift become the
// selection, and a selection made elsewhere shows as rows, without either passing it back.
#include "test_treefixture.h"

#include "ccpbutton.h"
#include "ccpbuttonview.h"

#include <QItemSelectionModel>

namespace {

class TreeSelectionTest : public TreeTest
{
protected:
    // Panel 100 of tests/data/tree_panel_row.dat: button views 1, 2 and 3, lights 101 and 102.
    void OpenRow()
    {
        Open(TestData("tree_panel_row.dat"));
        tree->expandAll();
    }
    CCPObject* View(int id) { return doc().m_manager.FindButtonView(id); }
    CCPObject* Light(int id) { return doc().m_manager.FindObject(id); }

    void Click(const QModelIndex& item, Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        const QPoint at = Centre(item);
        QWidget* viewport = tree->viewport();
        const QPointF global(viewport->mapToGlobal(at));
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), global, Qt::LeftButton,
                          Qt::LeftButton, keys);
        QApplication::sendEvent(viewport, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), global, Qt::LeftButton,
                            Qt::NoButton, keys);
        QApplication::sendEvent(viewport, &release);
    }

    // The labels of the highlighted rows, top to bottom, with the current row's marked "*".
    QStringList Highlighted()
    {
        QModelIndexList rows = tree->selectionModel()->selectedRows();
        std::sort(rows.begin(), rows.end(), [this](const QModelIndex& a, const QModelIndex& b) {
            return tree->visualRect(a).top() < tree->visualRect(b).top();
        });
        QStringList labels;
        for (const QModelIndex& row : rows)
            labels << row.data().toString() + (row == tree->currentIndex() ? "*" : "");
        return labels;
    }

    const std::vector<CCPObject*>& Chosen() { return doc().GetSelection().Records(); }
    std::vector<CCPObject*> Sorted(std::vector<CCPObject*> records)
    {
        std::sort(records.begin(), records.end());
        return records;
    }
};

} // namespace

TEST_F(TreeSelectionTest, CtrlAndShiftClickedRowsOfAPanelBecomeTheSelection)
{
    OpenRow();
    Click(Item("Panel 100/ButtonView 2"));
    EXPECT_EQ(Chosen(), std::vector<CCPObject*>{View(2)});

    Click(Item("Panel 100/Light 101"), Qt::ControlModifier);
    EXPECT_EQ(Sorted(Chosen()), Sorted({View(2), Light(101)}));
    EXPECT_EQ(doc().m_pCurrentObject, Light(101)) << "the row clicked is the key";

    // Shift reaches from the row clicked without it to the one clicked with it.
    Click(Item("Panel 100/ButtonView 1"));
    Click(Item("Panel 100/Light 101"), Qt::ShiftModifier);
    EXPECT_EQ(Sorted(Chosen()), Sorted({View(1), View(2), View(3), Light(101)}));
    EXPECT_EQ(doc().m_pCurrentObject, Light(101));
    EXPECT_EQ(Highlighted(),
              QStringList({"ButtonView 1", "ButtonView 2", "ButtonView 3", "Light 101*"}));

    // Ctrl+click on a chosen row lets it go; the key moves to another chosen record.
    Click(Item("Panel 100/Light 101"), Qt::ControlModifier);
    EXPECT_EQ(Sorted(Chosen()), Sorted({View(1), View(2), View(3)}));
    EXPECT_TRUE(doc().IsSelected(doc().m_pCurrentObject));
    Click(Item("Panel 100/ButtonView 2"), Qt::ControlModifier);
    EXPECT_EQ(Sorted(Chosen()), Sorted({View(1), View(3)}));

    // A plain click on one of them chooses it alone.
    Click(Item("Panel 100/ButtonView 3"));
    EXPECT_EQ(Chosen(), std::vector<CCPObject*>{View(3)});
    EXPECT_EQ(Highlighted(), QStringList({"ButtonView 3*"}));
    EXPECT_FALSE(doc().IsModified()) << "choosing is no edit";
}

TEST_F(TreeSelectionTest, ARowThatIsNoPanelRecordIsChosenAlone)
{
    OpenRow();
    Click(Item("Panel 100/ButtonView 1"));
    Click(Item("Panel 100/ButtonView 3"), Qt::ControlModifier);
    ASSERT_EQ(Chosen().size(), 2u);

    // A panel's row: the panel alone, nothing of its records.
    Click(Item("Panel 200"), Qt::ControlModifier);
    EXPECT_EQ(doc().m_pCurrentObject, Panel(200));
    EXPECT_TRUE(Chosen().empty());
    EXPECT_EQ(Highlighted(), QStringList({"Panel 200*"}));

    // A record of another panel switches to that panel; the other panel's rows are let go.
    Click(Item("Panel 100/Light 102"));
    Click(Item("Panel 200/Light 201"), Qt::ControlModifier);
    EXPECT_EQ(doc().m_pCurrentPanel, Panel(200));
    EXPECT_EQ(Chosen(), std::vector<CCPObject*>{Light(201)});
    EXPECT_EQ(Highlighted(), QStringList({"Light 201*"}));

    // A parent button and the manager, as ever.
    Click(Item("Buttons/Button 1001"), Qt::ControlModifier);
    EXPECT_EQ(doc().m_pCurrentObject, doc().m_manager.FindButton(1001));
    EXPECT_EQ(Highlighted(), QStringList({"Button 1001*"}));
    Click(Item("Manager"), Qt::ShiftModifier);
    EXPECT_EQ(doc().m_pCurrentObject, &doc().m_manager);
    EXPECT_EQ(Highlighted(), QStringList({"Manager*"}));
}

TEST_F(TreeSelectionTest, ASelectionMadeElsewhereShowsAsRowsAndIsNotPassedBack)
{
    OpenRow();
    CHintLog log;
    doc().AddObserver(&log);
    doc().SetCurrentPanel(Panel(100));
    log.m_aHints.clear();

    // Rows apart from each other still arrive as one change of the tree's selection.
    int changes = 0;
    QObject::connect(tree->selectionModel(), &QItemSelectionModel::selectionChanged,
                     [&changes] { ++changes; });
    doc().Select({View(1), View(3), Light(102)}, View(3));
    EXPECT_EQ(Highlighted(), QStringList({"ButtonView 1", "ButtonView 3*", "Light 102"}));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(log.m_aHints, std::vector<Hint>{Hint::CurrentObject}) << "nothing came back";
    EXPECT_EQ(Sorted(Chosen()), Sorted({View(1), View(3), Light(102)}));
    EXPECT_EQ(doc().m_pCurrentObject, View(3));

    doc().SelectAll();
    EXPECT_EQ(Highlighted(), QStringList({"ButtonView 1", "ButtonView 2", "ButtonView 3*",
                                          "Light 101", "Light 102"}));
    doc().SetCurrentObject(Light(101));
    EXPECT_EQ(Highlighted(), QStringList({"Light 101*"}));
    doc().ClearSelection();
    EXPECT_TRUE(Highlighted().isEmpty());
    doc().SetCurrentObject(doc().m_manager.FindButton(1001));
    EXPECT_EQ(Highlighted(), QStringList({"Button 1001*"}));
    doc().RemoveObserver(&log);
}

TEST_F(TreeSelectionTest, RowsTheFilterHidesStaySelectedInTheDocument)
{
    OpenRow();
    doc().SetCurrentPanel(Panel(100));
    tree->SetFilter("light");
    doc().SelectAll();
    // Only the lights show; the button views stay chosen all the same.
    EXPECT_EQ(Highlighted(), QStringList({"Light 101", "Light 102*"}));
    EXPECT_EQ(Chosen().size(), 5u);

    tree->SetFilter(QString());
    EXPECT_EQ(Chosen().size(), 5u);
    EXPECT_EQ(Highlighted().size(), 5);
}

TEST_F(TreeSelectionTest, ClicksThatChooseNoOtherRowKeepTheSelection)
{
    OpenRow();
    doc().SetCurrentPanel(Panel(100));
    doc().Select({View(1), View(2), View(3)}, View(1));
    const QPoint at = Centre(Item("Panel 100/ButtonView 2"));
    Mouse(QEvent::MouseButtonPress, at, Qt::RightButton, Qt::RightButton);
    Mouse(QEvent::MouseButtonRelease, at, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(Chosen().size(), 3u);
    // The context menu acts on the row clicked.
    EXPECT_EQ(CCPTree::ItemRecord(tree->SelectedItem()), View(2));

    // A click below the last row.
    tree->collapseAll();
    const QPoint below(40, tree->viewport()->height() - 5);
    ASSERT_FALSE(tree->indexAt(below).isValid());
    Mouse(QEvent::MouseButtonPress, below, Qt::LeftButton, Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, below, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(Chosen().size(), 3u);
    EXPECT_EQ(tree->selectionModel()->selectedRows().size(), 3);

    // On a row outside the selection it chooses that row alone.
    const QPoint light = Centre(Item("Panel 100/Light 101"));
    Mouse(QEvent::MouseButtonPress, light, Qt::RightButton, Qt::RightButton);
    Mouse(QEvent::MouseButtonRelease, light, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(Chosen(), std::vector<CCPObject*>{Light(101)});
}

TEST_F(TreeSelectionTest, RowsMadeAnewKeepTheSelection)
{
    OpenRow();
    doc().SetCurrentPanel(Panel(100));
    doc().Select({View(2), Light(101)}, Light(101));
    // As after an undo that put records back into their lists.
    doc().UpdateAllViews(nullptr, Hint::Reload);
    EXPECT_EQ(Sorted(Chosen()), Sorted({View(2), Light(101)}));
    EXPECT_EQ(Highlighted(), QStringList({"ButtonView 2", "Light 101*"}));
}
