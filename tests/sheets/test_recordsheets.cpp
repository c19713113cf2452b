#include "sheettesting.h"
#include "testcockpit.h"
#include "testdata.h"

#include "ccpadi.h"
#include "ccpbuffer.h"
#include "ccpbutton.h"
#include "ccpbuttonview.h"
#include "ccpded.h"
#include "ccpdial.h"
#include "ccpdigits.h"
#include "ccphsi.h"
#include "ccpindicator.h"
#include "ccpknee.h"
#include "ccplight.h"
#include "ccpmachasi.h"
#include "ccpmanager.h"
#include "ccppanel.h"
#include "ccppantilt.h"
#include "ccpsound.h"
#include "ccpsurface.h"
#include "ccpsurfaceref.h"
#include "ccptext.h"
#include "cqtrecordeditor.h"
#include "recordtypes.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QTableWidget>

namespace {

struct Sheets : ::testing::Test
{
    CCPManager manager;
    CScriptedRunner runner;

    // A sheet of record, open on its first own page.
    std::unique_ptr<CCPDisplay> Open(CCPObject& record)
    {
        auto sheet = CQtRecordEditor::CreateSheet(record, nullptr);
        sheet->Open();
        return sheet;
    }
    static void Ok(CCPDisplay& sheet)
    {
        sheet.accept();
        EXPECT_TRUE(Accepted(sheet));
    }
};

// Every word the sheet's pages show: labels, buttons, box titles.
QStringList Words(const CCPDisplay& sheet)
{
    QStringList words;
    for (int i = 0; i < sheet.GetPageCount(); ++i) {
        CCPPage* page = sheet.GetPage(i);
        for (const QLabel* label : page->findChildren<QLabel*>())
            words << label->text();
        for (const QAbstractButton* button : page->findChildren<QAbstractButton*>())
            words << button->text();
        for (const QGroupBox* box : page->findChildren<QGroupBox*>())
            words << box->title();
    }
    return words;
}

QStringList Titles(const CCPDisplay& sheet)
{
    QStringList titles;
    for (int i = 0; i < sheet.GetPageCount(); ++i)
        titles << sheet.GetPage(i)->GetTitle();
    return titles;
}

} // namespace

TEST_F(Sheets, EveryTypeHasItsCaptionPagesStartPageAndPlainLabels)
{
    struct Expected
    {
        std::unique_ptr<CCPObject> record;
        QString caption;
        QStringList pages;
    };
    std::vector<Expected> all;
    auto add = [&](CCPObject* r, const char* caption, QStringList pages) {
        all.push_back({std::unique_ptr<CCPObject>(r), caption, pages});
    };
    add(new CCPPanel(&manager), "Panel",
        {"Panel Properties", "Adjacent Panel Properties", "OSB Locations"});
    add(new CCPSurfaceRef(&manager), "Surface Reference Properties", {"Surface Properties"});
    add(new CCPSurface(&manager), "Surface Properties", {"Surface Properties"});
    add(new CCPSound(&manager), "Sound Properties", {"Sound Properties"});
    add(new CCPButton(&manager), "Button Properties", {"Button Properties"});
    add(new CCPButtonView(&manager), "Button View", {"ButtonView Properties"});
    add(new CCPAdi(&manager), "Adi Properties", {"Adi Properties"});
    add(new CCPHsi(&manager), "HSI Properties", {"Hsi Properties"});
    add(new CCPMachAsi(&manager), "Mach Asi Properties", {"Mach Hsi Properties"});
    add(new CCPDial(&manager), "Dial Properties", {"Dial Properties"});
    add(new CCPIndicator(&manager), "Indicator Properties", {"Indicator Properties"});
    add(new CCPDigits(&manager), "Digits Properties", {"Digits Properties"});
    add(new CCPLight(&manager), "Light Properties", {"Light Properties"});
    add(new CCPText(&manager), "Text Properties", {"Text Properties"});
    add(new CCPDed(&manager), "Ded Properties", {"DED Properties"});
    add(new CCPKnee(&manager), "Knee View Properties", {"Knee Properties"});
    add(new CCPPanTilt(*FindRecordType("LIFTLINE"), &manager), "LiftLine Properties",
        {"LiftLine Properties"});
    add(new CCPPanTilt(*FindRecordType("CHEVRON"), &manager), "Chevron Properties",
        {"Chevron Properties"});
    add(new CCPBuffer(&manager), "Object", {});
    add(new CCPObject(&manager), "Object", {});

    // The file's key word "persistant" is not what the sheets call it.
    QStringList persistent;
    for (Expected& e : all) {
        auto sheet = Open(*e.record);
        EXPECT_EQ(sheet->windowTitle(), e.caption);
        EXPECT_EQ(Titles(*sheet), QStringList{"Basic Properties"} + e.pages)
            << e.caption.toStdString();
        EXPECT_EQ(sheet->GetActiveIndex(), e.pages.isEmpty() ? 0 : 1) << e.caption.toStdString();
        const QStringList words = Words(*sheet);
        EXPECT_TRUE(words.filter("persistant", Qt::CaseInsensitive).isEmpty())
            << e.caption.toStdString();
        if (words.contains("Persistent"))
            persistent << e.caption;
    }
    EXPECT_EQ(persistent,
              (QStringList{"Surface Reference Properties", "Button View", "Adi Properties",
                           "HSI Properties", "Mach Asi Properties", "Dial Properties",
                           "Indicator Properties", "Digits Properties", "Light Properties"}));
    auto sheet = Open(manager);
    EXPECT_EQ(sheet->windowTitle(), "Manager Properties");
    EXPECT_EQ(Titles(*sheet),
              (QStringList{"Basic Properties", "Manager Properties", "Manager Font Properties"}));
    EXPECT_EQ(sheet->GetActiveIndex(), 1);
}

