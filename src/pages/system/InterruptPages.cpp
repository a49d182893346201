#include "pages/system/InterruptPages.h"

#include "devices/Models.h"
#include "devices/Registers.h"
#include "model/DeviceDocument.h"

// Every page here edits the interrupt record: its registers by name.
using namespace InterruptsReg;

namespace {

constexpr int kEnableUart1 = 11010;
constexpr int kPriorityUart1 = 11011;

BitControl Bit(int id, const char* caption, const char* group, int column, int position, int mask) {
    return {id, ControlKind::Check, caption, group, column, position, static_cast<std::uint8_t>(mask), 0};
}

bool IsSmallPackage(const CRegisterAccess& page) { return models::IsSmallPackage(page.DeviceCode()); }

}  // namespace

CIntEnablePropPage::CIntEnablePropPage() : CPropPage("Enable Interrupts") {
    BuildBound({
        Bit(11191, "Enable All Interrupts   (If not checked, all interrupts are ignored)",
            "Global Interrupt Enable", 0, IE, 0x80),
        Bit(11198, "Enable UART0 Interrupt", "UART Interrupts", 0, IE, 0x10),
        Bit(kEnableUart1, "Enable UART1 Interrupt", "UART Interrupts", 0, EIE2, 0x02),
        Bit(11199, "Enable SPI0 Interrupt", "SPI Interrupts", 0, IE, 0x40),
        Bit(11200, "Enable CP0 Interrupt", "Comparator Interrupts", 0, EIE1, 0x20),
        Bit(11206, "Enable CP1 Interrupt", "Comparator Interrupts", 0, EIE1, 0x40),
        Bit(11202, "Enable SMB0 Interrupt", "SMBus Interrupts", 0, EIE1, 0x01),
        Bit(11204, "Enable AD0INT Interrupt", "ADC Conversion Complete Interrupts", 0, EIE1, 0x08),
        Bit(11192, "Enable Timer 0 Interrupt", "Timer Interrupts", 1, IE, 0x02),
        Bit(11193, "Enable Timer 1 Interrupt", "Timer Interrupts", 1, IE, 0x08),
        Bit(11194, "Enable Timer 2 Interrupt", "Timer Interrupts", 1, IE, 0x20),
        Bit(11195, "Enable Timer 3 Interrupt", "Timer Interrupts", 1, EIE1, 0x80),
        Bit(11196, "Enable /INT0 Interrupt", "Timer Interrupts", 1, IE, 0x01),
        Bit(11197, "Enable /INT1 Interrupt", "Timer Interrupts", 1, IE, 0x04),
        Bit(11405, "Enable USB Interrupts", "USB Interrupts", 1, EIE1, 0x02),
        Bit(11406, "Enable VBUS Interrupts", "USB Interrupts", 1, EIE2, 0x01),
        Bit(11201, "Enable PCA0 Interrupt", "PCA Interrupts", 1, EIE1, 0x10),
        Bit(11203, "Enable AD0WINT Interrupt", "Window Comparison ADC Interrupts", 1, EIE1, 0x04),
    });
}

void CIntEnablePropPage::OnInitDialog() {
    // Only the large-package models have UART1; a hidden box keeps its bit.
    if (IsSmallPackage(*this)) Show(kEnableUart1, false);
    CPropPage::OnInitDialog();
}

void CIntEnablePropPage::OnSetActive() {
    Refresh();
    RefreshPreview();
}

