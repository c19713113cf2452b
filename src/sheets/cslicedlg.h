#pragma once

#include "cexchangedlg.h"
#include "crect.h"

#include <vector>

// "Slice": cuts one strip of the template into equal pieces, side by side ("Across") or one
// above the other ("Down"), and makes them the list's rectangles in that order. The strip
// starts as the bounds of the pieces the list has (a small square when it has none) and the
// count as their number. OK refuses a strip that cannot give that many pieces of at least one
// pixel; Cancel leaves the list as it was.
class CSliceDlg : public CExchangeDlg
{
    Q_OBJECT

public:
    CSliceDlg(std::vector<CRect>& list, QWidget* parent = nullptr);

    int m_nLeft;
    int m_nTop;
    int m_nRight;
    int m_nBottom;
    int m_nCount;
    int m_nDirection; // 0 across, 1 down

protected:
    bool Validate() override;
    void OnOK() override;

private:
    std::vector<CRect> Pieces() const;

    std::vector<CRect>& m_list;
};
