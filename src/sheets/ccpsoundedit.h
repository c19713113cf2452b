#pragma once

#include "ccpdisplay.h"
#include "ccpsoundpage.h"

#include "ccpsound.h"

// "Sound Properties": the Basic page and the sound's page, opened on the latter.
class CCPSoundEdit : public CCPDisplay
{
public:
    explicit CCPSoundEdit(CCPSound* record, QWidget* parent = nullptr)
        : CCPDisplay(record, QStringLiteral("Sound Properties"), parent)
    {
        AddPage(new CCPSoundPage(record));
        SetActivePage(1);
    }
};