TEST_F(Sheets, ManagerPages)
{
    manager.m_nTemplateWidth = 1024;
    manager.m_nKneeFont = 2;
    auto sheet = Open(manager);
    CCPPage& page = *sheet->GetActivePage();
    EXPECT_EQ(Text(page, "Template Width"), "1024");
    SetText(page, "Template", "cockpit.gif");
    SetText(page, "Template Width", "800");
    SetText(page, "Template Height", "600");
    SetText(page, "MouseBorder", "6");
    SetChecked(page, "Do Geometry", true);
    runner.Then([](QDialog& d) {
        SetText(d, "Top", "10");
        SetText(d, "Left", "20");
        d.accept();
    });
    Click(page, "RWR");
    EXPECT_EQ(manager.m_rcRwr, CRect(20, 10, 0, 0)); // at once
    CCPPage& fonts = Page(*sheet, "Manager Font Properties");
    EXPECT_EQ(Text(fonts, "Knee Font"), "2");
    SetText(fonts, "SA Font", "5");
    SetText(fonts, "Label Font", "8");
    Ok(*sheet);
    EXPECT_EQ(manager.m_strTemplateFile, "cockpit.gif");
    EXPECT_EQ(manager.m_nTemplateWidth, 800);
    EXPECT_EQ(manager.m_nTemplateHeight, 600);
    EXPECT_EQ(manager.m_nMouseBorder, 6);
    EXPECT_TRUE(manager.m_bDoGeometry);
    EXPECT_EQ(manager.m_nSaBoxFont, 5);
    EXPECT_EQ(manager.m_nLabelFont, 8);
    EXPECT_EQ(manager.m_nKneeFont, 2);
}

