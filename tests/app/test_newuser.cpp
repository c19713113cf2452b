// What a new user trips on first, driven through the window as they drive it: a rename left
// open when a command starts, Delete pressed in a dock, a right-click on another row, where an
// added record and the status bar stand afterwards.

#include "mainframefixture.h"

#include "chistorypanel.h"
#include "cproblemspanel.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTreeWidget>

#include <algorithm>

namespace {

// Answers every sheet with OK and remembers which record it was opened on.
class CWitnessEditor : public IRecordEditor
{
public:
    std::vector<CCPObject*> m_aEdited;
    int EditProperties(CCPObject& record) override
    {
        m_aEdited.push_back(&record);
        return IDOK;
    }
};

class NewUserTest : public MainFrameTest
{
protected:
    CCPTree* tree() { return frame()->GetTree(); }
    QModelIndex Row(const CCPObject* record)
    {
        doc().SetCurrentObject(const_cast<CCPObject*>(record));
        return tree()->SelectedItem();
    }
    QLineEdit* LabelEditor()
    {
        for (QLineEdit* edit : tree()->viewport()->findChildren<QLineEdit*>())
            if (edit->isVisible())
                return edit;
        return nullptr;
    }
};

TEST_F(NewUserTest, ARenameStillTypedLandsAsItsOwnStepBeforeTheCommandThatInterruptsIt)
{
    StartOn("tree_three_panels.dat", "cockpit.dat");
    const std::string original = doc().Store();
    CCPPanel* front = doc().m_manager.FindPanel(100);
    doc().SetCurrentPanel(front);
    doc().SetCurrentObject(front);
    frame()->SetActivePane(CMainFrame::kTreePane);
    ASSERT_EQ(CCPTree::ItemRecord(tree()->SelectedItem()), front);

    // F2 opens the label editor; the name is typed but not confirmed.
    PressShortcut(tree(), Qt::Key_F2);
    QLineEdit* edit = LabelEditor();
    ASSERT_NE(edit, nullptr);
    edit->setText(QStringLiteral("Main Panel"));

    const size_t panels = doc().m_manager.m_aPanels.size();
    ASSERT_TRUE(frame()->ExecuteCommand(ID_ADD_PANEL));
    EXPECT_EQ(doc().m_manager.m_aPanels.size(), panels + 1);
    ASSERT_EQ(doc().GetHistory().Count(), 2u);
    EXPECT_EQ(doc().GetHistory().Step(0).m_strName, "Rename Front");
    std::string name;
    EXPECT_TRUE(front->GetName(name));
    EXPECT_EQ(name, "Main Panel");
    EXPECT_EQ(LabelEditor(), nullptr);

    // Undo drops a rename still being typed, as Escape would, and undoes the step before it.
    ASSERT_TRUE(frame()->ExecuteCommand(ID_EDIT_UNDO));
    doc().SetCurrentPanel(front);
    doc().SetCurrentObject(front);
    frame()->SetActivePane(CMainFrame::kTreePane);
    PressShortcut(tree(), Qt::Key_F2);
    ASSERT_NE(LabelEditor(), nullptr);
    LabelEditor()->setText(QStringLiteral("Never"));
    ASSERT_TRUE(frame()->ExecuteCommand(ID_EDIT_UNDO));
    EXPECT_EQ(doc().Store(), original);
    EXPECT_EQ(doc().GetHistory().Current(), 0u);
}

TEST_F(NewUserTest, RenameIsInTheEditMenuAndBothContextMenusAndStartsTheTreesEditor)
{
    StartOn("tree_three_panels.dat", "cockpit.dat");
    CCPObject* light = doc().m_manager.FindObject(201);
    doc().SetCurrentPanel(doc().m_manager.FindPanel(200));
    doc().SetCurrentObject(light);

    QAction* rename = frame()->Action(ID_EDIT_RENAME);
    ASSERT_NE(rename, nullptr);
    EXPECT_EQ(rename->shortcut(), QKeySequence(Qt::Key_F2));
    QMenu* edit = nullptr;
    for (QAction* top : frame()->menuBar()->actions())
        if (top->text() == QStringLiteral("&Edit"))
            edit = top->menu();
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->actions().contains(rename));
    EXPECT_TRUE(frame()->GetViewMenu()->actions().contains(rename));
    std::unique_ptr<QMenu> treeMenu = tree()->CreateContextMenu();
    QStringList texts;
    for (QAction* a : treeMenu->actions())
        texts << a->text();
    EXPECT_TRUE(texts.contains(QStringLiteral("Rena&me\tF2")));

