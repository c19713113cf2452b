#pragma once

#include "cexchangedlg.h"

// "Float Point": X and Y as numbers. The caller sets the point before running the dialog and
// reads the members after OK.
class CFloatPointDlg : public CExchangeDlg
{
    Q_OBJECT

public:
    explicit CFloatPointDlg(QWidget* parent = nullptr);

    float m_fX = 0.0f;
    float m_fY = 0.0f;

    // Sets the members and shows them.
    void SetPoint(float x, float y);
};
