#pragma once
// The records a new project of every model holds, written out by hand: each
// register by its record and its name in the register map, with the name the
// file holds and its reset value, in the order of the file; and each
// record's routine.

#include <cstdint>
#include <map>
#include <vector>

#include "devices/Registers.h"

struct DefaultRegister {
    PeripheralId record;
    int position;
    const char* name;
    std::uint8_t reset;
};

inline const std::vector<DefaultRegister>& DefaultRegisters() {
#define AT(record, name, reset) \
    { Pid::record, record##Reg::name, #name, reset }
    static const std::vector<DefaultRegister> table = {
        AT(ResetSources, VDM0CN, 0), AT(ResetSources, RSTSRC, 0), AT(Pca, PCA0CN, 0),
        AT(Pca, PCA0MD, 0), AT(Pca, PCA0CPM0, 0), AT(Pca, PCA0CPM1, 0), AT(Pca, PCA0CPM2, 0),
        AT(Pca, PCA0CPM3, 0), AT(Pca, PCA0CPM4, 0), AT(Pca, PCA0L, 0), AT(Pca, PCA0H, 0),
        AT(Pca, PCA0CPL0, 0), AT(Pca, PCA0CPL1, 0), AT(Pca, PCA0CPL2, 0), AT(Pca, PCA0CPL3, 0),
        AT(Pca, PCA0CPL4, 0), AT(Pca, PCA0CPH0, 0), AT(Pca, PCA0CPH1, 0), AT(Pca, PCA0CPH2, 0),
        AT(Pca, PCA0CPH3, 0), AT(Pca, PCA0CPH4, 0), AT(Timers, TCON, 0), AT(Timers, TMOD, 0),
        AT(Timers, CKCON, 0), AT(Timers, TL0, 0), AT(Timers, TL1, 0), AT(Timers, TH0, 0),
        AT(Timers, TH1, 0), AT(Timers, TMR2CN, 0), AT(Timers, TMR2RLL, 0), AT(Timers, TMR2RLH, 0),
        AT(Timers, TMR2L, 0), AT(Timers, TMR2H, 0), AT(Timers, TMR3CN, 0), AT(Timers, TMR3RLL, 0),
        AT(Timers, TMR3RLH, 0), AT(Timers, TMR3L, 0), AT(Timers, TMR3H, 0), AT(Uart, SCON0, 0),
        AT(Uart, SBRLL1, 0), AT(Uart, SBRLH1, 0), AT(Uart, SCON1, 0), AT(Uart, SMOD1, 0x0C),
        AT(Uart, SBCON1, 0), AT(Smbus, SMB0CF, 0), AT(Spi, SPI0CFG, 0), AT(Spi, SPI0CN, 4),
        AT(Spi, SPI0CKR, 0), AT(Adc, AMX0P, 0), AT(Adc, AMX0N, 0), AT(Adc, ADC0CF, 0xF8),
        AT(Adc, ADC0CN, 0), AT(Adc, ADC0GTH, 0xFF), AT(Adc, ADC0GTL, 0xFF), AT(Adc, ADC0LTH, 0),
        AT(Adc, ADC0LTL, 0), AT(Emi, EMI0CF, 3), AT(Emi, EMI0TC, 0xFF), AT(Comparators, CPT0CN, 0),
        AT(Comparators, CPT0MX, 0), AT(Comparators, CPT0MD, 2), AT(Comparators, CPT1CN, 0),
        AT(Comparators, CPT1MX, 0), AT(Comparators, CPT1MD, 2),
        AT(ComparatorResetSource, VDM0CN, 0), AT(ComparatorResetSource, RSTSRC, 0),
        {Pid::ComparatorResetSource, ComparatorResetSourceReg::RSTSRC_REPEAT, "RSTSRC", 0},
        AT(VoltageReference, REF0CN, 0), AT(VoltageRegulator, REG0CN, 0),
        AT(Prefetch, PFE0CN, 0x20), AT(PortIO, P0MDIN, 0xFF), AT(PortIO, P1MDIN, 0xFF),
        AT(PortIO, P2MDIN, 0xFF), AT(PortIO, P3MDIN, 0xFF), AT(PortIO, P4MDIN, 0xFF),
        AT(PortIO, P0MDOUT, 0), AT(PortIO, P1MDOUT, 0), AT(PortIO, P2MDOUT, 0),
        AT(PortIO, P3MDOUT, 0), AT(PortIO, P4MDOUT, 0), AT(PortIO, P0SKIP, 0),
        AT(PortIO, P1SKIP, 0), AT(PortIO, P2SKIP, 0), AT(PortIO, P3SKIP, 0), AT(PortIO, XBR0, 0),
        AT(PortIO, XBR1, 0), AT(PortIO, XBR2, 0), AT(Oscillator, OSCXCN, 0),
        AT(Oscillator, OSCICN, 0x80), AT(Oscillator, OSCLCN, 0), AT(Oscillator, CLKMUL, 0),
        AT(Oscillator, CLKSEL, 0), AT(Interrupts, IP, 0), AT(Interrupts, EIE1, 0),
        AT(Interrupts, EIP1, 0), AT(Interrupts, EIE2, 0), AT(Interrupts, EIP2, 0),
        AT(Interrupts, IT01CF, 1), AT(Interrupts, IE, 0),
    };
#undef AT
    return table;
}

inline const std::map<PeripheralId, const char*>& DefaultRoutines() {
    static const std::map<PeripheralId, const char*> routines = {
        {Pid::ResetSources, "Reset_Sources_Init"}, {Pid::Pca, "PCA_Init"},
        {Pid::Timers, "Timer_Init"}, {Pid::Uart, "UART_Init"}, {Pid::Smbus, "SMBus_Init"},
        {Pid::Spi, "SPI_Init"}, {Pid::Adc, "ADC_Init"}, {Pid::Emi, "EMI_Init"},
        {Pid::Comparators, "Comparator_Init"},
        {Pid::ComparatorResetSource, "Comparator_Reset_Source_Init"},
        {Pid::VoltageReference, "Voltage_Reference_Init"},
        {Pid::VoltageRegulator, "Voltage_Regulator_Init"}, {Pid::Prefetch, "Prefetch_Init"},
        {Pid::PortIO, "Port_IO_Init"}, {Pid::Oscillator, "Oscillator_Init"},
        {Pid::Interrupts, "Interrupts_Init"},
    };
    return routines;
}