CIntPriorityPropPage::CIntPriorityPropPage() : CPropPage("Interrupt Priority") {
    BuildBound({
        Bit(11205, "Set UART0 Priority High", "UART Interrupt Priority", 0, IP, 0x10),
        Bit(kPriorityUart1, "Set UART1 Priority High", "UART Interrupt Priority", 0, EIP2, 0x02),
        Bit(11207, "Set SPI0 Priority High", "SPI Interrupt Priority", 0, IP, 0x40),
        Bit(11208, "Set CP0 Priority High", "Comparator Interrupt Priorities", 0, EIP1, 0x20),
        Bit(11219, "Set CP1 Priority High", "Comparator Interrupt Priorities", 0, EIP1, 0x40),
        Bit(11209, "Set SMB0 Priority High", "SMBus Interrupt Priority", 0, EIP1, 0x01),
        Bit(11210, "Set AD0INT Priority High", "ADC Interrupt Priority", 0, EIP1, 0x08),
        Bit(11218, "Set Timer 0 Priority High", "Timer Interrupt Priorities", 1, IP, 0x02),
        Bit(11217, "Set Timer 1 Priority High", "Timer Interrupt Priorities", 1, IP, 0x08),
        Bit(11216, "Set Timer 2 Priority High", "Timer Interrupt Priorities", 1, IP, 0x20),
        Bit(11215, "Set Timer 3 Priority High", "Timer Interrupt Priorities", 1, EIP1, 0x80),
        Bit(11214, "Set /INT0 Priority High", "Timer Interrupt Priorities", 1, IP, 0x01),
        Bit(11213, "Set /INT1 Priority High", "Timer Interrupt Priorities", 1, IP, 0x04),
        Bit(11407, "Set USB Priority High", "USB Interrupt Priority", 1, EIP1, 0x02),
        Bit(11408, "Set VBUS Priority High", "USB Interrupt Priority", 1, EIP2, 0x01),
        Bit(11212, "Set PCA0 Priority High", "PCA Interrupt Priority", 1, EIP1, 0x10),
        Bit(11211, "Set AD0WINT Priority High", "Window Comparison Interrupt Priority", 1, EIP1,
            0x04),
    });
}

void CIntPriorityPropPage::OnInitDialog() {
    if (IsSmallPackage(*this)) Show(kPriorityUart1, false);
    CPropPage::OnInitDialog();
}

void CIntPriorityPropPage::OnSetActive() {
    Refresh();
    RefreshPreview();
}

namespace {

const std::vector<std::string> kPins = {"P0.0", "P0.1", "P0.2", "P0.3", "P0.4", "P0.5", "P0.6", "P0.7"};
constexpr int kInt0Button = 11282;
constexpr int kInt1Button = 11281;

}  // namespace

CInt01ConfigPropPage::CInt01ConfigPropPage() : CPropPage("INT0/INT1 Configuration") {
    const std::vector<BitControl> table = {
        {11220, ControlKind::Radio, "/INT0 Active Low", "/INT0 Polarity", 0, IT01CF, 0x08, 0x00},
        {11221, ControlKind::Radio, "/INT0 Active High", "/INT0 Polarity", 0, IT01CF, 0x08, 0x08},
        {11322, ControlKind::List, "", "/INT0 Port Pin Selection", 0, IT01CF, 0x07, 0, kPins},
        {11222, ControlKind::Radio, "/INT1 Active Low", "/INT1 Polarity", 1, IT01CF, 0x80, 0x00},
        {11223, ControlKind::Radio, "/INT1 Active High", "/INT1 Polarity", 1, IT01CF, 0x80, 0x80},
        {11324, ControlKind::List, "", "/INT1 Port Pin Selection", 1, IT01CF, 0x70, 4, kPins},
    };
    PageBuilder b(this, this);
    b.Group("/INT0 Polarity");
    b.Radio(11220, "/INT0 Active Low");
    b.Radio(11221, "/INT0 Active High");
    b.Group("/INT0 Port Pin Selection");
    b.List(11322, "", kPins);
    b.Button(kInt0Button, "Configure Port I/O");
    b.NextColumn();
    b.Group("/INT1 Polarity");
    b.Radio(11222, "/INT1 Active Low");
    b.Radio(11223, "/INT1 Active High");
    b.Group("/INT1 Port Pin Selection");
    b.List(11324, "", kPins);
    b.Button(kInt1Button, "Configure Port I/O");
    b.Preview();
    Bind(table);
}

void CInt01ConfigPropPage::OnSetActive() {
    Refresh();
    RefreshPreview();
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
