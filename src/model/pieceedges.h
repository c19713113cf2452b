#pragma once

#include "crect.h"

class CBitmap;

// Where a band drawn over a picture meets the picture's opaque pieces. A column is taken when
// it has an opaque pixel within the band's rows (a row: within the band's columns); pure blue,
// the key of transparent blits, and pixels of alpha 0 are see-through, and so is everything
// outside the picture. An edge lies between a taken and a free column (row).
//
// The band (normalised) with each of its four edges moved to the nearest such edge at most
// tolerance pixels away; an edge with none that near stays. The band never turns inside out.
CRect SnapToOpaqueEdges(const CBitmap& picture, const CRect& band, int tolerance);
