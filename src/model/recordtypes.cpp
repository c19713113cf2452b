#include "recordtypes.h"

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
#include "ccppanel.h"
#include "ccpsound.h"
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

template <class T>
static std::unique_ptr<CCPObject> Read(int id, CLineReader& ar, const std::string& c, CCPManager* m)
{
    return std::make_unique<T>(id, ar, c, m);
}

std::unique_ptr<CCPObject> ReadObjectRecord(std::string_view kw, int id, CLineReader& ar,
                                            const std::string& comment, CCPManager* m)
{
    using Reader =
        std::unique_ptr<CCPObject> (*)(int, CLineReader&, const std::string&, CCPManager*);
    struct Entry
    {
        const char* keyword;
        Reader read;
    };
    static const Entry table[] = {
        {"LIGHT", &Read<CCPLight>},
        {"DIGITS", &Read<CCPDigits>},
        {"INDICATOR", &Read<CCPIndicator>},
        {"DIAL", &Read<CCPDial>},
        {"ADI", &Read<CCPAdi>},
        {"TEXT", &Read<CCPText>},
        {"HSI", &Read<CCPHsi>},
        {"CHEVRON", &Read<CCPChevron>},
        {"LIFTLINE", &Read<CCPLift>},
        {"DED", &Read<CCPDed>},
        {"MACHASI", &Read<CCPMachAsi>},
        {"KNEEVIEW", &Read<CCPKnee>},
    };
    for (const Entry& e : table)
        if (EqualsNoCase(kw, e.keyword))
            return e.read(id, ar, comment, m);
    return nullptr;
}
