#include "pages/clock/OscillatorsCommand.h"

#include "devices/Models.h"
#include "pages/clock/COscExtPropPage.h"
#include "pages/clock/COscIntPropPage.h"
#include "pages/clock/COscMulPropPage.h"
#include "pages/clock/COscSysPropPage.h"
#include "pages/clock/COscUsbPropPage.h"
#include "pages/common/CommandIds.h"

namespace {

OscClockWords Words(CommandInputs& in) {
    return {in.Sysclk(), in.ExtOsc(), in.IntOsc(), in.LfOsc()};
}

template <class Page>
PageRow OscPage() {
    return {[](CommandInputs& in) { return std::unique_ptr<CPropPage>(new Page(Words(in))); }};
}

}  // namespace

CommandRow OscillatorsCommand() {
    CommandRow row{cmd::Oscillators,
                   "Oscillators",
                   {Pid::Oscillator},
                   {OscPage<COscIntPropPage>(),
                    {OscPage<COscIntLFPropPage>().make,
                     [](int deviceCode) { return !models::HasNoLfOscillator(deviceCode); }},
                    {[](CommandInputs& in) {
                        return std::unique_ptr<CPropPage>(
                            new COscExtPropPage(Words(in), &in.Rec(Pid::PortIO)));
                    }},
                    OscPage<COscMulPropPage>(),
                    OscPage<COscUsbPropPage>(),
                    OscPage<COscSysPropPage>()}};
    row.restoresClocks = true;
    return row;
}
