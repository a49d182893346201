#include "pages/timers/TimerSheets.h"

#include "pages/common/CommandIds.h"
#include "pages/timers/CTimer01PropPage.h"
#include "pages/timers/CTimer2PropPage.h"
#include "pages/timers/CTimer3PropPage.h"

namespace {

std::unique_ptr<CPropPage> MakeTimerPage(int timer, PeripheralRecord* interrupts,
                                         PeripheralRecord* portIO) {
    switch (timer) {
        case 0:
            return std::make_unique<CTimer0PropPage>(interrupts, portIO);
        case 1:
            return std::make_unique<CTimer1PropPage>(interrupts, portIO);
        case 2:
            return std::make_unique<CTimer2PropPage>(interrupts);
        default:
            return std::make_unique<CTimer3PropPage>(interrupts);
    }
}

PageRow TimerPage(int timer) {
    return {[timer](CommandInputs& in) {
        PeripheralRecord* portIO = timer < 2 ? &in.Rec(Pid::PortIO) : nullptr;
        return MakeTimerPage(timer, &in.Rec(Pid::Interrupts), portIO);
    }};
}

}  // namespace

CommandRow TimersCommand() {
    return {cmd::Timers,
            "Timers",
            {Pid::Timers},
            {TimerPage(0), TimerPage(1), TimerPage(2), TimerPage(3)}};
}

bool RunTimerSheet(CDeviceDocument& doc, int timer, PeripheralRecord& timers,
                   PeripheralRecord& interrupts, PeripheralRecord* portIO) {
    if (timer < 0 || timer > 3) return false;
    CompleteRecord(interrupts, doc.DeviceCode, Pid::Interrupts);
    PeripheralRecord freshPortIO;
    if (timer < 2) {
        if (!portIO) {
            doc.GetPeripheral(freshPortIO, Pid::PortIO);
            portIO = &freshPortIO;
        }
        CompleteRecord(*portIO, doc.DeviceCode, Pid::PortIO);
    }
    std::vector<std::unique_ptr<CPropPage>> pages;
    pages.push_back(MakeTimerPage(timer, &interrupts, timer < 2 ? portIO : nullptr));
    return RunNestedSheet(doc, "Timers", Pid::Timers, timers, std::move(pages));
}
