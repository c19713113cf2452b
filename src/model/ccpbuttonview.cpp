#include "ccpbuttonview.h"

#include "canvas.h"
#include "ccpbutton.h"
#include "ccpmanager.h"
#include "cinstrumentpiece.h"
#include "ckeyreader.h"
#include "clinewriter.h"
#include "cstatelist.h"
#include "ctokencursor.h"
#include "strformat.h"

CCPButtonView::CCPButtonView(int id, CLineReader& ar, const std::string& comment,
                             CCPManager* manager)
    : CCPRecord(manager)
{
    Load(id, ar, comment, manager);
}

void CCPButtonView::Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
{
    m_bTransparent = true;
    m_nParentButton = 0;
    m_nPersistent = 0;
    m_arcSrc.clear();
    m_rcDest = CRect(0, 0, 10, 10);
    m_nCurrentState = 0;
    CCPObject::Load(id, ar, comment, manager);
    ReadKeys(ar, "ButtonView Bad string", [&](std::string_view key, CTokenCursor& cur) {
        if (EqualsNoCase(key, "srcloc")) {
            // Every srcloc line is one more state.
            AppendRect(cur, m_arcSrc);
        } else if (EqualsNoCase(key, "states")) {
            int count = 0;
            if (ReadInt(cur, count))
                CStateList::Expect(m_arcSrc, count);
        } else if (EqualsNoCase(key, "parentbutton")) {
            ReadInt(cur, m_nParentButton);
        } else if (EqualsNoCase(key, "destloc")) {
            std::string_view value; // stays empty on an empty line: its word is missing
            cur.Next(value, TokenSet::Value);
            CInstrumentPiece::ReadDestLine(ar, value, m_rcDest, m_bTransparent,
                                           "Buttonview Bad transparency");
        } else if (EqualsNoCase(key, "persistant")) {
            if (ReadInt(cur, m_nPersistent) && m_nPersistent == 3)
                m_nPersistent = 2; // the file's 3 is "electrical"
        } else {
            return false;
        }
        return true;
    });
}

void CCPButtonView::Serialize(CLineWriter& ar)
{
    WriteHeader(ar, "BUTTONVIEW");
    WriteInt(ar, "states", int(m_arcSrc.size()));
    // Every state is written, all-zero ones too, so the states keep their order.
    for (const CRect& rc : m_arcSrc)
        WriteRectAlways(ar, "srcloc", rc);
    WriteInt(ar, "parentbutton", m_nParentButton);
    CInstrumentPiece::WriteDestLine(ar, m_rcDest, m_bTransparent);
    WriteInt(ar, "persistant", m_nPersistent == 2 ? 3 : m_nPersistent);
    WriteEnd(ar);
}

bool CCPButtonView::Check(CCheckMessageArray& messages, bool full)
{
    bool ok = CheckIdUnique(messages, m_pManager);
    CCPButton* parent = m_pManager ? m_pManager->FindButton(m_nParentButton) : nullptr;
    if (!parent) {
        AddMessage(messages, CheckKind::ButtonViewNoParent,
                   StrFormat("ButtonView Id %d, no parent %d", m_nId, m_nParentButton));
        ok = false;
    } else {
        const int p = parent->m_nStates;
        const int v = int(m_arcSrc.size());
        if (p < v || (full && p != v)) {
            AddMessage(messages, CheckKind::ButtonViewStatesMismatch,
                       StrFormat("ButtonView Id %d, states mismatch parent has %d this has %d",
                                 m_nId, p, v));
            ok = false;
        }
    }
    if (full)
        for (const CRect& rc : m_arcSrc)
            if (rc.Width() != m_rcDest.Width() || rc.Height() != m_rcDest.Height()) {
                AddMessage(messages, CheckKind::ButtonViewSizes,
                           StrFormat("ButtonView Id %d, src/dest are different sizes", m_nId));
                ok = false;
            }
    return ok;
}

void CCPButtonView::NextState()
{
    CStateList::Next(m_nCurrentState, m_arcSrc);
}

bool CCPButtonView::GetDestRect(CRect* out) const
{
    if (out)
        *out = m_rcDest;
    return true;
}

void CCPButtonView::SetDestRect(const CRect* rc)
{
    CStateList::SetDest(m_rcDest, m_arcSrc, rc);
}

bool CCPButtonView::GetSrcRect(CRect* out) const
{
    return CStateList::GetSrc(m_arcSrc, m_nCurrentState, out);
}

void CCPButtonView::SetSrcRect(const CRect* rc)
{
    CStateList::SetSrc(m_arcSrc, m_nCurrentState, rc);
}

void CCPButtonView::MakeSameSize()
{
    CStateList::MakeSameSize(m_arcSrc, m_rcDest);
}

void CCPButtonView::Draw(Canvas& dc, float scale)
{
    CStateList::Draw(m_pManager, m_rcDest, m_arcSrc, m_nCurrentState, m_bTransparent, dc, scale);
}

void CCPButtonView::DrawSelected(Canvas& dc, float scale)
{
    dc.FrameRect(ScaledRect(m_rcDest, scale), MakeRgb(0, 255, 0));
}
