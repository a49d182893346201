#include "pages/timers/TimerSheets.h"

#include "pages/timers/CTimer01PropPage.h"
#include "pages/timers/CTimer2PropPage.h"
#include "pages/timers/CTimer3PropPage.h"

namespace {

PagePlan TimerPage(int timer) {
    switch (timer) {
        case 0:
            return MakePage<CTimer0PropPage>();
        case 1:
            return MakePage<CTimer1PropPage>();
        case 2:
            return MakePage<CTimer2PropPage>();
        default:
            return MakePage<CTimer3PropPage>();
    }
}

}  // namespace

SheetPlan TimersSheet() {
    return {.caption = "Timers",
            .stored = {Pid::Timers},
            .pages = {TimerPage(0), TimerPage(1), TimerPage(2), TimerPage(3)},
            .copied = {Pid::Interrupts, Pid::PortIO}};
}

SheetPlan TimerSheet(int timer) {
    SheetPlan plan{.caption = "Timers",
                   .stored = {Pid::Timers},
                   .pages = {TimerPage(timer)},
                   .copied = {Pid::Interrupts},
                   .shared = {Pid::Timers, Pid::Interrupts, Pid::PortIO}};
    if (timer < 2) plan.copied.push_back(Pid::PortIO);
    return plan;
}
