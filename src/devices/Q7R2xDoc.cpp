#include "devices/Q7R2xDoc.h"

#include <initializer_list>
#include <utility>

#include "devices/Models.h"
#include "devices/Registers.h"

namespace {

constexpr const char* kCrLf = "\r\n";

struct Reg {
    const char* name;
    std::uint8_t reset = 0;
};

// A default record: frame texts from the routine name, one entry per register
// at its reset value, Index equal to the position.
PeripheralRecord MakeRecord(PeripheralId id, const std::string& routine,
                            std::initializer_list<Reg> regs) {
    PeripheralRecord r;
    r.Id = id;
    r.CHead = "void " + routine + "()" + kCrLf + "{";
    r.AsmLabel = routine + ":" + kCrLf;
    for (const Reg& reg : regs) {
        RegisterEntry e;
        e.Index = static_cast<std::int32_t>(r.Registers.size());
        e.Name = reg.name;
        e.Value = e.ResetValue = reg.reset;
        r.Registers.push_back(std::move(e));
    }
    r.CFoot = "}";
    r.AsmFoot = "    ret";
    return r;
}

}  // namespace

const char* CQ7R2xDoc::GetRuntimeClass() const {
    static const char* const names[models::kCount] = {"CQ7R20Doc", "CQ7R21Doc", "CQ7R22Doc",
                                                      "CQ7R23Doc", "CQ7R24Doc", "CQ7R25Doc",
                                                      "CQ7R26Doc", "CQ7R27Doc"};
    return names[model_];
}

bool CQ7R2xDoc::OnNewDocument() {
    if (!CDeviceDocument::OnNewDocument()) return false;
    DeviceCode = models::CodeOf(model_);
    DeviceData.IncludeName = "Q7R20";
    DeviceData.CodeFormat = 0;
    InitializePeripherals();
    return true;
}

void CQ7R2xDoc::InitializePeripherals() {
    DeviceData.Peripherals.clear();
    SysclkFrequency = 1500000;
    IntOscFrequency = 12000000;
    LfOscFrequency = 80000;
    ExtOscFrequency = 0;
    EciFrequency = 0;
    InitTimer();
    InitUART();
    InitOscillator();
    InitInterrupts();
    InitVoltageRef();
    InitVoltageReg();
    InitResetSources();
    InitSPI();
    InitComparator();
    InitPortIO();
    InitADC();
    InitPCA();
    InitSMBus();
    InitPrefetch();
    InitEMI();
}

void CQ7R2xDoc::InitResetSources() {
    PeripheralRecord r = MakeRecord(Pid::ResetSources, "Reset_Sources_Init",
                                    {{"VDM0CN"}, {"RSTSRC"}});
    r.Registers[ResetSourcesReg::VDM0CN].CPost =
        std::string("    for (i = 0; i < 350; i++);  // Wait 100us for initialization") + kCrLf;
    r.Registers[ResetSourcesReg::VDM0CN].AsmPost =
        std::string("    clr  A                     ; Wait 100us for initialization") + kCrLf +
        "    djnz ACC,       $" + kCrLf;
    DeviceData.Insert(r.Id, r);

    // The comparator reset source is built from the same working list, with
    // one more RSTSRC entry that repeats Index 1.
    PeripheralRecord c = r;
    c.Id = Pid::ComparatorResetSource;
    c.CHead = std::string("void Comparator_Reset_Source_Init()") + kCrLf + "{";
    c.AsmLabel = std::string("Comparator_Reset_Source_Init:") + kCrLf;
    RegisterEntry extra;
    extra.Index = ResetSourcesReg::RSTSRC;
    extra.Name = "RSTSRC";
    c.Registers.push_back(extra);
    DeviceData.Insert(c.Id, c);
}

void CQ7R2xDoc::InitPCA() {
    PeripheralRecord r = MakeRecord(
        Pid::Pca, "PCA_Init",
        {{"PCA0CN"}, {"PCA0MD"}, {"PCA0CPM0"}, {"PCA0CPM1"}, {"PCA0CPM2"}, {"PCA0CPM3"},
         {"PCA0CPM4"}, {"PCA0L"}, {"PCA0H"}, {"PCA0CPL0"}, {"PCA0CPL1"}, {"PCA0CPL2"},
         {"PCA0CPL3"}, {"PCA0CPL4"}, {"PCA0CPH0"}, {"PCA0CPH1"}, {"PCA0CPH2"}, {"PCA0CPH3"},
         {"PCA0CPH4"}});
    // The watchdog is disabled around the PCA0MD write and enabled again after
    // PCA0CPL4 (the watchdog's compare value) is written.
    r.Registers[PcaReg::PCA0MD].CPre = std::string("    PCA0MD    &= ~0x40;") + kCrLf;
    r.Registers[PcaReg::PCA0MD].AsmPre = std::string("    anl  PCA0MD,    #0BFh") + kCrLf;
    r.Registers[PcaReg::PCA0CPL4].CPost = std::string("    PCA0MD    |= 0x40;") + kCrLf;
    r.Registers[PcaReg::PCA0CPL4].AsmPost = std::string("    orl  PCA0MD,    #040h") + kCrLf;
    DeviceData.Insert(r.Id, r);
}

void CQ7R2xDoc::InitTimer() {
    DeviceData.Insert(Pid::Timers,
                      MakeRecord(Pid::Timers, "Timer_Init",
                                 {{"TCON"}, {"TMOD"}, {"CKCON"}, {"TL0"}, {"TL1"}, {"TH0"},
                                  {"TH1"}, {"TMR2CN"}, {"TMR2RLL"}, {"TMR2RLH"}, {"TMR2L"},
                                  {"TMR2H"}, {"TMR3CN"}, {"TMR3RLL"}, {"TMR3RLH"}, {"TMR3L"},
                                  {"TMR3H"}}));
}

