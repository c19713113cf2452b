#pragma once

#include "ccpdisplay.h"
#include "ccpmachasipage.h"

#include "ccpmachasi.h"

// "Mach Asi Properties": the Basic page and the record's own page, opened on the latter.
class CCPMachAsiEdit : public CCPDisplay
{
public:
    explicit CCPMachAsiEdit(CCPMachAsi* record, QWidget* parent = nullptr)
        : CCPDisplay(record, QStringLiteral("Mach Asi Properties"), parent)
    {
        AddPage(new CCPMachAsiPage(record));
        SetActivePage(1);
    }
};
