#pragma once

#include "ccpobject.h"

// A BUTTON record: the logical control behind its button views.
class CCPButton : public CCPObject
{
public:
    std::unique_ptr<CCPObject> CopyFields() const override { return CopyOf(*this); }
    void AssignFields(const CCPObject& from) override { AssignFrom(*this, from); }
    int m_nNumViews = 1;
    int m_nDelay = -1;
    int m_nInitState = 0;
    int m_nCallbackSlot = -1;
    int m_nCursorId = 0;
    int m_nStates = 1;
    int m_nSound1 = -1;
    int m_nSound2 = -1;

    explicit CCPButton(CCPManager* manager) : CCPObject(manager) {}
    CCPButton(int id, CLineReader& ar, const std::string& comment, CCPManager* manager);

    int GetTypeCode() const override { return kButtonType; }
    int GetImageIndex() const override { return 6; }
    bool IsButton() const override { return true; }
    std::string GetTypeName() const override { return "Button"; }
    void Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager) override;
    void Serialize(CLineWriter& ar) override;
    bool Check(CCheckMessageArray& messages, bool full) override;
};
