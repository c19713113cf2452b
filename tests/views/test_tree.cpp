#include "test_treefixture.h"

#include "cdialogrunner.h"

#include "ccpbuttonview.h"
#include "ccpsound.h"
#include "ccpsurfaceref.h"

#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>

// The tree after opening: the three roots, panels in file order with their surface entries
// (by position), button views and objects (ids without a record are left out), names where
// the comment gives one.
TEST_F(TreeTest, ShowsTheCockpitStructureAfterOpening)
{
    Open(TreeCockpit());
    ASSERT_EQ(tree->model()->rowCount(), 3);
    EXPECT_EQ(Labels(QModelIndex()), QStringList({"Manager", "Buttons", "Sounds"}));
    const QModelIndex manager = Root(0);
    EXPECT_EQ(CCPTree::ItemRecord(manager), &doc().m_manager);
    EXPECT_EQ(CCPTree::ItemRecord(Root(1)), nullptr);
    EXPECT_EQ(CCPTree::ItemRecord(Root(2)), nullptr);
    EXPECT_EQ(Labels(manager), QStringList({"Front", "Panel 200", "Panel 300"}));
    EXPECT_EQ(Labels(Item("Front")),
              QStringList({"Surface 0", "Surface 1", "ButtonView 103", "Light 101", "Left MFD"}));
    EXPECT_EQ(Labels(Item("Panel 200")), QStringList({"Surface 0", "Light 201", "Light 101"}));
    EXPECT_EQ(ChildCount(Item("Panel 300")), 0);
    EXPECT_EQ(Labels(Root(1)), QStringList({"Button 1001"}));
    EXPECT_EQ(Labels(Root(2)), QStringList({"Sound 1"}));
    EXPECT_EQ(CCPTree::ItemRecord(Item("Front/Surface 1")), Panel(100)->m_aSurfaces[1].get());
    EXPECT_EQ(CCPTree::ItemRecord(Item("Front/Left MFD")), doc().m_manager.FindObject(102));

    // Nothing is opened or chosen yet, and the document is left alone.
    EXPECT_FALSE(tree->isExpanded(manager));
    EXPECT_FALSE(Selected().isValid());
    EXPECT_EQ(doc().m_pCurrentPanel, nullptr);
    EXPECT_EQ(doc().m_pCurrentObject, nullptr);

    // Only items with a record can be renamed.
    EXPECT_TRUE(Item("Front/Light 101").flags() & Qt::ItemIsEditable);
    EXPECT_FALSE(Root(2).flags() & Qt::ItemIsEditable);
}

TEST_F(TreeTest, ChoosingAnItemSetsTheCurrentPanelAndRecord)
{
    Open(TreeCockpit());
    Select(Item("Front"));
    EXPECT_EQ(doc().m_pCurrentPanel, Panel(100));
    EXPECT_EQ(doc().m_pCurrentObject, Panel(100));

    // An object of another panel switches the panel too.
    Select(Item("Panel 200/Light 201"));
    EXPECT_EQ(doc().m_pCurrentPanel, Panel(200));
    EXPECT_EQ(doc().m_pCurrentObject, doc().m_manager.FindObject(201));

    // A sound, a button or the manager keep the panel.
    Select(Item("Sounds/Sound 1"));
    EXPECT_EQ(doc().m_pCurrentPanel, Panel(200));
    EXPECT_EQ(doc().m_pCurrentObject, doc().m_manager.FindSound(1));
    Select(Item("Manager"));
    EXPECT_EQ(doc().m_pCurrentObject, &doc().m_manager);

    // The group items change nothing.
    Select(Root(1));
    EXPECT_EQ(doc().m_pCurrentPanel, Panel(200));
    EXPECT_EQ(doc().m_pCurrentObject, &doc().m_manager);
}

