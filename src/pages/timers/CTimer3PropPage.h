#pragma once
// Timer 3, with the 25 ms overflow the SMBus uses as its timeout.

#include "pages/timers/CSplitTimerPropPage.h"

class CTimer3PropPage : public CSplitTimerPropPage {
    Q_OBJECT
public:
    explicit CTimer3PropPage(PageContext& context);

    void OnCommand(int id) override;

protected:
    void UpdateDisplays() override;

private:
    void SetOverflowTo25ms();
};
