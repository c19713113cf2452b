#pragma once

#include "crect.h"

#include <span>
#include <vector>

// The Arrange menu's commands on the frames of a selection.
enum class ArrangeCommand
{
    AlignLeft,
    AlignRight,
    AlignTop,
    AlignBottom,
    // Centres on one vertical line (the records move horizontally).
    AlignCentresHorizontally,
    // Centres on one horizontal line (the records move vertically).
    AlignCentresVertically,
    DistributeHorizontally,
    DistributeVertically,
    SameWidth,
    SameHeight,
    SameSize,
};

// The union of frames; an empty rectangle for none.
CRect BoundsOf(std::span<const CRect> frames);

// The frames after command. Alignment is to frames[key] when key is an index of frames, else to
// the bounds of them all; sizes come from frames[key] and keep each top-left corner (without a
// key nothing changes). Distribution orders the frames by their left (top) edge, keeps the first
// and the last where they are and makes the gaps between neighbours equal; an uneven remainder
// goes to the first gaps. Each frame keeps to a screen of width by height as a drag does (0: no
// bounds). Aligning needs two frames and distributing three; with fewer nothing changes.
std::vector<CRect> ArrangeFrames(ArrangeCommand command, std::span<const CRect> frames, int key,
                                 int width, int height);

// The lines a moving frame snaps to: the edges and centres of the other records and of the
// screen, kept sorted so that a lookup is a binary search.
class CSnapLines
{
public:
    void Build(std::span<const CRect> others, int width, int height);
    struct Snap
    {
        bool snapped = false;
        int delta = 0; // what to add to the candidate that snapped
        int line = 0;  // where the guide is drawn
    };
    // The nearest line to any of candidates within tolerance (the smallest move wins; ties go
    // to the first candidate).
    Snap SnapX(std::span<const int> candidates, int tolerance) const;
    Snap SnapY(std::span<const int> candidates, int tolerance) const;

private:
    std::vector<int> m_x;
    std::vector<int> m_y;
};

// A coordinate on the nearest line of a grid of spacing size (size < 2: unchanged).
int SnapToGrid(int value, int size);
