#include "outlinepaint.h"

#include "ccpadi.h"
#include "ccpbuttonview.h"
#include "ccpdial.h"
#include "ccpdigits.h"
#include "ccphsi.h"
#include "ccpindicator.h"
#include "ccplight.h"
#include "ccpmachasi.h"
#include "ccpmanager.h"
#include "ccppanel.h"
#include "ccpsurfaceref.h"
#include "cinstrumentpiece.h"
#include "recordtypes.h"
#include "strformat.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

namespace {

const Rgb kAreaColour = MakeRgb(255, 40, 40);
const Rgb kSurfaceColour = MakeRgb(150, 150, 150);
const Rgb kLabelBack = MakeRgb(16, 16, 16);

// Labels in a small fixed-pitch face: a character's width is known without measuring.
constexpr int kLabelHeight = 11;
constexpr int kCharWidth = 7;
// Frames narrower than this many characters get no label at all.
constexpr size_t kMinChars = 3;
// Held to a range no canvas reaches, so that the sums of lines and labels stay in int.
constexpr int kFar = 1 << 24;

int Near(int v)
{
    return std::clamp(v, -kFar, kFar);
}

CRect NearRect(const CRect& rc)
{
    return CRect(Near(rc.left), Near(rc.top), Near(rc.right), Near(rc.bottom));
}

void Add(std::vector<COutline>& out, const CRect& rc, std::string label)
{
    if (!rc.IsRectEmpty())
        out.push_back(COutline{rc, std::move(label), true});
}

// One pixel inside rc, as FrameRect draws, with the selected (dashed) pen.
void DashedFrame(Canvas& dc, CRect rc)
{
    rc = NearRect(rc);
    if (rc.IsRectEmpty())
        return;
    dc.Line(rc.left, rc.top, rc.right, rc.top);
    dc.Line(rc.left, rc.bottom - 1, rc.right, rc.bottom - 1);
    dc.Line(rc.left, rc.top, rc.left, rc.bottom);
    dc.Line(rc.right - 1, rc.top, rc.right - 1, rc.bottom);
}

// How many characters of a label fit inside frame (device pixels); 0 when none would be
// drawn there.
size_t LabelRoom(const CRect& frame)
{
    const CRect rc = NearRect(frame);
    if (rc.Height() < kLabelHeight + 2)
        return 0;
    const size_t fits = size_t(std::max(0, (rc.Width() - 4) / kCharWidth));
    return fits < kMinChars ? 0 : fits;
}

// The label inside the top-left corner of frame (device pixels), when all of it fits there: a
// name cut short could be taken for another.
void DrawLabel(Canvas& dc, CRect frame, const std::string& text, Rgb colour)
{
    if (text.empty() || text.size() > LabelRoom(frame))
        return;
    frame = NearRect(frame);
    const CRect box(frame.left + 1, frame.top + 1, frame.left + 3 + int(text.size()) * kCharWidth,
                    frame.top + 1 + kLabelHeight);
    dc.FillRect(box, kLabelBack);
    dc.TextOut(box.left + 1, box.top, text, colour);
}

// The record's label when it fits in room characters, else empty. A record without a comment
// (most of a big panel) has no name: it goes by type and id, whose length is known without
// making the text.
std::string LabelWithin(const CCPObject& record, size_t room)
{
    if (record.m_strComment.empty()) {
        size_t length = std::strlen(record.GetRecordType().name) + 2;
        for (long long id = std::llabs((long long)record.m_nId); id >= 10; id /= 10)
            ++length;
        if (record.m_nId < 0)
            ++length;
        if (length > room)
            return std::string();
    }
    std::string label = record.GetLabel();
    return label.size() <= room ? label : std::string();
}

struct CLabelled
{
    CRect frame; // device pixels
    std::string text;
    Rgb colour;
};

} // namespace

