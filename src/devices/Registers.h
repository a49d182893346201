#pragma once
// The register map: where each register sits in its record. Pages, checks,
// the generator and tests address a record's registers by these positions,
// which follow the order in which the default record builders list them
// (the same for every model). Each record's Count is its number of entries.
//
// Usage: rec.Registers[PortIOReg::XBR1], Value(TimersReg::TMOD).
//
// Below the positions, the fields the pages write (regfields), by which
// `zorvant merge` merges two changes to one register.

#include <cstdint>
#include <vector>

#include "model/PeripheralRecord.h"

namespace ResetSourcesReg {  // record 0, Reset_Sources_Init
enum Position : int { VDM0CN, RSTSRC, Count };
}  // namespace ResetSourcesReg

namespace PcaReg {  // record 1, PCA_Init
enum Position : int {
    PCA0CN,
    PCA0MD,
    PCA0CPM0,  // PCA0CPM1 .. PCA0CPM4 follow
    PCA0CPM1,
    PCA0CPM2,
    PCA0CPM3,
    PCA0CPM4,
    PCA0L,
    PCA0H,
    PCA0CPL0,  // PCA0CPL1 .. PCA0CPL4 follow
    PCA0CPL1,
    PCA0CPL2,
    PCA0CPL3,
    PCA0CPL4,
    PCA0CPH0,  // PCA0CPH1 .. PCA0CPH4 follow
    PCA0CPH1,
    PCA0CPH2,
    PCA0CPH3,
    PCA0CPH4,
    Count
};
}  // namespace PcaReg

namespace TimersReg {  // record 2, Timer_Init
enum Position : int {
    TCON,
    TMOD,
    CKCON,
    TL0,
    TL1,
    TH0,
    TH1,
    TMR2CN,
    TMR2RLL,
    TMR2RLH,
    TMR2L,
    TMR2H,
    TMR3CN,
    TMR3RLL,
    TMR3RLH,
    TMR3L,
    TMR3H,
    Count
};
}  // namespace TimersReg

namespace UartReg {  // record 3, UART_Init
enum Position : int { SCON0, SBRLL1, SBRLH1, SCON1, SMOD1, SBCON1, Count };
}  // namespace UartReg

namespace SmbusReg {  // record 4, SMBus_Init
enum Position : int { SMB0CF, Count };
}  // namespace SmbusReg

namespace SpiReg {  // record 5, SPI_Init
enum Position : int { SPI0CFG, SPI0CN, SPI0CKR, Count };
}  // namespace SpiReg

namespace AdcReg {  // record 6, ADC_Init
enum Position : int { AMX0P, AMX0N, ADC0CF, ADC0CN, ADC0GTH, ADC0GTL, ADC0LTH, ADC0LTL, Count };
}  // namespace AdcReg

namespace EmiReg {  // record 7, EMI_Init
enum Position : int { EMI0CF, EMI0TC, Count };
}  // namespace EmiReg

namespace ComparatorsReg {  // record 8, Comparator_Init
enum Position : int { CPT0CN, CPT0MX, CPT0MD, CPT1CN, CPT1MX, CPT1MD, Count };
}  // namespace ComparatorsReg

namespace ComparatorResetSourceReg {  // record 9, Comparator_Reset_Source_Init
// Built from the reset-source list with one more RSTSRC entry (Index 1 again).
enum Position : int { VDM0CN, RSTSRC, RSTSRC_REPEAT, Count };
}  // namespace ComparatorResetSourceReg

namespace VoltageReferenceReg {  // record 10, Voltage_Reference_Init
enum Position : int { REF0CN, Count };
}  // namespace VoltageReferenceReg

namespace VoltageRegulatorReg {  // record 11, Voltage_Regulator_Init
enum Position : int { REG0CN, Count };
}  // namespace VoltageRegulatorReg

namespace PrefetchReg {  // record 12, Prefetch_Init
enum Position : int { PFE0CN, Count };
}  // namespace PrefetchReg

