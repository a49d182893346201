#pragma once
// REG0CN: regulator mode, VBUS interrupt polarity and regulator disable.

#include "pages/common/CPropPage.h"

class CVoltageRegPropPage : public CPropPage {
    Q_OBJECT
public:
    CVoltageRegPropPage();
};
