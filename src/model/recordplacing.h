#pragma once

#include "crect.h"

#include <span>

class CCPObject;

// Where new records made by drawing go: a type dropped on the panel, a piece of the template
// put there.

// The types a piece of the template can become: those whose records show one source of the
// template on one destination of the same size (a light's or a button view's state, a dial's
// face, a digit).
std::span<const int> PieceTypeCodes();
bool TakesPiece(int typeCode);

// Which point of a new record's place goes where it is put.
enum class PlaceAnchor
{
    TopLeft, // a drop: as Qt Designer puts a widget
    Centre,  // the middle of what is in view
};

// rc moved so that its anchor lies at at, held to a screen of width by height as a dragged
// record is (its size kept).
CRect PlaceAt(const CRect& rc, CPoint at, int width, int height,
              PlaceAnchor anchor = PlaceAnchor::TopLeft);

// Puts a new record's place at at (PlaceAt), keeping the size it was made with. A record that
// keeps its places in a list and has none yet (digits, indicator tapes), or has only empty
// ones (an HSI), gets one of the size other new records have. False for a record without a
// place on the panel (a chevron, a lift line).
bool PlaceNewRecord(CCPObject& record, CPoint at, int width, int height,
                    PlaceAnchor anchor = PlaceAnchor::TopLeft);

// Makes a new record of a piece type show source: its first source becomes source (a state
// list, a digit list: its only entry) and its place a rectangle of the same size with its
// top-left at at, held to the screen. False for a record of another type.
bool GivePiece(CCPObject& record, const CRect& source, CPoint at, int width, int height);