namespace PortIOReg {  // record 13, Port_IO_Init
enum Position : int {
    P0MDIN,  // P1MDIN .. P4MDIN follow: port n at P0MDIN + n
    P1MDIN,
    P2MDIN,
    P3MDIN,
    P4MDIN,
    P0MDOUT,  // port n at P0MDOUT + n
    P1MDOUT,
    P2MDOUT,
    P3MDOUT,
    P4MDOUT,
    P0SKIP,  // port n at P0SKIP + n (ports 0 .. 3)
    P1SKIP,
    P2SKIP,
    P3SKIP,
    XBR0,
    XBR1,
    XBR2,
    Count
};
}  // namespace PortIOReg

namespace OscillatorReg {  // record 14, Oscillator_Init
enum Position : int { OSCXCN, OSCICN, OSCLCN, CLKMUL, CLKSEL, Count };
}  // namespace OscillatorReg

namespace InterruptsReg {  // record 15, Interrupts_Init
enum Position : int { IP, EIE1, EIP1, EIE2, EIP2, IT01CF, IE, Count };
}  // namespace InterruptsReg

// ---------------------------------------------------------------------------
// The fields the pages write, register by register: a bit of a check box, a
// mode or source field of a group of radio buttons or a drop-down, a divider,
// or a whole register that holds one number (a count, a reload, a compare
// value, a window limit, a clock divider). Two changes to one register merge
// when they touch different fields. Bits that no mask of a register covers
// are fields of one bit each; a register not listed is all such bits.

