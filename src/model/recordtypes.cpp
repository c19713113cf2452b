#include "recordtypes.h"

#include "ccpadi.h"
#include "ccpbuffer.h"
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
#include "ccppanel.h"
#include "ccpsound.h"
#include "ccpsurface.h"
#include "ccpsurfaceref.h"
#include "ccptext.h"
#include "strformat.h"

std::unique_ptr<CCPObject> CreateRecordOfType(int code, CCPManager* m)
{
    switch (code) {
    case kSurfaceRefType:
        return std::make_unique<CCPSurfaceRef>(m);
    case kSoundType:
        return std::make_unique<CCPSound>(m);
    case kLightType:
        return std::make_unique<CCPLight>(m);
    case kButtonType:
        return std::make_unique<CCPButton>(m);
    case kDialType:
        return std::make_unique<CCPDial>(m);
    case kDigitsType:
        return std::make_unique<CCPDigits>(m);
    case kHsiType:
        return std::make_unique<CCPHsi>(m);
    case kMachAsiType:
        return std::make_unique<CCPMachAsi>(m);
    case kPanelType:
        return std::make_unique<CCPPanel>(m);
    case kIndicatorType:
        return std::make_unique<CCPIndicator>(m);
    case kKneeType:
        return std::make_unique<CCPKnee>(m);
    case kDedType:
        return std::make_unique<CCPDed>(m);
    case kButtonViewType:
        return std::make_unique<CCPButtonView>(m);
    case kAdiType:
        return std::make_unique<CCPAdi>(m);
    case kChevronType:
        return std::make_unique<CCPChevron>(m);
    case kLiftType:
        return std::make_unique<CCPLift>(m);
    case kTextType:
        return std::make_unique<CCPText>(m);
    default:
        return nullptr;
    }
}

namespace {
template <class T>
std::unique_ptr<CCPObject> Read(int id, CLineReader& ar, const std::string& c, CCPManager* m)
{
    return std::make_unique<T>(id, ar, c, m);
}

const CRecordType kTypes[] = {
    {"MANAGER", RecordList::Manager, nullptr},
    {"SOUND", RecordList::Sounds, &Read<CCPSound>},
    {"BUTTON", RecordList::Buttons, &Read<CCPButton>},
    {"BUTTONVIEW", RecordList::ButtonViews, &Read<CCPButtonView>},
    {"PANEL", RecordList::Panels, &Read<CCPPanel>},
    {"SURFACE", RecordList::Surfaces, &Read<CCPSurface>},
    {"BUFFER", RecordList::Buffers, &Read<CCPBuffer>},
    {"LIGHT", RecordList::Objects, &Read<CCPLight>},
    {"DIGITS", RecordList::Objects, &Read<CCPDigits>},
    {"INDICATOR", RecordList::Objects, &Read<CCPIndicator>},
    {"DIAL", RecordList::Objects, &Read<CCPDial>},
    {"ADI", RecordList::Objects, &Read<CCPAdi>},
    {"TEXT", RecordList::Objects, &Read<CCPText>},
    {"HSI", RecordList::Objects, &Read<CCPHsi>},
    {"CHEVRON", RecordList::Objects, &Read<CCPChevron>},
    {"LIFTLINE", RecordList::Objects, &Read<CCPLift>},
    {"DED", RecordList::Objects, &Read<CCPDed>},
    {"MACHASI", RecordList::Objects, &Read<CCPMachAsi>},
    {"KNEEVIEW", RecordList::Objects, &Read<CCPKnee>},
};
} // namespace

const CRecordType* FindRecordType(std::string_view keyword)
{
    for (const CRecordType& t : kTypes)
        if (EqualsNoCase(keyword, t.keyword))
            return &t;
    return nullptr;
}

std::unique_ptr<CCPObject> ReadRecord(std::string_view keyword, int id, CLineReader& ar,
                                      const std::string& comment, CCPManager* manager)
{
    const CRecordType* type = FindRecordType(keyword);
    return type && type->read ? type->read(id, ar, comment, manager) : nullptr;
}
