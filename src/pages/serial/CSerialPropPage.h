#pragma once
// What the UART, SPI0 and SMBus pages share: the sheet's copies of the
// interrupt and Port I/O records and the document's SysclkFrequency; the
// "Interrupt" and "on the Crossbar" groups with their status lines and
// buttons; and the nested Interrupts and Port I/O sheets behind them.

#include <cstddef>
#include <cstdint>

#include "pages/common/CPropPage.h"

// The line beside a UART baud display with the error against the nearest
// standard rate.
inline constexpr int kStandardRateId = 11995;

class CSerialPropPage : public CPropPage {
    Q_OBJECT
public:
    static constexpr int kConfigurePortIO = 11281;

    // The interrupt-enable and crossbar bits a page shows.
    struct Links {
        const char*
            unit;  // "UART0": "UART0 Interrupt is Enabled", "UART0 is Enabled on the Crossbar"
        const char*
            bus;  // "UART": "UART Interrupt", "Configure UART Interrupts", "UART on the Crossbar"
        int interruptText;
        int configureInterrupts;
        std::size_t interruptRegister;  // position in the interrupt record
        std::uint8_t interruptMask;
        int crossbarText;
        std::size_t crossbarRegister;  // position in the Port I/O record
        std::uint8_t crossbarMask;
    };

    // The Port I/O copy the page reads.
    const PeripheralRecord& PortIO() const { return *portIO_; }

protected:
    // Reads the sheet's copies of the interrupt and Port I/O records, which
    // only the nested sheets edit.
    CSerialPropPage(PageContext& context, const std::string& caption, const Links& links);

    // Adds the interrupt and crossbar groups and the preview, with the spare
    // height of the sheet above the preview.
    void AddLinkGroups(PageBuilder& b);
    // The baud-rate display `id` and, under it, the error against the
    // nearest standard rate (kStandardRateId).
    void AddBaudRateDisplay(PageBuilder& b, int id);
    void ShowInterruptText();
    void ShowCrossbarText();
    // "Configure ... Interrupts" and "Configure Port I/O": runs the nested
    // sheet and, on its OK, updates the status line. False for other ids.
    // The crossbar page of the Port I/O sheet sees the sheet's copy of the
    // SPI0 record, if it has one (the SPI0 page's, whose wire mode decides
    // the pins).
    bool OnLinkCommand(int id);
    // Replaces the Port I/O copy by the document's record (a nested sheet
    // may have stored one).
    void ReloadPortIO();
    std::uint32_t Sysclk() const { return Ctx().Sysclk(); }

    PeripheralRecord* interrupts_;
    PeripheralRecord* portIO_;

private:
    Links links_;
};
