#include "test_treefixture.h"

#include "ccpsound.h"
#include "ccptreepane.h"
#include "keypress.h"

#include <QLineEdit>

namespace {

// The tree in its pane, under the Find field, as the main window shows it.
class FindTest : public TreeTest
{
protected:
    std::unique_ptr<CCPTreePane> pane;

    ~FindTest() override
    {
        if (tree)
            tree->setParent(nullptr); // the fixture owns the tree, not the pane
    }

    void OpenInPane()
    {
        Open(TreeCockpit());
        pane = std::make_unique<CCPTreePane>(tree.get());
        pane->resize(320, 700);
        pane->show();
    }

    QLineEdit* Field() { return pane->GetFindField(); }

    // Types text into the field, a key at a time.
    void Type(const QString& text)
    {
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(Field(), &press);
        }
    }

    // Every shown row below parent as "label" or "label/child", depth first.
    QStringList Shown(const QModelIndex& parent = QModelIndex(), const QString& path = QString())
    {
        QStringList rows;
        for (int i = 0; i < ChildCount(parent); ++i) {
            const QModelIndex row = tree->model()->index(i, 0, parent);
            const QString label =
                path.isEmpty() ? row.data().toString() : path + '/' + row.data().toString();
            rows << label;
            rows << Shown(row, label);
        }
        return rows;
    }

    QString SelectedPath()
    {
        QStringList path;
        for (QModelIndex at = Selected(); at.isValid(); at = at.parent())
            path.push_front(at.data().toString());
        return path.join('/');
    }
};

} // namespace

// A type, part of a name or an id: only the matching records stay, with the rows above them,
// opened so that they can be seen.
TEST_F(FindTest, TypingShowsOnlyTheMatchingRecordsWithTheirPanels)
{
    OpenInPane();
    Type("light");
    EXPECT_EQ(Shown(), QStringList({"Manager", "Manager/Front", "Manager/Front/Light 101",
                                    "Manager/Front/Left MFD", "Manager/Panel 200",
                                    "Manager/Panel 200/Light 201", "Manager/Panel 200/Light 101"}));
    EXPECT_TRUE(tree->isExpanded(Root(0)));
    EXPECT_TRUE(tree->isExpanded(Item("Panel 200")));
    // The document is left alone while typing.
    EXPECT_EQ(doc().m_pCurrentObject, nullptr);

    // Part of a name, in any case.
    Field()->clear();
    Type("Mfd");
    EXPECT_EQ(Shown(), QStringList({"Manager", "Manager/Front", "Manager/Front/Left MFD"}));

    // The type of the group's records, and of the button views.
    Field()->clear();
    Type("butt");
    EXPECT_EQ(Shown(), QStringList({"Manager", "Manager/Front", "Manager/Front/ButtonView 103",
                                    "Buttons", "Buttons/Button 1001"}));

    // An id, in the label or not (Left MFD is record 102); a matching panel is shown with its
    // matching rows only.
    Field()->clear();
    Type("102");
    EXPECT_EQ(Shown(), QStringList({"Manager", "Manager/Front", "Manager/Front/Left MFD"}));
    Field()->clear();
    Type(" 20");
    EXPECT_EQ(Shown(),
              QStringList({"Manager", "Manager/Panel 200", "Manager/Panel 200/Light 201"}));

    // Nothing found: no rows, and the field says so by its colour.
    const QColor plain = Field()->palette().color(QPalette::Base);
    Field()->clear();
    Type("zz");
    EXPECT_EQ(ChildCount(QModelIndex()), 0);
    EXPECT_NE(Field()->palette().color(QPalette::Base), plain);
    Field()->clear();
    EXPECT_EQ(Field()->palette().color(QPalette::Base), plain);
    EXPECT_EQ(Labels(QModelIndex()), QStringList({"Manager", "Buttons", "Sounds"}));
}

TEST_F(FindTest, EnterF3AndShiftF3WalkTheMatchesAndTheDocumentFollows)
{
    OpenInPane();
    Type("light");
    Key(Field(), Qt::Key_Return);
    EXPECT_EQ(SelectedPath(), "Manager/Front/Light 101");
    EXPECT_EQ(doc().m_pCurrentPanel, Panel(100));
    EXPECT_EQ(doc().m_pCurrentObject, doc().m_manager.FindObject(101));

    pane->FindNext(true);
    EXPECT_EQ(SelectedPath(), "Manager/Front/Left MFD");
    pane->FindNext(true);
    EXPECT_EQ(SelectedPath(), "Manager/Panel 200/Light 201");
    EXPECT_EQ(doc().m_pCurrentPanel, Panel(200));
    pane->FindNext(true);
    EXPECT_EQ(SelectedPath(), "Manager/Panel 200/Light 101");
    pane->FindNext(true); // round the end
    EXPECT_EQ(SelectedPath(), "Manager/Front/Light 101");
    pane->FindNext(false);
    EXPECT_EQ(SelectedPath(), "Manager/Panel 200/Light 101");
    EXPECT_EQ(doc().m_pCurrentPanel, Panel(200));
    EXPECT_EQ(doc().m_pCurrentObject, doc().m_manager.FindObject(101));

    // A panel shown only for its records is not a match itself.
    Field()->clear();
    Type("mfd");
    pane->FindNext(true);
    EXPECT_EQ(SelectedPath(), "Manager/Front/Left MFD");
    pane->FindNext(true);
    EXPECT_EQ(SelectedPath(), "Manager/Front/Left MFD");

    // For a number, the record with that id comes first: sound 1 before panel 100, light 101 ...
    Field()->clear();
    Type("1");
    Key(Field(), Qt::Key_Enter);
    EXPECT_EQ(SelectedPath(), "Sounds/Sound 1");
    EXPECT_EQ(doc().m_pCurrentObject, doc().m_manager.FindSound(1));
    // ... while F3 goes in tree order from there.
    pane->FindNext(true);
    EXPECT_EQ(SelectedPath(), "Manager/Front");
}

