#pragma once
// The register map: where each register sits in its record. Pages, checks,
// the generator and tests address a record's registers by these positions,
// which follow the order in which the default record builders list them
// (the same for every model). Each record's Count is its number of entries.
//
// Usage: rec.Registers[PortIOReg::XBR1], Value(TimersReg::TMOD).

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
