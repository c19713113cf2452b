#include "test_treefixture.h"

#include "ccpsurfaceref.h"

#include <QImage>

namespace {
std::vector<int> Ids(const std::vector<int>& ids)
{
    return ids;
}
} // namespace

TEST_F(TreeTest, CopyAndPasteAddACopyWithTheTargetPanelsNextIdAndTheName)
{
    Open(TreeCockpit());
    CCPObject* source = doc().m_manager.FindObject(101);
    Select(Item("Front/Light 101"));
    ASSERT_TRUE(Run(ID_EDIT_COPY));
    EXPECT_TRUE(Enabled(ID_EDIT_PASTE));

    // Onto another panel: last, at the same place, with the panel's next free id.
    Select(Item("Panel 200"));
    ASSERT_TRUE(Run(ID_EDIT_PASTE));
    EXPECT_EQ(Panel(200)->m_anObjects, Ids({201, 101, 202}));
    CCPObject* copy = doc().m_manager.FindObject(202);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, source);
    CRect a, b;
    ASSERT_TRUE(source->GetDestRect(&a));
    ASSERT_TRUE(copy->GetDestRect(&b));
    EXPECT_EQ(b, a);
    EXPECT_EQ(Labels(Item("Panel 200")),
              QStringList({"Surface 0", "Light 201", "Light 101", "Light 202"}));
    EXPECT_EQ(Selected(), Item("Panel 200/Light 202"));
    EXPECT_EQ(doc().m_pCurrentPanel, Panel(200));
    EXPECT_EQ(doc().m_pCurrentObject, copy);
    EXPECT_TRUE(doc().IsModified());
    EXPECT_EQ(Panel(100)->m_anObjects, Ids({101, 102, 999})); // the source stays

    // The clipboard keeps it: pasted again, another copy.
    ASSERT_TRUE(Run(ID_EDIT_PASTE));
    EXPECT_EQ(Labels(Item("Panel 200")).last(), "Light 203");

    // A named record's copy keeps the name.
    Select(Item("Front/Left MFD"));
    Run(ID_EDIT_COPY);
    Select(Item("Panel 300"));
    ASSERT_TRUE(Run(ID_EDIT_PASTE));
    EXPECT_EQ(Labels(Item("Panel 300")), QStringList({"Left MFD"}));
    EXPECT_EQ(Selected(), Item("Panel 300/Left MFD"));
}

TEST_F(TreeTest, CutTakesTheRecordOffAndPasteBringsItOntoAnotherPanel)
{
    Open(TreeCockpit());
    Select(Item("Front/Left MFD"));
    ASSERT_TRUE(Run(ID_EDIT_CUT));
    EXPECT_EQ(Panel(100)->m_anObjects, Ids({101, 999}));
    EXPECT_FALSE(Labels(Item("Front")).contains("Left MFD"));
    EXPECT_EQ(doc().UndoName(), "Cut Left MFD");

    Select(Item("Panel 200/Surface 0"));
    ASSERT_TRUE(Run(ID_EDIT_PASTE));
    EXPECT_EQ(Labels(Item("Panel 200")),
              QStringList({"Surface 0", "Light 201", "Light 101", "Left MFD"}));
    EXPECT_EQ(Selected(), Item("Panel 200/Left MFD"));
    EXPECT_EQ(doc().UndoName(), "Paste Left MFD");

    // A button view goes among the button views.
    Select(Item("Front/ButtonView 103"));
    ASSERT_TRUE(Run(ID_EDIT_CUT));
    EXPECT_TRUE(Panel(100)->m_anButtonViews.empty());
    Select(Item("Panel 200"));
    ASSERT_TRUE(Run(ID_EDIT_PASTE));
    ASSERT_EQ(Panel(200)->m_anButtonViews.size(), 1u);
    EXPECT_EQ(Labels(Item("Panel 200")).at(1),
              QStringLiteral("ButtonView %1").arg(Panel(200)->m_anButtonViews[0]));
}

