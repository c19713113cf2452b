#include "placeabletypes.h"

#include "recordtypes.h"

#include <algorithm>
#include <cctype>
#include <string_view>

std::vector<const CRecordType*> PlaceableTypesByName()
{
    std::vector<const CRecordType*> types;
    for (const CRecordType& t : RecordTypes())
        if (t.placeable)
            types.push_back(&t);
    const auto lower = [](char c) { return std::tolower(static_cast<unsigned char>(c)); };
    std::sort(types.begin(), types.end(), [&](const CRecordType* a, const CRecordType* b) {
        const std::string_view x = a->name, y = b->name;
        return std::lexicographical_compare(x.begin(), x.end(), y.begin(), y.end(),
                                            [&](char p, char q) { return lower(p) < lower(q); });
    });
    return types;
}
