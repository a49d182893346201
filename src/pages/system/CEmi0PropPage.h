#pragma once
// EMI0CF and EMI0TC: external memory interface mode and timing.

#include "pages/common/CPropPage.h"

class CEmi0PropPage : public CPropPage {
    Q_OBJECT
public:
    CEmi0PropPage();
};
