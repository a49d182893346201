#pragma once
// A sheet described as data: its caption, its pages in order (a factory per
// page, with the models it is shown for), the records copied in and those
// stored back on OK, and whether Cancel puts the clock words back. Each page
// group exports the plans of its sheets; the plug-in assembles the
// Peripherals table from them and makes the nested ones reachable by id, and
// RunSheet (SheetRunner.h) runs any of them, top-level or nested.

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "model/PeripheralRecord.h"

class CPropPage;
class PageContext;

struct PagePlan {
    // Builds the page; its inputs come from the context. The page's record is
    // the sheet's first stored record unless the factory gives it another.
    std::function<std::unique_ptr<CPropPage>(PageContext&)> make;
    // Whether the page is added for a DeviceCode; unset means always.
    std::function<bool(int deviceCode)> when = {};
};

struct SheetPlan {
    std::string caption;
    // The edited records, stored into the document on OK.
    std::vector<PeripheralId> stored;
    std::vector<PagePlan> pages;
    // Further records the pages read (and may change), copied in when the
    // sheet opens and never stored by it.
    std::vector<PeripheralId> copied = {};
    // A nested sheet works on the opening page's copies of these records
    // when that page's sheet holds them (changes stay in them, even after a
    // Cancel); every other record is a fresh copy from the document.
    std::vector<PeripheralId> shared = {};
    // The pages write SysclkFrequency and ExtOscFrequency in place; Cancel
    // puts both back to their values when the sheet opened.
    bool restoresClocks = false;
};

// A page built from the context when it takes one, else by default.
template <class Page>
PagePlan MakePage(std::function<bool(int deviceCode)> when = {}) {
    return {[](PageContext& context) -> std::unique_ptr<CPropPage> {
                if constexpr (std::is_constructible_v<Page, PageContext&>)
                    return std::make_unique<Page>(context);
                else
                    return std::make_unique<Page>();
            },
            std::move(when)};
}

// The sheets that pages open from inside another sheet.
enum class SheetId {
    PortIO,              // "Port I/O": the Port I/O command's sheet
    Interrupts,          // "Interrupts": enable and priority pages
    ExternalInterrupts,  // "Interrupts": the /INT0 and /INT1 page
    Timer0,              // "Timers": one timer's page
    Timer1,
    Timer2,
    Timer3,
    Comparator0,  // "Comparator": the Comparator0 page
    Oscillators,  // "Oscillators": the Oscillators command's sheet
};

// The one-page Timers sheet of timer 0 ... 3.
inline SheetId TimerSheetId(int timer) {
    return static_cast<SheetId>(static_cast<int>(SheetId::Timer0) + timer);
}

// Where nested sheets are found: the plug-in, which knows every group,
// installs the lookup once.
using SheetDirectory = std::function<const SheetPlan*(SheetId)>;
void InstallSheetDirectory(SheetDirectory directory);
const SheetPlan* FindSheet(SheetId id);
