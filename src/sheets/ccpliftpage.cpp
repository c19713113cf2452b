#include "ccpliftpage.h"

#include "ccplift.h"

CCPLiftPage::CCPLiftPage(CCPLift* record, QWidget* parent)
    : CPanTiltPage(QStringLiteral("LiftLine Properties"), record->m_fPan, record->m_fTilt,
                   record->m_nPanLabel, record->m_nTiltLabel, parent)
{
}
