#pragma once
// The whole clock of a project as one tree: the oscillators, the system
// clock they give, and every rate a page derives from it. Each figure is the
// one its owning page shows for the same project, computed by the very
// function that page calls; the desktop's clock-tree view and
// `zorvant clocks` both print this model, so they cannot disagree.
//
// The nodes, with the page whose figure each one is:
//   intosc      Internal H-F oscillator after its divider (the USB Clock
//               Source page's "Internal Oscillator:")
//   lfosc       Internal L-F oscillator after its divider (what the SYSCLK
//               Select page takes for that source); none on Q7R26 and Q7R27
//   extosc      External oscillator frequency as typed (External Oscillator
//               page, "External Oscillator Frequency")
//   multiplier  Clock Multiplier page, "Clock Multiplier / 2 Speed"
//   usb         USB Clock Source page, "USB Clock Speed"
//   sysclk      the document's SysclkFrequency word (SYSCLK Select page,
//               "SYSCLK Speed", as every page reads it)
//   timer0      Timer 0 overflow rate as the PCA's "Timer 0 Overflow" clock
//   timer1      Timer 1 overflow rate as the UART0 page divides it:
//               clock / (256 - TH1) before the halving
//   timer2      the overflow rate of the Timer 2 half that clocks the SMBus
//               (SMBus page); none when the SMBus counts another timer
//   timer3      Timer 3 overflows per second, 1000 / the period the SMBus
//               page checks for its SCL timeout; none when that is off
//   uart0       UART0 page, "UART Baud Rate" (bps)
//   uart1       UART1 page, "UART Baud Rate" (bps); none on the small packages
//   spi0        SPI0 page, SCK
//   smbus       SMBus page, "Bit Rate from Clock Source:" and the minimum
//               SCL low time
//   pca         the PCA counter clock the module pages use
//   pca.cex0..4 module pages: "CEXn Frequency:" in Frequency Output, the
//               duty cycle in the two PWM modes
//   watchdog    Module 4/WDT page, "Timeout Interval:" (ms)
//   adc0        ADC0 page, "SAR Clock:"
// Whether a node is in use: an oscillator that is enabled (the external one
// not off), SYSCLK always, USB when its source runs, a timer that runs or
// clocks something in use, a peripheral that is enabled and on the crossbar
// (UART0, which has no enable bit: on the crossbar), the PCA while its
// counter runs or the watchdog is on, a module in a mode other than "None"
// with CEXn on the crossbar, the watchdog when enabled, ADC0 when enabled.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/PeripheralRecord.h"

namespace chip {

class Project;

struct ClockNode {
    std::string name;    // stable, as listed above
    std::string parent;  // the node it is derived from; empty for a source
    std::string title;   // the box caption: "Timer 1", "UART0"
    std::string via;     // how the parent feeds it: "SYSCLK / 12", "overflow / 2"
    std::string detail;  // a short second line: the mode, the divider, the error
    // The figure in `unit` as the page computes it; nothing where the page
    // has none. `whole` when the page shows it as an integer.
    std::optional<double> hz;
    bool whole = true;
    std::string unit = "Hz";  // "Hz", "bps"; "%" or "ms" for a node without hz
    // The figure as the page formats it ("115200", "50.0000", "524.3"); "-"
    // when there is none.
    std::string text = "-";
    bool inUse = false;
    // A clock that is needed (in use) but 0, or a value a page itself calls
    // not configured properly.
    bool warning = false;

    // The further figures of a few nodes, as their pages show them.
    std::optional<double> errorPercent;  // UARTs: against the nearest standard rate
    std::uint32_t standardRate = 0;      // that rate
    std::optional<double> dutyPercent;   // PCA modules in PWM
    std::optional<double> timeoutMs;     // watchdog
    std::optional<double> sclLowMs;      // SMBus

    // The sheet that sets the node, by the record it stores, and its page.
    PeripheralId record = 0;
    std::string page;
};

class ClockTree {
public:
    explicit ClockTree(const Project& project);

    // Every node in the documented order.
    const std::vector<ClockNode>& Nodes() const { return nodes_; }
    const ClockNode* Find(const std::string& name) const;
    // The nodes whose parent is `name`, in order.
    std::vector<const ClockNode*> Children(const std::string& name) const;

    // Marks a node with the warning colour (a problem check flags its value).
    void Flag(const std::string& name);
    // Marks every node whose box shows the field `mask` of the register at
    // `position` of record `record` (the field a problem check names):
    // the registers that give the node's figure, its clock, mode or run bit.
    void FlagField(PeripheralId record, int position, std::uint8_t mask);

    // The indented text of `zorvant clocks`: the sources, under each what it
    // feeds, one "name: value unit" line per node.
    std::string Text() const;

private:
    std::vector<ClockNode> nodes_;
};

}  // namespace chip
