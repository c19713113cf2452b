#pragma once

#include "cpantiltpage.h"

class CCPLift;

// "LiftLine Properties": pan and tilt with their label numbers.
class CCPLiftPage : public CPanTiltPage
{
    Q_OBJECT

public:
    explicit CCPLiftPage(CCPLift* record, QWidget* parent = nullptr);
};