Rgb OutlineColour(const CCPObject& record)
{
    switch (record.GetTypeCode()) {
    case kLightType:
        return MakeRgb(255, 220, 0);
    case kButtonViewType:
        return MakeRgb(0, 210, 0);
    case kDigitsType:
        return MakeRgb(40, 120, 255);
    case kDialType:
        return MakeRgb(255, 140, 0);
    case kAdiType:
        return MakeRgb(0, 200, 220);
    case kHsiType:
        return MakeRgb(220, 0, 220);
    case kMachAsiType:
        return MakeRgb(255, 110, 180);
    case kIndicatorType:
        return MakeRgb(150, 100, 255);
    case kTextType:
        return MakeRgb(190, 130, 60);
    case kDedType:
        return MakeRgb(0, 170, 150);
    case kKneeType:
        return MakeRgb(150, 160, 0);
    default:
        return record.IsSurfaceRef() ? kSurfaceColour : MakeRgb(255, 0, 0);
    }
}

namespace {

// Visits the record's further rectangles on the panel, each with what it is called (a part's
// name, or a word and a number from 2 up: "place 2").
template <class Visit> void VisitSecondary(const CCPObject& record, Visit&& visit)
{
    const auto each = [&](const CRect& rc, const char* word, int number) {
        if (!rc.IsRectEmpty())
            visit(rc, word, number);
    };
    switch (record.GetTypeCode()) {
    case kAdiType: {
        const auto& adi = static_cast<const CCPAdi&>(record);
        each(adi.m_rcIlsLimits, "ILS limits", 0);
        each(adi.m_rcBackDest, "back", 0);
        each(adi.m_background.m_rcDest, "background", 0);
        break;
    }
    case kHsiType: {
        const auto& hsi = static_cast<const CCPHsi&>(record);
        each(hsi.m_arcDest[1], "second piece", 0);
        each(hsi.m_arcDest[2], "third place", 0);
        each(hsi.m_rcWarnFlag, "warn flag", 0);
        each(hsi.m_background.m_rcDest, "background", 0);
        break;
    }
    case kDialType:
        each(static_cast<const CCPDial&>(record).m_background.m_rcDest, "background", 0);
        break;
    case kMachAsiType:
        each(static_cast<const CCPMachAsi&>(record).m_background.m_rcDest, "background", 0);
        break;
    case kDigitsType: {
        const auto& places = static_cast<const CCPDigits&>(record).m_arcDest;
        for (size_t i = 1; i < places.size(); ++i)
            each(places[i], "place", int(i) + 1);
        break;
    }
    case kIndicatorType: {
        const auto& tapes = static_cast<const CCPIndicator&>(record);
        for (size_t i = 0; i < tapes.m_arcDest.size(); ++i)
            if (int(i) != tapes.m_nCurrentTape)
                each(tapes.m_arcDest[i], "tape", int(i) + 1);
        break;
    }
    default:
        break;
    }
}

std::string PartName(const char* word, int number)
{
    return number ? StrFormat("%s %d", word, number) : std::string(word);
}

} // namespace

std::vector<COutline> RecordOutlines(const CCPObject& record)
{
    std::vector<COutline> out;
    CRect place;
    if (!record.GetDestRect(&place))
        return out;
    out.push_back(COutline{place, record.GetLabel(), false});
    VisitSecondary(record, [&](const CRect& rc, const char* word, int number) {
        out.push_back(COutline{rc, PartName(word, number), true});
    });
    return out;
}

std::vector<COutline> PanelAreaOutlines(const CCPPanel& panel)
{
    std::vector<COutline> out;
    Add(out, panel.m_rcHud, "HUD");
    Add(out, panel.m_rcMfdLeft, "MFD left");
    Add(out, panel.m_rcMfdRight, "MFD right");
    Add(out, panel.m_rcRwr, "RWR");
    Add(out, panel.m_rcMouseBounds, "mouse bounds");
    return out;
}

