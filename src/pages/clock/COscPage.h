#pragma once
// Base of the six oscillator pages: they share one working copy of the
// oscillator record and write the document's SysclkFrequency and
// ExtOscFrequency in place through the sheet's context; Reset puts all five
// registers and both clock words back (the record's start-up code lines stay
// as they are).

#include <cstdint>
#include <initializer_list>
#include <optional>

#include "chip/ClockMath.h"
#include "pages/common/CPropPage.h"

class COscPage : public CPropPage {
    Q_OBJECT
public:
    COscPage(PageContext& context, const std::string& caption);

    void OnInitDialog() override;
    void ResetRegisters() override;

protected:
    osc::OscRegs Regs() const;
    osc::Clocks ClockValues() const;
    // Writes a recomputed system clock into the document; nothing keeps it.
    void StoreSysclk(std::optional<std::uint32_t> value);
    // The radio of `first`..`last` whose offset from `first` is `index`
    // (none when out of range) gets the check mark.
    void CheckIndex(int first, int last, int index);

    // Disabled "Hz" displays: `inputs` in the current group, then `speedId`
    // under its own group `speedGroup`, then the register preview.
    struct Display {
        int id;
        const char* label;
    };
    void AddDisplays(PageBuilder& b, std::initializer_list<Display> inputs, const char* speedGroup,
                     int speedId);
};