    // From the panel view, Rename opens the record's row in the tree for editing.
    frame()->SetActivePane(CMainFrame::kViewPane);
    EXPECT_TRUE(Enabled(ID_EDIT_RENAME));
    ASSERT_TRUE(frame()->ExecuteCommand(ID_EDIT_RENAME));
    EXPECT_EQ(frame()->GetActivePaneIndex(), CMainFrame::kTreePane);
    QLineEdit* label = LabelEditor();
    ASSERT_NE(label, nullptr);
    label->setText(QStringLiteral("Gear Lamp"));
    ASSERT_EQ(CCPTree::ItemRecord(tree()->currentIndex()), light);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(label, &enter);
    QApplication::processEvents(); // the delegate commits on its next turn
    std::string name;
    EXPECT_TRUE(light->GetName(name));
    EXPECT_EQ(name, "Gear Lamp");

    // The group rows have nothing to rename.
    doc().SetCurrentObject(nullptr);
    tree()->setCurrentIndex(tree()->model()->index(1, 0)); // "Buttons"
    EXPECT_FALSE(Enabled(ID_EDIT_RENAME));
}

TEST_F(NewUserTest, DeleteInADockIsThatDocksKeyAndNeverTakesTheCurrentRecord)
{
    StartOn("tree_three_panels.dat", "cockpit.dat");
    CCPPanel* panel = doc().m_manager.FindPanel(200);
    CCPObject* light = doc().m_manager.FindObject(201);
    doc().SetCurrentPanel(panel);
    doc().SetCurrentObject(light);
    const std::string original = doc().Store();

    frame()->ExecuteCommand(ID_CHECK_COCKPIT);
    QTreeWidget* problems = frame()->GetProblemsPanel()->GetList();
    frame()->GetHistoryPanel()->show();
    QListWidget* history = frame()->GetHistoryPanel()->GetList();
    for (QWidget* dock : {static_cast<QWidget*>(problems), static_cast<QWidget*>(history)}) {
        ASSERT_TRUE(dock->isVisible());
        dock->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), dock);
        EXPECT_FALSE(Enabled(ID_EDIT_CLEAR));
        PressShortcut(dock, Qt::Key_Delete);
        EXPECT_FALSE(frame()->ExecuteCommand(ID_EDIT_CLEAR));
        EXPECT_EQ(doc().Store(), original);
        EXPECT_EQ(doc().m_pCurrentObject, light);
    }

    // Back in the tree, Delete deletes.
    frame()->SetActivePane(CMainFrame::kTreePane);
    EXPECT_TRUE(Enabled(ID_EDIT_CLEAR));
    PressShortcut(tree(), Qt::Key_Delete);
    EXPECT_EQ(std::count(panel->m_anObjects.begin(), panel->m_anObjects.end(), 201), 0);
}

TEST_F(NewUserTest, ARightClickInTheTreeMakesThatRowTheOneItsMenuActsOn)
{
    CWitnessEditor witness;
    StartOn("tree_three_panels.dat", "cockpit.dat");
    doc().SetRecordEditor(&witness);
    CCPObject* first = doc().m_manager.FindObject(101);
    CCPObject* second = doc().m_manager.FindObject(102);
    doc().SetCurrentPanel(doc().m_manager.FindPanel(100));
    const QModelIndex target = Row(second);
    Row(first);
    ASSERT_EQ(CCPTree::ItemRecord(tree()->SelectedItem()), first);

    const QPoint at = tree()->visualRect(target).center();
    QTest::mousePress(tree()->viewport(), Qt::RightButton, Qt::NoModifier, at);
    QTest::mouseRelease(tree()->viewport(), Qt::RightButton, Qt::NoModifier, at);
    EXPECT_EQ(doc().m_pCurrentObject, second);
    std::unique_ptr<QMenu> menu = tree()->CreateContextMenu();
    for (QAction* action : menu->actions())
        if (action->text().startsWith(QStringLiteral("Properties")))
            action->trigger();
    ASSERT_EQ(witness.m_aEdited.size(), 1u);
    EXPECT_EQ(witness.m_aEdited[0], second);
    doc().SetRecordEditor(&editor);
}

