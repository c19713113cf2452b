#include "ccpded.h"

#include "canvas.h"
#include "ckeyreader.h"
#include "clinereader.h"
#include "clinewriter.h"
#include "ctokencursor.h"
#include "strformat.h"

CCPDed::CCPDed(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
    : CCPRecord(manager)
{
    Load(id, ar, comment, manager);
}

void CCPDed::Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
{
    CCPObject::Load(id, ar, comment, manager);
    m_nCallbackSlot = -1;
    m_nCycleBits = 0xffffffff; // files without the key have always meant "every bit"
    m_nColor0 = 0xff38e0f8;
    m_rcDest = CRect(0, 0, 10, 10);
    m_nDedType = 0;

    ReadKeys(ar, "DED Bad string", [&](std::string_view key, CTokenCursor& cur) {
        if (EqualsNoCase(key, "cyclebits")) {
            ReadHex(cur, m_nCycleBits, TokenSet::Value);
        } else if (EqualsNoCase(key, "destloc")) {
            ReadRect(cur, m_rcDest);
        } else if (EqualsNoCase(key, "callbackslot")) {
            ReadInt(cur, m_nCallbackSlot);
        } else if (EqualsNoCase(key, "color0")) {
            ReadHex(cur, m_nColor0);
        } else if (EqualsNoCase(key, "dedtype")) {
            // A missing word is reported like a wrong one and keeps the type.
            const std::string word = cur.NextOr(TokenSet::Key);
            if (EqualsNoCase(word, "ded"))
                m_nDedType = 0;
            else if (EqualsNoCase(word, "pfl"))
                m_nDedType = 1;
            else
                ReportError(ar, "Bad DED Type", word);
        } else {
            return false;
        }
        return true;
    });
}

void CCPDed::Serialize(CLineWriter& ar)
{
    WriteHeader(ar, "DED");
    WriteHex(ar, "cyclebits", m_nCycleBits);
    WriteInt(ar, "callbackslot", m_nCallbackSlot);
    WriteHex(ar, "color0", m_nColor0);
    WriteString(ar, "dedtype", m_nDedType == 1 ? "pfl" : "ded");
    WriteRect(ar, "destloc", m_rcDest);
    WriteEnd(ar);
}

bool CCPDed::Check(CCheckMessageArray& messages, bool full)
{
    bool ok = CCPObject::Check(messages, full);
    if (!CheckIdUnique(messages, m_pManager))
        ok = false;
    if (m_rcDest.IsRectEmpty()) {
        AddMessage(messages, CheckKind::DedEmptyDest,
                   StrFormat("DED Id %d, Empty dest loc", m_nId));
        ok = false;
    }
    return ok;
}

void CCPDed::DrawSelected(Canvas& dc, float scale)
{
    const CRect rc = ScaledRect(m_rcDest, scale);
    dc.FrameRect(rc, MakeRgb(255, 0, 0));
    Font font;
    font.face = "Courier New";
    font.height = 13; // 10 points at 96 dots per inch
    const Font old = dc.SelectFont(font);
    dc.TextOut(ClampToInt((long long)rc.left + 2), ClampToInt((long long)rc.top + 2),
               "Ded text here", RgbOf(m_nColor0));
    dc.SelectFont(old);
}
