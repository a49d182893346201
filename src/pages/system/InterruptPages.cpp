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

bool IsSmallPackage(const CRegisterAccess& page) { return models::IsSmallPackage(page.DeviceCode()); }

}  // namespace

CIntEnablePropPage::CIntEnablePropPage() : CPropPage("Enable Interrupts") {
    PageBuilder b = Builder();
    b.Group("Global Interrupt Enable");
    b.Check(11191, "Enable All Interrupts   (If not checked, all interrupts are ignored)").Bit(IE, 0x80);
    b.Group("UART Interrupts");
    b.Check(11198, "Enable UART0 Interrupt").Bit(IE, 0x10);
    b.Check(kEnableUart1, "Enable UART1 Interrupt").Bit(EIE2, 0x02);
    b.Group("SPI Interrupts");
    b.Check(11199, "Enable SPI0 Interrupt").Bit(IE, 0x40);
    b.Group("Comparator Interrupts");
    b.Check(11200, "Enable CP0 Interrupt").Bit(EIE1, 0x20);
    b.Check(11206, "Enable CP1 Interrupt").Bit(EIE1, 0x40);
    b.Group("SMBus Interrupts");
    b.Check(11202, "Enable SMB0 Interrupt").Bit(EIE1, 0x01);
    b.Group("ADC Conversion Complete Interrupts");
    b.Check(11204, "Enable AD0INT Interrupt").Bit(EIE1, 0x08);
    b.NextColumn();
    b.Group("Timer Interrupts");
    b.Check(11192, "Enable Timer 0 Interrupt").Bit(IE, 0x02);
    b.Check(11193, "Enable Timer 1 Interrupt").Bit(IE, 0x08);
    b.Check(11194, "Enable Timer 2 Interrupt").Bit(IE, 0x20);
    b.Check(11195, "Enable Timer 3 Interrupt").Bit(EIE1, 0x80);
    b.Check(11196, "Enable /INT0 Interrupt").Bit(IE, 0x01);
    b.Check(11197, "Enable /INT1 Interrupt").Bit(IE, 0x04);
    b.Group("USB Interrupts");
    b.Check(11405, "Enable USB Interrupts").Bit(EIE1, 0x02);
    b.Check(11406, "Enable VBUS Interrupts").Bit(EIE2, 0x01);
    b.Group("PCA Interrupts");
    b.Check(11201, "Enable PCA0 Interrupt").Bit(EIE1, 0x10);
    b.Group("Window Comparison ADC Interrupts");
    b.Check(11203, "Enable AD0WINT Interrupt").Bit(EIE1, 0x04);
    b.Preview();
}

void CIntEnablePropPage::OnInitDialog() {
    // Only the large-package models have UART1; a hidden box keeps its bit.
    if (IsSmallPackage(*this)) Show(kEnableUart1, false);
    CPropPage::OnInitDialog();
}

CIntPriorityPropPage::CIntPriorityPropPage() : CPropPage("Interrupt Priority") {
    PageBuilder b = Builder();
    b.Group("UART Interrupt Priority");
    b.Check(11205, "Set UART0 Priority High").Bit(IP, 0x10);
    b.Check(kPriorityUart1, "Set UART1 Priority High").Bit(EIP2, 0x02);
    b.Group("SPI Interrupt Priority");
    b.Check(11207, "Set SPI0 Priority High").Bit(IP, 0x40);
    b.Group("Comparator Interrupt Priorities");
    b.Check(11208, "Set CP0 Priority High").Bit(EIP1, 0x20);
    b.Check(11219, "Set CP1 Priority High").Bit(EIP1, 0x40);
    b.Group("SMBus Interrupt Priority");
    b.Check(11209, "Set SMB0 Priority High").Bit(EIP1, 0x01);
    b.Group("ADC Interrupt Priority");
    b.Check(11210, "Set AD0INT Priority High").Bit(EIP1, 0x08);
    b.NextColumn();
    b.Group("Timer Interrupt Priorities");
    b.Check(11218, "Set Timer 0 Priority High").Bit(IP, 0x02);
    b.Check(11217, "Set Timer 1 Priority High").Bit(IP, 0x08);
    b.Check(11216, "Set Timer 2 Priority High").Bit(IP, 0x20);
    b.Check(11215, "Set Timer 3 Priority High").Bit(EIP1, 0x80);
    b.Check(11214, "Set /INT0 Priority High").Bit(IP, 0x01);
    b.Check(11213, "Set /INT1 Priority High").Bit(IP, 0x04);
    b.Group("USB Interrupt Priority");
    b.Check(11407, "Set USB Priority High").Bit(EIP1, 0x02);
    b.Check(11408, "Set VBUS Priority High").Bit(EIP2, 0x01);
    b.Group("PCA Interrupt Priority");
    b.Check(11212, "Set PCA0 Priority High").Bit(EIP1, 0x10);
    b.Group("Window Comparison Interrupt Priority");
    b.Check(11211, "Set AD0WINT Priority High").Bit(EIP1, 0x04);
    b.Preview();
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
