#pragma once

#include "ccpdigitspage.h"
#include "ccpdisplay.h"

#include "ccpdigits.h"

// "Digits Properties": the Basic page and the record's own page, opened on the latter.
class CCPDigitsEdit : public CCPDisplay
{
public:
    explicit CCPDigitsEdit(CCPDigits* record, QWidget* parent = nullptr)
        : CCPDisplay(record, QStringLiteral("Digits Properties"), parent)
    {
        AddPage(new CCPDigitsPage(record));
        SetActivePage(1);
    }
};
