#pragma once

#include "ccpdisplay.h"
#include "ccpmanagerpage.h"
#include "ccpmanagerpage2.h"

#include "ccpmanager.h"

// "Manager Properties": Basic, "Manager Properties" and "Manager Font Properties", opened on
// "Manager Properties".
class CCPManagerEdit : public CCPDisplay
{
public:
    explicit CCPManagerEdit(CCPManager* record, QWidget* parent = nullptr)
        : CCPDisplay(record, QStringLiteral("Manager Properties"), parent)
    {
        AddPage(new CCPManagerPage(record));
        AddPage(new CCPManagerPage2(record));
        SetActivePage(1);
    }
};