// A surface entry is a piece of its panel, not a record that text can carry: Copy and Cut say
// so and change nothing; dragging moves it.
TEST_F(TreeTest, SurfaceEntriesAreNotCopiedOrCut)
{
    Open(TreeCockpit());
    const std::string before = cockpit->Saved();
    Select(Item("Front/Surface 1"));
    ASSERT_TRUE(Run(ID_EDIT_COPY));
    ASSERT_EQ(cockpit->ui.m_aBoxes.size(), 1u);
    EXPECT_NE(cockpit->ui.m_aBoxes[0].text.find("A surface entry cannot be copied"),
              std::string::npos);
    ASSERT_TRUE(Run(ID_EDIT_CUT));
    EXPECT_EQ(Panel(100)->m_aSurfaces.size(), 2u);
    EXPECT_EQ(cockpit->Saved(), before);
    EXPECT_FALSE(doc().IsModified());
}

// Paste reads the clipboard, not a row: a copied record that has gone since still pastes, and
// only a panel can take it.
TEST_F(TreeTest, PasteNeedsAPanelButNotTheCopiedRecord)
{
    Open(TreeCockpit());
    Select(Item("Front/Light 101"));
    Run(ID_EDIT_COPY);
    Run(ID_EDIT_CLEAR);
    EXPECT_FALSE(Labels(Item("Front")).contains("Light 101"));
    EXPECT_TRUE(Enabled(ID_EDIT_PASTE));
    ASSERT_TRUE(Run(ID_EDIT_PASTE));
    EXPECT_EQ(Labels(Item("Front")).last(), "Light 104");

    // Nothing chosen on any panel yet: nowhere to paste.
    Open(TreeCockpit());
    Select(Item("Sounds/Sound 1"));
    EXPECT_EQ(doc().m_pCurrentPanel, nullptr);
    EXPECT_FALSE(Enabled(ID_EDIT_PASTE));
}

TEST_F(TreeTest, DraggingMovesRecordsBetweenAndWithinPanels)
{
    Open(TreeCockpit());
    CCPObject* light = doc().m_manager.FindObject(201);

    // Onto a surface entry of another panel: first among that panel's objects, same id.
    Drag(Item("Panel 200/Light 201"), Item("Front/Surface 1"));
    EXPECT_FALSE(tree->IsDragging());
    EXPECT_EQ(Panel(100)->m_anObjects, Ids({201, 101, 102, 999}));
    EXPECT_EQ(Panel(200)->m_anObjects, Ids({101}));
    EXPECT_EQ(Labels(Item("Front")), QStringList({"Surface 0", "Surface 1", "ButtonView 103",
                                                  "Light 201", "Light 101", "Left MFD"}));
    EXPECT_EQ(doc().m_pCurrentPanel, Panel(100));
    EXPECT_EQ(doc().m_pCurrentObject, light);
    EXPECT_TRUE(doc().IsModified());

    // Onto the panel item itself: last, that is after the last object the tree shows.
    Drag(Item("Front/Light 201"), Item("Front"));
    EXPECT_EQ(Panel(100)->m_anObjects, Ids({101, 102, 201, 999}));
    EXPECT_EQ(Labels(Item("Front")).last(), "Light 201");

    // A button view dropped on a panel with surface entries but no button views: right after
    // the last surface entry.
    Drag(Item("Front/ButtonView 103"), Item("Panel 200"));
    EXPECT_EQ(Panel(200)->m_anButtonViews, Ids({103}));
    EXPECT_EQ(Labels(Item("Panel 200")), QStringList({"Surface 0", "ButtonView 103", "Light 101"}));

    // A surface entry dropped on an object goes behind the surface entries.
    Drag(Item("Front/Surface 0"), Item("Panel 200/Light 101"));
    EXPECT_EQ(Panel(200)->m_aSurfaces.size(), 2u);
    EXPECT_EQ(Labels(Item("Panel 200")),
              QStringList({"Surface 0", "Surface 0", "ButtonView 103", "Light 101"}));
}

