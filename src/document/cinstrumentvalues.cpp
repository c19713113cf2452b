#include "cinstrumentvalues.h"

#include "ccpdial.h"

CInstrumentValues::CInstrumentValues() = default;
CInstrumentValues::~CInstrumentValues() = default;

void CInstrumentValues::SetSlot(int slot, InputChannel channel, float value)
{
    m_slots[{slot, channel}] = value;
}

std::optional<float> CInstrumentValues::GetSlot(int slot, InputChannel channel) const
{
    const auto it = m_slots.find({slot, channel});
    if (it == m_slots.end())
        return std::nullopt;
    return it->second;
}

void CInstrumentValues::ClearSlots()
{
    m_slots.clear();
}

void CInstrumentValues::Show(const CCPObject* record, const CCPDial& shown, float value)
{
    m_pRecord = record;
    m_pShown = shown.CopyFields();
    m_fValue = value;
}

bool CInstrumentValues::End(const CCPObject* record)
{
    if (!IsShowing(record))
        return false;
    m_pRecord = nullptr;
    m_pShown.reset();
    return true;
}

bool CInstrumentValues::Draw(CCPObject& record, Canvas& dc, float scale) const
{
    if (IsShowing(&record)) {
        static_cast<const CCPDial*>(m_pShown.get())->DrawAtValue(dc, scale, m_fValue);
        return true;
    }
    if (m_slots.empty())
        return false;
    return DrawAtInputs(record, dc, scale,
                        [this](int slot, InputChannel channel) { return GetSlot(slot, channel); });
}
