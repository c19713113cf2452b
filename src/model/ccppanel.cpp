#include "ccppanel.h"

#include "canvas.h"
#include "ccpmanager.h"
#include "ccpsurface.h"
#include "ccpsurfaceref.h"
#include "ckeyreader.h"
#include "clinereader.h"
#include "clinewriter.h"
#include "cscanner.h"
#include "ctokencursor.h"
#include "strformat.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <unordered_set>

namespace {
const Rgb kRed = MakeRgb(255, 0, 0);

// Reads one "transparent"/"opaque" word; false for any other word.
bool ParseTransparency(const std::string& word, bool& flag)
{
    if (EqualsNoCase(word, "transparent")) {
        flag = true;
        return true;
    }
    if (EqualsNoCase(word, "opaque")) {
        flag = false;
        return true;
    }
    return false;
}

void ReadOsbs(CTokenCursor& cur, std::array<CFloatPoint, 20>& points)
{
    // Up to forty numbers; points without a value keep what they had.
    std::string tok;
    for (size_t i = 0; i < 40 && cur.Next(tok); ++i) {
        CFloatPoint& p = points[i / 2];
        ScanFloat(tok, i % 2 == 0 ? p.x : p.y);
    }
}

void ReadIds(CTokenCursor& cur, std::vector<int>& ids)
{
    // A token that is no number adds nothing; every token moves the cursor on.
    while (!cur.Rest().empty()) {
        int id = 0;
        if (cur.NextInt(id))
            ids.push_back(id);
    }
}

void WriteOsbs(CLineWriter& ar, const char* key, const std::array<CFloatPoint, 20>& points)
{
    WriteKey(ar, key);
    for (const CFloatPoint& p : points) {
        ar.Write(' ');
        ar.Float(double(p.x));
        ar.Write(' ');
        ar.Float(double(p.y));
    }
    ar.Write(";\n");
}

void WriteIds(CLineWriter& ar, const char* key, const std::vector<int>& ids)
{
    if (ids.empty())
        return;
    WriteIntList(ar, key, ids);
}

void WriteArea(CLineWriter& ar, const char* key, const CRect& rc)
{
    if (!rc.IsRectEmpty())
        WriteRect(ar, key, rc);
}

// Truncates toward zero, holding values from the file inside the int range.
int Truncate(double v)
{
    if (!(v > double(INT_MIN)))
        return INT_MIN;
    if (!(v < double(INT_MAX)))
        return INT_MAX;
    return int(v);
}

void FrameOsbs(Canvas& dc, const CRect& area, const std::array<CFloatPoint, 20>& points)
{
    for (const CFloatPoint& p : points) {
        CPoint at;
        if (CCPPanel::OsbPosition(area, p, at))
            dc.FrameRect(CRect(at.x - 5, at.y - 5, at.x + 5, at.y + 5), kRed);
    }
}
} // namespace

bool CCPPanel::OsbPosition(const CRect& area, const CFloatPoint& p, CPoint& at)
{
    // Wide: the frame's coordinates come straight from the file.
    const int64_t cx = (int64_t(area.left) + area.right) / 2;
    const int64_t cy = (int64_t(area.top) + area.bottom) / 2;
    at.x = Truncate(double(int64_t(area.right) - area.left) * p.x * 0.5 + double(cx));
    at.y = Truncate(double(int64_t(area.bottom) - area.top) * p.y * 0.5 + double(cy));
    return at.x >= INT_MIN + 5 && at.x <= INT_MAX - 5 && at.y >= INT_MIN + 5 && at.y <= INT_MAX - 5;
}

CCPPanel::CCPPanel(CCPManager* manager) : CCPTypedRecord(manager)
{
    // A panel made in the editor starts without neighbours; one read from a file gets what
    // the file says (Load).
    m_anAdjPanels.fill(-1);
}