TEST_F(Sheets, PanelPagesAndTheAdjacentPanels)
{
    CQtRecordEditor editor;
    manager.SetEditor(&editor);
    auto make = [&](int id) {
        auto p = std::make_unique<CCPPanel>(&manager);
        p->m_nId = id;
        CCPPanel* raw = p.get();
        manager.AddPanel(std::move(p));
        return raw;
    };
    CCPPanel* panel = make(100);
    CCPPanel* east = make(200);
    panel->m_anAdjPanels = {-1, -1, 200, -1, -1, -1, -1, -1};
    panel->m_nHudFont = -1;

    auto sheet = Open(*panel);
    CCPPage& main = *sheet->GetActivePage();
    EXPECT_EQ(Text(main, "Hud"), "-1");
    SetText(main, "Cursor", "3");
    SetText(main, "Ded", "2");
    SetText(main, "Mask Top", "400");
    SetText(main, "Tilt", "-12.5");
    runner.Then([](QDialog& d) {
        SetText(d, "Right", "300");
        d.accept();
    });
    Click(main, "Right Mfd");
    EXPECT_EQ(panel->m_rcMfdRight.right, 300);

    CCPPage& adj = Page(*sheet, "Adjacent Panel Properties");
    EXPECT_EQ(Text(adj, "E"), "200");
    EXPECT_EQ(Text(adj, "N"), "-1: none");
    SetText(adj, "S", "300");
    // The direction button opens the neighbour on top of this sheet.
    runner.Then([&](QDialog& d) {
        auto& other = As<CCPDisplay>(d);
        EXPECT_EQ(other.GetRecord(), east);
        SetText(*other.GetActivePage(), "Mask Top", "77");
        other.accept();
    });
    Click(adj, "E");
    EXPECT_EQ(east->m_nMaskTop, 77);
    Click(adj, "W"); // -1: disabled, nothing opens
    Ok(*sheet);
    EXPECT_EQ(panel->m_nCursorId, 3);
    EXPECT_EQ(panel->m_nDedFont, 2);
    EXPECT_EQ(panel->m_nHudFont, -1);
    EXPECT_EQ(panel->m_nMaskTop, 400);
    EXPECT_EQ(panel->m_fTilt, -12.5f);
    EXPECT_EQ(panel->m_anAdjPanels, (std::array<int, 8>{-1, -1, 200, -1, 300, -1, -1, -1}));
    EXPECT_EQ(runner.m_titles, (QStringList{"Area", "Panel"}));
}

namespace {

QStringList Items(QWidget& page, const QString& name)
{
    QStringList items;
    if (auto* list = Find<QComboBox>(page, name))
        for (int i = 0; i < list->count(); ++i)
            items << list->itemText(i);
    return items;
}

QStringList EnabledButtons(QWidget& page)
{
    QStringList enabled;
    for (const char* direction : {"N", "NE", "E", "SE", "S", "SW", "W", "NW"})
        if (auto* button = Find<QAbstractButton>(page, direction); button && button->isEnabled())
            enabled << direction;
    return enabled;
}

} // namespace

TEST(AdjacentPanels, FieldsListThePanelsAndTakeAnyId)
{
    CTestCockpit c(TestData("sheets_panels.dat"));
    CQtRecordEditor editor;
    c.doc.SetRecordEditor(&editor);
    CCPPanel* front = c.doc.m_manager.FindPanel(100);
    ASSERT_TRUE(front);

    CScriptedRunner runner;
    runner.Then([&](QDialog& d) {
        auto& sheet = As<CCPDisplay>(d);
        CCPPage& adj = Page(sheet, "Adjacent Panel Properties");
        // The other panels by id and name; a button only where a panel is named.
        EXPECT_EQ(Items(adj, "N"), (QStringList{"-1: none", "200: Right Side", "300"}));
        EXPECT_EQ(Text(adj, "E"), "200: Right Side");
        EXPECT_EQ(Text(adj, "S"), "300");
        EXPECT_EQ(Text(adj, "N"), "-1: none");
        EXPECT_EQ(EnabledButtons(adj), (QStringList{"E", "S"}));

        // Picked from the list, by name in any case, or an id no panel has (kept, as the file
        // allows it, but there is nothing to open).
        Find<QComboBox>(adj, "N")->setCurrentIndex(2);
        SetText(adj, "W", "right side");
        SetText(adj, "NE", "999");
        SetText(adj, "S", "-1");
        EXPECT_EQ(EnabledButtons(adj), (QStringList{"N", "E", "W"}));

        SetText(adj, "SE", "Nowhere");
        sheet.accept();
        EXPECT_FALSE(Accepted(sheet));
        SetText(adj, "SE", " 7 ");
        sheet.accept();
    });
    EXPECT_EQ(c.doc.EditRecordProperties(front), IDOK);
    EXPECT_EQ(runner.m_messages, QStringList{"Please enter an integer."});
    EXPECT_EQ(front->m_anAdjPanels, (std::array<int, 8>{300, 999, 200, 7, -1, -1, 200, -1}));
}

