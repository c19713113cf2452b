#pragma once

class CCPObject;

// Told about every change to the cockpit while an edit is being recorded, so the edit can be
// undone: a record about to change, and a record appended to one of the manager's lists.
class IEditRecorder
{
public:
    virtual ~IEditRecorder() = default;
    virtual void WillChange(CCPObject& record) = 0;
    virtual void Appended(CCPObject& record) = 0;
};
