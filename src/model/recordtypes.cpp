#include "recordtypes.h"

#include "ccpbutton.h"
#include "ccpbuttonview.h"
#include "ccppanel.h"
#include "ccpsound.h"
#include "ccpsurfaceref.h"
#include "strformat.h"

// Record types arrive one by one; a keyword whose class is not built yet is kept as text.
#if __has_include("ccplight.h")
#include "ccplight.h"
#define HAVE_LIGHT 1
#endif
#if __has_include("ccpdigits.h")
#include "ccpdigits.h"
#define HAVE_DIGITS 1
#endif
#if __has_include("ccpindicator.h")
#include "ccpindicator.h"
#define HAVE_INDICATOR 1
#endif
#if __has_include("ccpdial.h")
#include "ccpdial.h"
#define HAVE_DIAL 1
#endif
#if __has_include("ccpadi.h")
#include "ccpadi.h"
#define HAVE_ADI 1
#endif
#if __has_include("ccptext.h")
#include "ccptext.h"
#define HAVE_TEXT 1
#endif
#if __has_include("ccphsi.h")
#include "ccphsi.h"
#define HAVE_HSI 1
#endif
#if __has_include("ccpchevron.h")
#include "ccpchevron.h"
#define HAVE_CHEVRON 1
#endif
#if __has_include("ccplift.h")
#include "ccplift.h"
#define HAVE_LIFT 1
#endif
#if __has_include("ccpded.h")
#include "ccpded.h"
#define HAVE_DED 1
#endif
#if __has_include("ccpmachasi.h")
#include "ccpmachasi.h"
#define HAVE_MACHASI 1
#endif
#if __has_include("ccpknee.h")
#include "ccpknee.h"
#define HAVE_KNEE 1
#endif

std::unique_ptr<CCPObject> CreateRecordOfType(int code, CCPManager* m)
{
    switch (code) {
    case 0: return std::make_unique<CCPSurfaceRef>(m);
    case 1: return std::make_unique<CCPSound>(m);
#ifdef HAVE_LIGHT
    case 2: return std::make_unique<CCPLight>(m);
#endif
    case 3: return std::make_unique<CCPButton>(m);
#ifdef HAVE_DIAL
    case 4: return std::make_unique<CCPDial>(m);
#endif
#ifdef HAVE_DIGITS
    case 5: return std::make_unique<CCPDigits>(m);
#endif
#ifdef HAVE_HSI
    case 6: return std::make_unique<CCPHsi>(m);
#endif
#ifdef HAVE_MACHASI
    case 7: return std::make_unique<CCPMachAsi>(m);
#endif
    case 8: return std::make_unique<CCPPanel>(m);
#ifdef HAVE_INDICATOR
    case 9: return std::make_unique<CCPIndicator>(m);
#endif
#ifdef HAVE_KNEE
    case 10: return std::make_unique<CCPKnee>(m);
#endif
#ifdef HAVE_DED
    case 11: return std::make_unique<CCPDed>(m);
#endif
    case 12: return std::make_unique<CCPButtonView>(m);
#ifdef HAVE_ADI
    case 13: return std::make_unique<CCPAdi>(m);
#endif
#ifdef HAVE_CHEVRON
    case 14: return std::make_unique<CCPChevron>(m);
#endif
#ifdef HAVE_LIFT
    case 16: return std::make_unique<CCPLift>(m);
#endif
#ifdef HAVE_TEXT
    case 17: return std::make_unique<CCPText>(m);
#endif
    default: return nullptr;
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
    using Reader = std::unique_ptr<CCPObject> (*)(int, CLineReader&, const std::string&, CCPManager*);
    struct Entry
    {
        const char* keyword;
        Reader read;
    };
    static const Entry table[] = {
#ifdef HAVE_LIGHT
        {"LIGHT", &Read<CCPLight>},
#endif
#ifdef HAVE_DIGITS
        {"DIGITS", &Read<CCPDigits>},
#endif
#ifdef HAVE_INDICATOR
        {"INDICATOR", &Read<CCPIndicator>},
#endif
#ifdef HAVE_DIAL
        {"DIAL", &Read<CCPDial>},
#endif
#ifdef HAVE_ADI
        {"ADI", &Read<CCPAdi>},
#endif
#ifdef HAVE_TEXT
        {"TEXT", &Read<CCPText>},
#endif
#ifdef HAVE_HSI
        {"HSI", &Read<CCPHsi>},
#endif
#ifdef HAVE_CHEVRON
        {"CHEVRON", &Read<CCPChevron>},
#endif
#ifdef HAVE_LIFT
        {"LIFTLINE", &Read<CCPLift>},
#endif
#ifdef HAVE_DED
        {"DED", &Read<CCPDed>},
#endif
#ifdef HAVE_MACHASI
        {"MACHASI", &Read<CCPMachAsi>},
#endif
#ifdef HAVE_KNEE
        {"KNEEVIEW", &Read<CCPKnee>},
#endif
        {nullptr, nullptr},
    };
    for (const Entry& e : table)
        if (e.keyword && EqualsNoCase(kw, e.keyword))
            return e.read(id, ar, comment, m);
    return nullptr;
}
