#pragma once

#include "ccppage.h"

class CCPSound;

// "Sound Properties": the sound's index.
class CCPSoundPage : public CCPPage
{
    Q_OBJECT

public:
    explicit CCPSoundPage(CCPSound* record, QWidget* parent = nullptr);

    int m_nEntry;

    void OnOK() override;

private:
    CCPSound* m_pRecord;
};
