#include "sheettesting.h"
#include "testcockpit.h"

#include "cbopage.h"
#include "ccpdisplay.h"
#include "ccpmanager.h"
#include "ccppanel.h"
#include "ccpsound.h"
#include "ccptext.h"
#include "clinewriter.h"
#include "cqtrecordeditor.h"
#include "textconvert.h"

#include <QPlainTextEdit>

namespace {

struct SoundFixture : ::testing::Test
{
    CCPManager manager;
    CCPSound sound{&manager};

    void SetUp() override
    {
        sound.m_nId = 3;
        sound.m_strComment = "// Name: Horn\r\n";
        sound.m_nEntry = 2;
    }
    std::unique_ptr<CCPDisplay> OpenSheet(CCPObject& record)
    {
        auto sheet = CQtRecordEditor::CreateSheet(record, nullptr);
        sheet->Open();
        return sheet;
    }
};

void SetComment(CCPDisplay& sheet, const QString& text)
{
    CCPPage& basic = Page(sheet, "Basic Properties");
    if (auto* edit = Find<QPlainTextEdit>(basic, "Comment"))
        edit->setPlainText(text);
}

QString Comment(CCPDisplay& sheet)
{
    auto* edit = Find<QPlainTextEdit>(Page(sheet, "Basic Properties"), "Comment");
    return edit ? edit->toPlainText() : QString();
}

} // namespace

TEST_F(SoundFixture, OkStoresOnlyThePagesTheUserHasSeen)
{
    // A comment without a final line break would get one from the Basic page's OK.
    sound.m_strComment = "// Name: Horn";
    auto sheet = OpenSheet(sound);
    EXPECT_EQ(sheet->windowTitle(), "Sound Properties");
    EXPECT_EQ(sheet->GetActivePage()->GetTitle(), "Sound Properties");
    SetText(*sheet->GetActivePage(), "Sound Index", "7");
    sheet->accept();
    EXPECT_TRUE(Accepted(*sheet));
    EXPECT_EQ(sound.m_nEntry, 7);
    // The Basic tab was never opened: id and comment stay.
    EXPECT_EQ(sound.m_nId, 3);
    EXPECT_EQ(sound.m_strComment, "// Name: Horn");

    // Opened now, with a new id (even one in use) and a comment without a final line break.
    sheet = OpenSheet(sound);
    CCPPage& basic = Page(*sheet, "Basic Properties");
    EXPECT_EQ(Text(basic, "ID"), "3");
    SetText(basic, "ID", "1");
    SetComment(*sheet, "// Name: Bell\n// second line");
    sheet->accept();
    EXPECT_TRUE(Accepted(*sheet));
    EXPECT_EQ(sound.m_nId, 1);
    EXPECT_EQ(sound.m_strComment, "// Name: Bell\r\n// second line\r\n");
    EXPECT_EQ(sound.m_nEntry, 7);
}

TEST_F(SoundFixture, CancelStoresNothingFromAnyPage)
{
    auto sheet = OpenSheet(sound);
    SetText(*sheet->GetActivePage(), "Sound Index", "9");
    SetText(Page(*sheet, "Basic Properties"), "ID", "44");
    SetComment(*sheet, "changed");
    sheet->reject();
    EXPECT_EQ(sound.m_nEntry, 2);
    EXPECT_EQ(sound.m_nId, 3);
    EXPECT_EQ(sound.m_strComment, "// Name: Horn\r\n");
}

TEST_F(SoundFixture, UntouchedCommentIsKeptByteForByte)
{
    // A line with a lone CR would not survive a round trip through the edit control.
    sound.m_strComment = "// a\rb\r\n\r\n// Name: Horn\r\n";
    auto sheet = OpenSheet(sound);
    Page(*sheet, "Basic Properties");
    sheet->accept();
    EXPECT_TRUE(Accepted(*sheet));
    EXPECT_EQ(sound.m_strComment, "// a\rb\r\n\r\n// Name: Horn\r\n");
}

