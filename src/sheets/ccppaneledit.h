#pragma once

#include "ccpdisplay.h"
#include "ccppaneladjpage.h"
#include "ccppanelosbpage.h"
#include "ccppanelpage.h"

#include "ccppanel.h"

// "Panel": Basic, "Panel Properties", "Adjacent Panel Properties" and "OSB Locations", opened
// on "Panel Properties".
class CCPPanelEdit : public CCPDisplay
{
public:
    explicit CCPPanelEdit(CCPPanel* record, QWidget* parent = nullptr)
        : CCPDisplay(record, QStringLiteral("Panel"), parent)
    {
        AddPage(new CCPPanelPage(record));
        AddPage(new CCPPanelAdjPage(record));
        AddPage(new CCPPanelOsbPage(record));
        SetActivePage(1);
    }
};