TEST_F(TreeTest, DropsThatGoNowhereChangeNothing)
{
    Open(TreeCockpit());
    const std::string before = cockpit->Saved();
    const QStringList labels = Labels(Item("Front"));

    Drag(Item("Front/Light 101"), Item("Front/Light 101"));           // onto itself
    Drag(Item("Front/Light 101"), Item("Sounds/Sound 1"));            // among the sounds
    Drag(Item("Front/Light 101"), Item("Panel 300"));                 // a childless panel
    Drag(Item("Front/Light 101"), Item("Panel 200/Light 201"), true); // Escape first
    EXPECT_FALSE(tree->IsDragging());
    EXPECT_FALSE(tree->DropHilite().isValid());
    // Panels and the items outside panels are not dragged at all.
    Drag(Item("Panel 200"), Item("Front/Light 101"));
    Drag(Item("Sounds/Sound 1"), Item("Front/Light 101"));

    EXPECT_EQ(cockpit->Saved(), before);
    EXPECT_EQ(Labels(Item("Front")), labels);
    EXPECT_EQ(ChildCount(Item("Panel 300")), 0);
    EXPECT_FALSE(doc().IsModified());
}

// The tree drawn: icons and labels on their rows. VIREO_SHOT_DIR keeps the picture.
TEST_F(TreeTest, DrawsIconsAndLabels)
{
    Open(TreeCockpit());
    tree->resize(220, 330);
    tree->expandAll();
    Select(Item("Front/Left MFD"));
    const QImage shot = tree->grab().toImage();
    if (const QByteArray dir = qgetenv("VIREO_SHOT_DIR"); !dir.isEmpty())
        shot.save(QString::fromLocal8Bit(dir) + "/tree.png");

    // The sound's icon is drawn where its row puts it.
    const QRect row = tree->visualRect(Item("Sounds/Sound 1"));
    const QPoint offset = tree->viewport()->mapTo(tree.get(), QPoint(0, 0));
    int dark = 0;
    for (int y = row.top(); y <= row.bottom(); ++y)
        for (int x = row.left(); x < row.left() + 20; ++x)
            dark += qGray(shot.pixel(offset + QPoint(x, y))) < 128;
    EXPECT_GT(dark, 10);
}

// While dragging, the row under the cursor is marked as the drop target.
TEST_F(TreeTest, MarksTheDropTargetWhileDragging)
{
    Open(TreeCockpit());
    tree->expandAll();
    const QModelIndex target = Item("Panel 200/Light 201");
    const QModelIndex plain = Item("Panel 200/Light 101");
    const std::unique_ptr<QMimeData> data = StartDrag(Item("Front/Light 101"));
    ASSERT_TRUE(data);
    DragOver(*data, target);
    ASSERT_EQ(tree->DropHilite(), target);

    const QImage shot = tree->viewport()->grab().toImage();
    const auto rowColour = [&](const QModelIndex& item) {
        const QRect rc = tree->visualRect(item);
        return shot.pixel(rc.right() - 2, rc.center().y());
    };
    EXPECT_NE(rowColour(target), rowColour(plain));

    CancelDrag();
    const QImage after = tree->viewport()->grab().toImage();
    const QRect rc = tree->visualRect(target);
    EXPECT_EQ(after.pixel(rc.right() - 2, rc.center().y()), rowColour(plain));
}

