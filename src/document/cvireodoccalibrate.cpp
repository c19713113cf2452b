#include "ccpdial.h"
#include "ccpindicator.h"
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

bool CVireoDoc::CalibrateTape(CCPObject* record, int tape, int minPos, int maxPos)
{
    if (!record || record->GetTypeCode() != kIndicatorType || RefuseWhileStepOpen("Calibrate"))
        return false;
    auto* indicator = static_cast<CCPIndicator*>(record);
    if (tape < 0 || tape >= indicator->GetTapeCount())
        return false;
    BeginStep("Calibrate " + RecordLabel(record), record, m_pCurrentPanel);
    WillChange(*record);
    for (std::vector<int>* list : {&indicator->m_anMinPos, &indicator->m_anMaxPos})
        if (list->size() <= size_t(tape))
            list->resize(size_t(tape) + 1, 0);
    indicator->m_anMinPos[size_t(tape)] = minPos;
    indicator->m_anMaxPos[size_t(tape)] = maxPos;
    if (!EndStep())
        return false;
    UpdateAllViews(nullptr, Hint::Refresh, record);
    return true;
}
