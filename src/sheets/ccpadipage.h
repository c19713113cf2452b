#pragma once

#include "ccppage.h"

#include <array>
#include <string>

class CCPAdi;

// "Adi Properties": callback slot, cycle bits, persistence, transparency and the five colours;
// "Source", "Dest" and "ILS limits" edit the rectangles directly.
class CCPAdiPage : public CCPPage
{
    Q_OBJECT

public:
    explicit CCPAdiPage(CCPAdi* record, QWidget* parent = nullptr);

    int m_nCallbackSlot;
    std::string m_strCycleBits;
    int m_nPersistent;
    int m_bTransparent;
    std::array<std::string, 5> m_astrColors;

    void OnOK() override;

private:
    CCPAdi* m_pRecord;
};