TEST_F(SoundFixture, BadNumbersKeepTheSheetOpenWithTheStandardMessage)
{
    CScriptedRunner runner;
    auto sheet = OpenSheet(sound);
    for (const char* bad : {"x", "1.5", "99999999999", ""}) {
        SetText(*sheet->GetActivePage(), "Sound Index", bad);
        sheet->accept();
        EXPECT_FALSE(Accepted(*sheet)) << bad;
    }
    EXPECT_EQ(runner.m_messages, QStringList(4, "Please enter an integer."));
    EXPECT_EQ(sound.m_nEntry, 2);

    // Leaving the page with a bad entry is refused as well.
    EXPECT_FALSE(sheet->SetActivePage(sheet->FindPage("Basic Properties")));
    EXPECT_EQ(sheet->GetActivePage()->GetTitle(), "Sound Properties");
    EXPECT_EQ(runner.m_messages.size(), 5);

    SetText(*sheet->GetActivePage(), "Sound Index", " -4 ");
    sheet->accept();
    EXPECT_TRUE(Accepted(*sheet));
    EXPECT_EQ(sound.m_nEntry, -4);
}

TEST(SheetValidation, BadFloatShowsPleaseEnterANumber)
{
    CScriptedRunner runner;
    CCPManager manager;
    CCPPanel panel(&manager);
    panel.m_fPan = 1.5f;
    auto sheet = CQtRecordEditor::CreateSheet(panel, nullptr);
    sheet->Open();
    SetText(*sheet->GetActivePage(), "Pan", "1,5");
    sheet->accept();
    EXPECT_FALSE(Accepted(*sheet));
    EXPECT_EQ(runner.m_messages, QStringList{"Please enter a number."});
    EXPECT_EQ(panel.m_fPan, 1.5f);
    SetText(*sheet->GetActivePage(), "Pan", "-2.25e1");
    sheet->accept();
    EXPECT_TRUE(Accepted(*sheet));
    EXPECT_EQ(panel.m_fPan, -22.5f);
}

TEST_F(SoundFixture, CommentLineStartingWithHashIsRefusedByName)
{
    CScriptedRunner runner;
    auto sheet = OpenSheet(sound);
    SetComment(*sheet, "// Name: Horn\n#12 ADI\n");
    sheet->accept();
    EXPECT_FALSE(Accepted(*sheet));
    ASSERT_EQ(runner.m_messages.size(), 1);
    EXPECT_TRUE(runner.m_messages[0].contains("\"#12 ADI\"")) << runner.m_messages[0].toStdString();
    EXPECT_EQ(sound.m_strComment, "// Name: Horn\r\n");

    // A "#" further into a line is harmless.
    SetComment(*sheet, "// Name: Horn\n// see #12 ADI\n");
    sheet->accept();
    EXPECT_TRUE(Accepted(*sheet));
    EXPECT_EQ(sound.m_strComment, "// Name: Horn\r\n// see #12 ADI\r\n");
}

TEST_F(SoundFixture, CharactersTheFileCannotHoldAreRefusedByName)
{
    CScriptedRunner runner;
    auto sheet = OpenSheet(sound);
    SetComment(*sheet, QStringLiteral("// Name: Gr\u00f6\u00dfe \u20ac5 \u2713 \u20ac"));
    sheet->accept();
    EXPECT_FALSE(Accepted(*sheet));
    ASSERT_EQ(runner.m_messages.size(), 1);
    EXPECT_TRUE(runner.m_messages[0].startsWith(
        QStringLiteral("The comment contains \"\u20ac\", \"\u2713\", which the cockpit file "
                       "cannot hold")))
        << runner.m_messages[0].toStdString();
    EXPECT_EQ(sound.m_strComment, "// Name: Horn\r\n"); // no "?" in their place

    // Letters of the single-byte code page are stored as its bytes.
    SetComment(*sheet, QStringLiteral("// Name: Gr\u00f6\u00dfe 5"));
    sheet->accept();
    EXPECT_TRUE(Accepted(*sheet));
    EXPECT_EQ(sound.m_strComment, "// Name: Gr\xf6\xdf"
                                  "e 5\r\n");
}

