#pragma once

#include "crect.h"

#include <vector>

class CCPManager;
class CCPObject;
class Canvas;

// What lights and button views share: one source rect of the template per state, all shown
// on one destination rect, and a current state the preview steps through.
class CStateList
{
public:
    // The "states" count of a file sizes the list ahead; the srcloc lines still make the
    // states, so a wrong count changes nothing.
    static void Expect(std::vector<CRect>& srcs, int count);

    // One state on, back to 0 after the last one or from any state outside the list.
    static void Next(int& current, const std::vector<CRect>& srcs);

    // The current state's source rect; false when the state has none.
    static bool GetSrc(const std::vector<CRect>& srcs, int current, CRect* out);
    static void SetSrc(std::vector<CRect>& srcs, int current, const CRect* rc);

    // A new destination; when its size changes every source follows the moved edges.
    static void SetDest(CRect& dest, std::vector<CRect>& srcs, const CRect* rc);

    // Every source keeps its top left corner and takes the size of dest.
    static void MakeSameSize(std::vector<CRect>& srcs, const CRect& dest);

    // State 0 is the panel's own picture: only later states are copied from the template.
    static void Draw(const CCPManager* manager, const CRect& dest, const std::vector<CRect>& srcs,
                     int current, bool transparent, Canvas& dc, float scale);

    // How many states a record's preview steps through before it shows its first one again
    // (button views, lights, digits, indicator tapes); 0 for a record that has none.
    static int Count(const CCPObject& record);
    // n steps of the record's preview, taken in at most one turn round its states: the first
    // step brings a state that lies off the list back to the first one, then they go round.
    static void Step(CCPObject& record, int n);
};
