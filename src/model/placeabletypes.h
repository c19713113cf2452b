#pragma once

#include <vector>

struct CRecordType;

// The types Add Object offers (the placeable rows of the type table), by name in any letter
// case: the order its dialog and the Records palette list them in.
std::vector<const CRecordType*> PlaceableTypesByName();
