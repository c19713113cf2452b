#pragma once

#include "irecordeditor.h"

#include <memory>
#include <vector>

class CCPDisplay;
class CCPObject;
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

private:
    bool IsOpen(const CCPObject& record) const;

    QWidget* m_pParent;
    std::vector<const CCPObject*> m_aOpen; // records whose sheets are open, outermost first
};
