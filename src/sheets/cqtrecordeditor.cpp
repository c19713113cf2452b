#include "cqtrecordeditor.h"

#include "ccpadiedit.h"
#include "ccpbuttonedit.h"
#include "ccpbuttonviewedit.h"
#include "ccpchevronedit.h"
#include "ccpdededit.h"
#include "ccpdialedit.h"
#include "ccpdigitsedit.h"
#include "ccphsiedit.h"
#include "ccpindicatoredit.h"
#include "ccpkneeedit.h"
#include "ccpliftedit.h"
#include "ccplightedit.h"
#include "ccpmachasiedit.h"
#include "ccpmanageredit.h"
#include "ccppaneledit.h"
#include "ccpsoundedit.h"
#include "ccpsurfaceedit.h"
#include "ccpsurfaceredit.h"
#include "ccptextedit.h"

#include "ccpadi.h"
#include "ccpbutton.h"
#include "ccpbuttonview.h"
#include "ccpchevron.h"
#include "ccpded.h"
#include "ccpdial.h"
#include "ccpdigits.h"
#include "ccphsi.h"
#include "ccpindicator.h"
#include "ccpknee.h"
#include "ccplift.h"
#include "ccplight.h"
#include "ccpmachasi.h"
#include "ccpmanager.h"
#include "ccppanel.h"
#include "ccpsound.h"
#include "ccpsurface.h"
#include "ccpsurfaceref.h"
#include "ccptext.h"
#include "iuserinterface.h"

#include <QApplication>

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
                                         Try<CCPLiftEdit, CCPLift>,
                                         Try<CCPChevronEdit, CCPChevron>};
    for (Factory make : kFactories)
        if (std::unique_ptr<CCPDisplay> sheet = make(record, parent))
            return sheet;
    return std::make_unique<CCPDisplay>(&record, QStringLiteral("Object"), parent);
}

int CQtRecordEditor::EditProperties(CCPObject& record)
{
    // A sheet opened from another sheet or dialog stays on top of it.
    QWidget* parent =
        QApplication::activeModalWidget() ? QApplication::activeModalWidget() : m_pParent;
    // Whatever the sheet and its sub-dialogs wrote is found by the document, which opened it.
    return CreateSheet(record, parent)->DoModal();
}
