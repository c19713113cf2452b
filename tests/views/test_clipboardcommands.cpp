// Cut, Copy, Paste, Duplicate and Delete from the panel view, through the system clipboard.
#include "test_viewfixture.h"

#include "ccommandroute.h"
#include "crecordclipboard.h"
#include "cvireoview.h"
#include "testcockpit.h"
#include "textconvert.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

using namespace viewtest;

namespace {

class ClipboardCommandsTest : public ViewTest<CVireoView>
{
protected:
    std::string original;

    void SetUp() override
    {
        QGuiApplication::clipboard()->clear();
        ViewTest::SetUp();
        original = c.doc.Store();
    }
    bool Run(int id, CCommandTarget* target = nullptr)
    {
        CCommandRoute route;
        route.SetTargets({target ? target : view.get()});
        return route.Execute(id);
    }
    static const QMimeData* Clipboard() { return QGuiApplication::clipboard()->mimeData(); }
};

} // namespace

TEST_F(ClipboardCommandsTest, CopyPutsTheFileTextOnTheClipboardTwice)
{
    Show(100, c.Light(101));
    EXPECT_FALSE(Enabled(ID_EDIT_PASTE)) << "an empty clipboard";
    c.doc.Select({c.Light(101), c.View(1)});
    ASSERT_TRUE(Run(ID_EDIT_COPY));
    const std::string text = CVireoDoc::RecordsText({c.View(1), c.Light(101)});

    // For a text editor: the records as the file has them.
    const QMimeData* data = Clipboard();
    ASSERT_NE(data, nullptr);
    QString plain = Latin1ToQt(text);
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    EXPECT_EQ(data->text(), plain);
    EXPECT_TRUE(data->text().contains(QStringLiteral("#101 LIGHT")));
    // For the editor: the same bytes, and the panel they came from.
    const QString type = QString::fromLatin1(RecordClipboard::kMimeType);
    ASSERT_TRUE(data->hasFormat(type));
    EXPECT_EQ(data->data(type), QByteArray("panel 100\n") + QByteArray::fromStdString(text));
    const auto content = RecordClipboard::ReadMimeData(data);
    ASSERT_TRUE(content.has_value());
    EXPECT_EQ(content->text, text);
    EXPECT_EQ(content->panel, 100);

    EXPECT_EQ(c.doc.Store(), original);
    EXPECT_FALSE(c.doc.IsModified());
    EXPECT_TRUE(Enabled(ID_EDIT_PASTE));
}

TEST_F(ClipboardCommandsTest, CutAndPasteCarryTheSelectionToAnotherPanel)
{
    Show(100, c.Light(101));
    c.doc.Select({c.View(1), c.Light(101)});
    const CRect view = Dest(c.View(1));
    const CRect light = Dest(c.Light(101));
    ASSERT_TRUE(Run(ID_EDIT_CUT));
    EXPECT_EQ(c.doc.UndoName(), "Cut 2 records");
    EXPECT_TRUE(c.Panel(100)->m_anButtonViews.empty());
    EXPECT_EQ(c.Panel(100)->m_anObjects, std::vector<int>{102});
    EXPECT_TRUE(c.doc.GetSelection().Empty());
    EXPECT_TRUE(Clipboard()->text().contains(QStringLiteral("#101 LIGHT")));

    Show(200);
    ASSERT_TRUE(Run(ID_EDIT_PASTE));
    EXPECT_EQ(c.doc.UndoName(), "Paste 2 records");
    const std::vector<CCPObject*> pasted = c.doc.GetSelection().Records();
    ASSERT_EQ(pasted.size(), 2u);
    EXPECT_TRUE(pasted[0]->IsButtonView());
    EXPECT_EQ(Dest(pasted[0]), view) << "another panel: the same place";
    EXPECT_EQ(Dest(pasted[1]), light);
    EXPECT_EQ(c.Panel(200)->m_anButtonViews.size(), 2u);
    EXPECT_EQ(c.Panel(200)->m_anObjects.size(), 2u);

    ASSERT_TRUE(c.doc.Undo());
    ASSERT_TRUE(c.doc.Undo());
    EXPECT_EQ(c.doc.Store(), original);
}

