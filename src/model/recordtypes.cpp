#include "recordtypes.h"

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
#include "strformat.h"

#include <type_traits>
#include <vector>

namespace {
// A class that serves several types (CCPPanTilt) is told its row when it is made.
template <class T> std::unique_ptr<CCPObject> Make(const CRecordType& type, CCPManager* m)
{
    if constexpr (std::is_constructible_v<T, const CRecordType&, CCPManager*>)
        return std::make_unique<T>(type, m);
    else
        return std::make_unique<T>(m);
}

template <class T>
std::unique_ptr<CCPObject> Read(const CRecordType& type, int id, CLineReader& ar,
                                const std::string& comment, CCPManager* m)
{
    if constexpr (std::is_constructible_v<T, const CRecordType&, int, CLineReader&,
                                          const std::string&, CCPManager*>)
        return std::make_unique<T>(type, id, ar, comment, m);
    else
        return std::make_unique<T>(id, ar, comment, m);
}

// Which of T's constructors the table uses: the empty one (CreateObject, Add Object) and the
// reading one (the cockpit reader).
enum Made
{
    kNone = 0,
    kEmpty = 1,
    kRead = 2,
    kBoth = kEmpty | kRead
};

template <class T, Made made>
CRecordType Row(int code, int newCode, const char* keyword, const char* name, int image,
                RecordList list, bool placeable)
{
    CRecordType type{&typeid(T), code, newCode,   keyword, name,
                     image,      list, placeable, nullptr, nullptr};
    if constexpr ((made & kEmpty) != 0)
        type.create = &Make<T>;
    if constexpr ((made & kRead) != 0)
        type.read = &Read<T>;
    return type;
}

// Made on first use: records may ask for their row while other files are initialised.
const std::vector<CRecordType>& Table()
{
    using enum RecordList;
    // clang-format off
    static const std::vector<CRecordType> types = {
        //                         type code        new code         keyword       name          icon list         placeable
        Row<CCPObject, kNone>     (kNoTypeCode,     -1,              nullptr,      "Object",     0,   None,        false),
        Row<CCPManager, kNone>    (kNoTypeCode,     -1,              "MANAGER",    "Manager",    0,   Manager,     false),
        Row<CCPSurfaceRef, kEmpty>(kNoTypeCode,     kSurfaceRefType, nullptr,      "Surface",    4,   None,        true),
        Row<CCPSound, kBoth>      (kSoundType,      kSoundType,      "SOUND",      "Sound",      26,  Sounds,      false),
        Row<CCPLight, kBoth>      (kLightType,      kLightType,      "LIGHT",      "Light",      8,   Objects,     true),
        Row<CCPButton, kBoth>     (kButtonType,     kButtonType,     "BUTTON",     "Button",     6,   Buttons,     false),
        Row<CCPDial, kBoth>       (kDialType,       kDialType,       "DIAL",       "Dial",       10,  Objects,     true),
        Row<CCPDigits, kBoth>     (kDigitsType,     kDigitsType,     "DIGITS",     "Digits",     16,  Objects,     true),
        Row<CCPHsi, kBoth>        (kHsiType,        kHsiType,        "HSI",        "Hsi",        24,  Objects,     true),
        Row<CCPMachAsi, kBoth>    (kMachAsiType,    kMachAsiType,    "MACHASI",    "MachAsi",    24,  Objects,     true),
        Row<CCPPanel, kBoth>      (kPanelType,      kPanelType,      "PANEL",      "Panel",      2,   Panels,      false),
        Row<CCPIndicator, kBoth>  (kIndicatorType,  kIndicatorType,  "INDICATOR",  "Indicator",  14,  Objects,     true),
        Row<CCPKnee, kBoth>       (kKneeType,       kKneeType,       "KNEEVIEW",   "KneeView",   20,  Objects,     true),
        Row<CCPDed, kBoth>        (kDedType,        kDedType,        "DED",        "Ded",        22,  Objects,     true),
        Row<CCPButtonView, kBoth> (kButtonViewType, kButtonViewType, "BUTTONVIEW", "ButtonView", 6,   ButtonViews, true),
        Row<CCPAdi, kBoth>        (kAdiType,        kAdiType,        "ADI",        "Adi",        12,  Objects,     true),
        Row<CCPPanTilt, kBoth>    (kChevronType,    kChevronType,    "CHEVRON",    "Chevron",    0,   Objects,     true),
        // Add Object lists Buffer to say that a buffer comes with a panel's first surface.
        Row<CCPBuffer, kRead>     (kNoTypeCode,     kBufferType,     "BUFFER",     "Buffer",     0,   Buffers,     true),
        Row<CCPPanTilt, kBoth>    (kLiftType,       kLiftType,       "LIFTLINE",   "LiftLine",   0,   Objects,     true),
        Row<CCPText, kBoth>       (kTextType,       kTextType,       "TEXT",       "Text",       18,  Objects,     true),
        Row<CCPSurface, kRead>    (kSurfaceRefType, -1,              "SURFACE",    "Surface",    0,   Surfaces,    false),
    };
    // clang-format on
    return types;
}
} // namespace

std::span<const CRecordType> RecordTypes()
{
    return Table();
}

const CRecordType* FindRecordType(std::string_view keyword)
{
    for (const CRecordType& t : Table())
        if (t.keyword && EqualsNoCase(keyword, t.keyword))
            return &t;
    return nullptr;
}

const CRecordType* FindRecordTypeOfCode(int code)
{
    for (const CRecordType& t : Table())
        if (t.newCode >= 0 && t.newCode == code)
            return &t;
    return nullptr;
}

const CRecordType& RecordTypeOf(const std::type_info& cls)
{
    for (const CRecordType& t : Table())
        if (*t.cls == cls)
            return t;
    return Table().front();
}

std::unique_ptr<CCPObject> CreateRecordOfType(int code, CCPManager* manager)
{
    const CRecordType* type = FindRecordTypeOfCode(code);
    return type && type->create ? type->create(*type, manager) : nullptr;
}

std::unique_ptr<CCPObject> ReadRecord(std::string_view keyword, int id, CLineReader& ar,
                                      const std::string& comment, CCPManager* manager)
{
    const CRecordType* type = FindRecordType(keyword);
    return type && type->read ? type->read(*type, id, ar, comment, manager) : nullptr;
}
