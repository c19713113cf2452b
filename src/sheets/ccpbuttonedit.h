#pragma once

#include "ccpbuttonpage.h"
#include "ccpdisplay.h"

#include "ccpbutton.h"

// "Button Properties": the Basic page and the button's page, opened on the latter.
class CCPButtonEdit : public CCPDisplay
{
public:
    explicit CCPButtonEdit(CCPButton* record, QWidget* parent = nullptr)
        : CCPDisplay(record, QStringLiteral("Button Properties"), parent)
    {
        AddPage(new CCPButtonPage(record));
        SetActivePage(1);
    }
};
