#pragma once

#include "crect.h"

#include <vector>

// Which way a strip of pictures runs on the template.
enum class SliceDirection
{
    Across, // side by side, left to right
    Down,   // one above the other, top to bottom
};

// The most pieces one strip is cut into.
inline constexpr int kMaxSlices = 1000;

// Cuts outer into count pieces of equal size along direction, in order. When the length does
// not divide evenly, the first pieces are one pixel longer (as distributing spreads spare
// pixels), so the pieces always fill outer exactly. Empty when outer is empty, count is not
// within 1..kMaxSlices, or a piece would be shorter than a pixel.
std::vector<CRect> SliceRect(const CRect& outer, int count, SliceDirection direction);

// The smallest rectangle holding every non-empty rectangle of list; empty when there is none.
CRect BoundsOfPieces(const std::vector<CRect>& list);
