#include "chip/OscText.h"

#include "chip/ClockMath.h"
#include "devices/Registers.h"

namespace osc {

namespace {

constexpr const char* kCrystalCPost =
    "    for (i = 0; i < 3000; i++);  // Wait 1ms for initialization\r\n"
    "    while ((OSCXCN & 0x80) == 0);\r\n";
constexpr const char* kCrystalAsmPost =
    "    mov  R0,        #030        ; Wait 1ms for initialization\r\n"
    "Osc_Wait1:\r\n"
    "    clr  A\r\n"
    "    djnz ACC,       $\r\n"
    "    djnz R0,        Osc_Wait1\r\n"
    "Osc_Wait2:\r\n"
    "    mov  A,         OSCXCN\r\n"
    "    jnb  ACC.7,     Osc_Wait2\r\n";
constexpr const char* kMultiplierCPost =
    "    for (i = 0; i < 20; i++);    // Wait 5us for initialization\r\n"
    "    CLKMUL    |= 0xC0;\r\n"
    "    while ((CLKMUL & 0x20) == 0);\r\n";
constexpr const char* kMultiplierAsmPost =
    "    clr  A                     ; Wait 5us for initialization\r\n"
    "    djnz ACC,       $\r\n"
    "    orl  CLKMUL,    #0C0h\r\n"
    "Osc_Wait2:\r\n"
    "    mov  A,         CLKMUL\r\n"
    "    jnb  ACC.5,     Osc_Wait2\r\n";

RegisterEntry& Entry(PeripheralRecord& osc, int position) {
    return osc.Registers[static_cast<std::size_t>(position)];
}

}  // namespace

LabelSet LabelSetFor(std::uint8_t oscxcn) {
    switch (oscxcn & kModeMask) {
        case kModeCrystal:
        case kModeCrystalHalf:
            return LabelSet::Crystal;
        case kModeRc:
            return LabelSet::Rc;
        case kModeCapacitor:
            return LabelSet::Capacitor;
        default:
            return LabelSet::Unused;
    }
}

const std::array<const char*, 8>& FrequencyLabels(LabelSet set) {
    static const std::array<const char*, 8> sets[4] = {
        {"f <= 32kHz", "32kHz   < f <= 84kHz", "84kHz   < f <= 225kHz", "225kHz < f <= 590kHz",
         "590kHz   < f <= 1.5MHz", "1.5MHz < f <= 4MHz", "4MHz    < f <= 10MHz",
         "10MHz  < f <= 30MHz"},
        {"f <= 25kHz", "25kHz   < f <= 50kHz", "50kHz   < f <= 100kHz", "100kHz < f <= 200kHz",
         "200kHz < f <= 400kHz", "400kHz < f <= 800kHz", "800kHz < f <= 1.6MHz",
         "1.6MHz < f <= 3.2MHz"},
        {"K Factor = 0.87", "K Factor = 2.6", "K Factor = 7.7", "K Factor = 22", "K Factor = 65",
         "K Factor = 180", "K Factor = 664", "K Factor = 1590"},
        {"", "", "", "      Not Used", "", "", "", ""},
    };
    return sets[static_cast<int>(set)];
}

namespace {

// Sets (`on`) or empties the start-up lines written after the register at
// `position`; the prologue's loop counter goes with them unless the other
// start-up code still needs it.
void SetStartupCode(PeripheralRecord& osc, int position, bool on, const char* cPost,
                    const char* asmPost, bool otherNeedsCounter) {
    RegisterEntry& entry = Entry(osc, position);
    entry.CPost = on ? cPost : "";
    entry.AsmPost = on ? asmPost : "";
    if (on)
        osc.CPrologue = kLoopCounter;
    else if (!otherNeedsCounter)
        osc.CPrologue.clear();
}

}  // namespace

void ApplyExternalModeCode(PeripheralRecord& osc) {
    SetStartupCode(osc, OscillatorReg::OSCXCN,
                   IsCrystalMode(Entry(osc, OscillatorReg::OSCXCN).Value), kCrystalCPost,
                   kCrystalAsmPost, (Entry(osc, OscillatorReg::CLKMUL).Value & kEnableBit) != 0);
}

void ApplyMultiplierCode(PeripheralRecord& osc, bool enabled) {
    SetStartupCode(osc, OscillatorReg::CLKMUL, enabled, kMultiplierCPost, kMultiplierAsmPost,
                   IsCrystalMode(Entry(osc, OscillatorReg::OSCXCN).Value));
}

XtalTexts XtalPinTexts(std::uint8_t oscxcn, bool smallPackage, std::uint8_t p0mdin,
                       std::uint8_t p0skip) {
    enum Need { None, Analog, Digital };
    Need need1 = None, need2 = None;
    switch (oscxcn & kModeMask) {
        case kModeCmos:
        case kModeCmosHalf:
            need2 = Digital;
            break;
        case kModeRc:
        case kModeCapacitor:
            need2 = Analog;
            break;
        case kModeCrystal:
        case kModeCrystalHalf:
            need1 = need2 = Analog;
            break;
        default:
            break;
    }
    const int bit1 = smallPackage ? 2 : 6;
    auto text = [&](Need need, int bit, const char* role) -> std::string {
        if (need == None) return {};
        const bool analog = (p0mdin & (1u << bit)) == 0;
        const bool skipped = (p0skip & (1u << bit)) != 0;
        const bool proper = skipped && analog == (need == Analog);
        return "P0." + std::to_string(bit) + " for " + role + " is " +
               (analog ? "Analog" : "Digital") + " and " + (skipped ? "Skipped" : "Not Skipped") +
               ": " + (proper ? "Configured Properly" : "NOT Configured Properly");
    };
    return {text(need1, bit1, "XTAL1"), text(need2, bit1 + 1, "XTAL2")};
}

}  // namespace osc
