// Making records by drawing in the views: types and template pieces dropped on the panel, the
// piece drawn on the template, and the panel's outlines and lit look.
#include "test_viewfixture.h"

#include "crecorddrag.h"
#include "ctemplview.h"
#include "cvireoview.h"
#include "dragdrop.h"
#include "outlinepaint.h"

#include <QMimeData>
#include <QUrl>

#include <memory>
#include <string>

using namespace viewtest;

namespace {

// The panel view over tests/data/view_two_panels.dat, answering the piece's type menu itself.
class PanelDropTest : public ViewTest<CVireoView>
{
protected:
    std::string original;
    int typeAsked = 0;
    int typeAnswer = kLightType;

    void SetUp() override
    {
        ViewTest::SetUp();
        view->m_fnChoosePieceType = [this](const QPoint&) {
            ++typeAsked;
            return typeAnswer;
        };
        Show(100);
        original = c.doc.Store();
    }
    bool Drop(QPoint p, QMimeData* mime)
    {
        const std::unique_ptr<QMimeData> owned(mime);
        return DropOn(vp(), p, *owned);
    }
    // The one record a drop added to panel 100, undone back to the same bytes.
    void ExpectOneStepBack()
    {
        EXPECT_EQ(c.doc.GetHistory().Count(), 1u);
        ASSERT_TRUE(c.doc.Undo());
        EXPECT_EQ(c.doc.Store(), original);
    }
};

// The template view over the same cockpit, its template key blue with a lamp at 20,4 - 36,12.
class TemplatePieceTest : public ViewTest<CTemplView>
{
protected:
    bool snap = false;
    int placeAsked = 0;
    std::unique_ptr<QMimeData> dragged;

    void SetUp() override
    {
        CBitmap bmp(64, 32, 0xff0000ffu);
        for (int y = 4; y < 12; ++y)
            for (int x = 20; x < 36; ++x)
                bmp.SetPixel(x, y, 0xffc0a020u);
        c.doc.m_manager.m_bmpTemplate = bmp;
        ViewTest::SetUp();
        view->SetSnapSource([this] { return snap; });
        view->SetPlaceHandler([this] { ++placeAsked; });
        view->m_fnStartDrag = [this](std::unique_ptr<QMimeData> mime) {
            dragged = std::move(mime);
        };
        Show(100);
    }
};

} // namespace

