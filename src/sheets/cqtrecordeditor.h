#pragma once

#include "irecordeditor.h"

#include <functional>
#include <memory>
#include <vector>

class CCPDisplay;
class CCPObject;
class QRect;
class QWidget;

// Opens each record's property sheet, chosen by the record's type; records without a sheet
// of their own (BUFFER and the like) get the "Object" sheet with the Basic page only.
class CQtRecordEditor : public IRecordEditor
{
public:
    explicit CQtRecordEditor(QWidget* parent = nullptr) : m_pParent(parent) {}

    // A record whose sheet is already open (further down a chain of sheets) is not opened a
    // second time: the outer sheet would later store the values it read when it opened over
    // whatever the inner one stored. The user is told, and IDCANCEL returned.
    int EditProperties(CCPObject& record) override;

    // The sheet of record, over parent.
    static std::unique_ptr<CCPDisplay> CreateSheet(CCPObject& record, QWidget* parent);

    // The panel view the sheets stand beside. whereShown: where a record lies on the screen
    // (global; empty when it is not shown), so that its sheet opens clear of it and the needle
    // a dial sheet previews stays in sight. calibrate: starts clicking a dial's table on the
    // panel, which the dial sheet's "Calibrate" asks for (after the sheet has closed).
    void SetPanelLink(std::function<QRect(const CCPObject&)> whereShown,
                      std::function<void(CCPObject&)> calibrate);

private:
    bool IsOpen(const CCPObject& record) const;
    // Moves sheet off keep (global), where the screen has room.
    static void PlaceBeside(CCPDisplay& sheet, const QRect& keep);

    QWidget* m_pParent;
    std::function<QRect(const CCPObject&)> m_fnWhereShown;
    std::function<void(CCPObject&)> m_fnCalibrate;
    std::vector<const CCPObject*> m_aOpen; // records whose sheets are open, outermost first
};
