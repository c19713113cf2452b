#pragma once

#include "ccprecord.h"

// A BUTTON record: the logical control behind its button views.
class CCPButton : public CCPRecord<CCPButton>
{
public:
    int m_nNumViews = 1;
    int m_nDelay = -1;
    int m_nInitState = 0;
    int m_nCallbackSlot = -1;
    int m_nCursorId = 0;
    int m_nStates = 1;
    int m_nSound1 = -1;
    int m_nSound2 = -1;

    explicit CCPButton(CCPManager* manager) : CCPRecord(manager) {}
    CCPButton(int id, CLineReader& ar, const std::string& comment, CCPManager* manager);

    bool IsButton() const override { return true; }
    void Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager) override;
    void Serialize(CLineWriter& ar) override;
    bool Check(CCheckMessageArray& messages, bool full) override;
};
