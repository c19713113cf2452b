#pragma once

#include "ccppage.h"

#include <string>

class CCPLight;
class QLineEdit;

// "Light Properties": callback slot, number of states (shown only), cursor, initial state,
// cycle bits, transparency and persistence; "Source" edits the state pictures and "Dest" the
// light's place directly.
class CCPLightPage : public CCPPage
{
    Q_OBJECT

public:
    explicit CCPLightPage(CCPLight* record, QWidget* parent = nullptr);

    int m_nCallbackSlot;
    int m_nNumStates;
    int m_nCursorId;
    int m_nInitState;
    std::string m_strCycleBits;
    int m_bTransparent;
    int m_nPersistent;

    void OnOK() override;

private:
    CCPLight* m_pRecord;
    QLineEdit* m_pNumStates;
};