void PaintOutlines(const CCPManager& manager, const CCPPanel& panel, Canvas& dc, float zoom,
                   int layers)
{
    // Frames first, then every label over them, so that no frame crosses a name. A record's
    // name is looked up only where a label could fit: a full panel has thousands of records.
    std::vector<CLabelled> labels;
    const Pen dashed{Pen::Dash, kAreaColour, 1};
    const Pen old = dc.SelectPen(dashed);
    const auto outline = [&](const CCPObject& record, const std::string* name) {
        CRect place;
        if (!record.GetDestRect(&place))
            return;
        const Rgb colour = OutlineColour(record);
        const CRect rc = ScaledRect(place, zoom);
        dc.FrameRect(rc, colour);
        if (const size_t room = LabelRoom(rc)) {
            std::string label = name ? *name : LabelWithin(record, room);
            if (!label.empty())
                labels.push_back(CLabelled{rc, std::move(label), colour});
        }
        VisitSecondary(record, [&](const CRect& part, const char* word, int number) {
            const CRect scaled = ScaledRect(part, zoom);
            dc.SelectPen(Pen{Pen::Dash, colour, 1});
            DashedFrame(dc, scaled);
            if (LabelRoom(scaled) > 0)
                labels.push_back(CLabelled{scaled, PartName(word, number), colour});
        });
    };
    // Surface entries have no id of their own: as in the tree, they go by their place in the
    // panel's list.
    for (size_t i = 0; i < panel.m_aSurfaces.size(); ++i) {
        std::string name;
        if (!panel.m_aSurfaces[i]->GetName(name) || name.empty())
            name = StrFormat("Surface %d", int(i));
        outline(*panel.m_aSurfaces[i], &name);
    }
    WalkPanel(manager, panel, layers, [&](CCPObject& record) {
        outline(record, nullptr);
        return false;
    });

    dc.SelectPen(dashed);
    for (const COutline& o : PanelAreaOutlines(panel)) {
        const CRect rc = ScaledRect(o.rc, zoom);
        DashedFrame(dc, rc);
        labels.push_back(CLabelled{rc, o.label, kAreaColour});
    }
    // The OSB points of each MFD: a small square at each, numbered beside it.
    const std::pair<const CRect*, const std::array<CFloatPoint, 20>*> mfds[] = {
        {&panel.m_rcMfdLeft, &panel.m_aOsbLeft}, {&panel.m_rcMfdRight, &panel.m_aOsbRight}};
    Font font;
    font.height = kLabelHeight;
    const Font oldFont = dc.SelectFont(font);
    for (const auto& [area, points] : mfds) {
        if (area->IsRectEmpty())
            continue;
        const CRect scaled = ScaledRect(*area, zoom);
        for (size_t i = 0; i < points->size(); ++i) {
            CPoint at;
            if (!CCPPanel::OsbPosition(scaled, (*points)[i], at) || std::abs(at.x) > kFar ||
                std::abs(at.y) > kFar)
                continue;
            DashedFrame(dc, CRect(at.x - 5, at.y - 5, at.x + 5, at.y + 5));
            dc.TextOut(at.x + 7, at.y - kLabelHeight / 2, std::to_string(i + 1), kAreaColour);
        }
    }
    for (const CLabelled& l : labels)
        DrawLabel(dc, l.frame, l.text, l.colour);
    dc.SelectFont(oldFont);
    dc.SelectPen(old);
}

bool DrawLastState(const CCPObject& record, Canvas& dc, float zoom)
{
    const std::vector<CRect>* states = nullptr;
    CRect dest;
    bool transparent = false;
    if (const auto* light = dynamic_cast<const CCPLight*>(&record)) {
        states = &light->m_arcSrc;
        dest = light->m_rcDest;
        transparent = light->m_bTransparent;
    } else if (const auto* view = dynamic_cast<const CCPButtonView*>(&record)) {
        states = &view->m_arcSrc;
        dest = view->m_rcDest;
        transparent = view->m_bTransparent;
    }
    if (!states || states->empty())
        return false;
    CInstrumentPiece::Blit(record.m_pManager, dest, states->back(), transparent, dc, zoom);
    return true;
}
