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
#include "strformat.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

const Rgb kAreaColour = MakeRgb(255, 40, 40);
const Rgb kSurfaceColour = MakeRgb(150, 150, 150);
const Rgb kLabelBack = MakeRgb(16, 16, 16);

// Labels in a small fixed-pitch face: a character's width is known without measuring.
constexpr int kLabelHeight = 11;
constexpr int kCharWidth = 7;
// A label cut shorter than this says too little to be read as a name: none is drawn.
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

// The label inside the top-left corner of frame (device pixels), cut to the frame's width.
void DrawLabel(Canvas& dc, CRect frame, const std::string& text, Rgb colour)
{
    frame = NearRect(frame);
    if (text.empty() || frame.Height() < kLabelHeight + 2)
        return;
    const size_t fits = size_t(std::max(0, (frame.Width() - 4) / kCharWidth));
    const size_t n = std::min(text.size(), fits);
    if (n < text.size() && n < kMinChars)
        return;
    const CRect box(frame.left + 1, frame.top + 1, frame.left + 3 + int(n) * kCharWidth,
                    frame.top + 1 + kLabelHeight);
    dc.FillRect(box, kLabelBack);
    dc.TextOut(box.left + 1, box.top, n < text.size() ? text.substr(0, n) : text, colour);
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

std::vector<COutline> RecordOutlines(const CCPObject& record)
{
    std::vector<COutline> out;
    CRect place;
    if (!record.GetDestRect(&place))
        return out;
    out.push_back(COutline{place, record.GetLabel(), false});
    if (const auto* adi = dynamic_cast<const CCPAdi*>(&record)) {
        Add(out, adi->m_rcIlsLimits, "ILS limits");
        Add(out, adi->m_rcBackDest, "back");
        Add(out, adi->m_background.m_rcDest, "background");
    } else if (const auto* hsi = dynamic_cast<const CCPHsi*>(&record)) {
        Add(out, hsi->m_arcDest[1], "second piece");
        Add(out, hsi->m_arcDest[2], "third place");
        Add(out, hsi->m_rcWarnFlag, "warn flag");
        Add(out, hsi->m_background.m_rcDest, "background");
    } else if (const auto* dial = dynamic_cast<const CCPDial*>(&record)) {
        Add(out, dial->m_background.m_rcDest, "background");
    } else if (const auto* asi = dynamic_cast<const CCPMachAsi*>(&record)) {
        Add(out, asi->m_background.m_rcDest, "background");
    } else if (const auto* digits = dynamic_cast<const CCPDigits*>(&record)) {
        for (size_t i = 1; i < digits->m_arcDest.size(); ++i)
            Add(out, digits->m_arcDest[i], StrFormat("place %d", int(i) + 1));
    } else if (const auto* indicator = dynamic_cast<const CCPIndicator*>(&record)) {
        for (size_t i = 0; i < indicator->m_arcDest.size(); ++i)
            if (int(i) != indicator->m_nCurrentTape)
                Add(out, indicator->m_arcDest[i], StrFormat("tape %d", int(i) + 1));
    }
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
    // Frames first, then every label over them, so that no frame crosses a name.
    std::vector<CLabelled> labels;
    const Pen dashed{Pen::Dash, kAreaColour, 1};
    const Pen old = dc.SelectPen(dashed);
    const auto outline = [&](const CCPObject& record) {
        const Rgb colour = OutlineColour(record);
        for (const COutline& o : RecordOutlines(record)) {
            const CRect rc = ScaledRect(o.rc, zoom);
            if (o.secondary) {
                dc.SelectPen(Pen{Pen::Dash, colour, 1});
                DashedFrame(dc, rc);
            } else {
                dc.FrameRect(rc, colour);
            }
            labels.push_back(CLabelled{rc, o.label, colour});
        }
    };
    for (const auto& entry : panel.m_aSurfaces)
        outline(*entry);
    WalkPanel(manager, panel, layers, [&](CCPObject& record) {
        outline(record);
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
