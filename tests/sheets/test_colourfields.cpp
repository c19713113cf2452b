#include "sheettesting.h"

#include "ccolourfield.h"
#include "ccpadi.h"
#include "ccpded.h"
#include "ccpdial.h"
#include "ccpmachasi.h"
#include "ccpmanager.h"
#include "cqtrecordeditor.h"

#include <QColorDialog>
#include <QImage>
#include <QToolButton>

#include <utility>
#include <vector>

namespace {

// The colour the swatch shows, read off the button as painted (away from the diagonal that an
// unreadable text gets).
QColor SwatchColour(QWidget& page, const QString& name)
{
    QToolButton* swatch = Find<QToolButton>(page, name);
    if (!swatch)
        return QColor();
    swatch->resize(swatch->sizeHint());
    const QImage image = swatch->grab().toImage();
    return image.pixelColor(image.rect().center() + QPoint(-8, -4));
}

} // namespace

TEST(ColourFields, EverySheetShowsASwatchOfEachColour)
{
    CCPManager manager;
    CCPAdi adi(&manager);
    CCPDed ded(&manager);
    CCPDial dial(&manager);
    CCPMachAsi mach(&manager);
    // The alpha byte is not drawn, so it is not shown either.
    adi.m_aColors = {0xff102030, 0x7f405060, 0x00708090, 0xffa0b0c0, 0xffd0e0f0};
    ded.m_nColor0 = 0x0038e0f8;
    dial.m_aColors = {0xffff0000, 0xff00ff00, 0xff0000ff};
    mach.m_aColors = {0xff010203, 0x80fefdfc};
    const std::vector<std::pair<CCPObject*, std::vector<std::pair<QString, QColor>>>> all = {
        {&adi,
         {{"Color0", QColor(0x10, 0x20, 0x30)},
          {"Color1", QColor(0x40, 0x50, 0x60)},
          {"Color2", QColor(0x70, 0x80, 0x90)},
          {"Color3", QColor(0xa0, 0xb0, 0xc0)},
          {"Color4", QColor(0xd0, 0xe0, 0xf0)}}},
        {&ded, {{"Color", QColor(0x38, 0xe0, 0xf8)}}},
        {&dial,
         {{"Color 0", QColor(255, 0, 0)},
          {"Color 1", QColor(0, 255, 0)},
          {"Color 2", QColor(0, 0, 255)}}},
        {&mach, {{"Color 1", QColor(1, 2, 3)}, {"Color 2", QColor(0xfe, 0xfd, 0xfc)}}}};
    for (const auto& [record, colours] : all) {
        auto sheet = CQtRecordEditor::CreateSheet(*record, nullptr);
        sheet->Open();
        CCPPage& page = *sheet->GetActivePage();
        EXPECT_EQ(page.findChildren<CColourField*>().size(), qsizetype(colours.size()))
            << page.GetTitle().toStdString();
        for (const auto& [name, colour] : colours)
            EXPECT_EQ(SwatchColour(page, name), colour)
                << page.GetTitle().toStdString() << " " << name.toStdString();
    }
}

TEST(ColourFields, SwatchFollowsTheTextAndOpensTheChooser)
{
    CCPManager manager;
    CCPDial dial(&manager);
    auto sheet = CQtRecordEditor::CreateSheet(dial, nullptr);
    sheet->Open();
    CCPPage& page = *sheet->GetActivePage();

    // Typed by hand, read as OK reads it.
    SetText(page, "Color 0 Value", "ff0000ff");
    EXPECT_EQ(SwatchColour(page, "Color 0"), QColor(0, 0, 255));
    SetText(page, "Color 0 Value", "  0x00ff00");
    EXPECT_EQ(SwatchColour(page, "Color 0"), QColor(0, 255, 0));
    SetText(page, "Color 0 Value", "zz");
    EXPECT_NE(SwatchColour(page, "Color 0"), QColor(0, 255, 0));
    EXPECT_TRUE(Find<QToolButton>(page, "Color 0")->toolTip().contains("not a hexadecimal color"));

    // The swatch is the chooser's button: it opens on the field's colour, and the choice lands in
    // the text, opaque, and in the swatch.
    CScriptedRunner runner;
    SetText(page, "Color 0 Value", "123456");
    runner.Then([](QDialog& d) {
        auto& chooser = As<QColorDialog>(d);
        EXPECT_EQ(chooser.currentColor(), QColor(0x12, 0x34, 0x56));
        chooser.setCurrentColor(QColor(0xc0, 0x40, 0x20));
        chooser.accept();
    });
    Click(page, "Color 0");
    EXPECT_EQ(Text(page, "Color 0 Value"), "ffc04020");
    EXPECT_EQ(SwatchColour(page, "Color 0"), QColor(0xc0, 0x40, 0x20));
    EXPECT_EQ(runner.m_titles, QStringList{"Color"});

    sheet->accept();
    EXPECT_TRUE(Accepted(*sheet));
    EXPECT_EQ(dial.m_aColors[0], 0xffc04020u);
}