TEST_F(SoundFixture, NameFieldEditsTheCommentsNameLine)
{
    sound.m_strComment = "// first\r\n// Name: Horn  \r\n// last\r\n";
    auto sheet = OpenSheet(sound);
    CCPPage& basic = Page(*sheet, "Basic Properties");
    EXPECT_EQ(Text(basic, "Name"), "Horn");

    // Renamed on its own line; cleared and typed again, the line comes back where it was.
    SetText(basic, "Name", "Bell");
    EXPECT_EQ(Comment(*sheet), "// first\n// Name: Bell\n// last\n");
    SetText(basic, "Name", "");
    EXPECT_EQ(Comment(*sheet), "// first\n// last\n");
    SetText(basic, "Name", " Gong ");
    EXPECT_EQ(Comment(*sheet), "// first\n// Name: Gong\n// last\n");
    sheet->accept();
    EXPECT_TRUE(Accepted(*sheet));
    EXPECT_EQ(sound.m_strComment, "// first\r\n// Name: Gong\r\n// last\r\n");

    // Text in the comment without the name line names nothing.
    sheet = OpenSheet(sound);
    SetComment(*sheet, "Left MFD");
    EXPECT_EQ(Text(Page(*sheet, "Basic Properties"), "Name"), "");
    sheet->accept();
    std::string name;
    EXPECT_FALSE(sound.GetName(name));

    // A name for an unnamed record: the line goes first, where the name is looked for.
    sheet = OpenSheet(sound);
    CCPPage& again = Page(*sheet, "Basic Properties");
    EXPECT_EQ(Find<QLineEdit>(again, "Name")->placeholderText(), "Sound 3");
    SetText(again, "Name", "Horn");
    sheet->accept();
    EXPECT_EQ(sound.m_strComment, "// Name: Horn\r\nLeft MFD\r\n");
    ASSERT_TRUE(sound.GetName(name));
    EXPECT_EQ(name, "Horn");
}

TEST_F(SoundFixture, NameAndCommentEditedTogetherKeepOneNameLine)
{
    CScriptedRunner runner;
    auto sheet = OpenSheet(sound);
    CCPPage& basic = Page(*sheet, "Basic Properties");

    // The comment's first name line is the name; the name field follows the comment as typed,
    // also a last line that OK will end.
    SetComment(*sheet, "// Name: Siren\n// note\n// Name: Horn");
    EXPECT_EQ(Text(basic, "Name"), "Siren");
    SetComment(*sheet, "// note\n// Name: Chime");
    EXPECT_EQ(Text(basic, "Name"), "Chime");

    // A name typed then leaves one name line: a second would name nothing.
    SetComment(*sheet, "// Name: Siren\n// note\n// Name: Horn\n// end");
    SetText(basic, "Name", "Bell");
    EXPECT_EQ(Comment(*sheet), "// Name: Bell\n// note\n// end");
    sheet->accept();
    EXPECT_TRUE(Accepted(*sheet));
    EXPECT_EQ(sound.m_strComment, "// Name: Bell\r\n// note\r\n// end\r\n");

    // Cleared, the record has no name at all.
    sheet = OpenSheet(sound);
    SetComment(*sheet, "// Name: A\n// x\n// Name: B");
    SetText(Page(*sheet, "Basic Properties"), "Name", "");
    EXPECT_EQ(Comment(*sheet), "// x\n");
    sheet->accept();
    EXPECT_EQ(sound.m_strComment, "// x\r\n");

    // A name does not make a comment line starting with "#" acceptable, and the file's code
    // page holds names as it holds comments.
    sheet = OpenSheet(sound);
    CCPPage& page = Page(*sheet, "Basic Properties");
    SetComment(*sheet, "#5 LIGHT");
    SetText(page, "Name", "Horn");
    sheet->accept();
    EXPECT_FALSE(Accepted(*sheet));
    SetComment(*sheet, "// x");
    SetText(page, "Name", QStringLiteral("Horn \u2713"));
    sheet->accept();
    EXPECT_FALSE(Accepted(*sheet));
    ASSERT_EQ(runner.m_messages.size(), 2);
    EXPECT_TRUE(runner.m_messages[0].contains("\"#5 LIGHT\""))
        << runner.m_messages[0].toStdString();
    EXPECT_TRUE(runner.m_messages[1].startsWith(QStringLiteral("The name contains \"\u2713\"")))
        << runner.m_messages[1].toStdString();
    EXPECT_EQ(sound.m_strComment, "// x\r\n");
}

