#pragma once

#include "ccpchevronpage.h"
#include "ccpdisplay.h"

#include "ccpchevron.h"

// "Chevron Properties": the Basic page and the record's own page, opened on the latter.
class CCPChevronEdit : public CCPDisplay
{
public:
    explicit CCPChevronEdit(CCPChevron* record, QWidget* parent = nullptr)
        : CCPDisplay(record, QStringLiteral("Chevron Properties"), parent)
    {
        AddPage(new CCPChevronPage(record));
        SetActivePage(1);
    }
};
