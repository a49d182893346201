#include "pages/system/InterruptPages.h"

#include "devices/Models.h"
#include "devices/Registers.h"
#include "model/DeviceDocument.h"

// Every page here edits the interrupt record: its registers by name.
using namespace InterruptsReg;

namespace {

constexpr int kEnableUart1 = 11010;
constexpr int kPriorityUart1 = 11011;
constexpr int kInt0Button = 11282;
constexpr int kInt1Button = 11281;

const std::vector<std::string> kPins = {"P0.0", "P0.1", "P0.2", "P0.3", "P0.4", "P0.5", "P0.6", "P0.7"};

// One interrupt source: its enable check box and its priority check box, on
// the same bit of IE and IP (bank 0), EIE1 and EIP1 (1) or EIE2 and EIP2 (2).
struct Source {
    int enableId;
    const char* enable;
    int priorityId;
    const char* priority;
    int bank;
    std::uint8_t bit;
};

// The sources in the order both pages show them, by group box.
struct SourceGroup {
    const char* enableGroup;
    const char* priorityGroup;
    int column;
    std::vector<Source> sources;
};

const SourceGroup kSourceGroups[] = {
    {"UART Interrupts", "UART Interrupt Priority", 0,
     {{11198, "Enable UART0 Interrupt", 11205, "Set UART0 Priority High", 0, 0x10},
      {kEnableUart1, "Enable UART1 Interrupt", kPriorityUart1, "Set UART1 Priority High", 2, 0x02}}},
    {"SPI Interrupts", "SPI Interrupt Priority", 0,
     {{11199, "Enable SPI0 Interrupt", 11207, "Set SPI0 Priority High", 0, 0x40}}},
    {"Comparator Interrupts", "Comparator Interrupt Priorities", 0,
     {{11200, "Enable CP0 Interrupt", 11208, "Set CP0 Priority High", 1, 0x20},
      {11206, "Enable CP1 Interrupt", 11219, "Set CP1 Priority High", 1, 0x40}}},
    {"SMBus Interrupts", "SMBus Interrupt Priority", 0,
     {{11202, "Enable SMB0 Interrupt", 11209, "Set SMB0 Priority High", 1, 0x01}}},
    {"ADC Conversion Complete Interrupts", "ADC Interrupt Priority", 0,
     {{11204, "Enable AD0INT Interrupt", 11210, "Set AD0INT Priority High", 1, 0x08}}},
    {"Timer Interrupts", "Timer Interrupt Priorities", 1,
     {{11192, "Enable Timer 0 Interrupt", 11218, "Set Timer 0 Priority High", 0, 0x02},
      {11193, "Enable Timer 1 Interrupt", 11217, "Set Timer 1 Priority High", 0, 0x08},
      {11194, "Enable Timer 2 Interrupt", 11216, "Set Timer 2 Priority High", 0, 0x20},
      {11195, "Enable Timer 3 Interrupt", 11215, "Set Timer 3 Priority High", 1, 0x80},
      {11196, "Enable /INT0 Interrupt", 11214, "Set /INT0 Priority High", 0, 0x01},
      {11197, "Enable /INT1 Interrupt", 11213, "Set /INT1 Priority High", 0, 0x04}}},
    {"USB Interrupts", "USB Interrupt Priority", 1,
     {{11405, "Enable USB Interrupts", 11407, "Set USB Priority High", 1, 0x02},
      {11406, "Enable VBUS Interrupts", 11408, "Set VBUS Priority High", 2, 0x01}}},
    {"PCA Interrupts", "PCA Interrupt Priority", 1,
     {{11201, "Enable PCA0 Interrupt", 11212, "Set PCA0 Priority High", 1, 0x10}}},
    {"Window Comparison ADC Interrupts", "Window Comparison Interrupt Priority", 1,
     {{11203, "Enable AD0WINT Interrupt", 11211, "Set AD0WINT Priority High", 1, 0x04}}},
};

// One check box per source, enables or priorities, then the preview.
void AddSources(PageBuilder& b, bool priority) {
    constexpr int kEnables[3] = {IE, EIE1, EIE2};
    constexpr int kPriorities[3] = {IP, EIP1, EIP2};
    int column = 0;
    for (const SourceGroup& group : kSourceGroups) {
        if (group.column != column) {
            b.NextColumn();
            column = group.column;
        }
        b.Group(priority ? group.priorityGroup : group.enableGroup);
        for (const Source& s : group.sources) {
            if (priority)
                b.Check(s.priorityId, s.priority).Bit(kPriorities[s.bank], s.bit);
            else
                b.Check(s.enableId, s.enable).Bit(kEnables[s.bank], s.bit);
        }
    }
    b.Preview();
}

bool IsSmallPackage(const CRegisterAccess& page) { return models::IsSmallPackage(page.DeviceCode()); }

}  // namespace

CIntEnablePropPage::CIntEnablePropPage() : CPropPage("Enable Interrupts") {
    PageBuilder b = Builder();
    b.Group("Global Interrupt Enable");
    b.Check(11191, "Enable All Interrupts   (If not checked, all interrupts are ignored)").Bit(IE, 0x80);
    AddSources(b, false);
}

void CIntEnablePropPage::OnInitDialog() {
    // Only the large-package models have UART1; a hidden box keeps its bit.
    if (IsSmallPackage(*this)) Show(kEnableUart1, false);
    CPropPage::OnInitDialog();
}

CIntPriorityPropPage::CIntPriorityPropPage() : CPropPage("Interrupt Priority") {
    PageBuilder b = Builder();
    AddSources(b, true);
}

void CIntPriorityPropPage::OnInitDialog() {
    if (IsSmallPackage(*this)) Show(kPriorityUart1, false);
    CPropPage::OnInitDialog();
}

CInt01ConfigPropPage::CInt01ConfigPropPage() : CPropPage("INT0/INT1 Configuration") {
    PageBuilder b = Builder();
    b.Group("/INT0 Polarity");
    b.Radio(11220, "/INT0 Active Low").Field(IT01CF, 0x08, 0x00);
    b.Radio(11221, "/INT0 Active High").Field(IT01CF, 0x08, 0x08);
    b.Group("/INT0 Port Pin Selection");
    b.List(11322, "", kPins).Field(IT01CF, 0x07);
    b.Button(kInt0Button, "Configure Port I/O");
    b.NextColumn();
    b.Group("/INT1 Polarity");
    b.Radio(11222, "/INT1 Active Low").Field(IT01CF, 0x80, 0x00);
    b.Radio(11223, "/INT1 Active High").Field(IT01CF, 0x80, 0x80);
    b.Group("/INT1 Port Pin Selection");
    b.List(11324, "", kPins).Field(IT01CF, 0x70);
    b.Button(kInt1Button, "Configure Port I/O");
    b.Preview();
}

void CInt01ConfigPropPage::OnCommand(int id) {
    if (id == kInt0Button || id == kInt1Button) {
        // Fresh copies of the Port I/O and SPI records (this sheet holds
        // none); this page is unchanged.
        Ctx().OpenSheet(SheetId::PortIO);
        return;
    }
    CPropPage::OnCommand(id);
}
