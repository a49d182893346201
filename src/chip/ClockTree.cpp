#include "chip/ClockTree.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>

#include "chip/AdcMux.h"
#include "chip/ClockMath.h"
#include "chip/Crossbar.h"
#include "chip/PcaMath.h"
#include "chip/PcaRecord.h"
#include "chip/Problems.h"
#include "chip/Project.h"
#include "chip/SerialMath.h"
#include "chip/TimerMath.h"
#include "devices/Models.h"
#include "devices/Registers.h"

namespace chip {
namespace {

// Register positions the other chip headers do not name.
constexpr std::uint8_t kTconRun0 = 0x10;
constexpr std::uint8_t kTconRun1 = 0x40;
constexpr std::uint8_t kTmodT0Pin = 0x04;
constexpr std::uint8_t kTmodT1Pin = 0x40;
constexpr std::uint8_t kTmrCnExtOsc = 0x01;  // TMR2CN / TMR3CN
constexpr std::uint8_t kTmrCnRun = 0x04;
constexpr std::uint8_t kTmrCnSplit = 0x08;
constexpr std::uint8_t kSpiEnable = 0x01;
constexpr std::uint8_t kSmbusEnable = 0x80;
constexpr std::uint8_t kSmbusSclTimeout = 0x08;
constexpr std::uint8_t kSmbusSource = 0x03;
constexpr std::uint8_t kUart1GeneratorRun = 0x40;  // SBCON1

// The page's own number text as a number, so a figure carries exactly the
// digits the page shows.
double Shown(const std::string& text) {
    return std::strtod(text.c_str(), nullptr);
}

std::string Fixed(double v, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

std::string SignedFixed(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%+.2f", v);
    return buf;
}

// Sets a whole figure and its "%u" text.
void SetWhole(ClockNode& n, std::uint64_t v) {
    n.hz = static_cast<double>(v);
    n.text = std::to_string(v);
}

std::string Divider(std::uint8_t reg) {
    constexpr const char* kDivide[] = {"/ 8", "/ 4", "/ 2", "/ 1"};
    return kDivide[reg & osc::kDividerMask];
}

const char* ExternalModeName(std::uint8_t oscxcn) {
    switch (oscxcn & osc::kModeMask) {
        case osc::kModeOff:
            return "Off";
        case osc::kModeCmos:
            return "External CMOS";
        case osc::kModeCmosHalf:
            return "External CMOS / 2";
        case osc::kModeRc:
            return "RC Oscillator";
        case osc::kModeCapacitor:
            return "Capacitor Oscillator";
        case osc::kModeCrystal:
            return "Crystal Oscillator";
        case osc::kModeCrystalHalf:
            return "Crystal Oscillator / 2";
        default:
            return "Unknown mode";
    }
}

// The Timer 0/1 clock choice as the registers set it.
std::string Timer01ClockName(std::uint8_t tmod, std::uint8_t ckcon, int timer) {
    if (tmod & (timer == 0 ? kTmodT0Pin : kTmodT1Pin)) return timer == 0 ? "T0 pin" : "T1 pin";
    if (ckcon & (timer == 0 ? timers::kCkconT0Sysclk : timers::kCkconT1Sysclk)) return "SYSCLK";
    constexpr const char* kPrescaler[] = {"SYSCLK / 12", "SYSCLK / 4", "SYSCLK / 48",
                                          "Ext Osc / 8"};
    return kPrescaler[ckcon & timers::kCkconPrescale];
}

std::string Timer01ModeName(std::uint8_t tmod, int timer) {
    const int mode = (timer == 0 ? tmod : tmod >> 4) & 0x03;
    constexpr const char* kModes[] = {"13-bit", "16-bit", "8-bit reload", "two 8-bit"};
    return mode == 3 && timer == 1 ? "disabled" : kModes[mode];
}

// A Timer 2/3 half's clock: SYSCLK when its CKCON bit is set, else SYSCLK / 12
// or the external oscillator / 8 by TMRnCN bit 0.
std::string SplitHalfClockName(std::uint8_t ckcon, std::uint8_t sysclkBit, std::uint8_t tmrcn) {
    if (ckcon & sysclkBit) return "SYSCLK";
    return (tmrcn & kTmrCnExtOsc) ? "Ext Osc / 8" : "SYSCLK / 12";
}

std::string SplitModeName(std::uint8_t tmrcn) {
    return (tmrcn & kTmrCnSplit) ? "two 8-bit reload" : "16-bit reload";
}

// A module's mode in a few words.
std::string ModuleModeName(int module, std::uint8_t mode, bool watchdog) {
    if (module == 4 && watchdog && mode == pca::kModeNone) return "Watchdog Timer";
    switch (mode) {
        case pca::kModeNone:
            return "None";
        case 0x20:
            return "Capture rising";
        case 0x10:
            return "Capture falling";
        case 0x30:
            return "Capture both";
        case 0x48:
            return "Software Timer";
        case 0x4C:
            return "High Speed Output";
        case pca::kModeFrequencyOutput:
            return "Frequency Output";
        case pca::kModePwm8:
            return "8-bit PWM";
        case pca::kModePwm16:
            return "16-bit PWM";
        default:
            return "Unknown mode";
    }
}

// The register fields each node's box shows.
struct Field {
    PeripheralId record;
    int position;
    std::uint8_t mask;
};

std::vector<Field> FieldsOf(const std::string& name) {
    using O = OscillatorReg::Position;
    using T = TimersReg::Position;
    constexpr PeripheralId kOsc = Pid::Oscillator, kTmr = Pid::Timers, kPca = Pid::Pca;
    static const std::map<std::string, std::vector<Field>> kFields = {
        {"intosc", {{kOsc, O::OSCICN, 0x83}}},
        {"lfosc", {{kOsc, O::OSCLCN, 0x83}}},
        {"extosc", {{kOsc, O::OSCXCN, 0x77}}},
        {"multiplier", {{kOsc, O::CLKMUL, 0x83}}},
        {"usb", {{kOsc, O::CLKSEL, 0x70}}},
        {"sysclk", {{kOsc, O::CLKSEL, 0x07}}},
        {"timer0",
         {{kTmr, T::TCON, 0x10},
          {kTmr, T::TMOD, 0x0F},
          {kTmr, T::CKCON, 0x07},
          {kTmr, T::TH0, 0xFF}}},
        {"timer1",
         {{kTmr, T::TCON, 0x40},
          {kTmr, T::TMOD, 0xF0},
          {kTmr, T::CKCON, 0x0B},
          {kTmr, T::TH1, 0xFF}}},
        {"timer2",
         {{kTmr, T::TMR2CN, 0xFF},
          {kTmr, T::CKCON, 0x30},
          {kTmr, T::TMR2RLL, 0xFF},
          {kTmr, T::TMR2RLH, 0xFF}}},
        {"timer3",
         {{kTmr, T::TMR3CN, 0xFF},
          {kTmr, T::CKCON, 0xC0},
          {kTmr, T::TMR3RLL, 0xFF},
          {kTmr, T::TMR3RLH, 0xFF}}},
        {"uart0",
         {{Pid::Uart, UartReg::SCON0, 0xFF}, {kTmr, T::CKCON, 0x0B}, {kTmr, T::TH1, 0xFF}}},
        {"uart1",
         {{Pid::Uart, UartReg::SBRLL1, 0xFF},
          {Pid::Uart, UartReg::SBRLH1, 0xFF},
          {Pid::Uart, UartReg::SBCON1, 0xFF}}},
        {"spi0", {{Pid::Spi, SpiReg::SPI0CN, 0x01}, {Pid::Spi, SpiReg::SPI0CKR, 0xFF}}},
        {"smbus", {{Pid::Smbus, SmbusReg::SMB0CF, 0xFF}}},
        {"pca", {{kPca, PcaReg::PCA0CN, 0x40}, {kPca, PcaReg::PCA0MD, 0x0E}}},
        {"watchdog",
         {{kPca, PcaReg::PCA0MD, 0x0E},
          {kPca, PcaReg::PCA0L, 0xFF},
          {kPca, PcaReg::PCA0CPL4, 0xFF}}},
        {"adc0", {{Pid::Adc, AdcReg::ADC0CF, 0xF8}, {Pid::Adc, AdcReg::ADC0CN, 0x80}}},
    };
    if (name.rfind("pca.cex", 0) == 0) {
        const int module = name.back() - '0';
        return {{kPca, pca::Cpm(module), 0xFF},
                {kPca, pca::Cpl(module), 0xFF},
                {kPca, pca::Cph(module), 0xFF}};
    }
    const auto it = kFields.find(name);
    return it == kFields.end() ? std::vector<Field>{} : it->second;
}

}  // namespace

ClockTree::ClockTree(const Project& p) {
    const auto reg = [&p](PeripheralId id, int position) -> std::uint8_t {
        const auto& regs = p.Record(id).Registers;
        return position < static_cast<int>(regs.size()) ? regs[position].Value : 0;
    };
    const auto osc = [&](int position) { return reg(Pid::Oscillator, position); };
    const auto tmr = [&](int position) { return reg(Pid::Timers, position); };
    const auto pcaReg = [&](int position) { return reg(Pid::Pca, position); };

    const osc::OscRegs r{osc(OscillatorReg::OSCXCN), osc(OscillatorReg::OSCICN),
                         osc(OscillatorReg::OSCLCN), osc(OscillatorReg::CLKMUL),
                         osc(OscillatorReg::CLKSEL)};
    const osc::Clocks clocks{p.IntOsc(), p.LfOsc(), p.ExtOsc()};
    const std::uint32_t sysclk = p.Sysclk();
    const PeripheralRecord& portIo = p.Record(Pid::PortIO);
    const std::uint8_t tcon = tmr(TimersReg::TCON), tmod = tmr(TimersReg::TMOD),
                       ckcon = tmr(TimersReg::CKCON);
    const std::uint8_t tmr2cn = tmr(TimersReg::TMR2CN), tmr3cn = tmr(TimersReg::TMR3CN);
    const serial::TimerRegisters t{ckcon,
                                   tmr(TimersReg::TH0),
                                   tmr(TimersReg::TH1),
                                   tmr(TimersReg::TMR2RLL),
                                   tmr(TimersReg::TMR2RLH),
                                   tmr(TimersReg::TMR3RLL),
                                   tmr(TimersReg::TMR3RLH)};

    const auto add = [this](std::string name, std::string title, PeripheralId record,
                            std::string page) -> ClockNode& {
        ClockNode n;
        n.name = std::move(name);
        n.title = std::move(title);
        n.record = record;
        n.page = std::move(page);
        nodes_.push_back(std::move(n));
        return nodes_.back();
    };
    const bool extOn = r.Mode() != osc::kModeOff;

    // ---- Sources -------------------------------------------------------
    {
        ClockNode& n =
            add("intosc", "Internal H-F Osc", Pid::Oscillator, "Internal H-F Oscillator");
        SetWhole(n, osc::Divided(clocks.intOsc, r.oscicn));
        n.detail = std::to_string(clocks.intOsc) + " " + Divider(r.oscicn);
        n.inUse = (r.oscicn & osc::kEnableBit) != 0;
    }
    {
        ClockNode& n = add("lfosc", "Internal L-F Osc", Pid::Oscillator, "Internal L-F Oscillator");
        if (models::HasNoLfOscillator(p.DeviceCode())) {
            n.detail = "none on this model";
            n.page = "SYSCLK Select";
        } else {
            SetWhole(n, osc::Divided(clocks.lfOsc, r.osclcn));
            n.detail = std::to_string(clocks.lfOsc) + " " + Divider(r.osclcn);
            n.inUse = (r.osclcn & osc::kEnableBit) != 0;
        }
    }
    {
        ClockNode& n = add("extosc", "External Osc", Pid::Oscillator, "External Oscillator");
        SetWhole(n, clocks.extOsc);
        n.detail = ExternalModeName(r.oscxcn);
        n.inUse = extOn;
    }
    {
        ClockNode& n = add("multiplier", "Multiplier / 2", Pid::Oscillator, "Clock Multiplier");
        if (const auto half = osc::MultiplierHalfSpeed(r, clocks)) SetWhole(n, *half);
        constexpr const char* kInputs[] = {"Int Osc x 2", "Ext Osc x 2", "Ext Osc x 1"};
        if (r.Input() <= osc::kMulExternalX1) {
            n.parent = r.Input() == osc::kMulInternal ? "intosc" : "extosc";
            n.via = kInputs[r.Input()];
        }
        n.detail = (r.clkmul & osc::kEnableBit) ? "enabled" : "disabled";
        n.inUse = (r.clkmul & osc::kEnableBit) != 0;
    }
    {
        ClockNode& n = add("usb", "USB Clock", Pid::Oscillator, "USB Clock Source");
        if (const auto mul = osc::UsbMultiplier(r, clocks))
            if (const auto speed = osc::UsbClockSpeed(r, clocks, *mul)) SetWhole(n, *speed);
        const std::uint8_t source = r.UsbSource();
        if (source == 0x00) {
            n.parent = "multiplier";
            n.via = "x 2";
            n.inUse = (r.clkmul & osc::kEnableBit) != 0;
        } else if (source == 0x10) {
            n.parent = "intosc";
            n.via = "Int Osc / 2";
            n.inUse = (r.oscicn & osc::kEnableBit) != 0;
        } else if (source <= 0x50) {
            constexpr const char* kExternal[] = {"", "/ 2", "/ 3", "/ 4"};
            n.parent = "extosc";
            n.via = kExternal[(source - 0x20) >> 4];
            n.inUse = extOn;
        }
    }
    {
        ClockNode& n = add("sysclk", "SYSCLK", Pid::Oscillator, "SYSCLK Select");
        SetWhole(n, sysclk);
        n.inUse = true;
        switch (r.Source()) {
            case osc::kSrcInternal:
                n.parent = "intosc";
                break;
            case osc::kSrcExternal:
                n.parent = "extosc";
                if (osc::IsHalvingMode(r.oscxcn)) n.via = "/ 2";
                break;
            case osc::kSrcMulHalf:
                n.parent = "multiplier";
                break;
            case osc::kSrcMul:
                n.parent = "multiplier";
                n.via = "x 2";
                break;
            case osc::kSrcLowFreq:
                n.parent = "lfosc";
                break;
            default:
                break;
        }
    }

    // ---- Who uses what ---------------------------------------------------
    const bool large = p.LargePackage();
    const std::uint8_t smb0cf = reg(Pid::Smbus, SmbusReg::SMB0CF);
    const int smbusSource = smb0cf & kSmbusSource;
    const bool smbusInUse = (smb0cf & kSmbusEnable) && portio::IsSmbusRouted(portIo);
    const std::uint8_t pca0md = pcaReg(PcaReg::PCA0MD);
    const std::uint8_t timebase = pca0md & pca::kTimebaseMask;
    const bool watchdog = pca::WatchdogState(p.Record(Pid::Pca)) != pca::Watchdog::Disabled;
    const bool pcaInUse = (pcaReg(PcaReg::PCA0CN) & pca::kCounterRun) || watchdog;
    const bool uart0InUse = portio::IsUart0Routed(portIo);

    // ---- Timers ------------------------------------------------------------
    {
        ClockNode& n = add("timer0", "Timer 0", Pid::Timers, "Timer 0");
        n.parent = "sysclk";
        n.via = Timer01ClockName(tmod, ckcon, 0);
        n.detail = Timer01ModeName(tmod, 0);
        SetWhole(n, pca::Timer0OverflowRate(sysclk, ckcon, t.th0));
        n.inUse = (tcon & kTconRun0) || (smbusInUse && smbusSource == 0) ||
                  (pcaInUse && timebase == pca::kTimer0Overflow);
    }
    {
        ClockNode& n = add("timer1", "Timer 1", Pid::Timers, "Timer 1");
        n.parent = "sysclk";
        n.via = Timer01ClockName(tmod, ckcon, 1);
        n.detail = Timer01ModeName(tmod, 1);
        SetWhole(n, timers::Timer1OverflowRate(timers::Timer01Clock(sysclk, ckcon, 1), t.th1));
        n.inUse = (tcon & kTconRun1) || uart0InUse || (smbusInUse && smbusSource == 1);
    }
    {
        ClockNode& n = add("timer2", "Timer 2", Pid::Timers, "Timer 2");
        n.parent = "sysclk";
        n.detail = SplitModeName(tmr2cn);
        const bool high = smbusSource == 2;
        n.via = SplitHalfClockName(
            ckcon, high ? timers::kCkconT2HighSysclk : timers::kCkconT2LowSysclk, tmr2cn);
        if (smbusSource >= 2) {
            const serial::SmbusClock c = serial::SmbusSourceClock(sysclk, t, smbusSource);
            SetWhole(n, static_cast<std::uint64_t>(timers::OverflowRate(c.clock, c.reload)));
            n.detail = high ? "high byte" : "low byte";
        }
        n.inUse = (tmr2cn & kTmrCnRun) || (smbusInUse && smbusSource >= 2);
    }
    {
        ClockNode& n = add("timer3", "Timer 3", Pid::Timers, "Timer 3");
        n.parent = "sysclk";
        n.via = SplitHalfClockName(ckcon, timers::kCkconT3LowSysclk, tmr3cn);
        n.detail = SplitModeName(tmr3cn);
        const bool timeout = (smb0cf & kSmbusSclTimeout) != 0;
        if (timeout) {
            const double ms = timers::Timer3OverflowMs(sysclk, ckcon, t.tmr3rlh, t.tmr3rll);
            n.hz = ms > 0 ? 1000.0 / ms : 0.0;
            n.whole = false;
            n.text = Fixed(*n.hz, 4);
            n.detail = "period " + Fixed(ms, 4) + " ms";
            n.warning =
                smbusInUse && !timers::Timer3Overflows25ms(sysclk, ckcon, t.tmr3rlh, t.tmr3rll);
        }
        n.inUse = (tmr3cn & kTmrCnRun) || (smbusInUse && timeout);
    }

    // ---- Serial ports ----------------------------------------------------
    const auto setError = [](ClockNode& n, std::int64_t rate) {
        if (const auto e = serial::NearestStandardError(rate)) {
            n.errorPercent = Shown(e->percent);
            n.standardRate = e->standard;
            n.detail = e->percent + " % from " + std::to_string(e->standard);
        }
    };
    {
        ClockNode& n = add("uart0", "UART0", Pid::Uart, "UART0");
        n.parent = "timer1";
        n.via = "overflow / 2";
        n.unit = "bps";
        const int rate = serial::Uart0BaudRate(sysclk, ckcon, t.th1);
        n.hz = rate;
        n.text = std::to_string(rate);
        setError(n, rate);
        n.inUse = uart0InUse;
    }
    {
        ClockNode& n = add("uart1", "UART1", Pid::Uart, "UART1");
        n.unit = "bps";
        n.parent = "sysclk";
        if (large) {
            const std::uint8_t sbcon1 = reg(Pid::Uart, UartReg::SBCON1);
            constexpr const char* kPrescaler[] = {"SYSCLK / 12", "SYSCLK / 4", "SYSCLK / 48",
                                                  "SYSCLK"};
            n.via = kPrescaler[sbcon1 & 0x03];
            const std::int64_t rate = serial::Uart1BaudRate(
                sysclk, sbcon1, reg(Pid::Uart, UartReg::SBRLH1), reg(Pid::Uart, UartReg::SBRLL1));
            n.hz = static_cast<double>(rate);
            n.text = std::to_string(rate);
            setError(n, rate);
            n.inUse = (sbcon1 & kUart1GeneratorRun) && portio::IsUart1Routed(portIo);
        } else {
            n.detail = "none on this model";
        }
    }
    {
        ClockNode& n = add("spi0", "SPI0 SCK", Pid::Spi, "SPI0");
        n.parent = "sysclk";
        const std::uint8_t ckr = reg(Pid::Spi, SpiReg::SPI0CKR);
        n.via = "/ " + std::to_string(2 * ckr + 2);
        SetWhole(n, serial::SpiSckFrequency(sysclk, ckr));
        n.inUse = (reg(Pid::Spi, SpiReg::SPI0CN) & kSpiEnable) && portio::IsSpi0Routed(portIo);
    }
    {
        ClockNode& n = add("smbus", "SMBus", Pid::Smbus, "SMBus");
        n.parent = smbusSource == 0 ? "timer0" : smbusSource == 1 ? "timer1" : "timer2";
        n.via = "overflow / 3";
        const int rate = serial::SmbusSourceBitRate(sysclk, t, smbusSource);
        n.hz = rate;
        n.text = std::to_string(rate);
        const std::string low =
            serial::SmbusLowTimeNumber(serial::SmbusMinimumLowTimeMs(sysclk, t, smbusSource));
        if (low != "-") n.sclLowMs = Shown(low);
        n.detail = "SCL low " + low + " ms";
        n.inUse = smbusInUse;
    }

    // ---- PCA -----------------------------------------------------------------
    const pca::ClockInputs in{sysclk, p.ExtOsc(), p.Eci(), ckcon, t.th0};
    const std::uint32_t pcaClock = pca::PcaClock(pca0md, in);
    {
        ClockNode& n = add("pca", "PCA Counter", Pid::Pca, "PCA0");
        SetWhole(n, pcaClock);
        switch (timebase) {
            case pca::kSysclkDiv12:
                n.parent = "sysclk";
                n.via = "/ 12";
                break;
            case pca::kSysclkDiv4:
                n.parent = "sysclk";
                n.via = "/ 4";
                break;
            case pca::kTimer0Overflow:
                n.parent = "timer0";
                n.via = "overflow";
                break;
            case pca::kEciFalling:
                n.detail = "ECI pin";
                break;
            case pca::kSysclk:
                n.parent = "sysclk";
                break;
            case pca::kExtOscDiv8:
                n.parent = "extosc";
                n.via = "/ 8";
                break;
            default:
                n.detail = "no timebase";
                break;
        }
        n.inUse = pcaInUse;
    }
    for (int module = 0; module < 5; ++module) {
        const std::string digit(1, static_cast<char>('0' + module));
        ClockNode& n = add("pca.cex" + digit, "CEX" + digit, Pid::Pca,
                           module == 4 ? "Module 4/WDT" : "Module " + digit);
        n.parent = "pca";
        const std::uint8_t mode = pcaReg(pca::Cpm(module)) & 0xFE;
        const std::uint8_t cph = pcaReg(pca::Cph(module));
        n.detail = ModuleModeName(module, mode, watchdog);
        if (mode == pca::kModeFrequencyOutput) {
            SetWhole(n, pca::CexFrequency(pcaClock, cph));
        } else if (mode == pca::kModePwm8 || mode == pca::kModePwm16) {
            n.text = pca::DutyCycleText(
                pca::DutyCyclePercent(mode == pca::kModePwm16, cph, pcaReg(pca::Cpl(module))));
            n.dutyPercent = Shown(n.text);
            n.unit = "%";
        }
        n.inUse = mode != pca::kModeNone && !(module == 4 && watchdog) &&
                  portio::IsCexRouted(portIo, module);
    }
    {
        ClockNode& n = add("watchdog", "Watchdog", Pid::Pca, "Module 4/WDT");
        n.parent = "pca";
        n.unit = "ms";
        const double ms =
            pca::WatchdogTimeoutMs(pca0md, in, pcaReg(pca::Cpl(4)), pcaReg(PcaReg::PCA0L));
        n.text = pca::TimeoutText(ms);
        n.timeoutMs = Shown(n.text);
        n.detail = watchdog ? "timeout" : "disabled";
        n.inUse = watchdog;
        n.warning = watchdog && ms == 0;  // no clock: it never times out
    }

    // ---- ADC -------------------------------------------------------------
    {
        ClockNode& n = add("adc0", "ADC0 SAR", Pid::Adc, "ADC0");
        n.parent = "sysclk";
        const std::uint8_t adc0cf = reg(Pid::Adc, AdcReg::ADC0CF);
        n.via = "/ " + std::to_string((adc0cf >> adc::kSarShift) + 1);
        n.hz = adc::SarClock(sysclk, adc0cf);
        n.text = adc::SarClockText(sysclk, adc0cf);
        n.inUse = (reg(Pid::Adc, AdcReg::ADC0CN) & adc::kEnable) != 0;
    }

    // A clock that something in use needs but that is 0.
    for (ClockNode& n : nodes_)
        if (n.inUse && n.hz && *n.hz == 0) n.warning = true;
    // And every box whose field a problem check of the project names, so that
    // the tree, the Problems view and `zorvant lint` point at the same values.
    for (const Problem& problem : FindProblems(p))
        FlagField(problem.Record, problem.Position, problem.Mask);
}

const ClockNode* ClockTree::Find(const std::string& name) const {
    for (const ClockNode& n : nodes_)
        if (n.name == name) return &n;
    return nullptr;
}

std::vector<const ClockNode*> ClockTree::Children(const std::string& name) const {
    std::vector<const ClockNode*> children;
    for (const ClockNode& n : nodes_)
        if (n.parent == name) children.push_back(&n);
    return children;
}

void ClockTree::Flag(const std::string& name) {
    for (ClockNode& n : nodes_)
        if (n.name == name) n.warning = true;
}

void ClockTree::FlagField(PeripheralId record, int position, std::uint8_t mask) {
    for (ClockNode& n : nodes_)
        for (const Field& f : FieldsOf(n.name))
            if (f.record == record && f.position == position && (f.mask & mask)) n.warning = true;
}

std::string ClockTree::Text() const {
    std::string out;
    const std::function<void(const ClockNode&, int)> line = [&](const ClockNode& n, int depth) {
        out += std::string(2 * depth, ' ') + n.name + ": " + n.text;
        if (n.text != "-") out += " " + n.unit;
        if (n.errorPercent)
            out += ", " + SignedFixed(*n.errorPercent) + " % from " +
                   std::to_string(n.standardRate) + " bps";
        if (n.sclLowMs) out += ", minimum SCL low time " + Fixed(*n.sclLowMs, 4) + " ms";
        if (!n.inUse) out += " (not in use)";
        out += "\n";
        for (const ClockNode* child : Children(n.name))
            line(*child, depth + 1);
    };
    for (const ClockNode& n : nodes_)
        if (n.parent.empty()) line(n, 0);
    return out;
}

}  // namespace chip
