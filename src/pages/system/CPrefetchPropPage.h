#pragma once
// PFE0CN: the prefetch engine and FLASH block writes.

#include "pages/common/CPropPage.h"

class CPrefetchPropPage : public CPropPage {
    Q_OBJECT
public:
    CPrefetchPropPage();
};
