#pragma once

#include "irecordeditor.h"

#include <memory>

class CCPDisplay;
class CCPObject;
class QWidget;

// Opens each record's property sheet, chosen by the record's type; records without a sheet
// of their own (BUFFER and the like) get the "Object" sheet with the Basic page only.
class CQtRecordEditor : public IRecordEditor
{
public:
    explicit CQtRecordEditor(QWidget* parent = nullptr) : m_pParent(parent) {}

    int EditProperties(CCPObject& record) override;

    // The sheet of record, over parent.
    static std::unique_ptr<CCPDisplay> CreateSheet(CCPObject& record, QWidget* parent);

private:
    QWidget* m_pParent;
};
