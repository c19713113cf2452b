#pragma once

#include "ccpdisplay.h"
#include "ccpindicatorpage.h"

#include "ccpindicator.h"

// "Indicator Properties": the Basic page and the record's own page, opened on the latter.
class CCPIndicatorEdit : public CCPDisplay
{
public:
    explicit CCPIndicatorEdit(CCPIndicator* record, QWidget* parent = nullptr)
        : CCPDisplay(record, QStringLiteral("Indicator Properties"), parent)
    {
        AddPage(new CCPIndicatorPage(record));
        SetActivePage(1);
    }
};