void CQ7R2xDoc::InitUART() {
    DeviceData.Insert(Pid::Uart, MakeRecord(Pid::Uart, "UART_Init",
                                            {{"SCON0"}, {"SBRLL1"}, {"SBRLH1"}, {"SCON1"},
                                             {"SMOD1", 0x0C}, {"SBCON1"}}));
}

void CQ7R2xDoc::InitSMBus() {
    DeviceData.Insert(Pid::Smbus, MakeRecord(Pid::Smbus, "SMBus_Init", {{"SMB0CF"}}));
}

void CQ7R2xDoc::InitSPI() {
    DeviceData.Insert(Pid::Spi, MakeRecord(Pid::Spi, "SPI_Init",
                                           {{"SPI0CFG"}, {"SPI0CN", 0x04}, {"SPI0CKR"}}));
}

void CQ7R2xDoc::InitADC() {
    DeviceData.Insert(Pid::Adc, MakeRecord(Pid::Adc, "ADC_Init",
                                           {{"AMX0P"}, {"AMX0N"}, {"ADC0CF", 0xF8}, {"ADC0CN"},
                                            {"ADC0GTH", 0xFF}, {"ADC0GTL", 0xFF}, {"ADC0LTH"},
                                            {"ADC0LTL"}}));
}

void CQ7R2xDoc::InitEMI() {
    DeviceData.Insert(Pid::Emi,
                      MakeRecord(Pid::Emi, "EMI_Init", {{"EMI0CF", 0x03}, {"EMI0TC", 0xFF}}));
}

void CQ7R2xDoc::InitComparator() {
    DeviceData.Insert(Pid::Comparators,
                      MakeRecord(Pid::Comparators, "Comparator_Init",
                                 {{"CPT0CN"}, {"CPT0MX"}, {"CPT0MD", 0x02}, {"CPT1CN"},
                                  {"CPT1MX"}, {"CPT1MD", 0x02}}));
}

void CQ7R2xDoc::InitVoltageRef() {
    DeviceData.Insert(Pid::VoltageReference,
                      MakeRecord(Pid::VoltageReference, "Voltage_Reference_Init", {{"REF0CN"}}));
}

void CQ7R2xDoc::InitVoltageReg() {
    DeviceData.Insert(Pid::VoltageRegulator,
                      MakeRecord(Pid::VoltageRegulator, "Voltage_Regulator_Init", {{"REG0CN"}}));
}

void CQ7R2xDoc::InitPrefetch() {
    DeviceData.Insert(Pid::Prefetch,
                      MakeRecord(Pid::Prefetch, "Prefetch_Init", {{"PFE0CN", 0x20}}));
}

void CQ7R2xDoc::InitPortIO() {
    DeviceData.Insert(Pid::PortIO,
                      MakeRecord(Pid::PortIO, "Port_IO_Init",
                                 {{"P0MDIN", 0xFF}, {"P1MDIN", 0xFF}, {"P2MDIN", 0xFF},
                                  {"P3MDIN", 0xFF}, {"P4MDIN", 0xFF}, {"P0MDOUT"}, {"P1MDOUT"},
                                  {"P2MDOUT"}, {"P3MDOUT"}, {"P4MDOUT"}, {"P0SKIP"}, {"P1SKIP"},
                                  {"P2SKIP"}, {"P3SKIP"}, {"XBR0"}, {"XBR1"}, {"XBR2"}}));
}

void CQ7R2xDoc::InitOscillator() {
    PeripheralRecord r = MakeRecord(Pid::Oscillator, "Oscillator_Init",
                                    {{"OSCXCN"}, {"OSCICN", 0x80}, {"OSCLCN"}, {"CLKMUL"},
                                     {"CLKSEL"}});
    r.Registers[OscillatorReg::OSCLCN].OrWrite = 1;  // OSCLCN keeps its calibration bits
    DeviceData.Insert(r.Id, r);
}

void CQ7R2xDoc::InitInterrupts() {
    DeviceData.Insert(Pid::Interrupts,
                      MakeRecord(Pid::Interrupts, "Interrupts_Init",
                                 {{"IP"}, {"EIE1"}, {"EIP1"}, {"EIE2"}, {"EIP2"},
                                  {"IT01CF", 0x01}, {"IE"}}));
}

std::unique_ptr<CQ7R2xDoc> CreateModelDocument(int model) {
    switch (model) {
        case 0: return std::make_unique<CQ7R20Doc>();
        case 1: return std::make_unique<CQ7R21Doc>();
        case 2: return std::make_unique<CQ7R22Doc>();
        case 3: return std::make_unique<CQ7R23Doc>();
        case 4: return std::make_unique<CQ7R24Doc>();
        case 5: return std::make_unique<CQ7R25Doc>();
        case 6: return std::make_unique<CQ7R26Doc>();
        case 7: return std::make_unique<CQ7R27Doc>();
        default: return nullptr;
    }
}

std::unique_ptr<CQ7R2xDoc> NewProject(int model) {
    auto doc = CreateModelDocument(model);
    if (doc) doc->OnNewDocument();
    return doc;
}

void CompleteRecord(PeripheralRecord& record, int deviceCode, PeripheralId id) {
    const int model = deviceCode - models::kFirstCode;
    if (model < 0 || model > 7) return;
    auto defaults = NewProject(model);
    PeripheralRecord full;
    defaults->GetPeripheral(full, id);
    for (std::size_t i = record.Registers.size(); i < full.Registers.size(); ++i)
        record.Registers.push_back(full.Registers[i]);
}