TEST_F(NewUserTest, AnAddedRecordIsCurrentSelectedAndNewLeavesNoOldIdInTheStatusBar)
{
    StartOn("tree_three_panels.dat", "cockpit.dat");
    CCPPanel* panel = doc().m_manager.FindPanel(300);
    doc().SetCurrentPanel(panel);
    doc().SetCurrentObject(panel);
    ui.m_nSelectAnswer = IDOK;
    ui.m_nSelectCode = 2; // Light
    ASSERT_TRUE(frame()->ExecuteCommand(ID_ADD_OBJECT));
    ASSERT_EQ(panel->m_anObjects.size(), 1u);
    CCPObject* added = doc().m_manager.FindObject(panel->m_anObjects[0]);
    EXPECT_EQ(doc().m_pCurrentObject, added);
    EXPECT_EQ(CCPTree::ItemRecord(tree()->SelectedItem()), added);

    ASSERT_TRUE(frame()->ExecuteCommand(ID_ADD_SOUND));
    CCPObject* sound = doc().m_pCurrentObject;
    ASSERT_NE(sound, nullptr);
    EXPECT_TRUE(sound->IsSound());
    EXPECT_EQ(CCPTree::ItemRecord(tree()->SelectedItem()), sound);
    frame()->SetActivePane(CMainFrame::kTreePane);
    frame()->UpdateCommandUI();
    EXPECT_EQ(Pane(ID_INDICATOR_ID), QStringLiteral("ID: %1").arg(sound->m_nId));

    // With no current record the pane keeps the last id, in every pane.
    doc().SetCurrentObject(nullptr);
    frame()->UpdateCommandUI();
    EXPECT_EQ(Pane(ID_INDICATOR_ID), QStringLiteral("ID: %1").arg(sound->m_nId));

    // A new cockpit shows no id of the old one: the pane is as at start-up.
    doc().MarkSaved();
    ASSERT_TRUE(frame()->ExecuteCommand(ID_FILE_NEW));
    frame()->UpdateCommandUI();
    EXPECT_EQ(Pane(ID_INDICATOR_ID), QStringLiteral("ID:0000"));
}

TEST_F(NewUserTest, TheManagerRowShowsTheNameItWasGivenAndTheGroupRowsStayFixed)
{
    StartOn("tree_three_panels.dat", "cockpit.dat");
    QAbstractItemModel* model = tree()->model();
    EXPECT_EQ(model->index(0, 0).data().toString(), QStringLiteral("Manager"));
    ASSERT_TRUE(doc().RenameRecord(&doc().m_manager, "Viper Cockpit"));
    EXPECT_EQ(model->index(0, 0).data().toString(), QStringLiteral("Viper Cockpit"));
    EXPECT_EQ(model->index(1, 0).data().toString(), QStringLiteral("Buttons"));
    EXPECT_FALSE(model->flags(model->index(1, 0)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model->flags(model->index(2, 0)) & Qt::ItemIsEditable);
    doc().Undo();
    EXPECT_EQ(model->index(0, 0).data().toString(), QStringLiteral("Manager"));
}

TEST_F(NewUserTest, MenusSharingACommandKeepTheirOwnMnemonics)
{
    StartOn("tree_three_panels.dat", "cockpit.dat");
    doc().SetCurrentPanel(doc().m_manager.FindPanel(100));
    QMenu* popup = frame()->GetViewMenu();
    ASSERT_FALSE(popup->actions().isEmpty());
    QAction* add = popup->actions().front();
    EXPECT_EQ(add->text(), QStringLiteral("&Add Object"));
    EXPECT_EQ(frame()->Action(ID_ADD_OBJECT)->text(), QStringLiteral("Add Object"));
    // It follows the command's state and runs it.
    frame()->UpdateCommandUI();
    EXPECT_TRUE(add->isEnabled());
    doc().SetCurrentPanel(nullptr);
    frame()->UpdateCommandUI();
    EXPECT_FALSE(add->isEnabled());
}

} // namespace