TEST(AdjacentPanels, DirectionButtonOpensTheFieldsPanelWhichCanBeRenamedThere)
{
    CTestCockpit c(TestData("sheets_panels.dat"));
    CQtRecordEditor editor;
    c.doc.SetRecordEditor(&editor);
    CCPManager& manager = c.doc.m_manager;
    const std::string before = c.Saved();

    CScriptedRunner runner;
    runner.Then([&](QDialog& d) {
        auto& sheet = As<CCPDisplay>(d);
        CCPPage& adj = Page(sheet, "Adjacent Panel Properties");
        // What the field shows is what opens, stored or not.
        SetText(adj, "E", "300");
        runner.Next([&](QDialog& d2) {
            EXPECT_EQ(As<CCPDisplay>(d2).GetRecord(), manager.FindPanel(300));
            d2.reject();
        });
        Click(adj, "E");

        // The neighbour renamed and given a new id on its own sheet: the field follows.
        SetText(adj, "E", "200");
        runner.Next([&](QDialog& d2) {
            auto& right = As<CCPDisplay>(d2);
            CCPPage& basic = Page(right, "Basic Properties");
            EXPECT_EQ(Text(basic, "Name"), "Right Side");
            SetText(basic, "Name", "Starboard");
            SetText(basic, "ID", "250");
            right.accept();
        });
        Click(adj, "E");
        EXPECT_EQ(Text(adj, "E"), "250: Starboard");
        EXPECT_EQ(Items(adj, "E"), (QStringList{"-1: none", "250: Starboard", "300"}));
        sheet.accept();
    });
    EXPECT_EQ(c.doc.EditRecordProperties(manager.FindPanel(100)), IDOK);
    EXPECT_EQ(runner.m_titles, (QStringList{"Panel", "Panel", "Panel"}));

    const std::string saved = c.Saved();
    EXPECT_NE(saved.find("\tadjpanels =  -1 -1 250 -1 300 -1 -1 -1;\n"), std::string::npos);
    EXPECT_NE(saved.find("\n// Name: Starboard\r\n#250 PANEL\n"), std::string::npos);
    // All of it one step.
    EXPECT_EQ(c.doc.GetHistory().Count(), 1u);
    EXPECT_TRUE(c.doc.Undo());
    EXPECT_EQ(c.Saved(), before);
}

TEST_F(Sheets, OsbListsShowTwentyPointsPerMfd)
{
    CCPPanel panel(&manager);
    panel.m_aOsbLeft[3] = {0.5f, -0.125f};
    auto sheet = Open(panel);
    CCPPage& osb = Page(*sheet, "OSB Locations");
    QTableWidget* left = Find<QTableWidget>(osb, "Left OSBs");
    ASSERT_TRUE(left);
    EXPECT_EQ(left->rowCount(), 20);
    EXPECT_EQ(left->horizontalHeaderItem(0)->text(), "X.");
    EXPECT_EQ(left->item(3, 0)->text(), "0.5");
    EXPECT_EQ(left->item(3, 1)->text(), "-0.125");
    EXPECT_EQ(left->item(3, 1)->data(Qt::UserRole).toInt(), 3);
    runner.Then([](QDialog& d) { d.reject(); });
    emit left->cellDoubleClicked(3, 0);
    EXPECT_EQ(panel.m_aOsbLeft[3], (CFloatPoint{0.5f, -0.125f}));
}

TEST_F(Sheets, SurfaceEntryMakesSureItsSurfaceExists)
{
    CCPSurfaceRef entry(&manager);
    entry.m_nId = 104;
    auto sheet = Open(entry);
    CCPPage& page = *sheet->GetActivePage();
    // An entry without a surface number takes its own id, and the SURFACE record is created.
    EXPECT_EQ(Text(page, "Surface No"), "104");
    CCPSurface* surface = manager.FindSurface(104);
    ASSERT_TRUE(surface);
    SetText(page, "File", "back.gif");
    SetChecked(page, "Transparent", false);
    SetChecked(page, "Persistent", true);
    runner.Then([](QDialog& d) {
        SetText(d, "Bottom", "99");
        d.accept();
    });
    Click(page, "Src");
    EXPECT_EQ(surface->m_rcSrc, CRect(0, 0, 10, 99));
    Ok(*sheet);
    EXPECT_EQ(entry.m_nSurfaceId, 104);
    EXPECT_FALSE(entry.m_bTransparent);
    EXPECT_EQ(entry.m_nPersistent, 1);
    EXPECT_EQ(surface->m_strFile, "back.gif");

    // The SURFACE record's own page only shows what the entry edits.
    surface->m_rcSrc = CRect(1, 2, 3, 4);
    auto own = Open(*surface);
    EXPECT_EQ(Text(*own->GetActivePage(), "Src Location"), "1,2,3,4");
    EXPECT_EQ(Text(*own->GetActivePage(), "File"), "back.gif");
    EXPECT_TRUE(Find<QLineEdit>(*own->GetActivePage(), "File")->isReadOnly());
}

