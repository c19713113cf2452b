#include "cqtrecordeditor.h"

#include "ccpadiedit.h"
#include "ccpbuttonedit.h"
#include "ccpbuttonviewedit.h"
#include "ccpdededit.h"
#include "ccpdialedit.h"
#include "ccpdigitsedit.h"
#include "ccphsiedit.h"
#include "ccpindicatoredit.h"
#include "ccpkneeedit.h"
#include "ccplightedit.h"
#include "ccpmachasiedit.h"
#include "ccpmanageredit.h"
#include "ccppaneledit.h"
#include "ccppantiltedit.h"
#include "ccpsoundedit.h"
#include "ccpsurfaceedit.h"
#include "ccpsurfaceredit.h"
#include "ccptextedit.h"

#include "ccpadi.h"
#include "ccpbutton.h"
#include "ccpbuttonview.h"
#include "ccpded.h"
#include "ccpdial.h"
#include "ccpdialpage.h"
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
#include "cdialogrunner.h"
#include "csheetplacement.h"
#include "iuserinterface.h"
#include "textconvert.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include <QApplication>

#include <algorithm>

namespace {
template <class Sheet, class Record>
std::unique_ptr<CCPDisplay> Try(CCPObject& record, QWidget* parent)
{
    if (auto* typed = dynamic_cast<Record*>(&record))
        return std::make_unique<Sheet>(typed, parent);
    return nullptr;
}
} // namespace

std::unique_ptr<CCPDisplay> CQtRecordEditor::CreateSheet(CCPObject& record, QWidget* parent)
{
    using Factory = std::unique_ptr<CCPDisplay> (*)(CCPObject&, QWidget*);
    static const Factory kFactories[] = {Try<CCPManagerEdit, CCPManager>,
                                         Try<CCPPanelEdit, CCPPanel>,
                                         Try<CCPSurfacerEdit, CCPSurfaceRef>,
                                         Try<CCPSurfaceEdit, CCPSurface>,
                                         Try<CCPSoundEdit, CCPSound>,
                                         Try<CCPButtonEdit, CCPButton>,
                                         Try<CCPButtonViewEdit, CCPButtonView>,
                                         Try<CCPAdiEdit, CCPAdi>,
                                         Try<CCPHsiEdit, CCPHsi>,
                                         Try<CCPMachAsiEdit, CCPMachAsi>,
                                         Try<CCPDialEdit, CCPDial>,
                                         Try<CCPIndicatorEdit, CCPIndicator>,
                                         Try<CCPDigitsEdit, CCPDigits>,
                                         Try<CCPLightEdit, CCPLight>,
                                         Try<CCPTextEdit, CCPText>,
                                         Try<CCPDedEdit, CCPDed>,
                                         Try<CCPKneeEdit, CCPKnee>,
                                         Try<CCPPanTiltEdit, CCPPanTilt>};
    for (Factory make : kFactories)
        if (std::unique_ptr<CCPDisplay> sheet = make(record, parent))
            return sheet;
    return std::make_unique<CCPDisplay>(&record, QStringLiteral("Object"), parent);
}

bool CQtRecordEditor::IsOpen(const CCPObject& record) const
{
    return std::find(m_aOpen.begin(), m_aOpen.end(), &record) != m_aOpen.end();
}

int CQtRecordEditor::EditProperties(CCPObject& record)
{
    // A sheet opened from another sheet or dialog stays on top of it.
    QWidget* parent =
        QApplication::activeModalWidget() ? QApplication::activeModalWidget() : m_pParent;
    if (IsOpen(record)) {
        std::string name;
        if (!record.GetName(name) || name.empty())
            name = record.GetTypeName() + " " + std::to_string(record.m_nId);
        CDialogRunner::Message(
            parent,
            QStringLiteral("The properties of %1 are already open, in a sheet behind this one.\n"
                           "Close this sheet and make the change there.")
                .arg(Latin1ToQt(name)),
            QMessageBox::Information);
        return IDCANCEL;
    }
    // Whatever the sheet and its sub-dialogs write is found by the document, which opened it.
    std::unique_ptr<CCPDisplay> sheet = CreateSheet(record, parent);
    bool calibrate = false;
    if (m_fnCalibrate)
        for (CCPDialPage* page : sheet->findChildren<CCPDialPage*>()) {
            page->OfferCalibration();
            QObject::connect(page, &CCPDialPage::calibrateRequested, sheet.get(),
                             [&calibrate, &sheet] {
                                 calibrate = true;
                                 sheet->accept();
                                 if (sheet->result() != QDialog::Accepted)
                                     calibrate = false;
                             });
        }
    if (m_fnWhereShown)
        PlaceBeside(*sheet, m_fnWhereShown(record));
    m_aOpen.push_back(&record);
    const int result = sheet->DoModal();
    m_aOpen.pop_back();
    if (calibrate && result == IDOK) {
        // Once the document has ended the sheet's step.
        auto start = [fn = m_fnCalibrate, &record] { fn(record); };
        if (m_pParent)
            QTimer::singleShot(0, m_pParent, start);
        else
            QTimer::singleShot(0, start);
    }
    return result;
}

void CQtRecordEditor::SetPanelLink(std::function<QRect(const CCPObject&)> whereShown,
                                   std::function<void(CCPObject&)> calibrate)
{
    m_fnWhereShown = std::move(whereShown);
    m_fnCalibrate = std::move(calibrate);
}

void CQtRecordEditor::PlaceBeside(CCPDisplay& sheet, const QRect& keep)
{
    if (keep.isEmpty())
        return;
    sheet.Open();
    sheet.adjustSize();
    const QWidget* over = sheet.parentWidget() ? sheet.parentWidget()->window() : nullptr;
    QScreen* screen = over && over->screen() ? over->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // Where the window system would put it: over the middle of its parent.
    const QRect around = over ? over->frameGeometry() : screen->availableGeometry();
    const QPoint preferred = around.center() - QPoint(sheet.width() / 2, sheet.height() / 2);
    sheet.move(PlaceClearOf(sheet.frameSize(), keep, screen->availableGeometry(), preferred));
}