TEST(TextConvert, CharsNotInLatin1NamesEachOnceInOrder)
{
    // For callers that refuse a text: the tree's label edit, say.
    EXPECT_EQ(CharsNotInLatin1(QStringLiteral("Gr\u00f6\u00dfe 5")), QString());
    EXPECT_EQ(CharsNotInLatin1(QStringLiteral("\u2713a\u20ac\u2713")),
              QStringLiteral("\u2713\u20ac"));
    // A character beyond the basic plane is one character, not two halves.
    EXPECT_EQ(CharsNotInLatin1(QString::fromUtf8("x\xf0\x9f\x98\x80")).toUcs4().size(), 1);
    EXPECT_EQ(NotInLatin1Message(QStringLiteral("The name"), QStringLiteral("\u20ac")),
              QStringLiteral("The name contains \"\u20ac\", which the cockpit file cannot hold: "
                             "it stores one byte per character (Latin-1).\nPlease replace or "
                             "remove it."));
}

TEST(RecordEditor, ARecordWhoseSheetIsOpenIsNotOpenedAgain)
{
    // Front's sheet opens panel 400's from its Adjacent page, and that one offers Front again.
    CCPManager manager;
    CQtRecordEditor editor;
    manager.SetEditor(&editor);
    auto add = [&](int id, int west, int east, const char* comment) {
        auto p = std::make_unique<CCPPanel>(&manager);
        p->m_nId = id;
        p->m_anAdjPanels[CCPPanel::W] = west;
        p->m_anAdjPanels[CCPPanel::E] = east;
        p->m_strComment = comment;
        CCPPanel* raw = p.get();
        manager.AddPanel(std::move(p));
        return raw;
    };
    CCPPanel* front = add(100, -1, 400, "// Name: Front\r\n");
    CCPPanel* right = add(400, 100, -1, "");

    CScriptedRunner runner;
    runner.Then([&](QDialog& d) {
        auto& outer = As<CCPDisplay>(d);
        runner.Next([&](QDialog& d2) {
            auto& inner = As<CCPDisplay>(d2);
            EXPECT_EQ(inner.GetRecord(), right);
            Click(Page(inner, "Adjacent Panel Properties"), "W"); // Front: already open
            SetText(Page(inner, "Panel Properties"), "Mask Top", "40");
            inner.accept();
        });
        Click(Page(outer, "Adjacent Panel Properties"), "E");
        SetText(Page(outer, "Panel Properties"), "Mask Top", "333");
        outer.accept();
    });
    EXPECT_EQ(front->EditProperties(), IDOK);
    EXPECT_EQ(runner.m_titles, (QStringList{"Panel", "Panel"}));
    ASSERT_EQ(runner.m_messages.size(), 1);
    EXPECT_EQ(
        runner.m_messages[0],
        QStringLiteral("The properties of Front are already open, in a sheet behind this one.\n"
                       "Close this sheet and make the change there."));
    EXPECT_EQ(front->m_nMaskTop, 333);
    EXPECT_EQ(right->m_nMaskTop, 40);

    // Once closed, the sheet opens again.
    runner.Then([](QDialog& d) { d.reject(); });
    EXPECT_EQ(front->EditProperties(), IDCANCEL);
    EXPECT_EQ(runner.m_titles.size(), 3);
}

TEST(SheetFile, EditedCommentLeavesTheHeaderOnItsOwnLine)
{
    CCPManager manager;
    CCPText text(&manager);
    text.m_nId = 5;
    auto sheet = CQtRecordEditor::CreateSheet(text, nullptr);
    sheet->Open();
    SetComment(*sheet, "// Name: Clock");
    sheet->accept();
    CLineWriter ar;
    text.Serialize(ar);
    EXPECT_EQ(ar.Data().substr(0, 26), "\n// Name: Clock\r\n#5 TEXT\n\t");
}

TEST(RecordEditor, PicksTheSheetByTypeAndTheDocumentRecordsWhatChanged)
{
    CTestCockpit c;
    CQtRecordEditor editor;
    c.doc.SetRecordEditor(&editor);
    CCPSound sound(&c.doc.m_manager);

    CScriptedRunner runner;
    runner.Then([](QDialog& d) { d.reject(); }).Then([](QDialog& d) {
        SetText(*As<CCPDisplay>(d).GetActivePage(), "Sound Index", "12");
        d.accept();
    });
    EXPECT_EQ(sound.EditProperties(), IDCANCEL);
    EXPECT_EQ(c.doc.GetHistory().Count(), 0u);
    EXPECT_EQ(sound.EditProperties(), IDOK);
    EXPECT_EQ(sound.m_nEntry, 12);
    EXPECT_EQ(c.doc.UndoName(), "Properties of Sound 0");
    EXPECT_EQ(runner.m_titles, (QStringList{"Sound Properties", "Sound Properties"}));
}
