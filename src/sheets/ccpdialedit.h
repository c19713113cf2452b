#pragma once

#include "ccpdialpage.h"
#include "ccpdisplay.h"

#include "ccpdial.h"

// "Dial Properties": the Basic page and the record's own page, opened on the latter.
class CCPDialEdit : public CCPDisplay
{
public:
    explicit CCPDialEdit(CCPDial* record, QWidget* parent = nullptr)
        : CCPDisplay(record, QStringLiteral("Dial Properties"), parent)
    {
        AddPage(new CCPDialPage(record));
        SetActivePage(1);
    }
};
