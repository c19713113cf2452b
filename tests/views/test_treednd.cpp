// The tree model's drag and drop: the data a drag carries and what a drop does to the
// document, without a view in between.
#include "test_treefixture.h"

#include "ccptreemodel.h"

#include <QMimeData>

namespace {

class TreeModelDropTest : public TreeTest
{
protected:
    CCPTreeModel* model() { return tree->GetModel(); }

    std::unique_ptr<QMimeData> DataOf(const QModelIndex& row)
    {
        return std::unique_ptr<QMimeData>(model()->mimeData({row}));
    }
    bool CanDrop(const QMimeData* data, const QModelIndex& onto, int row = -1)
    {
        return model()->canDropMimeData(data, Qt::MoveAction, row, 0, onto);
    }
    bool Drop(const QMimeData* data, const QModelIndex& onto)
    {
        return model()->dropMimeData(data, Qt::MoveAction, -1, 0, onto);
    }
};

} // namespace

TEST_F(TreeModelDropTest, MimeDataThenDropMovesTheRecordAsOneUndoStep)
{
    Open(TreeCockpit());
    tree->expandAll();
    const std::string before = cockpit->Saved();
    CCPObject* light = doc().m_manager.FindObject(201);

    const std::unique_ptr<QMimeData> data = DataOf(Item("Panel 200/Light 201"));
    ASSERT_TRUE(data);
    EXPECT_TRUE(model()->mimeTypes().contains(data->formats().value(0)));
    const QModelIndex onto = Item("Front/Surface 1");
    ASSERT_TRUE(CanDrop(data.get(), onto));
    ASSERT_TRUE(Drop(data.get(), onto));

    // The record and its row moved: first among the objects of panel 100.
    EXPECT_EQ(Panel(100)->m_anObjects, std::vector<int>({201, 101, 102, 999}));
    EXPECT_EQ(Panel(200)->m_anObjects, std::vector<int>{101});
    EXPECT_EQ(Labels(Item("Front")), QStringList({"Surface 0", "Surface 1", "ButtonView 103",
                                                  "Light 201", "Light 101", "Left MFD"}));
    EXPECT_EQ(Labels(Item("Panel 200")), QStringList({"Surface 0", "Light 101"}));
    // The tree chooses it where it landed, and the document follows.
    EXPECT_EQ(Selected(), Item("Front/Light 201"));
    EXPECT_EQ(doc().m_pCurrentObject, light);
    EXPECT_EQ(doc().m_pCurrentPanel, Panel(100));

    EXPECT_EQ(doc().GetHistory().Count(), 1u);
    EXPECT_EQ(doc().UndoName(), "Move Light 201");
    ASSERT_TRUE(doc().Undo());
    EXPECT_EQ(cockpit->Saved(), before);
    EXPECT_EQ(Labels(Item("Panel 200")), QStringList({"Surface 0", "Light 201", "Light 101"}));
    // The data named one drag: it is spent.
    EXPECT_FALSE(CanDrop(data.get(), Item("Front/Light 101")));
}

TEST_F(TreeModelDropTest, ADropTheDocumentRefusesChangesNothing)
{
    Open(TreeCockpit());
    tree->expandAll();
    const std::string before = cockpit->Saved();
    const QStringList front = Labels(Item("Front"));
    const QStringList other = Labels(Item("Panel 200"));
    const std::unique_ptr<QMimeData> data = DataOf(Item("Front/Light 101"));
    ASSERT_TRUE(data);
    const QModelIndex onto = Item("Panel 200/Light 201");

    // While a property sheet is open its edit is under way: the document takes no move.
    bool dropped = true;
    editor.m_nAnswer = IDCANCEL;
    editor.m_fnWhileOpen = [&] {
        EXPECT_TRUE(CanDrop(data.get(), onto)); // the model alone would take it
        dropped = Drop(data.get(), onto);
    };
    doc().EditRecordProperties(Panel(300));
    EXPECT_FALSE(dropped);
    ASSERT_EQ(cockpit->ui.m_aBoxes.size(), 1u);
    EXPECT_NE(cockpit->ui.m_aBoxes[0].text.find("Close the open property sheet first"),
              std::string::npos);

    EXPECT_EQ(cockpit->Saved(), before);
    EXPECT_EQ(Labels(Item("Front")), front);
    EXPECT_EQ(Labels(Item("Panel 200")), other);
    EXPECT_FALSE(doc().CanUndo());
    EXPECT_FALSE(doc().IsModified());
}

TEST_F(TreeModelDropTest, OnlyItsOwnRowsDropAndOnlyOntoAPanelsRows)
{
    Open(TreeCockpit());
    tree->expandAll();
    const std::string before = cockpit->Saved();

    // Panels, the group rows and what they hold do not move: no data to drag.
    for (const char* fixed :
         {"Panel 200", "Manager", "Sounds", "Sounds/Sound 1", "Buttons/Button 1001"}) {
        EXPECT_FALSE(model()->flags(Item(fixed)) & Qt::ItemIsDragEnabled) << fixed;
        EXPECT_FALSE(DataOf(Item(fixed))) << fixed;
    }

    const std::unique_ptr<QMimeData> data = DataOf(Item("Front/Light 101"));
    ASSERT_TRUE(data);
    EXPECT_FALSE(CanDrop(data.get(), Item("Front/Light 101"))); // onto itself
    EXPECT_FALSE(CanDrop(data.get(), Item("Sounds/Sound 1")));  // among the sounds
    EXPECT_FALSE(CanDrop(data.get(), Item("Panel 300")));       // a childless panel
    EXPECT_FALSE(CanDrop(data.get(), QModelIndex()));           // below the last row
    EXPECT_FALSE(CanDrop(data.get(), Item("Panel 200"), 0));    // between two rows
    EXPECT_FALSE(model()->canDropMimeData(data.get(), Qt::CopyAction, -1, 0, Item("Panel 200")));
    EXPECT_TRUE(CanDrop(data.get(), Item("Panel 200")));

    // Data that looks alike but was not made by this model: another tree over the same
    // cockpit, or text from elsewhere.
    CCPTreeModel otherModel(&doc());
    const QModelIndex otherFront = otherModel.index(0, 0, otherModel.index(0, 0));
    const QModelIndex otherLight = otherModel.index(3, 0, otherFront);
    ASSERT_EQ(otherLight.data().toString(), "Light 101");
    const std::unique_ptr<QMimeData> foreign(otherModel.mimeData({otherLight}));
    ASSERT_TRUE(foreign);
    EXPECT_FALSE(CanDrop(foreign.get(), Item("Panel 200")));
    EXPECT_FALSE(Drop(foreign.get(), Item("Panel 200")));
    QMimeData forged;
    forged.setData(model()->mimeTypes().value(0), data->data(model()->mimeTypes().value(0)) + "0");
    EXPECT_FALSE(Drop(&forged, Item("Panel 200")));
    // Once the rows are made anew, the drag's row is gone.
    doc().UpdateAllViews(nullptr, Hint::Reload);
    EXPECT_FALSE(Drop(data.get(), Item("Panel 200")));

    EXPECT_EQ(cockpit->Saved(), before);
    EXPECT_FALSE(doc().CanUndo());
}
