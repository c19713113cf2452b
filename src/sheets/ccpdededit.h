#pragma once

#include "ccpdedpage.h"
#include "ccpdisplay.h"

#include "ccpded.h"

// "Ded Properties": the Basic page and the record's own page, opened on the latter.
class CCPDedEdit : public CCPDisplay
{
public:
    explicit CCPDedEdit(CCPDed* record, QWidget* parent = nullptr)
        : CCPDisplay(record, QStringLiteral("Ded Properties"), parent)
    {
        AddPage(new CCPDedPage(record));
        SetActivePage(1);
    }
};
