#include "pages/clock/OscillatorsSheet.h"

#include "devices/Models.h"
#include "pages/clock/COscExtPropPage.h"
#include "pages/clock/COscIntPropPage.h"
#include "pages/clock/COscMulPropPage.h"
#include "pages/clock/COscSysPropPage.h"
#include "pages/clock/COscUsbPropPage.h"

SheetPlan OscillatorsSheet() {
    return {.caption = "Oscillators",
            .stored = {Pid::Oscillator},
            .pages = {MakePage<COscIntPropPage>(), MakePage<COscIntLFPropPage>([](int deviceCode) {
                          return !models::HasNoLfOscillator(deviceCode);
                      }),
                      MakePage<COscExtPropPage>(), MakePage<COscMulPropPage>(),
                      MakePage<COscUsbPropPage>(), MakePage<COscSysPropPage>()},
            .copied = {Pid::PortIO},
            .restoresClocks = true};
}
