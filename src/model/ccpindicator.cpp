#include "ccpindicator.h"

#include "canvas.h"
#include "ccpmanager.h"
#include "cinstrumentpiece.h"
#include "ckeyreader.h"
#include "clinereader.h"
#include "clinewriter.h"
#include "cscanner.h"
#include "ctokencursor.h"
#include "strformat.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

CCPIndicator::CCPIndicator(CCPManager* manager) : CCPRecord(manager)
{
    SetDefaults();
}

CCPIndicator::CCPIndicator(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
    : CCPRecord(manager)
{
    Load(id, ar, comment, manager);
}

void CCPIndicator::SetDefaults()
{
    m_fMinVal = 0.0f;
    m_fMaxVal = 10.0f;
    m_nCycleBits = 0xffff;
    m_anMinPos.clear();
    m_anMaxPos.clear();
    m_arcSrc.clear();
    m_arcDest.clear();
    m_nCalibrationVal = 0;
    m_nCallbackSlot = -1;
    m_nPersistent = 0;
    m_nOrientation = 1;
    m_nCurrentTape = 0;
}

void CCPIndicator::Load(int id, CLineReader& ar, const std::string& comment, CCPManager* manager)
{
    CCPObject::Load(id, ar, comment, manager);
    SetDefaults();
    ReadKeys(ar, "Indicator Bad string", [&](std::string_view key, CTokenCursor& cur) {
        std::string_view value;
        if (float* f = EqualsNoCase(key, "minval")   ? &m_fMinVal
                       : EqualsNoCase(key, "maxval") ? &m_fMaxVal
                                                     : nullptr) {
            ReadFloat(cur, *f);
        } else if (EqualsNoCase(key, "cyclebits")) {
            ReadHex(cur, m_nCycleBits, TokenSet::Value);
        } else if (std::vector<int>* list = EqualsNoCase(key, "minpos")   ? &m_anMinPos
                                            : EqualsNoCase(key, "maxpos") ? &m_anMaxPos
                                                                          : nullptr) {
            // Every line is a tape's entry, also one whose number does not scan, so that the
            // entries keep their tapes.
            int n = 0;
            ReadInt(cur, n);
            list->push_back(n);
        } else if (EqualsNoCase(key, "numtapes")) {
            // The count is the length of the source list.
        } else if (int* n = EqualsNoCase(key, "calibrationval") ? &m_nCalibrationVal
                            : EqualsNoCase(key, "callbackslot") ? &m_nCallbackSlot
                            : EqualsNoCase(key, "persistant")   ? &m_nPersistent
                                                                : nullptr) {
            ReadInt(cur, *n);
        } else if (std::vector<CRect>* list = EqualsNoCase(key, "srcloc")    ? &m_arcSrc
                                              : EqualsNoCase(key, "destloc") ? &m_arcDest
                                                                             : nullptr) {
            AppendRect(cur, *list);
        } else if (EqualsNoCase(key, "orientation")) {
            std::string word;
            if (cur.Next(value))
                CScanner(value).Word(word);
            if (EqualsNoCase(word, "horizontal"))
                m_nOrientation = 0;
            else if (EqualsNoCase(word, "vertical"))
                m_nOrientation = 1;
            else
                ReportError(ar, "Indicator Bad orientation", word);
        } else {
            return false;
        }
        return true;
    });
}

void CCPIndicator::Serialize(CLineWriter& ar)
{
    WriteHeader(ar, "INDICATOR");
    WriteHex(ar, "cyclebits", m_nCycleBits);
    WriteFloat(ar, "minval", m_fMinVal);
    WriteFloat(ar, "maxval", m_fMaxVal);
    WriteInt(ar, "numtapes", GetTapeCount());
    WriteInt(ar, "callbackslot", m_nCallbackSlot);
    WriteInt(ar, "persistant", m_nPersistent);
    if (m_nCalibrationVal != 0)
        WriteInt(ar, "calibrationval", m_nCalibrationVal);
    // Tape by tape. An entry a shorter list lacks is left out and a longer list is written to
    // its end, so every list reads back as it is. All-zero rectangles are written too: leaving
    // one out would hand the next tape's rectangle to this tape.
    const size_t tapes =
        std::max({m_anMinPos.size(), m_anMaxPos.size(), m_arcSrc.size(), m_arcDest.size()});
    for (size_t i = 0; i < tapes; ++i) {
        if (i < m_anMinPos.size())
            WriteInt(ar, "minpos", m_anMinPos[i]);
        if (i < m_anMaxPos.size())
            WriteInt(ar, "maxpos", m_anMaxPos[i]);
        if (i < m_arcSrc.size())
            WriteRectAlways(ar, "srcloc", m_arcSrc[i]);
        if (i < m_arcDest.size())
            WriteRectAlways(ar, "destloc", m_arcDest[i]);
    }
    WriteString(ar, "orientation", m_nOrientation == 1 ? "vertical" : "horizontal");
    WriteEnd(ar);
}

void CCPIndicator::NextState()
{
    if (++m_nCurrentTape >= GetTapeCount() || m_nCurrentTape < 0)
        m_nCurrentTape = 0;
}

// The current tape's entry of a list, or null when the list has none.
template <class List> static auto* Current(List& list, int index)
{
    return index >= 0 && size_t(index) < list.size() ? &list[size_t(index)] : nullptr;
}

bool CCPIndicator::GetDestRect(CRect* out) const
{
    const CRect* rc = Current(m_arcDest, m_nCurrentTape);
    if (rc && out)
        *out = *rc;
    return rc != nullptr;
}

bool CCPIndicator::GetSrcRect(CRect* out) const
{
    const CRect* rc = Current(m_arcSrc, m_nCurrentTape);
    if (rc && out)
        *out = *rc;
    return rc != nullptr;
}

void CCPIndicator::SetDestRect(const CRect* rc)
{
    if (CRect* dest = Current(m_arcDest, m_nCurrentTape); dest && rc)
        *dest = *rc;
}

void CCPIndicator::SetSrcRect(const CRect* rc)
{
    if (CRect* src = Current(m_arcSrc, m_nCurrentTape); src && rc)
        *src = *rc;
}

void CCPIndicator::Draw(Canvas& dc, float scale)
{
    // Every tape, whichever is current; a tape without a source shows nothing.
    const size_t n = std::min(m_arcDest.size(), m_arcSrc.size());
    for (size_t i = 0; i < n; ++i)
        CInstrumentPiece::Blit(m_pManager, m_arcDest[i],
                               CInstrumentPiece::MiddleBand(m_arcSrc[i], m_arcDest[i]), 0, dc,
                               scale);
}

CRect CCPIndicator::TapeWindow(size_t i, float value) const
{
    const CRect& src = m_arcSrc[i];
    const CRect& dest = m_arcDest[i];
    const bool vertical = m_nOrientation != 0;
    const int64_t window =
        vertical ? int64_t(dest.bottom) - dest.top : int64_t(dest.right) - dest.left;
    const int64_t start = vertical ? src.top : src.left;
    const int64_t end = vertical ? src.bottom : src.right;
    double t = 0.0;
    if (m_fMaxVal != m_fMinVal && std::isfinite(value))
        t = std::clamp((double(value) - m_fMinVal) / (double(m_fMaxVal) - m_fMinVal), 0.0, 1.0);
    const double minPos = i < m_anMinPos.size() ? m_anMinPos[i] : 0.0;
    const double maxPos = i < m_anMaxPos.size() ? m_anMaxPos[i] : double(end - start);
    const auto pos = int64_t(std::llround(minPos + t * (maxPos - minPos)));
    const int64_t centre = vertical ? end - pos : start + pos;
    // Kept on the strip; a strip shorter than the window shows from its start.
    const int64_t first = std::max(start, std::min(centre - window / 2, end - window));
    CRect band = src;
    const auto clampInt = [](int64_t v) { return int(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); };
    if (vertical) {
        band.top = clampInt(first);
        band.bottom = clampInt(first + window);
    } else {
        band.left = clampInt(first);
        band.right = clampInt(first + window);
    }
    return band;
}

void CCPIndicator::DrawAtValue(Canvas& dc, float scale, float value) const
{
    const size_t n = std::min(m_arcDest.size(), m_arcSrc.size());
    for (size_t i = 0; i < n; ++i)
        CInstrumentPiece::Blit(m_pManager, m_arcDest[i], TapeWindow(i, value), false, dc, scale);
}

void CCPIndicator::DrawSelected(Canvas& dc, float scale)
{
    for (const CRect& rc : m_arcDest)
        dc.FrameRect(ScaledRect(rc, scale), MakeRgb(255, 0, 0));
}
