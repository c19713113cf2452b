#include "sheettesting.h"

#include "ccpdial.h"
#include "ccpdialpage.h"
#include "ccpindicator.h"
#include "ccpindicatorpage.h"
#include "ccpmanager.h"
#include "dialangles.h"
#include "irecordeditor.h"
#include "testcockpit.h"
#include "testdata.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QSlider>
#include <QTableWidget>

namespace {

// Where a dial page sends its preview (the document, in the editor): what it shows now, and
// how often it was told.
struct CPreviewLog : IRecordEditor
{
    const CCPDial* m_pRecord = nullptr;
    float m_fValue = 0.0f;
    int m_nChanges = 0;

    int EditProperties(CCPObject&) override { return IDCANCEL; }
    void ShowDialPreview(CCPDial& record, const CCPDial&, float value) override
    {
        m_pRecord = &record;
        m_fValue = value;
        ++m_nChanges;
    }
    void EndDialPreview(CCPDial& record) override
    {
        if (m_pRecord == &record) {
            m_pRecord = nullptr;
            ++m_nChanges;
        }
    }
};

struct Calibration : ::testing::Test
{
    CCPManager manager;
    CScriptedRunner runner;

    static std::unique_ptr<CCPDisplay> Open(CCPObject& record) { return OpenSheet(record); }
    static QTableWidget& Table(CCPDisplay& sheet, const QString& name)
    {
        QTableWidget* table = Find<QTableWidget>(*sheet.GetActivePage(), name);
        if (!table)
            throw std::runtime_error("no table " + name.toStdString());
        return *table;
    }
    // The rows as the user reads them.
    static std::vector<QStringList> Rows(const QTableWidget& table)
    {
        std::vector<QStringList> rows;
        for (int r = 0; r < table.rowCount(); ++r) {
            QStringList row;
            for (int c = 0; c < table.columnCount(); ++c)
                row << (table.item(r, c) ? table.item(r, c)->text() : QString());
            rows.push_back(row);
        }
        return rows;
    }
    // Types text into a cell and ends the edit, as the cell editor does.
    static void Type(QTableWidget& table, int row, int column, const QString& text)
    {
        table.item(row, column)->setText(text);
    }
};

} // namespace

TEST_F(Calibration, DialTableIsEditedInPlaceAndStoredOnOkOnly)
{
    CCPDial dial(&manager);
    dial.m_afPoints = {0.0f, 1.2345678f, 3.0f};
    dial.m_afValues = {0.0f, 100.0f};

    auto sheet = Open(dial);
    QTableWidget& table = Table(*sheet, "Points");
    // The angles in degrees, with the unit in the heading.
    EXPECT_EQ(table.horizontalHeaderItem(0)->text(), QStringLiteral("Point (\u00b0)"));
    EXPECT_EQ(Rows(table),
              (std::vector<QStringList>{{"0", "0"}, {"70.7355", "100"}, {"171.887", ""}}));
    EXPECT_TRUE(table.editTriggers() & QAbstractItemView::DoubleClicked);

    Type(table, 2, 1, "250.5");  // fills the value the list lacked
    Type(table, 0, 0, "-0.5e1"); // any number form, shown as the file writes it
    EXPECT_TRUE(runner.m_messages.isEmpty());
    Type(table, 0, 1, "abc");
    Type(table, 1, 1, ""); // the list would get a gap
    Type(table, 2, 0, "-");
    EXPECT_EQ(runner.m_messages, QStringList(3, "Please enter a number."));
    EXPECT_EQ(Rows(table),
              (std::vector<QStringList>{{"-5", "0"}, {"70.7355", "100"}, {"171.887", "250.5"}}));

    sheet->reject();
    EXPECT_EQ(dial.m_afPoints, (std::vector<float>{0.0f, 1.2345678f, 3.0f}));
    EXPECT_EQ(dial.m_afValues, (std::vector<float>{0.0f, 100.0f}));

    sheet = Open(dial);
    QTableWidget& again = Table(*sheet, "Points");
    Type(again, 2, 1, "250.5");
    Type(again, 2, 0, "-90");
    sheet->accept();
    ASSERT_TRUE(Accepted(*sheet));
    // The untouched point keeps every digit, not just the six degrees shown; the typed one is
    // kept in radians.
    EXPECT_EQ(dial.m_afPoints, (std::vector<float>{0.0f, 1.2345678f, -1.5707964f}));
    EXPECT_EQ(dial.m_afValues, (std::vector<float>{0.0f, 100.0f, 250.5f}));
}

