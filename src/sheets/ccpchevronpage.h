#pragma once

#include "cpantiltpage.h"

class CCPChevron;

// "Chevron Properties": pan and tilt with their label numbers.
class CCPChevronPage : public CPanTiltPage
{
    Q_OBJECT

public:
    explicit CCPChevronPage(CCPChevron* record, QWidget* parent = nullptr);
};
