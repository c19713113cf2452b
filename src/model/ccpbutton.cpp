#include "ccpbutton.h"

#include "ccpmanager.h"
#include "ckeyreader.h"
#include "clinewriter.h"
#include "ctokencursor.h"
#include "strformat.h"

CCPButton::CCPButton(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
    : CCPRecord(manager)
{
    Load(id, ar, comment, manager);
}

void CCPButton::Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
{
    m_nNumViews = 1;
    m_nDelay = -1;
    m_nInitState = 0;
    m_nCallbackSlot = -1;
    m_nCursorId = 0;
    m_nStates = 1;
    m_nSound1 = m_nSound2 = -1;
    CCPObject::Load(id, ar, comment, manager);
    ReadKeys(ar, "Button: unrecognised string", [&](std::string_view key, CTokenCursor& cur) {
        int* field = EqualsNoCase(key, "states")           ? &m_nStates
                     : EqualsNoCase(key, "delay")          ? &m_nDelay
                     : EqualsNoCase(key, "cursorid")       ? &m_nCursorId
                     : EqualsNoCase(key, "initstate")      ? &m_nInitState
                     : EqualsNoCase(key, "sound1")         ? &m_nSound1
                     : EqualsNoCase(key, "sound2")         ? &m_nSound2
                     : EqualsNoCase(key, "callbackslot")   ? &m_nCallbackSlot
                     : EqualsNoCase(key, "numbuttonviews") ? &m_nNumViews
                                                           : nullptr;
        if (!field)
            return false;
        ReadInt(cur, *field);
        return true;
    });
}

void CCPButton::Serialize(CLineWriter& ar)
{
    WriteHeader(ar, "BUTTON");
    WriteInt(ar, "states", m_nStates);
    WriteInt(ar, "delay", m_nDelay);
    WriteInt(ar, "cursorid", m_nCursorId);
    WriteInt(ar, "initstate", m_nInitState);
    if (m_nSound1 >= 0)
        WriteInt(ar, "sound1", m_nSound1);
    if (m_nSound2 >= 0)
        WriteInt(ar, "sound2", m_nSound2);
    WriteInt(ar, "callbackslot", m_nCallbackSlot);
    WriteInt(ar, "numbuttonviews", m_nNumViews);
    WriteEnd(ar);
}

bool CCPButton::Check(CCheckMessageArray& messages, bool /*full*/)
{
    bool ok = CheckIdUnique(messages, m_pManager);
    if (m_nStates > 0 && m_nInitState >= m_nStates) {
        AddMessage(messages, CheckKind::ButtonInitStateTooBig,
                   StrFormat("Button Id %d, initial state is too big (%d >= %d)", m_nId,
                             m_nInitState, m_nStates));
        ok = false;
    }
    if (m_nSound1 != -1 && !(m_pManager && m_pManager->FindSound(m_nSound1))) {
        AddMessage(messages, CheckKind::ButtonSound1Missing,
                   StrFormat("Button Id %d, sound 1 %d not defined", m_nId, m_nSound1));
        ok = false;
    }
    if (m_nSound2 != -1 && !(m_pManager && m_pManager->FindSound(m_nSound2))) {
        AddMessage(messages, CheckKind::ButtonSound2Missing,
                   StrFormat("Button Id %d, sound 2 %d not defined", m_nId, m_nSound2));
        ok = false;
    }
    return ok;
}
