#pragma once
// Clock Multiplier: CLKMUL enable and input, with the frequencies the inputs
// see. Under the two multiplier SYSCLK sources every activation recomputes
// the system clock from the selected input.

#include "pages/clock/COscPage.h"

class COscMulPropPage : public COscPage {
    Q_OBJECT
public:
    explicit COscMulPropPage(PageContext& context);

    void Refresh() override;
    void OnCommand(int id) override;

private:
    void UpdateHalfSpeed();
};

// Sets CLKMUL bit 7 and the multiplier's start-up code lines together, as
// the Clock Multiplier page's check box and the SYSCLK Select question do.
void EnableClockMultiplier(CRegisterAccess& page, bool on);