CCPPanel::CCPPanel(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
    : CCPTypedRecord(manager)
{
    Load(id, ar, comment, manager);
}

CCPPanel::~CCPPanel() = default;

void CCPPanel::Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
{
    m_nCursorId = 0;
    m_nMaskTop = 0;
    m_ptOffset = CPoint();
    m_bDoGeometry = false;
    m_nHudFont = m_nMfdFont = m_nDedFont = -1;
    m_anAdjPanels.fill(0);
    m_fPan = m_fTilt = 0;
    m_rcMouseBounds = m_rcHud = m_rcRwr = m_rcMfdLeft = m_rcMfdRight = CRect();
    m_anObjects.clear();
    m_anButtonViews.clear();
    m_aSurfaces.clear();
    m_aOsbLeft.fill(CFloatPoint());
    m_aOsbRight.fill(CFloatPoint());
    m_bVisited = false;
    CCPObject::Load(id, ar, comment, manager);

    ReadKeys(ar, "Panel Bad string", [&](std::string_view key, CTokenCursor& cur) {
        std::string_view value;
        if (EqualsNoCase(key, "numsurfaces") || EqualsNoCase(key, "numobjects") ||
            EqualsNoCase(key, "numbuttonviews")) {
            // The counts come from the lists.
        } else if (EqualsNoCase(key, "dogeometry")) {
            m_bDoGeometry = true;
        } else if (CRect* rc = EqualsNoCase(key, "mfdleft")       ? &m_rcMfdLeft
                               : EqualsNoCase(key, "mfdright")    ? &m_rcMfdRight
                               : EqualsNoCase(key, "hud")         ? &m_rcHud
                               : EqualsNoCase(key, "rwr")         ? &m_rcRwr
                               : EqualsNoCase(key, "mousebounds") ? &m_rcMouseBounds
                                                                  : nullptr) {
            ReadRect(cur, *rc);
        } else if (EqualsNoCase(key, "osbleft")) {
            ReadOsbs(cur, m_aOsbLeft);
        } else if (EqualsNoCase(key, "osbright")) {
            ReadOsbs(cur, m_aOsbRight);
        } else if (EqualsNoCase(key, "adjpanels")) {
            if (cur.Next(value, TokenSet::Value)) {
                CScanner s(value);
                for (int& adj : m_anAdjPanels)
                    if (!s.Int(adj))
                        break;
            }
        } else if (EqualsNoCase(key, "surfaces")) {
            auto ref = std::make_unique<CCPSurfaceRef>(m_pManager);
            // A word that is missing or never reached is as bad as a wrong one.
            bool wordOk = false;
            if (cur.Next(value, TokenSet::Value)) {
                CScanner s(value);
                std::string word;
                if (s.Int(ref->m_nSurfaceId) && s.Int(ref->m_nPersistent) && s.Word(word)) {
                    wordOk = ParseTransparency(word, ref->m_bTransparent);
                    s.Int(ref->m_rcDest.top) && s.Int(ref->m_rcDest.left) &&
                        s.Int(ref->m_rcDest.bottom) && s.Int(ref->m_rcDest.right);
                }
            }
            if (!wordOk)
                ReportError(ar, "Panel Bad transparency", value);
            m_aSurfaces.push_back(std::move(ref));
        } else if (EqualsNoCase(key, "objects")) {
            ReadIds(cur, m_anObjects);
        } else if (EqualsNoCase(key, "buttonviews")) {
            ReadIds(cur, m_anButtonViews);
        } else if (EqualsNoCase(key, "offset")) {
            if (cur.Next(value, TokenSet::Value)) {
                CScanner s(value);
                s.Int(m_ptOffset.x) && s.Int(m_ptOffset.y);
            }
        } else if (EqualsNoCase(key, "pantilt")) {
            if (cur.Next(value, TokenSet::Value)) {
                CScanner s(value);
                s.Float(m_fPan) && s.Float(m_fTilt);
            }
        } else if (int* field = EqualsNoCase(key, "hudfont")    ? &m_nHudFont
                                : EqualsNoCase(key, "mfdfont")  ? &m_nMfdFont
                                : EqualsNoCase(key, "dedfont")  ? &m_nDedFont
                                : EqualsNoCase(key, "masktop")  ? &m_nMaskTop
                                : EqualsNoCase(key, "cursorid") ? &m_nCursorId
                                                                : nullptr) {
            ReadInt(cur, *field);
        } else {
            return false;
        }
        return true;
    });
}

void CCPPanel::Serialize(CLineWriter& ar)
{
    WriteHeader(ar, "PANEL");
    WriteInt(ar, "numsurfaces", int(m_aSurfaces.size()));
    WriteInt(ar, "numobjects", int(m_anObjects.size()));
    WriteInt(ar, "numbuttonviews", int(m_anButtonViews.size()));
    if (m_bDoGeometry)
        WriteFlag(ar, "dogeometry");
    if (!m_rcMfdLeft.IsRectEmpty()) {
        WriteRect(ar, "mfdleft", m_rcMfdLeft);
        WriteOsbs(ar, "osbleft", m_aOsbLeft);
    }
    if (!m_rcMfdRight.IsRectEmpty()) {
        WriteRect(ar, "mfdright", m_rcMfdRight);
        WriteOsbs(ar, "osbright", m_aOsbRight);
    }
    WriteArea(ar, "hud", m_rcHud);
    WriteArea(ar, "rwr", m_rcRwr);
    WriteArea(ar, "mousebounds", m_rcMouseBounds);
    WriteIntList(ar, "adjpanels", m_anAdjPanels);
    for (const auto& ref : m_aSurfaces) {
        const CRect& d = ref->m_rcDest;
        WriteFlag(ar, StrFormat("%s = %d %d %s %d %d %d %d", "surfaces", ref->m_nSurfaceId,
                                ref->m_nPersistent, ref->m_bTransparent ? "transparent" : "opaque",
                                d.top, d.left, d.bottom, d.right)
                          .c_str());
    }
    WriteIds(ar, "objects", m_anObjects);
    WritePoint(ar, "offset", m_ptOffset.x, m_ptOffset.y);
    WriteIds(ar, "buttonviews", m_anButtonViews);
    WriteFloatPair(ar, "pantilt", m_fPan, m_fTilt);
    if (m_nHudFont >= 0)
        WriteInt(ar, "hudfont", m_nHudFont);
    if (m_nMfdFont >= 0)
        WriteInt(ar, "mfdfont", m_nMfdFont);
    if (m_nDedFont >= 0)
        WriteInt(ar, "dedfont", m_nDedFont);
    WriteInt(ar, "masktop", m_nMaskTop);
    WriteInt(ar, "cursorid", m_nCursorId);
    WriteEnd(ar);
}

bool CCPPanel::Check(CCheckMessageArray& messages, bool full)
{
    bool ok = CheckIdUnique(messages, m_pManager);
    for (int adj : m_anAdjPanels)
        if (adj != -1 && !(m_pManager && m_pManager->FindPanel(adj))) {
            AddMessage(messages, CheckKind::PanelNoAdjacent,
                       StrFormat("Panel Id %d, No adjacent panel %d", m_nId, adj));
            ok = false;
        }
    if (full)
        for (size_t i = 0; i < m_aSurfaces.size(); ++i)
            for (size_t j = i + 1; j < m_aSurfaces.size(); ++j)
                if (m_aSurfaces[i]->m_rcDest.Intersects(m_aSurfaces[j]->m_rcDest)) {
                    AddMessage(messages, CheckKind::PanelSurfacesOverlap,
                               StrFormat("Panel Id %d, Overlapping surfaces %d and %d", m_nId,
                                         int(i), int(j)));
                    ok = false;
                }
    if (m_nMaskTop == 0) {
        AddMessage(messages, CheckKind::PanelMaskTopZero,
                   StrFormat("Panel Id %d, Masktop should not be %d", m_nId, 0));
        ok = false;
    }
    return ok;
}

void CCPPanel::DrawSelected(Canvas& dc, float scale)
{
    for (const CRect* rc : {&m_rcHud, &m_rcRwr, &m_rcMfdLeft, &m_rcMfdRight})
        if (!rc->IsRectEmpty())
            dc.FrameRect(ScaledRect(*rc, scale), kRed);
    if (!m_rcMfdLeft.IsRectEmpty())
        FrameOsbs(dc, ScaledRect(m_rcMfdLeft, scale), m_aOsbLeft);
    if (!m_rcMfdRight.IsRectEmpty())
        FrameOsbs(dc, ScaledRect(m_rcMfdRight, scale), m_aOsbRight);
    if (m_nMaskTop > 0) {
        // Scaled as rectangles are, so a mask line far down holds at the end of the range.
        const int width = m_pManager ? m_pManager->m_nScreenWidth : 0;
        const CRect line = ScaledRect(CRect(0, m_nMaskTop, width, m_nMaskTop), scale);
        const Pen old = dc.SelectPen(Pen{Pen::Dash, kRed, 1});
        dc.Line(0, line.top, line.right, line.top);
        dc.SelectPen(old);
    }
}

int CCPPanel::NextObjectId() const
{
    // The panel's own ids go into one set first, so each candidate costs a few look-ups
    // instead of scans of the panel's lists.
    std::unordered_set<int> taken(m_anButtonViews.begin(), m_anButtonViews.end());
    taken.insert(m_anObjects.begin(), m_anObjects.end());
    for (const auto& ref : m_aSurfaces)
        taken.insert(ref->m_nSurfaceId);
    for (int id = m_nId; id < INT_MAX;) {
        ++id;
        if (taken.count(id))
            continue;
        if (m_pManager && (m_pManager->FindButton(id) || m_pManager->FindObject(id) ||
                           m_pManager->FindSurface(id)))
            continue;
        return id;
    }
    return INT_MAX;
}

bool CCPPanel::RemoveRecord(CCPObject* record, bool destroy)
{
    if (!record)
        return false;
    auto eraseId = [](std::vector<int>& ids, int id) {
        const auto end = std::remove(ids.begin(), ids.end(), id);
        const bool found = end != ids.end();
        ids.erase(end, ids.end());
        return found;
    };
    if (record->IsButtonView())
        return eraseId(m_anButtonViews, record->m_nId);
    if (record->IsSurfaceRef()) {
        for (auto it = m_aSurfaces.begin(); it != m_aSurfaces.end(); ++it)
            if (it->get() == record) {
                if (!destroy)
                    it->release(); // the caller owns it now
                m_aSurfaces.erase(it);
                break;
            }
        return false;
    }
    return eraseId(m_anObjects, record->m_nId);
}

void CCPPanel::InsertRecordAfter(CCPObject* anchor, CCPObject* record)
{
    if (!record)
        return;
    if (record->IsButtonView()) {
        const int id = record->m_nId;
        if (anchor && anchor->IsButtonView()) {
            auto it = std::find(m_anButtonViews.begin(), m_anButtonViews.end(), anchor->m_nId);
            m_anButtonViews.insert(it == m_anButtonViews.end() ? it : it + 1, id);
        } else if (anchor && !anchor->IsSurfaceRef()) {
            m_anButtonViews.push_back(id);
        } else {
            m_anButtonViews.insert(m_anButtonViews.begin(), id);
        }
        return;
    }
    if (record->IsSurfaceRef()) {
        // An entry moved within this panel is taken out first so that it is owned once.
        if (HasSurfaceRef(static_cast<CCPSurfaceRef*>(record))) {
            if (record == anchor)
                return; // already in place
            RemoveRecord(record, false);
        }
        std::unique_ptr<CCPSurfaceRef> ref(static_cast<CCPSurfaceRef*>(record));
        if (anchor && anchor->IsSurfaceRef()) {
            auto it = std::find_if(m_aSurfaces.begin(), m_aSurfaces.end(),
                                   [anchor](const auto& r) { return r.get() == anchor; });
            m_aSurfaces.insert(it == m_aSurfaces.end() ? it : it + 1, std::move(ref));
        } else if (anchor) {
            m_aSurfaces.push_back(std::move(ref));
        } else {
            m_aSurfaces.insert(m_aSurfaces.begin(), std::move(ref));
        }
        return;
    }
    const int id = record->m_nId;
    if (anchor && !anchor->IsSurfaceRef() && !anchor->IsButtonView()) {
        auto it = std::find(m_anObjects.begin(), m_anObjects.end(), anchor->m_nId);
        m_anObjects.insert(it == m_anObjects.end() ? it : it + 1, id);
    } else {
        m_anObjects.insert(m_anObjects.begin(), id);
    }
}

int CCPPanel::OpenAdjacent(int panelId)
{
    CCPPanel* panel = m_pManager ? m_pManager->FindPanel(panelId) : nullptr;
    return panel ? panel->EditProperties() : 0;
}

void CCPPanel::ReloadSurfaces()
{
    for (const auto& ref : m_aSurfaces)
        if (CCPSurface* surface = ref->GetSurface())
            surface->ResetImage();
}

bool CCPPanel::HasSurfaceRef(const CCPSurfaceRef* ref) const
{
    return std::any_of(m_aSurfaces.begin(), m_aSurfaces.end(),
                       [ref](const auto& r) { return r.get() == ref; });
}

std::unique_ptr<CCPObject> CCPPanel::CopyFields() const
{
    auto copy = std::make_unique<CCPPanel>(m_pManager);
    copy->AssignFields(*this);
    return copy;
}

void CCPPanel::AssignFields(const CCPObject& from)
{
    const auto& other = static_cast<const CCPPanel&>(from);
    CCPObject::operator=(other);
    CPanelFields::operator=(other);
}
