#pragma once

#include "ccpdisplay.h"
#include "cpantiltpage.h"
#include "textconvert.h"

#include "ccppantilt.h"

// "Chevron Properties" or "LiftLine Properties": the Basic page and the record's own page,
// opened on the latter; both take the type's name.
class CCPPanTiltEdit : public CCPDisplay
{
public:
    explicit CCPPanTiltEdit(CCPPanTilt* record, QWidget* parent = nullptr)
        : CCPDisplay(record, Caption(*record), parent)
    {
        AddPage(new CPanTiltPage(Caption(*record), record->m_fPan, record->m_fTilt,
                                 record->m_nPanLabel, record->m_nTiltLabel));
        SetActivePage(1);
    }

private:
    static QString Caption(const CCPPanTilt& record)
    {
        return Latin1ToQt(record.GetTypeName()) + QStringLiteral(" Properties");
    }
};
