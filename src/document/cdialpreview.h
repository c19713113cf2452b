#pragma once

#include <memory>

class Canvas;
class CCPDial;
class CCPObject;

// The needle a dial page shows while its sheet is open: the dial it stands for, drawn with the
// page's entries (not yet stored in the record) at the value of the page's slider. The panel
// view draws it in place of that dial's own needle. Nothing of it reaches the record, the
// history or the file.
class CDialPreview
{
public:
    CDialPreview();
    ~CDialPreview();

    // Starts or moves the preview of record: shown is the dial as the page has it now.
    void Show(const CCPObject* record, const CCPDial& shown, float value);
    // Ends the preview of record (none of another record's); whether one ended.
    bool End(const CCPObject* record);

    bool IsShowing(const CCPObject* record) const { return record && m_pRecord == record; }
    const CCPObject* GetRecord() const { return m_pRecord; }
    float GetValue() const { return m_fValue; }
    // Draws the previewed needle when record is the dial previewed; false otherwise (the record
    // draws itself). A table that gives no needle draws nothing.
    bool Draw(const CCPObject* record, Canvas& dc, float scale) const;

private:
    const CCPObject* m_pRecord = nullptr;
    std::unique_ptr<CCPObject> m_pShown;
    float m_fValue = 0.0f;
};
