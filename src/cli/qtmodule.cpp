// The entry of libvireo-cli-qt, which vireo-cli loads when it first needs Qt.
#include "ccliqtpart.h"

extern "C" __attribute__((visibility("default"))) ICliQtPart* VireoCliQtPart()
{
    return new CCliQtPart();
}
