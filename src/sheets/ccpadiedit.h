#pragma once

#include "ccpadipage.h"
#include "ccpdisplay.h"

#include "ccpadi.h"

// "Adi Properties": the Basic page and the record's own page, opened on the latter.
class CCPAdiEdit : public CCPDisplay
{
public:
    explicit CCPAdiEdit(CCPAdi* record, QWidget* parent = nullptr)
        : CCPDisplay(record, QStringLiteral("Adi Properties"), parent)
    {
        AddPage(new CCPAdiPage(record));
        SetActivePage(1);
    }
};
