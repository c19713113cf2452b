#pragma once

#include "canvas.h"
#include "crect.h"
#include "panelpaint.h"

#include <string>
#include <vector>

class CCPManager;
class CCPObject;
class CCPPanel;

// The panel's two ways of looking at what is on it without changing it: the outlines of every
// record and area (View > Outlines), and lights and button views shown lit (View > Light
// Everything).

// One rectangle the outlines show, in panel pixels.
struct COutline
{
    CRect rc;
    std::string label;
    bool secondary = false; // a record's further rectangle or an area of the panel: dashed
};

// A record's rectangles on the panel: its place first, labelled with the record's name (or type
// and id), then what else it keeps on the panel, labelled with what it is (an ADI's ILS limits,
// a saved background, an HSI's other pieces and warning flag, further digit places and tapes).
// Empty for a record without a place.
std::vector<COutline> RecordOutlines(const CCPObject& record);
// The panel's own areas that are set: HUD, MFDs, RWR and mouse bounds.
std::vector<COutline> PanelAreaOutlines(const CCPPanel& panel);
// The colour of a record's outline, by its type.
Rgb OutlineColour(const CCPObject& record);

// Paints, over what the panel shows, the outlines of its surface entries and of its records on
// the given layers (also those that draw nothing in their current state), then its areas and
// OSB points. A label sits inside the top-left corner of its frame where all of it fits there.
void PaintOutlines(const CCPManager& manager, const CCPPanel& panel, Canvas& canvas, float zoom,
                   int layers = kAllLayers);

// A light or a button view drawn in its last state, whatever state it is in (the record is not
// changed). False for other records and for one without states.
bool DrawLastState(const CCPObject& record, Canvas& canvas, float zoom);