TEST_F(Sheets, ButtonAndButtonViewOpenEachOther)
{
    CQtRecordEditor editor;
    manager.SetEditor(&editor);
    auto sound = std::make_unique<CCPSound>(&manager);
    sound->m_nId = 4;
    CCPSound* rawSound = sound.get();
    manager.AddSound(std::move(sound));
    auto button = std::make_unique<CCPButton>(&manager);
    button->m_nId = 1001;
    button->m_nSound1 = 4;
    CCPButton* rawButton = button.get();
    manager.AddButton(std::move(button));

    auto sheet = Open(*rawButton);
    CCPPage& page = *sheet->GetActivePage();
    EXPECT_EQ(Text(page, "Sound 1 Id"), "4");
    SetText(page, "Delay", "250");
    SetText(page, "NStates", "3");
    SetText(page, "Sound 2 Id", "9");
    runner.Then([&](QDialog& d) {
        EXPECT_EQ(As<CCPDisplay>(d).GetRecord(), rawSound);
        d.reject();
    });
    Click(page, "Sound 1");
    Click(page, "Sound 2"); // no sound 2 held yet: nothing opens
    Ok(*sheet);
    EXPECT_EQ(rawButton->m_nDelay, 250);
    EXPECT_EQ(rawButton->m_nStates, 3);
    EXPECT_EQ(rawButton->m_nSound2, 9);

    CCPButtonView view(&manager);
    view.m_nPersistent = 2;
    sheet = Open(view);
    CCPPage& viewPage = *sheet->GetActivePage();
    EXPECT_TRUE(IsChecked(viewPage, "Electrical"));
    EXPECT_TRUE(IsChecked(viewPage, "Transparent"));
    SetChecked(viewPage, "Persistent", true);
    SetChecked(viewPage, "Transparent", false);
    // "Parent" takes the typed id first.
    SetText(viewPage, "Parent Id", "1001");
    runner.Then([&](QDialog& d) {
        EXPECT_EQ(As<CCPDisplay>(d).GetRecord(), rawButton);
        d.reject();
    });
    Click(viewPage, "Parent");
    Ok(*sheet);
    EXPECT_EQ(view.m_nParentButton, 1001);
    EXPECT_EQ(view.m_nPersistent, 1);
    EXPECT_FALSE(view.m_bTransparent);
}

// A type added to the type table without a sheet would open the bare "Object" sheet.
TEST_F(Sheets, EveryTypeThatCanBeMadeOpensASheetOfItsOwn)
{
    for (const CRecordType& type : RecordTypes()) {
        if (!type.create)
            continue;
        std::unique_ptr<CCPObject> record = CreateRecordOfType(type.newCode, &manager);
        auto sheet = Open(*record);
        EXPECT_NE(sheet->windowTitle(), QStringLiteral("Object")) << type.name;
        EXPECT_GT(sheet->GetPageCount(), 1) << type.name;
    }
}

