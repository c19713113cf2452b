#pragma once

#include "ccpdisplay.h"
#include "ccphsipage.h"

#include "ccphsi.h"

// "HSI Properties": the Basic page and the record's own page, opened on the latter.
class CCPHsiEdit : public CCPDisplay
{
public:
    explicit CCPHsiEdit(CCPHsi* record, QWidget* parent = nullptr)
        : CCPDisplay(record, QStringLiteral("HSI Properties"), parent)
    {
        AddPage(new CCPHsiPage(record));
        SetActivePage(1);
    }
};
