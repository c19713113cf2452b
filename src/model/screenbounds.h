#pragma once

#include "ccheckmessage.h"
#include "crect.h"

class CCPManager;

// Adds one OutsideScreen message for each record a panel shows (its button views and objects,
// each once, in panel order) whose destination rectangle is not inside the screen, from 0, 0
// to the manager's screen width and height: "Light 201 lies partly outside the screen (bottom
// at 772 of 768)". Not part of the check: the check's messages stay as they are.
void FindOutsideScreen(CCPManager& manager, CCheckMessageArray& messages);

// rc moved by the least distance that puts it inside a screen of width by height; false when
// it is larger than the screen (or not a proper rectangle) and cannot fit by moving.
bool MoveInsideScreen(const CRect& rc, int width, int height, CRect& moved);
// Moves rc by step unless that takes an edge past 0 or past width / height; false when the
// rectangle stays where it is.
bool NudgeWithin(CRect& rc, CPoint step, int width, int height);
// A dragged rectangle held to the same bounds as a nudge: an edge that moves stops at the
// 0..width, 0..height border, or where it already lay beyond it; a move keeps its size.
CRect DragWithin(const CRect& from, CRect to, int width, int height);
