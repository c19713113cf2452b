#pragma once

#include "ccpbuttonviewpage.h"
#include "ccpdisplay.h"

#include "ccpbuttonview.h"

// "Button View": the Basic page and the view's page, opened on the latter.
class CCPButtonViewEdit : public CCPDisplay
{
public:
    explicit CCPButtonViewEdit(CCPButtonView* record, QWidget* parent = nullptr)
        : CCPDisplay(record, QStringLiteral("Button View"), parent)
    {
        AddPage(new CCPButtonViewPage(record));
        SetActivePage(1);
    }
};
