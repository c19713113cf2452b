#pragma once

class CCPObject;

// Opens a record's modal property sheet; the sheets layer picks the sheet by the record's
// type. Returns IDOK when the user accepted, IDCANCEL otherwise.
class IRecordEditor
{
public:
    virtual ~IRecordEditor() = default;
    virtual int EditProperties(CCPObject& record) = 0;
};