TEST_F(Calibration, DialRowsAreAddedWhereSelectedAndRemoved)
{
    CCPDial dial(&manager);
    auto sheet = Open(dial);
    auto& page = static_cast<CCPDialPage&>(*sheet->GetActivePage());
    QTableWidget& table = Table(*sheet, "Points");
    Click(page, "Add Point"); // an empty table starts at 0
    EXPECT_EQ(Rows(table), (std::vector<QStringList>{{"0", "0"}}));
    Type(table, 0, 0, "-100");
    Click(page, "Add Point"); // a lone row is repeated
    Type(table, 1, 0, "-130");
    Type(table, 1, 1, "10");
    // Past the end, one more step of the same size, the angle kept within a turn.
    Click(page, "Add Point");
    EXPECT_EQ(Rows(table).back(), (QStringList{"-160", "20"}));
    Click(page, "Add Point");
    const QString wrapped = "170"; // -190 within a turn
    EXPECT_EQ(Rows(table).back(), (QStringList{wrapped, "30"}));
    // After a selected row, halfway to the next: the needle turns clockwise between them.
    table.selectRow(0);
    Click(page, "Add Point");
    EXPECT_EQ(Rows(table)[1], (QStringList{"-115", "5"}));
    EXPECT_EQ(table.currentRow(), 1);
    Click(page, "Remove Point");
    EXPECT_EQ(table.rowCount(), 4);
    table.selectRow(3);
    Click(page, "Remove Point");
    EXPECT_EQ(Rows(table),
              (std::vector<QStringList>{{"-100", "0"}, {"-130", "10"}, {"-160", "20"}}));
    sheet->accept();
    ASSERT_EQ(dial.m_afPoints.size(), 3u);
    for (size_t i = 0; i < 3; ++i)
        EXPECT_NEAR(dial.m_afPoints[i], -(100.0 + 30.0 * double(i)) * 3.14159265358979 / 180, 1e-6);
    EXPECT_EQ(dial.m_afValues, (std::vector<float>{0.0f, 10.0f, 20.0f}));

    // A list that ends above the new row leaves its cell empty: the lists keep no gap.
    dial.m_afValues = {0.0f};
    sheet = Open(dial);
    QTableWidget& shorter = Table(*sheet, "Points");
    Click(*sheet->GetActivePage(), "Add Point");
    EXPECT_EQ(Rows(shorter).back(), (QStringList{wrapped, ""}));
    sheet->accept();
    EXPECT_EQ(dial.m_afPoints.size(), 4u);
    EXPECT_EQ(dial.m_afValues, std::vector<float>{0.0f});
}

TEST_F(Calibration, IndicatorPositionsAreIntegersPerTape)
{
    CCPIndicator indicator(&manager);
    indicator.m_anMinPos = {1};
    indicator.m_anMaxPos = {10, 20}; // every entry shows, also of the longer list
    auto sheet = Open(indicator);
    CCPPage& page = *sheet->GetActivePage();
    QTableWidget& table = Table(*sheet, "Positions");
    EXPECT_EQ(Rows(table), (std::vector<QStringList>{{"1", "10"}, {"", "20"}}));

    Type(table, 1, 0, "2.5");
    Type(table, 0, 0, "99999999999");
    EXPECT_EQ(runner.m_messages, QStringList(2, "Please enter an integer."));
    Type(table, 1, 0, " 2 ");
    table.selectRow(0);
    Click(page, "Add Position"); // a copy of the selected tape's positions
    EXPECT_EQ(Rows(table), (std::vector<QStringList>{{"1", "10"}, {"1", "10"}, {"2", "20"}}));
    table.selectRow(2);
    Click(page, "Remove Position");
    Type(table, 1, 1, "15");
    sheet->accept();
    EXPECT_EQ(indicator.m_anMinPos, (std::vector<int>{1, 1}));
    EXPECT_EQ(indicator.m_anMaxPos, (std::vector<int>{10, 15}));

    // Entries taken off the end of one list only.
    sheet = Open(indicator);
    QTableWidget& again = Table(*sheet, "Positions");
    Type(again, 0, 1, "");
    EXPECT_EQ(runner.m_messages.size(), 3); // the value below it would lose its tape
    Type(again, 1, 1, "");
    sheet->accept();
    EXPECT_EQ(indicator.m_anMinPos, (std::vector<int>{1, 1}));
    EXPECT_EQ(indicator.m_anMaxPos, std::vector<int>{10});
}

TEST_F(Calibration, PreviewSliderSweepsTheTableWhileTheSheetIsOpen)
{
    CPreviewLog preview;
    manager.SetEditor(&preview);
    int& repaints = preview.m_nChanges;

    CCPDial dial(&manager);
    dial.m_afPoints = {1.5708f};
    dial.m_afValues = {200.0f};
    auto sheet = Open(dial);
    auto& page = static_cast<CCPDialPage&>(*sheet->GetActivePage());
    QSlider* slider = Find<QSlider>(page, "Preview value");
    ASSERT_TRUE(slider);
    EXPECT_FALSE(slider->isEnabled()); // one entry gives no needle

    QTableWidget& table = Table(*sheet, "Points");
    Click(page, "Add Point");
    Type(table, 1, 0, "-90");
    Type(table, 1, 1, "1000");
    EXPECT_TRUE(slider->isEnabled());
    // The slider starts where the panel shows the needle: at 0, or the table's nearer end.
    EXPECT_EQ(slider->value(), slider->minimum());
    EXPECT_EQ(Find<QLabel>(page, "Preview value Text")->text(), "200");
    EXPECT_NE(preview.m_pRecord, &dial);
    EXPECT_EQ(repaints, 0);

    slider->setValue(slider->maximum() / 2);
    EXPECT_EQ(preview.m_pRecord, &dial);
    EXPECT_EQ(preview.m_fValue, 600.0f);
    EXPECT_EQ(Find<QLabel>(page, "Preview value Text")->text(), "600");
    EXPECT_EQ(repaints, 1);
    // A change of the table moves the previewed needle at once; the value stays in range.
    Type(table, 1, 1, "400");
    EXPECT_EQ(preview.m_fValue, 400.0f);
    EXPECT_EQ(slider->value(), slider->maximum());
    EXPECT_EQ(repaints, 2);
    SetText(page, "Radius 0", "30");
    EXPECT_EQ(repaints, 3);

    // The record is not touched until OK, and the preview ends with the sheet.
    EXPECT_TRUE(dial.m_afValues == std::vector<float>{200.0f});
    sheet->reject();
    sheet.reset();
    EXPECT_EQ(preview.m_pRecord, nullptr);
    EXPECT_EQ(repaints, 4);
    EXPECT_TRUE(dial.m_afValues == std::vector<float>{200.0f});
}