TEST_F(Sheets, TextDedKneeLiftAndChevronPages)
{
    CCPText text(&manager);
    auto sheet = Open(text);
    EXPECT_EQ(Text(*sheet->GetActivePage(), "Cycle Bits"), "ffff");
    SetText(*sheet->GetActivePage(), "Cycle Bits", "0x1f");
    SetText(*sheet->GetActivePage(), "Num Strings", "4");
    SetText(*sheet->GetActivePage(), "Callback", "12");
    Ok(*sheet);
    EXPECT_EQ(text.m_nCycleBits, 0x1fu);
    EXPECT_EQ(text.m_nNumStrings, 4);
    EXPECT_EQ(text.m_nCallbackSlot, 12);

    CCPDed ded(&manager);
    ded.m_nColor0 = 0x38e0f8;
    sheet = Open(ded);
    CCPPage& dedPage = *sheet->GetActivePage();
    EXPECT_EQ(Text(dedPage, "Color Value"), "  38e0f8"); // "%8x"
    EXPECT_TRUE(IsChecked(dedPage, "Ded"));
    SetChecked(dedPage, "Pfl", true);
    SetText(dedPage, "Cycle Bits", "not hex"); // does not scan: the record keeps its value
    Ok(*sheet);
    EXPECT_EQ(ded.m_nDedType, 1);
    EXPECT_EQ(ded.m_nColor0, 0x38e0f8u);
    EXPECT_EQ(ded.m_nCycleBits, 0xffffu);

    CCPKnee knee(&manager);
    sheet = Open(knee);
    SetText(*sheet->GetActivePage(), "Cycle Bits", "ABC");
    runner.Then([](QDialog& d) { d.reject(); });
    Click(*sheet->GetActivePage(), "Dest");
    Ok(*sheet);
    EXPECT_EQ(knee.m_nCycleBits, 0xabcu);

    CCPPanTilt lift(*FindRecordType("LIFTLINE"), &manager);
    CCPPanTilt chevron(*FindRecordType("CHEVRON"), &manager);
    for (auto [record, pan, tilt, panLabel, tiltLabel] :
         {std::tuple<CCPObject*, float*, float*, int*, int*>{&lift, &lift.m_fPan, &lift.m_fTilt,
                                                             &lift.m_nPanLabel, &lift.m_nTiltLabel},
          std::tuple<CCPObject*, float*, float*, int*, int*>{&chevron, &chevron.m_fPan,
                                                             &chevron.m_fTilt, &chevron.m_nPanLabel,
                                                             &chevron.m_nTiltLabel}}) {
        sheet = Open(*record);
        CCPPage& page = *sheet->GetActivePage();
        SetText(page, "Pan", "1.5");
        SetText(page, "Tilt", "-2");
        SetText(page, "Pan Label", "-1");
        SetText(page, "Tilt Label", "4");
        Ok(*sheet);
        EXPECT_EQ(*pan, 1.5f);
        EXPECT_EQ(*tilt, -2.0f);
        EXPECT_EQ(*panLabel, -1);
        EXPECT_EQ(*tiltLabel, 4);
    }
}

TEST_F(Sheets, DigitsAndLightPages)
{
    CCPDigits digits(&manager);
    digits.m_nPersistent = 2;
    auto sheet = Open(digits);
    CCPPage& page = *sheet->GetActivePage();
    EXPECT_TRUE(IsChecked(page, "Persistent"));
    runner.Then([](QDialog& d) { d.reject(); });
    Click(page, "Source");
    Ok(*sheet);
    // A value the check box cannot show is kept while the box stays ticked.
    EXPECT_EQ(digits.m_nPersistent, 2);

    CCPLight light(&manager);
    light.m_arcSrc = {CRect(0, 0, 4, 4), CRect(4, 0, 8, 4)};
    light.m_nPersistent = 2;
    sheet = Open(light);
    CCPPage& lightPage = *sheet->GetActivePage();
    EXPECT_EQ(Text(lightPage, "Number State"), "2");
    EXPECT_TRUE(IsChecked(lightPage, "Electrical"));
    SetText(lightPage, "Initial State", "1");
    SetText(lightPage, "Cursor ID", "-1");
    SetChecked(lightPage, "Non Persistent", true);
    runner.Then([&](QDialog& d) {
        d.findChild<QTableWidget*>()->selectRow(0);
        Click(d, "Del Rect");
        d.accept();
    });
    Click(lightPage, "Source");
    EXPECT_EQ(Text(lightPage, "Number State"), "1");
    Ok(*sheet);
    EXPECT_EQ(light.m_arcSrc, std::vector<CRect>{CRect(4, 0, 8, 4)});
    EXPECT_EQ(light.m_nInitState, 1);
    EXPECT_EQ(light.m_nCursorId, -1);
    EXPECT_EQ(light.m_nPersistent, 0);
}

