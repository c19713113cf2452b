// Load, save and load again: nothing may crash, and from the second save on the bytes must
// settle (the first save may normalise what was read) and never grow.
#include "ccockpitreader.h"
#include "ccpmanager.h"
#include "clinewriter.h"
#include "iuserinterface.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
std::string LoadAndStore(const std::string& text)
{
    CSilentUserInterface ui;
    CCPManager manager;
    manager.SetUserInterface(&ui);
    CCockpitReader(manager, &ui).Read(text);
    CLineWriter out;
    manager.Serialize(out);
    return out.Take();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::string first = LoadAndStore(input);
    const std::string second = LoadAndStore(first);
    const std::string third = LoadAndStore(second);
    if (third != second) {
        std::fprintf(stderr, "save of a reloaded save changed (%zu -> %zu bytes)\n", second.size(),
                     third.size());
        std::abort();
    }
    return 0;
}
