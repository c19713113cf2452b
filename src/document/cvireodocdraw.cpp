// Records made by drawing: a type dropped on the panel, a piece of the template put there.
#include "cvireodoc.h"

#include "ccppanel.h"
#include "recordplacing.h"
#include "recordtypes.h"

#include <utility>

CCPObject* CVireoDoc::AddShapedRecord(int code, CCPPanel* panel,
                                      const std::function<bool(CCPObject&)>& shape)
{
    if (!panel)
        panel = m_pCurrentPanel;
    if (!panel || RefuseWhileStepOpen("Add"))
        return nullptr;
    std::unique_ptr<CCPObject> record = CreateRecordOfType(code, &m_manager);
    // Only what a panel holds: Add Object's list has no panels, sounds or buttons either.
    if (!record || record->IsPanel() || record->IsSound() || record->IsButton() || !shape(*record))
        return nullptr;
    if (record->IsSurfaceRef()) {
        // A surface entry brings its SURFACE record (and, the panel's first, its picture).
        if (m_pCurrentPanel != panel)
            SetCurrentPanel(panel);
        return InsertObject(std::move(record), false, "Add ") ? m_pCurrentObject : nullptr;
    }
    std::vector<std::unique_ptr<CCPObject>> records;
    records.push_back(std::move(record));
    const std::vector<CCPObject*> added =
        AddRecords(std::move(records), panel, false, false, "Add");
    return added.empty() ? nullptr : added.front();
}

CCPObject* CVireoDoc::AddRecordAt(int code, CPoint at, CCPPanel* panel, PlaceAnchor anchor)
{
    return AddShapedRecord(code, panel, [&](CCPObject& record) {
        PlaceNewRecord(record, at, m_manager.m_nScreenWidth, m_manager.m_nScreenHeight, anchor);
        return true;
    });
}

CCPObject* CVireoDoc::AddPieceAt(int code, const CRect& source, CPoint at, CCPPanel* panel)
{
    if (!TakesPiece(code) || source.IsRectEmpty())
        return nullptr;
    return AddShapedRecord(code, panel, [&](CCPObject& record) {
        return GivePiece(record, source, at, m_manager.m_nScreenWidth, m_manager.m_nScreenHeight);
    });
}