TEST_F(PanelDropTest, ARecordTypeDroppedLandsUnderThePointerAsOneStep)
{
    const std::unique_ptr<QMimeData> mime(MakeRecordTypeMime(kDialType));
    const QRgb plain = At(125, 85);
    QDragEnterEvent enter(QPoint(120, 80), Qt::CopyAction, mime.get(), Qt::LeftButton, {});
    QApplication::sendEvent(vp(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    // While it is over the view, where the record would land is shown.
    EXPECT_NE(At(125, 85), plain);
    EXPECT_EQ(At(135, 85), plain);
    QDropEvent drop(QPointF(120, 80), Qt::CopyAction, mime.get(), Qt::LeftButton, {});
    QApplication::sendEvent(vp(), &drop);
    EXPECT_TRUE(drop.isAccepted());

    CCPObject* dial = c.doc.m_pCurrentObject;
    ASSERT_NE(dial, nullptr);
    EXPECT_EQ(dial->GetTypeCode(), int(kDialType));
    EXPECT_EQ(Dest(dial), CRect(120, 80, 130, 90));
    EXPECT_TRUE(c.doc.PanelHolds(c.Panel(100), dial));
    EXPECT_EQ(c.doc.UndoName(), "Add Dial " + std::to_string(dial->m_nId));
    EXPECT_EQ(c.editor.m_nCalls, 0) << "no sheet is forced open";
    EXPECT_EQ(At(125, 85), plain) << "the drop's mark goes with the drop (a dial draws nothing)";
    ExpectOneStepBack();

    // At a zoom the point is the panel's point under the pointer.
    view->ZoomAbout(2.0f, CPoint{0, 0});
    ASSERT_TRUE(Drop(QPoint(120, 80), MakeRecordTypeMime(kLightType)));
    EXPECT_EQ(Dest(c.doc.m_pCurrentObject), CRect(60, 40, 70, 50));
}

TEST_F(PanelDropTest, DropsFromElsewhereOrOfWhatNoPanelHoldsAreRefused)
{
    QMimeData text;
    text.setText(QStringLiteral("LIGHT"));
    EXPECT_FALSE(DropOn(vp(), QPoint(50, 50), text));
    QMimeData file;
    file.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/10_other.dat"))});
    EXPECT_FALSE(DropOn(vp(), QPoint(50, 50), file)) << "a file is the window's to open";
    QMimeData bogus;
    bogus.setData(QString::fromLatin1(kRecordTypeMime), "twelve");
    EXPECT_FALSE(DropOn(vp(), QPoint(50, 50), bogus));
    EXPECT_FALSE(Drop(QPoint(50, 50), MakeRecordTypeMime(kPanelType)));
    EXPECT_FALSE(Drop(QPoint(50, 50), MakeRecordTypeMime(kBufferType)));
    QMimeData flat;
    flat.setData(QString::fromLatin1(kTemplatePieceMime), "4 4 4 20");
    EXPECT_FALSE(DropOn(vp(), QPoint(50, 50), flat)) << "a piece without an area";

    c.doc.SetCurrentPanel(nullptr);
    EXPECT_FALSE(Drop(QPoint(50, 50), MakeRecordTypeMime(kLightType))) << "no panel shown";
    EXPECT_EQ(c.doc.Store(), original);
    EXPECT_FALSE(c.doc.CanUndo());
}

TEST_F(PanelDropTest, ATemplatePieceDroppedBecomesTheTypeChosenForIt)
{
    ASSERT_TRUE(Drop(QPoint(200, 100), MakeTemplatePieceMime(CRect(16, 0, 32, 16))));
    EXPECT_EQ(typeAsked, 1);
    CCPObject* light = c.doc.m_pCurrentObject;
    ASSERT_NE(light, nullptr);
    EXPECT_EQ(light->GetTypeCode(), int(kLightType));
    EXPECT_EQ(Src(light), CRect(16, 0, 32, 16));
    EXPECT_EQ(Dest(light), CRect(200, 100, 216, 116));
    ExpectOneStepBack();

    // Closing the menu without a choice makes nothing.
    typeAnswer = -1;
    EXPECT_TRUE(Drop(QPoint(200, 100), MakeTemplatePieceMime(CRect(16, 0, 32, 16))));
    EXPECT_EQ(typeAsked, 2);
    EXPECT_EQ(c.doc.Store(), original);
}

TEST_F(PanelDropTest, EnterInTheTemplateThenAClickHerePlacesThePiece)
{
    EXPECT_FALSE(view->BeginPlacingPiece()) << "no piece drawn";
    c.doc.SetTemplatePiece(CRect(0, 16, 16, 32));
    ASSERT_TRUE(view->BeginPlacingPiece());
    EXPECT_EQ(c.ui.m_aStatus.back(),
              "Click on the panel where the piece of the template goes (Escape cancels).");
    // Escape leaves the mode: the click after it picks as ever.
    Key(vp(), Qt::Key_Escape);
    EXPECT_FALSE(view->IsPlacingPiece());
    EXPECT_EQ(c.ui.m_aStatus.back(), "");
    Click(vp(), QPoint(25, 25));
    EXPECT_EQ(c.doc.m_pCurrentObject, c.View(1));
    EXPECT_EQ(typeAsked, 0);
    EXPECT_FALSE(c.doc.CanUndo());

    typeAnswer = kButtonViewType;
    ASSERT_TRUE(view->BeginPlacingPiece());
    Click(vp(), QPoint(150, 60));
    EXPECT_FALSE(view->IsPlacingPiece());
    EXPECT_EQ(typeAsked, 1);
    CCPObject* added = c.doc.m_pCurrentObject;
    ASSERT_TRUE(added && added->IsButtonView());
    EXPECT_EQ(Src(added), CRect(0, 16, 16, 32));
    EXPECT_EQ(Dest(added), CRect(150, 60, 166, 76));
    ExpectOneStepBack();
}

TEST_F(PanelDropTest, OutlinesAndLightEverythingOnlyLook)
{
    // Panel 200: button view 2 and light 201 in state 0, which draws nothing.
    Show(200);
    const QRgb empty = At(20, 20);
    view->m_bOutlines = true;
    EXPECT_EQ(At(10, 20), QColor(QRgb(OutlineColour(*c.View(2)))).rgb())
        << "a record that draws nothing still has its frame";
    view->m_bOutlines = false;
    EXPECT_EQ(At(10, 20), empty);

    view->m_bLightEverything = true;
    EXPECT_EQ(At(20, 20), kRed) << "the button view's last (its only) state";
    EXPECT_EQ(At(5, 5), kWhite) << "the light's";
    EXPECT_EQ(c.View(2)->m_nCurrentState, 0);
    view->m_bLightEverything = false;
    EXPECT_EQ(At(20, 20), empty);

    EXPECT_EQ(c.doc.Store(), original);
    EXPECT_FALSE(c.doc.IsModified());
    EXPECT_FALSE(c.doc.CanUndo());
}

TEST_F(TemplatePieceTest, ADragBesideTheTrackerDrawsAPieceAndAClickPicks)
{
    Drag(vp(), QPoint(18, 2), QPoint(38, 14));
    EXPECT_EQ(c.doc.GetTemplatePiece(), CRect(18, 2, 38, 14)) << "whole pixels";
    EXPECT_FALSE(c.doc.IsModified());
    EXPECT_FALSE(c.doc.CanUndo());

    // With Snap to Objects on, the band takes the lamp's edges; Alt draws freely. (A drag that
    // starts on the piece would take it to the panel: these start beside it.)
    snap = true;
    Drag(vp(), QPoint(39, 15), QPoint(18, 2));
    EXPECT_EQ(c.doc.GetTemplatePiece(), CRect(20, 4, 36, 12));
    Drag(vp(), QPoint(39, 15), QPoint(18, 2), Qt::AltModifier);
    EXPECT_EQ(c.doc.GetTemplatePiece(), CRect(18, 2, 39, 15));
    EXPECT_FALSE(dragged);

    // The piece is shown while it is drawn and after.
    Mouse(vp(), QEvent::MouseButtonPress, QPoint(2, 16));
    Mouse(vp(), QEvent::MouseMove, QPoint(14, 28));
    CRect band;
    ASSERT_TRUE(view->GetBand(band));
    EXPECT_EQ(band, CRect(2, 16, 14, 28));
    const QImage shot = Shot();
    int marked = 0;
    for (int x = 2; x < 14; ++x)
        marked += shot.pixel(x, 16) == qRgb(255, 0, 255);
    EXPECT_GT(marked, 0);
    Mouse(vp(), QEvent::MouseButtonRelease, QPoint(14, 28));
    EXPECT_FALSE(view->GetBand(band));

    // A click beside the piece picks the record using that piece of the template and lets
    // the piece go.
    c.doc.SetCurrentObject(nullptr);
    Click(vp(), QPoint(40, 20));
    EXPECT_FALSE(c.doc.GetTemplatePiece());
    Click(vp(), QPoint(20, 5));
    EXPECT_EQ(c.doc.m_pCurrentObject, c.Light(101));
}

TEST_F(TemplatePieceTest, APieceDraggedOntoThePanelBecomesARecordThere)
{
    c.doc.SetTemplatePiece(CRect(20, 4, 36, 12));
    Mouse(vp(), QEvent::MouseButtonPress, QPoint(25, 8));
    Mouse(vp(), QEvent::MouseMove, QPoint(26, 8));
    EXPECT_FALSE(dragged) << "not before the drag distance";
    Mouse(vp(), QEvent::MouseMove, QPoint(60, 30));
    ASSERT_TRUE(dragged);
    Mouse(vp(), QEvent::MouseButtonRelease, QPoint(60, 30));
    EXPECT_EQ(DroppedTemplatePiece(dragged.get()), CRect(20, 4, 36, 12));
    EXPECT_EQ(c.doc.GetTemplatePiece(), CRect(20, 4, 36, 12)) << "the piece stays for another";
    EXPECT_FALSE(c.doc.CanUndo());

    CVireoView panel(&c.doc);
    panel.resize(400, 300);
    panel.show();
    panel.OnInitialUpdate();
    panel.m_fnChoosePieceType = [](const QPoint&) { return int(kDialType); };
    ASSERT_TRUE(DropOn(panel.viewport(), QPoint(300, 200), *dragged));
    CCPObject* dial = c.doc.m_pCurrentObject;
    ASSERT_TRUE(dial && dial->GetTypeCode() == kDialType);
    EXPECT_EQ(Src(dial), CRect(20, 4, 36, 12));
    EXPECT_EQ(Dest(dial), CRect(300, 200, 316, 208));
}

TEST_F(TemplatePieceTest, EnterTakesThePieceToThePanelAndEscapeLetsItGo)
{
    Key(vp(), Qt::Key_Return);
    EXPECT_EQ(placeAsked, 0) << "no piece drawn";
    c.doc.SetTemplatePiece(CRect(20, 4, 36, 12));
    Key(vp(), Qt::Key_Return);
    EXPECT_EQ(placeAsked, 1);

    // Escape first ends a band being drawn, leaving the piece; then lets the piece go.
    Mouse(vp(), QEvent::MouseButtonPress, QPoint(2, 16));
    Mouse(vp(), QEvent::MouseMove, QPoint(14, 28));
    Key(vp(), Qt::Key_Escape);
    CRect band;
    EXPECT_FALSE(view->GetBand(band));
    Mouse(vp(), QEvent::MouseButtonRelease, QPoint(14, 28));
    EXPECT_EQ(c.doc.GetTemplatePiece(), CRect(20, 4, 36, 12));
    Key(vp(), Qt::Key_Escape);
    EXPECT_FALSE(c.doc.GetTemplatePiece());
}
