#pragma once

#include "ccpdisplay.h"
#include "ccpsurfacer.h"

#include "ccpsurfaceref.h"

// "Surface Reference Properties": the Basic page and the entry's "Surface Properties", opened
// on the latter.
class CCPSurfacerEdit : public CCPDisplay
{
public:
    explicit CCPSurfacerEdit(CCPSurfaceRef* record, QWidget* parent = nullptr)
        : CCPDisplay(record, QStringLiteral("Surface Reference Properties"), parent)
    {
        AddPage(new CCPSurfacer(record));
        SetActivePage(1);
    }
};
