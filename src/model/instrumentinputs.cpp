#include "instrumentinputs.h"

#include "ccpadi.h"
#include "ccpdial.h"
#include "ccpdigits.h"
#include "ccphsi.h"
#include "ccpindicator.h"
#include "ccplight.h"
#include "ccpmachasi.h"

#include <algorithm>

namespace {

InstrumentInput Input(int slot, float min, float max, const char* what,
                      InputChannel channel = InputChannel::Value)
{
    if (!(min <= max))
        std::swap(min, max);
    return InstrumentInput{slot, channel, min, max, what};
}

InstrumentInput DialInput(const CCPDial& dial)
{
    if (dial.m_afValues.size() < 2)
        return Input(dial.m_nCallbackSlot, 0.0f, 1.0f, "Dial");
    const auto [lo, hi] = std::minmax_element(dial.m_afValues.begin(), dial.m_afValues.end());
    return Input(dial.m_nCallbackSlot, *lo, *hi, "Dial");
}

} // namespace

std::vector<InstrumentInput> InstrumentInputs(const CCPObject& record)
{
    std::vector<InstrumentInput> inputs;
    if (auto* d = dynamic_cast<const CCPDial*>(&record)) {
        inputs.push_back(DialInput(*d));
    } else if (auto* i = dynamic_cast<const CCPIndicator*>(&record)) {
        inputs.push_back(Input(i->m_nCallbackSlot, i->m_fMinVal, i->m_fMaxVal, "Indicator"));
    } else if (auto* g = dynamic_cast<const CCPDigits*>(&record)) {
        inputs.push_back(Input(g->m_nCallbackSlot, 0.0f, float(g->MaxShown()), "Digits"));
    } else if (auto* l = dynamic_cast<const CCPLight*>(&record)) {
        const auto last = float(std::max<size_t>(l->m_arcSrc.size(), 2) - 1);
        inputs.push_back(Input(l->m_nCallbackSlot, 0.0f, last, "Light state"));
    } else if (auto* a = dynamic_cast<const CCPAdi*>(&record)) {
        inputs.push_back(Input(a->m_nCallbackSlot, -90.0f, 90.0f, "ADI pitch"));
        inputs.push_back(
            Input(a->m_nCallbackSlot, -180.0f, 180.0f, "ADI roll", InputChannel::Roll));
    } else if (auto* h = dynamic_cast<const CCPHsi*>(&record)) {
        inputs.push_back(Input(h->m_nCallbackSlot, 0.0f, 360.0f, "HSI heading"));
    } else if (auto* m = dynamic_cast<const CCPMachAsi*>(&record)) {
        inputs.push_back(Input(m->m_nCallbackSlot, m->m_fMinVal, m->m_fMaxVal, "Airspeed"));
    }
    if (!inputs.empty() && inputs.front().slot < 0)
        inputs.clear();
    return inputs;
}

bool DrawAtInputs(CCPObject& record, Canvas& dc, float scale, const InputLookup& value)
{
    const std::vector<InstrumentInput> inputs = InstrumentInputs(record);
    if (inputs.empty() || !value)
        return false;
    bool any = false;
    float values[2] = {0.0f, 0.0f};
    for (const InstrumentInput& in : inputs)
        if (const std::optional<float> v = value(in.slot, in.channel)) {
            values[in.channel == InputChannel::Roll ? 1 : 0] = *v;
            any = true;
        }
    if (!any)
        return false;
    if (auto* d = dynamic_cast<CCPDial*>(&record))
        d->DrawAtValue(dc, scale, values[0]);
    else if (auto* i = dynamic_cast<CCPIndicator*>(&record))
        i->DrawAtValue(dc, scale, values[0]);
    else if (auto* g = dynamic_cast<CCPDigits*>(&record))
        g->DrawAtValue(dc, scale, values[0]);
    else if (auto* l = dynamic_cast<CCPLight*>(&record))
        l->DrawAtValue(dc, scale, values[0]);
    else if (auto* a = dynamic_cast<CCPAdi*>(&record))
        a->DrawAttitude(dc, scale, values[0], values[1]);
    else if (auto* h = dynamic_cast<CCPHsi*>(&record))
        h->DrawAtHeading(dc, scale, values[0]);
    else if (auto* m = dynamic_cast<CCPMachAsi*>(&record))
        m->DrawAtValue(dc, scale, values[0]);
    return true;
}
