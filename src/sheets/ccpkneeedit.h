#pragma once

#include "ccpdisplay.h"
#include "ccpkneepage.h"

#include "ccpknee.h"

// "Knee View Properties": the Basic page and the record's own page, opened on the latter.
class CCPKneeEdit : public CCPDisplay
{
public:
    explicit CCPKneeEdit(CCPKnee* record, QWidget* parent = nullptr)
        : CCPDisplay(record, QStringLiteral("Knee View Properties"), parent)
    {
        AddPage(new CCPKneePage(record));
        SetActivePage(1);
    }
};
