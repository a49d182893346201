#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "devices/Models.h"
#include "devices/Q7R2xDoc.h"
#include "devices/Registers.h"

namespace {

// Every field of every default record (routines, register names, reset
// values, flags and the special texts) is compared byte for byte by
// ProjectFile.NewProjectOfEveryModelIsWrittenExactly; here what the file does
// not hold.
TEST(Defaults, EveryModelSetsUpTheSameRecordsUnderItsOwnClass) {
    const auto reference = NewProject(0);
    for (int m = 0; m < models::kCount; ++m) {
        const auto doc = NewProject(m);
        SCOPED_TRACE(m);
        EXPECT_EQ(std::string(doc->GetRuntimeClass()), "CQ7R2" + std::to_string(m) + "Doc");
        for (const auto& [key, rec] : doc->DeviceData.Peripherals) {
            EXPECT_EQ(rec.Id, key);
            EXPECT_FALSE(rec.IsWritten());
        }
        EXPECT_TRUE(doc->DeviceData == reference->DeviceData);
        EXPECT_EQ(doc->GenerateSource(), reference->GenerateSource());
    }
}

TEST(Defaults, ResetAllKeepsModelAndFormat) {
    auto doc = NewProject(6);
    doc->DeviceData.CodeFormat = 1;
    doc->SysclkFrequency = 24000000;
    doc->ExtOscFrequency = 32768;
    doc->EciFrequency = 5;
    doc->DeviceData.Peripherals[4].Registers[SmbusReg::SMB0CF].Value = 0x80;
    doc->DeviceData.Peripherals.erase(7);
    doc->DeviceData.Peripherals[42] = PeripheralRecord{};

    doc->InitializePeripherals();
    EXPECT_EQ(doc->DeviceCode, 166);
    EXPECT_EQ(doc->DeviceData.CodeFormat, 1);
    EXPECT_EQ(doc->SysclkFrequency, 1500000u);
    EXPECT_EQ(doc->ExtOscFrequency, 0u);
    EXPECT_EQ(doc->EciFrequency, 0u);
    EXPECT_TRUE(doc->DeviceData.Peripherals == NewProject(6)->DeviceData.Peripherals);
}

// Every name of the register map against the register at its position in the
// record every model builds, and each record's Count against its length.
TEST(Defaults, RegisterMapNamesEveryPositionOfEveryRecord) {
    struct Named {
        PeripheralId record;
        int position;
        const char* name;
    };
#define AT(record, name) \
    { Pid::record, record##Reg::name, #name }
    const std::vector<Named> map = {
        AT(ResetSources, VDM0CN),
        AT(ResetSources, RSTSRC),
        AT(Pca, PCA0CN),
        AT(Pca, PCA0MD),
        AT(Pca, PCA0CPM0),
        AT(Pca, PCA0CPM1),
        AT(Pca, PCA0CPM2),
        AT(Pca, PCA0CPM3),
        AT(Pca, PCA0CPM4),
        AT(Pca, PCA0L),
        AT(Pca, PCA0H),
        AT(Pca, PCA0CPL0),
        AT(Pca, PCA0CPL1),
        AT(Pca, PCA0CPL2),
        AT(Pca, PCA0CPL3),
        AT(Pca, PCA0CPL4),
        AT(Pca, PCA0CPH0),
        AT(Pca, PCA0CPH1),
        AT(Pca, PCA0CPH2),
        AT(Pca, PCA0CPH3),
        AT(Pca, PCA0CPH4),
        AT(Timers, TCON),
        AT(Timers, TMOD),
        AT(Timers, CKCON),
        AT(Timers, TL0),
        AT(Timers, TL1),
        AT(Timers, TH0),
        AT(Timers, TH1),
        AT(Timers, TMR2CN),
        AT(Timers, TMR2RLL),
        AT(Timers, TMR2RLH),
        AT(Timers, TMR2L),
        AT(Timers, TMR2H),
        AT(Timers, TMR3CN),
        AT(Timers, TMR3RLL),
        AT(Timers, TMR3RLH),
        AT(Timers, TMR3L),
        AT(Timers, TMR3H),
        AT(Uart, SCON0),
        AT(Uart, SBRLL1),
        AT(Uart, SBRLH1),
        AT(Uart, SCON1),
        AT(Uart, SMOD1),
        AT(Uart, SBCON1),
        AT(Smbus, SMB0CF),
        AT(Spi, SPI0CFG),
        AT(Spi, SPI0CN),
        AT(Spi, SPI0CKR),
        AT(Adc, AMX0P),
        AT(Adc, AMX0N),
        AT(Adc, ADC0CF),
        AT(Adc, ADC0CN),
        AT(Adc, ADC0GTH),
        AT(Adc, ADC0GTL),
        AT(Adc, ADC0LTH),
        AT(Adc, ADC0LTL),
        AT(Emi, EMI0CF),
        AT(Emi, EMI0TC),
        AT(Comparators, CPT0CN),
        AT(Comparators, CPT0MX),
        AT(Comparators, CPT0MD),
        AT(Comparators, CPT1CN),
        AT(Comparators, CPT1MX),
        AT(Comparators, CPT1MD),
        AT(ComparatorResetSource, VDM0CN),
        AT(ComparatorResetSource, RSTSRC),
        {Pid::ComparatorResetSource, ComparatorResetSourceReg::RSTSRC_REPEAT, "RSTSRC"},
        AT(VoltageReference, REF0CN),
        AT(VoltageRegulator, REG0CN),
        AT(Prefetch, PFE0CN),
        AT(PortIO, P0MDIN),
        AT(PortIO, P1MDIN),
        AT(PortIO, P2MDIN),
        AT(PortIO, P3MDIN),
        AT(PortIO, P4MDIN),
        AT(PortIO, P0MDOUT),
        AT(PortIO, P1MDOUT),
        AT(PortIO, P2MDOUT),
        AT(PortIO, P3MDOUT),
        AT(PortIO, P4MDOUT),
        AT(PortIO, P0SKIP),
        AT(PortIO, P1SKIP),
        AT(PortIO, P2SKIP),
        AT(PortIO, P3SKIP),
        AT(PortIO, XBR0),
        AT(PortIO, XBR1),
        AT(PortIO, XBR2),
        AT(Oscillator, OSCXCN),
        AT(Oscillator, OSCICN),
        AT(Oscillator, OSCLCN),
        AT(Oscillator, CLKMUL),
        AT(Oscillator, CLKSEL),
        AT(Interrupts, IP),
        AT(Interrupts, EIE1),
        AT(Interrupts, EIP1),
        AT(Interrupts, EIE2),
        AT(Interrupts, EIP2),
        AT(Interrupts, IT01CF),
        AT(Interrupts, IE),
    };
#undef AT
    const std::map<PeripheralId, int> counts = {
        {Pid::ResetSources, ResetSourcesReg::Count},
        {Pid::Pca, PcaReg::Count},
        {Pid::Timers, TimersReg::Count},
        {Pid::Uart, UartReg::Count},
        {Pid::Smbus, SmbusReg::Count},
        {Pid::Spi, SpiReg::Count},
        {Pid::Adc, AdcReg::Count},
        {Pid::Emi, EmiReg::Count},
        {Pid::Comparators, ComparatorsReg::Count},
        {Pid::ComparatorResetSource, ComparatorResetSourceReg::Count},
        {Pid::VoltageReference, VoltageReferenceReg::Count},
        {Pid::VoltageRegulator, VoltageRegulatorReg::Count},
        {Pid::Prefetch, PrefetchReg::Count},
        {Pid::PortIO, PortIOReg::Count},
        {Pid::Oscillator, OscillatorReg::Count},
        {Pid::Interrupts, InterruptsReg::Count},
    };
    for (int m = 0; m < models::kCount; ++m) {
        const auto doc = NewProject(m);
        const auto& records = doc->DeviceData.Peripherals;
        ASSERT_EQ(records.size(), counts.size());
        std::map<PeripheralId, int> named;
        for (const Named& n : map) {
            SCOPED_TRACE(std::string(n.name) + " in record " + std::to_string(n.record));
            const auto& regs = records.at(n.record).Registers;
            ASSERT_LT(static_cast<std::size_t>(n.position), regs.size());
            EXPECT_EQ(regs[static_cast<std::size_t>(n.position)].Name, n.name) << "model " << m;
            ++named[n.record];
        }
        for (const auto& [id, rec] : records) {
            EXPECT_EQ(static_cast<int>(rec.Registers.size()), counts.at(id)) << "record " << id;
            EXPECT_EQ(named[id], counts.at(id)) << "record " << id;
        }
    }
}

TEST(Models, NamesAndGroups) {
    EXPECT_EQ(models::ModelFromName("q7r22"), 2);
    EXPECT_EQ(models::ModelFromName("Q7R27"), 7);
    EXPECT_FALSE(models::ModelFromName("Q7R28"));
    EXPECT_FALSE(models::ModelFromName("Q7R2"));
    EXPECT_FALSE(models::ModelFromName("Q7R200"));
    EXPECT_EQ(models::NameOf(165), "Q7R25");
    EXPECT_EQ(models::NameOf(168), "");
    int large = 0;
    for (int code = 160; code <= 167; ++code) {
        EXPECT_NE(models::IsLargePackage(code), models::IsSmallPackage(code));
        large += models::LargePackageFlag(code);
    }
    EXPECT_EQ(large, 4);
    EXPECT_TRUE(models::IsLargePackage(164));
    EXPECT_TRUE(models::IsSmallPackage(163));
    EXPECT_TRUE(models::HasNoLfOscillator(166));
    EXPECT_FALSE(models::HasNoLfOscillator(165));
    EXPECT_TRUE(models::IsUpperFour(164));
    EXPECT_FALSE(models::IsUpperFour(163));
    EXPECT_EQ(models::TemplateIdOf(6), 11007);
    EXPECT_EQ(models::TemplateIdOf(7), 11009);
}

}  // namespace
