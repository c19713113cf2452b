#pragma once

#include "instrumentinputs.h"

#include <map>
#include <memory>
#include <optional>
#include <utility>

class Canvas;
class CCPDial;
class CCPObject;

// The numbers the instruments are drawn at while the editor plays them or a dial page previews
// its needle: what the simulator would feed each callback slot, and one record shown at a value
// of its own. The drawing code asks here before a record draws itself. Nothing of it reaches
// the records, the history or the file.
class CInstrumentValues
{
public:
    CInstrumentValues();
    ~CInstrumentValues();

    // --- the value of a callback slot (Play's Inputs) ---
    void SetSlot(int slot, InputChannel channel, float value);
    std::optional<float> GetSlot(int slot, InputChannel channel) const;
    void ClearSlots();

    // --- one record at a value of its own (the dial page's preview) ---
    // Starts or moves the preview of record: shown is the dial as the page has it now.
    void Show(const CCPObject* record, const CCPDial& shown, float value);
    // Ends the preview of record (none of another record's); whether one ended.
    bool End(const CCPObject* record);
    bool IsShowing(const CCPObject* record) const { return record && m_pRecord == record; }
    const CCPObject* GetRecord() const { return m_pRecord; }
    float GetValue() const { return m_fValue; }

    // Draws record at its value: the previewed dial as its page has it, else a record whose
    // slot has a value as the simulator shows it. False when record has no value here (it
    // draws itself).
    bool Draw(CCPObject& record, Canvas& dc, float scale) const;

private:
    std::map<std::pair<int, InputChannel>, float> m_slots;
    const CCPObject* m_pRecord = nullptr;
    std::unique_ptr<CCPObject> m_pShown;
    float m_fValue = 0.0f;
};
