#include "ccpdial.h"
#include "cvireodoc.h"

bool CVireoDoc::CalibrateDial(CCPObject* record, std::vector<float> points,
                              std::vector<float> values)
{
    if (!record || record->GetTypeCode() != kDialType || RefuseWhileStepOpen("Calibrate"))
        return false;
    auto* dial = static_cast<CCPDial*>(record);
    BeginStep("Calibrate " + RecordLabel(record), record, m_pCurrentPanel);
    WillChange(*record);
    dial->m_afPoints = std::move(points);
    dial->m_afValues = std::move(values);
    if (!EndStep())
        return false;
    UpdateAllViews(nullptr, Hint::Refresh, record);
    return true;
}
