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

#include <cstdint>

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
    auto check = [](CCPObject& record, uint32_t* colours, const QStringList& names) {
        // Alpha is not drawn, so it is not shown either.
        for (int i = 0; i < names.size(); ++i)
            colours[i] = 0x7f000000u + 0x203040u * uint32_t(i + 1);
        auto sheet = CQtRecordEditor::CreateSheet(record, nullptr);
        sheet->Open();
        CCPPage& page = *sheet->GetActivePage();
        EXPECT_EQ(page.findChildren<CColourField*>().size(), names.size())
            << page.GetTitle().toStdString();
        for (int i = 0; i < names.size(); ++i)
            EXPECT_EQ(SwatchColour(page, names[i]), QColor::fromRgb(0x203040u * uint32_t(i + 1)))
                << page.GetTitle().toStdString() << " " << names[i].toStdString();
    };
    CCPAdi adi(&manager);
    check(adi, adi.m_aColors.data(), {"Color0", "Color1", "Color2", "Color3", "Color4"});
    CCPDed ded(&manager);
    check(ded, &ded.m_nColor0, {"Color"});
    CCPDial dial(&manager);
    check(dial, dial.m_aColors.data(), {"Color 0", "Color 1", "Color 2"});
    CCPMachAsi mach(&manager);
    check(mach, mach.m_aColors.data(), {"Color 1", "Color 2"});
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
