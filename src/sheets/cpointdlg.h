#pragma once

#include "cexchangedlg.h"
#include "crect.h"

// "Point": X and Y of a point; OK writes them into the point it was opened on.
class CPointDlg : public CExchangeDlg
{
    Q_OBJECT

public:
    CPointDlg(CPoint& pt, QWidget* parent = nullptr);

    int m_nX;
    int m_nY;

protected:
    void OnOK() override;

private:
    CPoint& m_pt;
};