TEST_F(ClipboardCommandsTest, DuplicateAndDeleteTakeTheWholeSelection)
{
    Show(100, c.Light(101));
    c.doc.Select({c.View(1), c.Light(101), c.Light(102)});
    ASSERT_TRUE(Run(ID_DUPLICATE));
    EXPECT_EQ(c.doc.UndoName(), "Duplicate 3 records");
    const std::vector<CCPObject*> copies = c.doc.GetSelection().Records();
    ASSERT_EQ(copies.size(), 3u);
    CRect moved = Dest(c.Light(102));
    moved.OffsetRect(8, 8);
    EXPECT_EQ(Dest(copies[2]), moved);

    ASSERT_TRUE(Run(ID_EDIT_CLEAR));
    EXPECT_EQ(c.doc.UndoName(), "Delete 3 records");
    for (CCPObject* copy : copies)
        EXPECT_FALSE(c.doc.PanelHolds(c.Panel(100), copy));
    EXPECT_EQ(c.Panel(100)->m_anObjects, (std::vector<int>{101, 102}));
    EXPECT_EQ(c.Panel(100)->m_anButtonViews, std::vector<int>{1});

    ASSERT_TRUE(c.doc.Undo());
    ASSERT_TRUE(c.doc.Undo());
    EXPECT_EQ(c.doc.Store(), original);
}

// Two editor windows share the system clipboard: what one copies, the other pastes, onto a
// cockpit of its own.
TEST_F(ClipboardCommandsTest, AnotherWindowPastesWhatOneCopied)
{
    Show(100, c.Light(101));
    ASSERT_TRUE(Run(ID_EDIT_COPY));

    CTestCockpit other(TestData("clipboard_cockpit.dat"));
    CVireoView otherView(&other.doc);
    other.doc.SetCurrentPanel(other.doc.m_manager.FindPanel(100));
    ASSERT_TRUE(Run(ID_EDIT_PASTE, &otherView));
    CCPObject* pasted = other.doc.m_pCurrentObject;
    ASSERT_NE(pasted, nullptr);
    EXPECT_NE(pasted->m_nId, 101) << "101 is taken there";
    EXPECT_EQ(Dest(pasted), Dest(c.Light(101))) << "nothing of its own lies there";
    EXPECT_EQ(other.doc.UndoName(), "Paste " + CVireoDoc::RecordLabel(pasted));
    EXPECT_EQ(c.doc.Store(), original);
}

TEST_F(ClipboardCommandsTest, TextFromATextEditorPastesUnlessTheFileCannotHoldIt)
{
    Show(100);
    QGuiApplication::clipboard()->setText(Latin1ToQt(TestData("clipboard_foreign_records.dat")));
    ASSERT_TRUE(Enabled(ID_EDIT_PASTE));
    ASSERT_TRUE(Run(ID_EDIT_PASTE));
    EXPECT_EQ(c.doc.GetSelection().Count(), 3u);
    EXPECT_EQ(CVireoDoc::RecordLabel(c.doc.GetSelection().Records().front()), "Fire Light");
    ASSERT_TRUE(c.doc.Undo());

    // A name the single-byte file cannot hold is refused, not pasted with "?".
    QGuiApplication::clipboard()->setText(
        QStringLiteral("// Name: Lamp \u2713\n#5 LIGHT\ndestloc = opaque 1 1 9 9;\n#end\n"));
    ASSERT_TRUE(Run(ID_EDIT_PASTE));
    ASSERT_EQ(c.ui.m_aBoxes.size(), 1u);
    EXPECT_TRUE(MessageToQt(c.ui.m_aBoxes[0].text).contains(QStringLiteral("\"\u2713\"")));
    EXPECT_EQ(c.doc.Store(), original);
    EXPECT_TRUE(c.doc.CanRedo()) << "nothing recorded";

    // Nothing that is text: nothing to paste.
    auto image = std::make_unique<QMimeData>();
    image->setData(QStringLiteral("image/png"), QByteArray("\x89PNG"));
    QGuiApplication::clipboard()->setMimeData(image.release());
    EXPECT_FALSE(Enabled(ID_EDIT_PASTE));
}

TEST_F(ClipboardCommandsTest, CopyAndCutNeedARecordThePanelHoldsAndPasteAPanel)
{
    EXPECT_FALSE(Enabled(ID_EDIT_COPY));
    QGuiApplication::clipboard()->setText(QStringLiteral("#5 LIGHT\n#end\n"));
    EXPECT_FALSE(Enabled(ID_EDIT_PASTE)) << "no panel shown";

    Show(100, c.Panel(100));
    EXPECT_FALSE(Enabled(ID_EDIT_COPY));
    EXPECT_FALSE(Enabled(ID_EDIT_CUT));
    EXPECT_TRUE(Enabled(ID_EDIT_PASTE));
    Show(100, c.Sound(101)); // its id is listed by the panel, as an object's
    EXPECT_FALSE(Enabled(ID_EDIT_COPY));
    EXPECT_FALSE(Run(ID_EDIT_CUT));
    EXPECT_EQ(c.Panel(100)->m_anObjects, (std::vector<int>{101, 102}));
    Show(100, c.View(1));
    EXPECT_TRUE(Enabled(ID_EDIT_COPY));
    EXPECT_TRUE(Enabled(ID_EDIT_CUT));
}
