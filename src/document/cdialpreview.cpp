#include "cdialpreview.h"

#include "ccpdial.h"

CDialPreview::CDialPreview() = default;
CDialPreview::~CDialPreview() = default;

void CDialPreview::Show(const CCPObject* record, const CCPDial& shown, float value)
{
    m_pRecord = record;
    m_pShown = shown.CopyFields();
    m_fValue = value;
}

bool CDialPreview::End(const CCPObject* record)
{
    if (!IsShowing(record))
        return false;
    m_pRecord = nullptr;
    m_pShown.reset();
    return true;
}

bool CDialPreview::Draw(const CCPObject* record, Canvas& dc, float scale) const
{
    if (!IsShowing(record))
        return false;
    const auto* dial = static_cast<const CCPDial*>(m_pShown.get());
    float angle = 0.0f;
    if (dial->NeedleAngle(m_fValue, angle))
        dial->DrawNeedle(dc, scale, angle);
    return true;
}
