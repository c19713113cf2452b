#pragma once

#include "cexchangedlg.h"
#include "crect.h"

// "Area": the four edges of a rectangle, placed like a compass. OK writes them into the
// rectangle it was opened on; Cancel leaves it untouched. Any order of the edges is taken.
class CAreaDlg : public CExchangeDlg
{
    Q_OBJECT

public:
    CAreaDlg(CRect& rc, QWidget* parent = nullptr);

    int m_nBottom;
    int m_nLeft;
    int m_nRight;
    int m_nTop;

protected:
    void OnOK() override;

private:
    CRect& m_rc;
};