TEST_F(Sheets, HsiPage)
{
    CCPHsi hsi(&manager);
    hsi.m_abTransparent = {true, false, false};
    auto sheet = Open(hsi);
    CCPPage& page = *sheet->GetActivePage();
    EXPECT_TRUE(IsChecked(page, "Dest1 Transparent"));
    EXPECT_TRUE(IsChecked(page, "Course Warn"));
    SetChecked(page, "To", false);
    SetChecked(page, "Course Warn", false);
    SetChecked(page, "Dev Dest Transparent", true);
    SetText(page, "Surface", "7");
    runner.Then([](QDialog& d) {
        SetText(d, "Right", "40");
        d.accept();
    });
    Click(page, "Warn Flag");
    Ok(*sheet);
    EXPECT_EQ(hsi.m_nDrawParts, 0x3ffu & ~0x2u & ~0x200u);
    EXPECT_EQ(hsi.m_abTransparent, (std::array<bool, 3>{true, false, true}));
    EXPECT_EQ(hsi.m_background.m_nSurface, 7);
    EXPECT_EQ(hsi.m_rcWarnFlag.right, 40);
}

TEST_F(Sheets, MachAsiPage)
{
    CCPMachAsi mach(&manager);
    auto sheet = Open(mach);
    CCPPage& machPage = *sheet->GetActivePage();
    EXPECT_EQ(Text(machPage, "Cycle"), "ff");
    EXPECT_EQ(Text(machPage, "Color 1 Value"), "ff000000");
    EXPECT_EQ(Text(machPage, "Dial Arc Length"), "1");
    SetText(machPage, "Max Dial Value", "2.5");
    SetText(machPage, "Need Radius", "30");
    SetText(machPage, "Color 2 Value", "ff00ff00");
    Ok(*sheet);
    EXPECT_EQ(mach.m_fMaxVal, 2.5f);
    EXPECT_EQ(mach.m_nNeedleRadius, 30);
    EXPECT_EQ(mach.m_aColors[1], 0xff00ff00u);
}

TEST_F(Sheets, DialPage)
{
    CCPDial dial(&manager);
    dial.m_afPoints = {0.0f, 1.5f, 3.0f};
    dial.m_afValues = {0.0f, 100.0f};
    auto sheet = Open(dial);
    CCPPage& dialPage = *sheet->GetActivePage();
    QTableWidget* table = Find<QTableWidget>(dialPage, "Points");
    ASSERT_TRUE(table);
    EXPECT_EQ(table->rowCount(), 3);
    EXPECT_EQ(table->item(1, 0)->text(), "85.9437"); // 1.5 radians, in degrees
    EXPECT_EQ(table->item(1, 1)->text(), "100");
    EXPECT_EQ(table->item(2, 1)->text(), ""); // no value of that index
    SetText(dialPage, "Radius 2", "15");
    Ok(*sheet);
    EXPECT_EQ(dial.m_anRadius[2], 15);
    EXPECT_EQ(dial.m_afPoints.size(), 3u);
}

TEST_F(Sheets, IndicatorPage)
{
    CCPIndicator indicator(&manager);
    indicator.m_anMinPos = {1, 2};
    indicator.m_anMaxPos = {10};
    auto sheet = Open(indicator);
    CCPPage& indPage = *sheet->GetActivePage();
    QTableWidget* tapes = Find<QTableWidget>(indPage, "Positions");
    ASSERT_TRUE(tapes);
    EXPECT_EQ(tapes->rowCount(), 2);
    EXPECT_EQ(tapes->item(1, 1)->text(), "");
    EXPECT_TRUE(IsChecked(indPage, "Vertical"));
    SetChecked(indPage, "Vertical", false);
    SetText(indPage, "Min Val", "-5");
    runner.Then([](QDialog& d) { d.reject(); });
    Click(indPage, "Dest");
    Ok(*sheet);
    EXPECT_EQ(indicator.m_nOrientation, 0);
    EXPECT_EQ(indicator.m_fMinVal, -5.0f);
}
