#pragma once

#include "ccppage.h"

// The page of the records that hold only pan and tilt values with their label numbers
// (LIFTLINE and CHEVRON): "Pan", "Pan Label", "Tilt", "Tilt Label".
class CPanTiltPage : public CCPPage
{
    Q_OBJECT

public:
    CPanTiltPage(const QString& title, float& pan, float& tilt, int& panLabel, int& tiltLabel,
                 QWidget* parent = nullptr);

    float m_fPan;
    float m_fTilt;
    int m_nPanLabel;
    int m_nTiltLabel;

    void OnOK() override;

private:
    float& m_rPan;
    float& m_rTilt;
    int& m_rPanLabel;
    int& m_rTiltLabel;
};
