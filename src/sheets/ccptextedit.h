#pragma once

#include "ccpdisplay.h"
#include "ccptextpage.h"

#include "ccptext.h"

// "Text Properties": the Basic page and the record's own page, opened on the latter.
class CCPTextEdit : public CCPDisplay
{
public:
    explicit CCPTextEdit(CCPText* record, QWidget* parent = nullptr)
        : CCPDisplay(record, QStringLiteral("Text Properties"), parent)
    {
        AddPage(new CCPTextPage(record));
        SetActivePage(1);
    }
};
