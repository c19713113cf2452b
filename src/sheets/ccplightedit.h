#pragma once

#include "ccpdisplay.h"
#include "ccplightpage.h"

#include "ccplight.h"

// "Light Properties": the Basic page and the record's own page, opened on the latter.
class CCPLightEdit : public CCPDisplay
{
public:
    explicit CCPLightEdit(CCPLight* record, QWidget* parent = nullptr)
        : CCPDisplay(record, QStringLiteral("Light Properties"), parent)
    {
        AddPage(new CCPLightPage(record));
        SetActivePage(1);
    }
};