TEST_F(TreeTest, LabelsStayWhenTheUserClicksFromItemToItem)
{
    Open(TreeCockpit());
    doc().m_manager.SetName("My Cockpit");
    auto click = [&](const QModelIndex& item) {
        const QPoint at = Centre(item);
        Mouse(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    };
    // The manager's row shows the name given to it, as every record's row does, and keeps it
    // while the user clicks about.
    click(Root(0));
    ASSERT_EQ(doc().m_pCurrentObject, &doc().m_manager);
    click(Item("Front"));
    click(Item("Panel 200"));
    EXPECT_EQ(Root(0).data().toString(), QStringLiteral("My Cockpit"));

    // An unnamed surface entry keeps the label of its place in the panel.
    click(Item("Front/Surface 1"));
    click(Item("Front/Light 101"));
    EXPECT_EQ(Labels(Item("Front")),
              QStringList({"Surface 0", "Surface 1", "ButtonView 103", "Light 101", "Left MFD"}));
}

TEST_F(TreeTest, PickingElsewhereSelectsTheItemUnderTheCurrentPanel)
{
    Open(TreeCockpit());
    doc().SetCurrentPanel(Panel(100));
    doc().SetCurrentObject(doc().m_manager.FindObject(102));
    EXPECT_EQ(Selected(), Item("Front/Left MFD"));
    // Light 101 is listed by both panels: the item of the current one is chosen.
    doc().SetCurrentPanel(Panel(200));
    doc().SetCurrentObject(doc().m_manager.FindObject(101));
    EXPECT_EQ(Selected(), Item("Panel 200/Light 101"));
    // A record that the current panel does not list is not shown as selected.
    doc().SetCurrentObject(doc().m_manager.FindObject(102));
    EXPECT_FALSE(Selected().isValid());
    EXPECT_EQ(doc().m_pCurrentObject, doc().m_manager.FindObject(102));
}

// Every addition reaches the tree through its hint; removal takes only the current panel's item.
TEST_F(TreeTest, FollowsAdditionsAndRemovalsByHint)
{
    Open(TreeCockpit());
    cockpit->ui.m_nSelectAnswer = IDOK;
    cockpit->ui.m_nSelectCode = 2;        // Light
    EXPECT_FALSE(Enabled(ID_ADD_OBJECT)); // no panel chosen yet
    Select(Item("Front"));
    ASSERT_TRUE(Run(ID_ADD_OBJECT));
    EXPECT_EQ(Labels(Item("Front")).last(), "Light 104");
    // A surface entry goes behind the panel's other entries, and shows its id until the next
    // rebuild.
    cockpit->ui.m_nSelectCode = 0;
    ASSERT_TRUE(Run(ID_ADD_OBJECT));
    EXPECT_EQ(Labels(Item("Front")),
              QStringList({"Surface 0", "Surface 1", "Surface 105", "ButtonView 103", "Light 101",
                           "Left MFD", "Light 104"}));

    ASSERT_TRUE(Run(ID_ADD_SOUND));
    ASSERT_TRUE(Run(ID_ADD_BUTTON));
    EXPECT_EQ(Labels(Root(1)), QStringList({"Button 1001", "Button 1002"}));
    EXPECT_EQ(Labels(Root(2)), QStringList({"Sound 1", "Sound 2"}));
    ASSERT_TRUE(Run(ID_ADD_PANEL));
    EXPECT_EQ(Labels(Root(0)), QStringList({"Front", "Panel 200", "Panel 300", "Panel 400"}));
    EXPECT_TRUE(IsSelected(Item("Panel 400")));

    // Duplicate lands last on the current panel, without the name.
    Select(Item("Front/Left MFD"));
    ASSERT_TRUE(Run(ID_DUPLICATE));
    EXPECT_EQ(Labels(Item("Front")).last(), "Light 106");

    // Delete of an object two panels list: the other panel keeps it.
    Select(Item("Front/Light 101"));
    ASSERT_TRUE(Run(ID_EDIT_CLEAR));
    EXPECT_FALSE(Labels(Item("Front")).contains("Light 101"));
    EXPECT_TRUE(Labels(Item("Panel 200")).contains("Light 101"));
    EXPECT_FALSE(Selected().isValid());
    EXPECT_EQ(doc().m_pCurrentObject, nullptr);
}

TEST_F(TreeTest, CommandsAreEnabledByTheirRules)
{
    Open(TreeCockpit());
    CCmdUI refresh(ID_VIEW_REFRESH);
    EXPECT_FALSE(tree->OnUpdateCommand(refresh)); // not the tree's: disabled while it is active
    EXPECT_FALSE(Enabled(ID_EDIT_PASTE));
    EXPECT_FALSE(Enabled(ID_EDIT_COPY)); // nothing selected
    EXPECT_TRUE(Enabled(ID_ADD_PANEL));
    EXPECT_TRUE(Enabled(ID_PROPERTIES));

    Select(Item("Front"));
    EXPECT_FALSE(Enabled(ID_EDIT_COPY));
    EXPECT_FALSE(Enabled(ID_EDIT_CUT));
    EXPECT_FALSE(Enabled(ID_EDIT_CLEAR)); // a panel is never deleted
    Select(Root(2));
    EXPECT_FALSE(Enabled(ID_EDIT_COPY));
    Select(Item("Panel 300"));
    EXPECT_FALSE(Enabled(ID_EDIT_COPY)); // a panel, even an empty one, is no panel's record
    Select(Item("Front/Light 101"));
    EXPECT_TRUE(Enabled(ID_EDIT_CUT));
    EXPECT_TRUE(Enabled(ID_EDIT_CLEAR));
    EXPECT_TRUE(Enabled(ID_DUPLICATE));

    // A sound's id equals nothing on the panel that Delete could take.
    Select(Item("Sounds/Sound 1"));
    EXPECT_FALSE(Enabled(ID_EDIT_CLEAR));
    Run(ID_EDIT_CLEAR); // disabled: nothing happens
    EXPECT_EQ(Labels(Item("Front")).size(), 5);
    EXPECT_FALSE(doc().IsModified());

    // The context menu offers the same commands in the same state.
    Select(Item("Front/Light 101"));
    std::unique_ptr<QMenu> menu = tree->CreateContextMenu();
    QStringList texts;
    for (QAction* a : menu->actions())
        if (!a->isSeparator())
            texts << a->text() + (a->isEnabled() ? "" : " (off)");
    EXPECT_EQ(texts, QStringList({"&Add Object", "Add Sound", "Add Parent Button", "Duplicate",
                                  "Cu&t", "&Copy", "&Paste (off)", "&Delete", "Rena&me\tF2",
                                  "&Next State\tAlt+N", "Properties\tALT+RET"}));
}

TEST_F(TreeTest, PropertiesAndNextStateTellTheOtherViews)
{
    Open(TreeCockpit());
    CHintLog log;
    doc().AddObserver(&log);
    Select(Item("Front/Light 101"));
    log.m_aHints.clear();

    editor.m_nAnswer = IDCANCEL;
    Run(ID_PROPERTIES);
    EXPECT_EQ(editor.m_aEdited.back(), doc().m_manager.FindObject(101));
    EXPECT_FALSE(doc().IsModified());
    EXPECT_TRUE(log.m_aHints.empty());

    editor.m_nAnswer = IDOK;
    DoubleClick(Item("Front/Left MFD"));
    EXPECT_EQ(editor.m_aEdited.back(), doc().m_manager.FindObject(102));
    EXPECT_TRUE(doc().IsModified());
    EXPECT_EQ(log.m_aHints.back(), Hint::Refresh);

    doc().MarkSaved();
    log.m_aHints.clear();
    Run(ID_NEXT_STATE);
    EXPECT_EQ(log.m_aHints, std::vector<Hint>({Hint::Refresh}));
    EXPECT_FALSE(doc().IsModified());
    doc().RemoveObserver(&log);
}

// Accepting a label edit names the record; Escape leaves it as it was.
TEST_F(TreeTest, LabelEditRenamesOnlyWhenAccepted)
{
    Open(TreeCockpit());
    CCPObject* light = doc().m_manager.FindObject(101);
    const QModelIndex item = Item("Front/Light 101");

    QLineEdit* edit = StartEdit(item);
    ASSERT_NE(edit, nullptr);
    edit->setText("Gear Lamp");
    FinishEdit(edit, Qt::Key_Escape);
    EXPECT_EQ(item.data().toString(), "Light 101");
    EXPECT_EQ(light->m_strComment, "");
    EXPECT_FALSE(doc().IsModified());

    edit = StartEdit(item);
    ASSERT_NE(edit, nullptr);
    edit->setText("Gear Lamp");
    FinishEdit(edit, Qt::Key_Return);
    EXPECT_EQ(item.data().toString(), "Gear Lamp");
    EXPECT_EQ(light->m_strComment, "// Name: Gear Lamp\r\n");
    EXPECT_TRUE(doc().IsModified());

    // Characters the single-byte file cannot hold are refused with a message naming them.
    struct CBoxes : CDialogRunner
    {
        QStringList texts;
        CDialogRunner* previous = CDialogRunner::Install(this);
        ~CBoxes() override { CDialogRunner::Install(previous); }
        int Run(QDialog& dlg) override
        {
            if (auto* box = qobject_cast<QMessageBox*>(&dlg))
                texts << box->text();
            return IDOK;
        }
    } boxes;
    edit = StartEdit(item);
    ASSERT_NE(edit, nullptr);
    edit->setText(QStringLiteral("Gr\u00f6\u00dfe \u20ac5 \u2713"));
    FinishEdit(edit, Qt::Key_Return);
    EXPECT_EQ(light->m_strComment, "// Name: Gear Lamp\r\n");
    ASSERT_EQ(boxes.texts.size(), 1);
    EXPECT_TRUE(boxes.texts[0].contains(QStringLiteral("\u20ac")));
    EXPECT_TRUE(boxes.texts[0].contains(QStringLiteral("\u2713")));
    EXPECT_FALSE(boxes.texts[0].contains(QStringLiteral("\u00f6")));

    // A name is at most 127 characters, and the next rebuild shows it.
    edit = StartEdit(Item("Front/Surface 1"));
    ASSERT_NE(edit, nullptr);
    edit->setText(QString(200, 'x'));
    FinishEdit(edit, Qt::Key_Return);
    std::string name;
    ASSERT_TRUE(Panel(100)->m_aSurfaces[1]->GetName(name));
    EXPECT_EQ(name, std::string(127, 'x'));
    tree->OnInitialUpdate();
    EXPECT_EQ(Labels(Item("Front")).mid(0, 2), QStringList({"Surface 0", QString(127, 'x')}));
}

TEST_F(TreeTest, ARecordRenamedInItsSheetShowsItsNewLabel)
{
    Open(TreeCockpit());
    Select(Item("Front/Light 101"));
    CCPObject* light = doc().m_manager.FindObject(101);
    // The sheet's Basic page renames the record; the Properties command runs it.
    struct CRenamingEditor : IRecordEditor
    {
        int EditProperties(CCPObject& record) override
        {
            record.SetName("Gear Light");
            return IDOK;
        }
    } renamer;
    doc().SetRecordEditor(&renamer);
    ASSERT_TRUE(tree->OnCommand(ID_PROPERTIES));
    EXPECT_EQ(light->m_strComment, "// Name: Gear Light\r\n");
    EXPECT_TRUE(Labels(Item("Front")).contains("Gear Light"));

    // The same through another view, which announces the change with a general update.
    Select(Item("Front/Left MFD"));
    doc().m_pCurrentObject->SetName("Right MFD");
    doc().UpdateAllViews(nullptr, Hint::Refresh);
    EXPECT_TRUE(Labels(Item("Front")).contains("Right MFD"));
    EXPECT_FALSE(Labels(Item("Front")).contains("Left MFD"));
    doc().SetRecordEditor(&editor);
}

// The document's choice is the one truth: the tree shows it without passing it back, and a row
// the user chooses is passed on once.
TEST_F(TreeTest, TheTreeShowsTheDocumentsChoiceWithoutPassingItBack)
{
    Open(TreeCockpit());
    tree->expandAll();
    CHintLog log;
    doc().AddObserver(&log);
    CCPObject* shared = doc().m_manager.FindObject(101); // listed on Front and on panel 200

    doc().SetCurrentPanel(Panel(200));
    doc().SetCurrentObject(shared);
    EXPECT_EQ(Selected(), Item("Panel 200/Light 101"));
    EXPECT_EQ(log.m_aHints, std::vector<Hint>({Hint::Refresh, Hint::CurrentObject}));
    EXPECT_EQ(doc().m_pCurrentPanel, Panel(200));

    // The same record on the other panel is another choice: the document follows, once.
    log.m_aHints.clear();
    Select(Item("Front/Light 101"));
    EXPECT_EQ(doc().m_pCurrentPanel, Panel(100));
    EXPECT_EQ(doc().m_pCurrentObject, shared);
    EXPECT_EQ(log.m_aHints, std::vector<Hint>({Hint::Refresh, Hint::CurrentObject}));
    EXPECT_EQ(Selected(), Item("Front/Light 101"));

    // Choosing the chosen row again, or a group row, tells the document nothing.
    log.m_aHints.clear();
    tree->clearSelection();
    Select(Item("Front/Light 101"));
    Select(Item("Sounds"));
    EXPECT_TRUE(log.m_aHints.empty());
    EXPECT_EQ(doc().m_pCurrentObject, shared);

    // Rows made anew (a filter) keep the document's choice as it is.
    Select(Item("Front/Light 101"));
    log.m_aHints.clear();
    tree->SetFilter("light");
    tree->SetFilter(QString());
    EXPECT_TRUE(log.m_aHints.empty());
    EXPECT_EQ(doc().m_pCurrentPanel, Panel(100));
    EXPECT_EQ(Selected(), Item("Front/Light 101"));
    doc().RemoveObserver(&log);
}