// Escape gives back every row, opened as before the search, with the record found in view.
TEST_F(FindTest, EscapeShowsEverythingAgainKeepingTheRecordFound)
{
    OpenInPane();
    tree->expand(Root(0));
    tree->expand(Item("Front"));
    tree->expand(Root(2));
    Type("201");
    Key(Field(), Qt::Key_Return);
    EXPECT_EQ(SelectedPath(), "Manager/Panel 200/Light 201");

    Key(Field(), Qt::Key_Escape);
    EXPECT_EQ(Field()->text(), QString());
    EXPECT_EQ(Labels(QModelIndex()), QStringList({"Manager", "Buttons", "Sounds"}));
    EXPECT_EQ(SelectedPath(), "Manager/Panel 200/Light 201");
    EXPECT_EQ(doc().m_pCurrentObject, doc().m_manager.FindObject(201));
    EXPECT_TRUE(tree->isExpanded(Item("Front")));
    EXPECT_TRUE(tree->isExpanded(Item("Panel 200"))); // where the record found is
    EXPECT_TRUE(tree->isExpanded(Root(2)));
    EXPECT_FALSE(tree->isExpanded(Root(1)));
    EXPECT_TRUE(tree->hasFocus() || !pane->isActiveWindow());

    // Escape in the filtered tree itself does the same.
    Type("sound");
    tree->setFocus();
    Key(tree.get(), Qt::Key_Escape);
    EXPECT_EQ(Field()->text(), QString());
    EXPECT_EQ(Labels(QModelIndex()), QStringList({"Manager", "Buttons", "Sounds"}));

    // A new cockpit starts unfiltered, the field empty.
    Type("mfd");
    tree->OnInitialUpdate();
    EXPECT_EQ(Field()->text(), QString());
    EXPECT_EQ(Labels(QModelIndex()), QStringList({"Manager", "Buttons", "Sounds"}));
}

// Edits made while filtered show their result; what the filter hides is still there for them.
TEST_F(FindTest, EditsUnderAFilterShowTheirRowsAndReachHiddenOnes)
{
    OpenInPane();
    Type("light 201");
    Key(Field(), Qt::Key_Return);
    ASSERT_TRUE(Run(ID_EDIT_COPY));
    // Front is shown for its name; its rows are hidden but count: a paste goes last.
    Field()->clear();
    Type("front");
    EXPECT_EQ(Shown(), QStringList({"Manager", "Manager/Front"}));
    Select(Item("Front"));
    EXPECT_FALSE(Enabled(ID_EDIT_COPY)); // a panel
    ASSERT_TRUE(Run(ID_EDIT_PASTE));
    EXPECT_EQ(Panel(100)->m_anObjects, std::vector<int>({101, 102, 999, 104}));
    EXPECT_EQ(Shown(), QStringList({"Manager", "Manager/Front", "Manager/Front/Light 104"}));
    EXPECT_EQ(SelectedPath(), "Manager/Front/Light 104");

    // A record added to the current panel shows up although it does not match.
    cockpit->ui.m_nSelectAnswer = IDOK;
    cockpit->ui.m_nSelectCode = 2; // Light
    ASSERT_TRUE(Run(ID_ADD_OBJECT));
    EXPECT_EQ(Labels(Item("Front")), QStringList({"Light 104", "Light 105"}));

    // Undo rebuilds the rows under the same filter.
    ASSERT_TRUE(doc().Undo());
    ASSERT_TRUE(doc().Undo());
    EXPECT_EQ(Shown(), QStringList({"Manager", "Manager/Front"}));
    EXPECT_TRUE(Enabled(ID_EDIT_PASTE));

    // Delete under the filter takes the row away.
    Field()->clear();
    Type("left");
    Key(Field(), Qt::Key_Return);
    ASSERT_TRUE(Run(ID_EDIT_CLEAR));
    EXPECT_EQ(Shown(), QStringList({"Manager", "Manager/Front"}));
    EXPECT_EQ(Panel(100)->m_anObjects, std::vector<int>({101, 999}));
}

TEST_F(FindTest, CtrlFPutsTheKeyboardInTheFieldAndF3StartsThere)
{
    OpenInPane();
    pane->activateWindow();
    QApplication::processEvents();
    if (QApplication::activeWindow() != pane.get())
        GTEST_SKIP() << "the platform does not activate windows";
    tree->setFocus();
    Field()->setText(QStringLiteral("old"));
    EXPECT_TRUE(PressShortcut(tree.get(), Qt::Key_F, Qt::ControlModifier));
    EXPECT_TRUE(Field()->hasFocus());
    EXPECT_EQ(Field()->selectedText(), QStringLiteral("old")); // typing replaces it

    Field()->setText(QStringLiteral("light"));
    tree->setFocus();
    EXPECT_TRUE(PressShortcut(tree.get(), Qt::Key_F3, Qt::NoModifier));
    EXPECT_EQ(SelectedPath(), "Manager/Front/Light 101");
    EXPECT_TRUE(PressShortcut(tree.get(), Qt::Key_F3, Qt::ShiftModifier));
    EXPECT_EQ(SelectedPath(), "Manager/Panel 200/Light 101");

    // Without a filter F3 goes to the field.
    Field()->clear();
    tree->setFocus();
    EXPECT_TRUE(PressShortcut(tree.get(), Qt::Key_F3, Qt::NoModifier));
    EXPECT_TRUE(Field()->hasFocus());
}
