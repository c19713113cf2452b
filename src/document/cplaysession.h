#pragma once

#include "crect.h"
#include "instrumentinputs.h"
#include "panelmap.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class CCPButtonView;
class CCPObject;
class CCPPanel;
class CVireoDoc;

// The cockpit as the pilot meets it: buttons that step when clicked, the panels walked by their
// neighbours, the instruments fed numbers through their callback slots. A session changes
// nothing of the cockpit (no step, no modified mark): it starts every button view and light in
// its initial state and, when it ends, puts back the states, the panel, the current record and
// the selection the editor showed before.
class CPlaySession
{
public:
    // The neighbour directions in the order of a panel's adjacent entries, as the map has them.
    using Direction = MapDirection;

    // One row of the Inputs: a callback slot's channel that instruments of the current panel
    // take, the range their fields give (all of them together) and the value fed now.
    struct Input : InstrumentInput // what: the kinds, "Dial", "ADI roll", ...
    {
        float value = 0.0f;
        std::vector<std::string> records; // as the tree names them
    };

    explicit CPlaySession(CVireoDoc& doc);
    ~CPlaySession();
    CPlaySession(const CPlaySession&) = delete;
    CPlaySession& operator=(const CPlaySession&) = delete;

    // The button view of the current panel at pt (panel pixels) that the pilot clicks: the one
    // drawn last there.
    CCPButtonView* ButtonViewAt(CPoint pt) const;
    // Steps the view's button one state on (back: one back), and every view of that button with
    // it, as the simulator does; what the status bar says.
    std::string StepButton(CCPButtonView& view, bool back);
    // "<button> (<view>): state 1 of 0..2" for the status bar.
    std::string Describe(const CCPButtonView& view) const;

    // The direction a click at pt (panel pixels) pans in: within the manager's mouse border of
    // the screen's edges, the corners giving the diagonals. None inside, or when the border is 0.
    static std::optional<Direction> BorderDirection(int border, int screenWidth, int screenHeight,
                                                    CPoint pt);
    // The direction of arrow keys held together; none for none or for opposite keys alone.
    static std::optional<Direction> ArrowDirection(bool up, bool right, bool down, bool left);
    // The panel in that direction of the current one, null when its entry is -1 or names no
    // panel.
    CCPPanel* Neighbour(Direction direction) const;
    // Shows the neighbour; false, changing nothing, when there is none. status says which.
    bool Go(Direction direction, std::string& status);

    // The rows for the current panel, in slot order.
    std::vector<Input> Inputs() const;
    void SetInput(int slot, InputChannel channel, float value);

private:
    struct Kept;
    // Every input of the current panel that has no value yet gets the one it rests at.
    void FeedRestValues();

    CVireoDoc& m_doc;
    std::unique_ptr<Kept> m_pKept;
};