// Undo and redo move records between lists; the tree makes its rows anew from the document
// and keeps what the user opened and chose.
TEST_F(TreeTest, UndoAndRedoRebuildTheRowsKeepingWhatWasOpenAndChosen)
{
    Open(TreeCockpit());
    Drag(Item("Panel 200/Light 201"), Item("Front/Surface 1"));
    ASSERT_EQ(Panel(100)->m_anObjects, Ids({201, 101, 102, 999}));
    Select(Item("Front/Left MFD"));
    ASSERT_TRUE(Run(ID_EDIT_COPY));
    tree->collapse(Item("Panel 200"));
    tree->collapse(Root(2));
    Select(Item("Buttons/Button 1001"));

    ASSERT_TRUE(doc().Undo());
    EXPECT_EQ(Labels(Item("Front")),
              QStringList({"Surface 0", "Surface 1", "ButtonView 103", "Light 101", "Left MFD"}));
    EXPECT_EQ(Labels(Item("Panel 200")), QStringList({"Surface 0", "Light 201", "Light 101"}));
    EXPECT_TRUE(tree->isExpanded(Root(0)));
    EXPECT_TRUE(tree->isExpanded(Item("Front")));
    // Undone, the moved record is shown back where it came from.
    EXPECT_TRUE(tree->isExpanded(Item("Panel 200")));
    EXPECT_EQ(Selected(), Item("Panel 200/Light 201"));
    EXPECT_TRUE(tree->isExpanded(Root(1)));
    EXPECT_FALSE(tree->isExpanded(Root(2)));

    ASSERT_TRUE(doc().Redo());
    EXPECT_EQ(Labels(Item("Front")).at(3), "Light 201");
    EXPECT_EQ(Selected(), Item("Front/Light 201"));
    Select(Item("Panel 200"));
    ASSERT_TRUE(Run(ID_EDIT_PASTE));
    EXPECT_EQ(Labels(Item("Panel 200")).last(), "Left MFD");

    // A new id from the sheet moves the record in every list: the row stays chosen, relabelled.
    struct CIdEditor : IRecordEditor
    {
        int EditProperties(CCPObject& record) override
        {
            record.m_nId = 150;
            return IDOK;
        }
    } renumber;
    doc().SetRecordEditor(&renumber);
    Select(Item("Front/Light 101"));
    ASSERT_TRUE(Run(ID_PROPERTIES));
    doc().SetRecordEditor(&editor);
    EXPECT_EQ(Panel(100)->m_anObjects, Ids({201, 150, 102, 999}));
    EXPECT_EQ(Selected(), Item("Front/Light 150"));
    EXPECT_EQ(Labels(Item("Panel 200")), QStringList({"Surface 0", "Light 150", "Left MFD"}));
    EXPECT_TRUE(tree->isExpanded(Item("Front")));

    // A rename comes back through its undo as well.
    const QLineEdit* none = nullptr;
    QLineEdit* edit = StartEdit(Item("Front/Light 150"));
    ASSERT_NE(edit, none);
    edit->setText("Gear Lamp");
    FinishEdit(edit, Qt::Key_Return);
    EXPECT_TRUE(Labels(Item("Front")).contains("Gear Lamp"));
    ASSERT_TRUE(doc().Undo());
    EXPECT_FALSE(Labels(Item("Front")).contains("Gear Lamp"));
    EXPECT_TRUE(Labels(Item("Front")).contains("Light 150"));
}

// The rows of a panel are made when somebody first asks for them; until then the document
// alone is what they will show, whatever was added meanwhile.
TEST_F(TreeTest, PanelsNeverOpenedShowTheDocumentWhenFirstOpened)
{
    Open(TreeCockpit());
    CCPTreeModel* model = tree->GetModel();
    EXPECT_FALSE(model->HasRows(model->FindPanel(Panel(200))));
    doc().SetCurrentPanel(Panel(200));
    cockpit->ui.m_nSelectAnswer = IDOK;
    cockpit->ui.m_nSelectCode = 0; // a surface entry: in its place, with its place's label
    ASSERT_TRUE(Run(ID_ADD_OBJECT));
    cockpit->ui.m_nSelectCode = 2;
    ASSERT_TRUE(Run(ID_ADD_OBJECT));
    EXPECT_FALSE(model->HasRows(model->FindPanel(Panel(100))));
    EXPECT_EQ(Labels(Item("Panel 200")),
              QStringList({"Surface 0", "Surface 1", "Light 201", "Light 101", "Light 203"}));
    EXPECT_TRUE(model->HasRows(model->FindPanel(Panel(200))));

    // An empty panel never opened gets its first record: the view hears of a new row, so
    // that the panel shows it can be opened.
    tree->expand(Root(0));
    int inserted = 0;
    QObject::connect(tree->model(), &QAbstractItemModel::rowsInserted, tree.get(),
                     [&](const QModelIndex& parent) { inserted += parent == Item("Panel 300"); });
    doc().SetCurrentPanel(Panel(300));
    ASSERT_TRUE(Run(ID_ADD_OBJECT));
    EXPECT_EQ(inserted, 1);
    EXPECT_TRUE(tree->model()->hasChildren(Item("Panel 300")));
    EXPECT_EQ(Labels(Item("Panel 300")), QStringList({"Light 301"}));

    // Removed before its panel was ever opened: not there when it is.
    doc().SetCurrentPanel(Panel(100));
    doc().SetCurrentObject(doc().m_manager.FindObject(102));
    ASSERT_TRUE(Run(ID_EDIT_CLEAR));
    EXPECT_EQ(Labels(Item("Front")),
              QStringList({"Surface 0", "Surface 1", "ButtonView 103", "Light 101"}));
}
