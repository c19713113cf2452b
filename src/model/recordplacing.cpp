#include "recordplacing.h"

#include "ccpbuttonview.h"
#include "ccpdial.h"
#include "ccpdigits.h"
#include "ccphsi.h"
#include "ccpindicator.h"
#include "ccplight.h"
#include "screenbounds.h"

#include <algorithm>
#include <array>

namespace {

// The size CreateObject gives the place of every new record that has one.
const CRect kNewPlace(0, 0, 10, 10);

constexpr std::array<int, 4> kPieceTypes = {kLightType, kButtonViewType, kDialType, kDigitsType};

} // namespace

CRect PlaceAt(const CRect& rc, CPoint at, int width, int height, PlaceAnchor anchor)
{
    long long x = at.x, y = at.y;
    if (anchor == PlaceAnchor::Centre) {
        x -= rc.Width() / 2;
        y -= rc.Height() / 2;
    }
    CRect to = rc;
    to.OffsetRect(ClampToInt(x - rc.left), ClampToInt(y - rc.top));
    return DragWithin(rc, to, width, height);
}

std::span<const int> PieceTypeCodes()
{
    return kPieceTypes;
}

bool TakesPiece(int typeCode)
{
    return std::find(kPieceTypes.begin(), kPieceTypes.end(), typeCode) != kPieceTypes.end();
}

bool PlaceNewRecord(CCPObject& record, CPoint at, int width, int height, PlaceAnchor anchor)
{
    // Digits keep the base SetDestRect (a drag does not move them): their list is set here.
    if (auto* digits = dynamic_cast<CCPDigits*>(&record)) {
        if (digits->m_arcDest.empty())
            digits->m_arcDest.push_back(kNewPlace);
        digits->m_arcDest.front() = PlaceAt(digits->m_arcDest.front(), at, width, height, anchor);
        return true;
    }
    // A new HSI's places are all empty: its first one takes the size of the others' places.
    if (auto* hsi = dynamic_cast<CCPHsi*>(&record); hsi && hsi->m_arcDest[0].IsRectEmpty())
        hsi->m_arcDest[0] = kNewPlace;
    if (auto* indicator = dynamic_cast<CCPIndicator*>(&record)) {
        // A tape is a strip of the template seen through its place: both come together.
        if (indicator->m_arcDest.empty()) {
            indicator->m_arcSrc.assign(1, kNewPlace);
            indicator->m_arcDest.assign(1, kNewPlace);
            indicator->m_nCurrentTape = 0;
        }
    }
    CRect rc;
    if (!record.GetDestRect(&rc))
        return false;
    const CRect to = PlaceAt(rc, at, width, height, anchor);
    record.SetDestRect(&to);
    return true;
}

bool GivePiece(CCPObject& record, const CRect& source, CPoint at, int width, int height)
{
    const CRect place = PlaceAt(CRect(0, 0, source.Width(), source.Height()), at, width, height);
    if (auto* light = dynamic_cast<CCPLight*>(&record)) {
        light->m_arcSrc.assign(1, source);
        light->m_rcDest = place;
        light->m_nCurrentState = 0;
    } else if (auto* view = dynamic_cast<CCPButtonView*>(&record)) {
        view->m_arcSrc.assign(1, source);
        view->m_rcDest = place;
        view->m_nCurrentState = 0;
    } else if (auto* dial = dynamic_cast<CCPDial*>(&record)) {
        dial->m_rcSrc = source;
        dial->m_rcDest = place;
    } else if (auto* digits = dynamic_cast<CCPDigits*>(&record)) {
        digits->m_arcSrc.assign(1, source);
        digits->m_arcDest.assign(1, place);
        // The preview shows the digit the piece is.
        digits->m_nCurrentDigit = 0;
    } else {
        return false;
    }
    return true;
}