TEST_F(Calibration, CellEditorTakesOnlyWhatCanBecomeANumber)
{
    CCPDial dial(&manager);
    dial.m_afPoints = {0.5f};
    dial.m_afValues = {10.0f};
    auto sheet = Open(dial);
    sheet->show();
    QTableWidget& table = Table(*sheet, "Points");
    auto typeInto = [&](int column, const QString& keys) {
        table.setCurrentCell(0, column);
        table.editItem(table.item(0, column));
        QLineEdit* editor = table.viewport()->findChild<QLineEdit*>();
        if (!editor)
            throw std::runtime_error("no cell editor");
        editor->selectAll();
        for (QChar ch : keys) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(editor, &press);
        }
        const QString shown = editor->text();
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(editor, &enter);
        QApplication::processEvents();                                   // the edit ends queued
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the closed editor
        return shown;
    };
    EXPECT_EQ(table.item(0, 0)->text(), "28.6479"); // 0.5 radians, in degrees
    EXPECT_EQ(typeInto(0, "x-1.5e+2y"), "-1.5e+2"); // letters other than an exponent never appear
    EXPECT_EQ(table.item(0, 0)->text(), "-150");
    EXPECT_EQ(typeInto(1, "-"), "-");
    EXPECT_EQ(runner.m_messages, QStringList{"Please enter a number."});
    EXPECT_EQ(table.item(0, 1)->text(), "10");
    sheet->accept();
    EXPECT_EQ(dial.m_afPoints, std::vector<float>{RadiansFromDegrees(-150.0)});
}

TEST(DialDegrees, AFilesRadiansSurviveTheSheetUntilAnAngleIsTyped)
{
    // Dial 104 of tests/data/making_strips_dials.dat: 90, 15 and -60 degrees, written with
    // more digits than the sheet shows.
    CTestCockpit c;
    CQtRecordEditor editor;
    CScriptedRunner runner;
    const std::string file = TestData("making_strips_dials.dat");
    c.doc.Load(file);
    c.doc.SetRecordEditor(&editor);
    ASSERT_EQ(c.Saved(), file);
    CCPObject* oil = c.doc.m_manager.FindObject(104);
    const auto replaced = [](std::string text, const std::string& from, const std::string& to) {
        const size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    };

    // Another field edited: the table's bytes stay as they were.
    runner.Then([&](QDialog& d) {
        CCPPage& page = *As<CCPDisplay>(d).GetActivePage();
        QTableWidget* table = Find<QTableWidget>(page, "Points");
        ASSERT_TRUE(table);
        EXPECT_EQ(table->item(0, 0)->text(), "90");
        EXPECT_EQ(table->item(1, 0)->text(), "15");
        EXPECT_EQ(table->item(2, 0)->text(), "-60");
        SetText(page, "Radius 1", "7");
        d.accept();
    });
    ASSERT_EQ(c.doc.EditRecordProperties(oil), IDOK);
    const std::string radius = replaced(file, "radius1 = 0;", "radius1 = 7;");
    EXPECT_EQ(c.Saved(), radius);

    // Accepted untouched: no step at all.
    runner.Then([](QDialog& d) { d.accept(); });
    ASSERT_EQ(c.doc.EditRecordProperties(oil), IDOK);
    EXPECT_EQ(c.doc.GetHistory().Count(), 1u);

    // An angle typed in degrees is written in radians; the others keep their digits.
    runner.Then([&](QDialog& d) {
        CCPPage& page = *As<CCPDisplay>(d).GetActivePage();
        Find<QTableWidget>(page, "Points")->item(1, 0)->setText("45");
        d.accept();
    });
    ASSERT_EQ(c.doc.EditRecordProperties(oil), IDOK);
    EXPECT_EQ(c.Saved(), replaced(radius, "0.261799387799", "0.785398"));

    ASSERT_TRUE(c.doc.Undo());
    EXPECT_EQ(c.Saved(), radius);
    ASSERT_TRUE(c.doc.Undo());
    EXPECT_EQ(c.Saved(), file);
}
