#pragma once

#include "ccpdisplay.h"
#include "ccpliftpage.h"

#include "ccplift.h"

// "LiftLine Properties": the Basic page and the record's own page, opened on the latter.
class CCPLiftEdit : public CCPDisplay
{
public:
    explicit CCPLiftEdit(CCPLift* record, QWidget* parent = nullptr)
        : CCPDisplay(record, QStringLiteral("LiftLine Properties"), parent)
    {
        AddPage(new CCPLiftPage(record));
        SetActivePage(1);
    }
};
