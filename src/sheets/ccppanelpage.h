#pragma once

#include "ccppage.h"

class CCPPanel;

// "Panel Properties": geometry switch, cursor, fonts, mask top, pan and tilt; the screen areas
// and the offset are edited in "Area" and "Point" directly on the panel.
class CCPPanelPage : public CCPPage
{
    Q_OBJECT

public:
    explicit CCPPanelPage(CCPPanel* record, QWidget* parent = nullptr);

    int m_bDoGeometry;
    int m_nCursorId;
    int m_nHudFont;
    int m_nDedFont;
    int m_nMfdFont;
    int m_nMaskTop;
    float m_fPan;
    float m_fTilt;

    void OnOK() override;

private:
    CCPPanel* m_pRecord;
};
