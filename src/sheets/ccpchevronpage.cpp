#include "ccpchevronpage.h"

#include "ccpchevron.h"

CCPChevronPage::CCPChevronPage(CCPChevron* record, QWidget* parent)
    : CPanTiltPage(QStringLiteral("Chevron Properties"), record->m_fPan, record->m_fTilt,
                   record->m_nPanLabel, record->m_nTiltLabel, parent)
{
}