namespace regfields {

inline constexpr std::uint8_t kNumber = 0xFF;

struct RegisterFields {
    PeripheralId Record;
    int Position;
    std::uint8_t Masks[4];  // the multi-bit fields; 0 ends the list
};

inline constexpr RegisterFields kFields[] = {
    {Pid::Pca, PcaReg::PCA0MD, {0x0E}},  // timebase
    {Pid::Pca, PcaReg::PCA0CPM0, {0xFE}},  // module mode; 0x01 its interrupt
    {Pid::Pca, PcaReg::PCA0CPM1, {0xFE}},
    {Pid::Pca, PcaReg::PCA0CPM2, {0xFE}},
    {Pid::Pca, PcaReg::PCA0CPM3, {0xFE}},
    {Pid::Pca, PcaReg::PCA0CPM4, {0xFE}},
    {Pid::Pca, PcaReg::PCA0L, {kNumber}},
    {Pid::Pca, PcaReg::PCA0H, {kNumber}},
    {Pid::Pca, PcaReg::PCA0CPL0, {kNumber}},
    {Pid::Pca, PcaReg::PCA0CPL1, {kNumber}},
    {Pid::Pca, PcaReg::PCA0CPL2, {kNumber}},
    {Pid::Pca, PcaReg::PCA0CPL3, {kNumber}},
    {Pid::Pca, PcaReg::PCA0CPL4, {kNumber}},
    {Pid::Pca, PcaReg::PCA0CPH0, {kNumber}},
    {Pid::Pca, PcaReg::PCA0CPH1, {kNumber}},
    {Pid::Pca, PcaReg::PCA0CPH2, {kNumber}},
    {Pid::Pca, PcaReg::PCA0CPH3, {kNumber}},
    {Pid::Pca, PcaReg::PCA0CPH4, {kNumber}},
    {Pid::Timers, TimersReg::TMOD, {0x0F, 0xF0}},  // Timer 0's half, Timer 1's half
    {Pid::Timers, TimersReg::CKCON, {0x03}},       // prescaler of Timers 0 and 1
    {Pid::Timers, TimersReg::TL0, {kNumber}},
    {Pid::Timers, TimersReg::TL1, {kNumber}},
    {Pid::Timers, TimersReg::TH0, {kNumber}},
    {Pid::Timers, TimersReg::TH1, {kNumber}},
    {Pid::Timers, TimersReg::TMR2RLL, {kNumber}},
    {Pid::Timers, TimersReg::TMR2RLH, {kNumber}},
    {Pid::Timers, TimersReg::TMR2L, {kNumber}},
    {Pid::Timers, TimersReg::TMR2H, {kNumber}},
    {Pid::Timers, TimersReg::TMR3RLL, {kNumber}},
    {Pid::Timers, TimersReg::TMR3RLH, {kNumber}},
    {Pid::Timers, TimersReg::TMR3L, {kNumber}},
    {Pid::Timers, TimersReg::TMR3H, {kNumber}},
    {Pid::Uart, UartReg::SBRLL1, {kNumber}},
    {Pid::Uart, UartReg::SBRLH1, {kNumber}},
    {Pid::Uart, UartReg::SMOD1, {0x0C, 0x60}},  // data length, parity
    {Pid::Uart, UartReg::SBCON1, {0x03}},       // prescaler
    {Pid::Smbus, SmbusReg::SMB0CF, {0x03}},     // clock source
    {Pid::Spi, SpiReg::SPI0CN, {0x0C}},         // wire mode (NSS)
    {Pid::Spi, SpiReg::SPI0CKR, {kNumber}},
    {Pid::Adc, AdcReg::AMX0P, {kNumber}},
    {Pid::Adc, AdcReg::AMX0N, {kNumber}},
    {Pid::Adc, AdcReg::ADC0CF, {0xF8}},  // SAR clock divider
    {Pid::Adc, AdcReg::ADC0CN, {0x07}},  // start of conversion
    {Pid::Adc, AdcReg::ADC0GTH, {kNumber}},
    {Pid::Adc, AdcReg::ADC0GTL, {kNumber}},
    {Pid::Adc, AdcReg::ADC0LTH, {kNumber}},
    {Pid::Adc, AdcReg::ADC0LTL, {kNumber}},
    {Pid::Emi, EmiReg::EMI0CF, {0x0C, 0x03}},        // mode, ALE width
    {Pid::Emi, EmiReg::EMI0TC, {0xC0, 0x3C, 0x03}},  // setup, pulse width, hold
    {Pid::Comparators, ComparatorsReg::CPT0CN, {0x0C, 0x03}},  // hysteresis + and -
    {Pid::Comparators, ComparatorsReg::CPT0MX, {0x07, 0x70}},  // inputs + and -
    {Pid::Comparators, ComparatorsReg::CPT0MD, {0x03}},        // response time
    {Pid::Comparators, ComparatorsReg::CPT1CN, {0x0C, 0x03}},
    {Pid::Comparators, ComparatorsReg::CPT1MX, {0x07, 0x70}},
    {Pid::Comparators, ComparatorsReg::CPT1MD, {0x03}},
    {Pid::PortIO, PortIOReg::XBR1, {0x07}},  // PCA channels routed
    {Pid::Oscillator, OscillatorReg::OSCXCN, {0x70, 0x07}},  // mode, frequency control
    {Pid::Oscillator, OscillatorReg::OSCICN, {0x03}},        // divider
    {Pid::Oscillator, OscillatorReg::OSCLCN, {0x03}},
    {Pid::Oscillator, OscillatorReg::CLKMUL, {0x03}},        // input
    {Pid::Oscillator, OscillatorReg::CLKSEL, {0x70, 0x07}},  // USB clock, SYSCLK source
    {Pid::Interrupts, InterruptsReg::IT01CF, {0x07, 0x70}},  // /INT0 and /INT1 pins
};

// The fields of a register: its multi-bit fields, then each bit no field
// covers, in ascending order.
inline std::vector<std::uint8_t> FieldsOf(PeripheralId record, int position) {
    std::vector<std::uint8_t> fields;
    std::uint8_t covered = 0;
    for (const RegisterFields& r : kFields)
        if (r.Record == record && r.Position == position)
            for (std::uint8_t m : r.Masks)
                if (m) {
                    fields.push_back(m);
                    covered |= m;
                }
    for (int bit = 0; bit < 8; ++bit)
        if (!(covered & (1u << bit))) fields.push_back(static_cast<std::uint8_t>(1u << bit));
    return fields;
}

}  // namespace regfields
