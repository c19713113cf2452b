#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

class Canvas;
class CCPObject;

// What the simulator feeds a moving instrument through its callback slot. An ADI takes two
// numbers through its one slot: pitch on the first channel, roll on the second.
enum class InputChannel
{
    Value,
    Roll
};

struct InstrumentInput
{
    int slot = -1;
    InputChannel channel = InputChannel::Value;
    float min = 0.0f;
    float max = 1.0f;
    std::string what; // "Dial", "ADI pitch", ... for the user
};

// The inputs record takes, each with the range its own fields give (a dial's calibration
// values, an indicator's limits, the numbers a digits record can show, a light's states, an
// ADI's pitch and roll, an HSI's heading, an airspeed dial's values). None for a record without a
// callback slot or that the simulator does not move.
std::vector<InstrumentInput> InstrumentInputs(const CCPObject& record);

// The value of a slot's channel, when one is set.
using InputLookup = std::function<std::optional<float>(int slot, InputChannel channel)>;

// Draws record as the simulator shows it at the values value gives for its inputs (a channel
// without one counts as 0); false, drawing nothing, when record takes no input or none of its
// inputs has a value: it then draws itself as the editor shows it.
bool DrawAtInputs(CCPObject& record, Canvas& dc, float scale, const InputLookup& value);
