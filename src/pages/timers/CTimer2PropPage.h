#pragma once
// Timer 2, with the SMBus bit rates its two reload bytes give.

#include "pages/timers/CSplitTimerPropPage.h"

class CTimer2PropPage : public CSplitTimerPropPage {
    Q_OBJECT
public:
    explicit CTimer2PropPage(PageContext& context);

    void OnCommand(int id) override;

protected:
    void UpdateDisplays() override;

private:
    void ChangeBitRate(int choice);
};
