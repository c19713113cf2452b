#pragma once

#include "ccppage.h"

class CCPButton;

// "Button Properties": the button's numbers and its two sounds; "Sound 1" and "Sound 2" open
// the sheet of the sound the page holds.
class CCPButtonPage : public CCPPage
{
    Q_OBJECT

public:
    explicit CCPButtonPage(CCPButton* record, QWidget* parent = nullptr);

    int m_nCallbackSlot;
    int m_nCursorId;
    int m_nDelay;
    int m_nInitState;
    int m_nNumViews;
    int m_nStates;
    int m_nSound1;
    int m_nSound2;

    void OnOK() override;

private:
    void OpenSound(int id);

    CCPButton* m_pRecord;
};
