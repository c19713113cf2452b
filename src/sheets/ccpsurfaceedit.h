#pragma once

#include "ccpdisplay.h"
#include "ccpsurfacepage.h"

#include "ccpsurface.h"

// "Surface Properties": the Basic page and the surface's page, opened on the latter.
class CCPSurfaceEdit : public CCPDisplay
{
public:
    explicit CCPSurfaceEdit(CCPSurface* record, QWidget* parent = nullptr)
        : CCPDisplay(record, QStringLiteral("Surface Properties"), parent)
    {
        AddPage(new CCPSurfacePage(record));
        SetActivePage(1);
    }
};
