#pragma once

class CCPDial;
class CCPObject;

// Opens a record's modal property sheet; the sheets layer picks the sheet by the record's
// type. Returns IDOK when the user accepted, IDCANCEL otherwise.
//
// An open sheet reaches the views through the same editor: a dial page previews its needle
// there (the document passes it on to the views; other editors ignore it).
class IRecordEditor
{
public:
    virtual ~IRecordEditor() = default;
    virtual int EditProperties(CCPObject& record) = 0;

    // Shows record's needle as shown has it, at value, until EndDialPreview; not stored.
    virtual void ShowDialPreview(CCPDial& /*record*/, const CCPDial& /*shown*/, float /*value*/) {}
    virtual void EndDialPreview(CCPDial& /*record*/) {}
};
