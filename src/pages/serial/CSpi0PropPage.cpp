#include "pages/serial/CSpi0PropPage.h"

#include <string>

#include "chip/SerialMath.h"
#include "devices/Registers.h"
#include "model/Ui.h"
#include "pages/common/CClockTargetDlg.h"

namespace {

// SPI0 record.
constexpr std::uint8_t kMasterBit = 0x40;
constexpr std::uint8_t kEnableBit = 0x01;
constexpr std::uint8_t kWireMask = 0x0C;
constexpr std::uint8_t kNssBit = 0x04;
// Wire modes (SPI0CN bits 3..2).
constexpr std::uint8_t kThreeWireMode = 0x00;
constexpr std::uint8_t kFourWireMode = 0x04;
constexpr std::uint8_t kSingleMasterMode = 0x08;
constexpr std::uint8_t kSingleMasterNssHigh = 0x0C;

// Port I/O record: XBR0, SPI0 on the crossbar.
constexpr std::uint8_t kSpiOnCrossbar = 0x02;

// Interrupt record IE bit 6. The crossbar page of the Port I/O sheet sees
// this page's SPI0 record, unsaved changes included, so that the pin map
// follows the wire mode chosen here.
const CSerialPropPage::Links kLinks = {
    .unit = "SPI0",
    .bus = "SPI",
    .interruptText = CSpi0PropPage::kInterruptText,
    .configureInterrupts = CSpi0PropPage::kConfigureInterrupts,
    .interruptRegister = InterruptsReg::IE,
    .interruptMask = 0x40,
    .crossbarText = CSpi0PropPage::kCrossbarText,
    .crossbarRegister = PortIOReg::XBR0,
    .crossbarMask = kSpiOnCrossbar,
};

}  // namespace

CSpi0PropPage::CSpi0PropPage(PageContext& context)
    : CSerialPropPage(context, "SPI0", kLinks) {
    PageBuilder b = Builder();
    b.Group("SPI0 Enable");
    b.Check(kEnable, "Enable SPI0").Bit(SpiReg::SPI0CN, kEnableBit);
    b.Group("Master/Slave Select");
    b.Radio(kSlave, "Operate in Slave Mode");
    b.Radio(kMaster, "Operate in Master Mode");
    b.Group("Clock Phase");
    b.Radio(kFirstEdge, "Data Centered on First Edge of SCK").Field(SpiReg::SPI0CFG, 0x20, 0x00);
    b.Radio(kSecondEdge, "Data Centered on Second Edge of SCK").Field(SpiReg::SPI0CFG, 0x20, 0x20);
    b.Group("Clock Polarity");
    b.Radio(kIdleLow, "SCK Line Low in Idle State").Field(SpiReg::SPI0CFG, 0x10, 0x00);
    b.Radio(kIdleHigh, "SCK Line High in Idle State").Field(SpiReg::SPI0CFG, 0x10, 0x10);

    // The wire mode heads the second column, so that the columns are about
    // as high as each other.
    b.NextColumn();
    b.Group("Wire Mode");
    b.Radio(kThreeWire, "3 Wire Slave or 3 Wire Master Mode", false);
    b.Radio(kFourWire, "4 Wire Slave or Multi Master Mode", false);
    b.Radio(kSingleMaster, "4 Wire Single Master Mode", false);
    b.Check(kNss, "Set NSS Signal to 1");
    b.Group("SCK Frequency");
    b.Display(kSck, "SCK:", "Hz");
    b.Button(kChangeSck, "Change SCK");
    b.Hex(kDivider, "SPI0CKR Value (Hex)", SpiReg::SPI0CKR);
    AddLinkGroups(b);
}

void CSpi0PropPage::Refresh() {
    if (!TestBits(SpiReg::SPI0CFG, kMasterBit)) {
        Check(kSlave, true);
        Check(kMaster, false);
        Enable(kSingleMaster, false);
        Enable(kNss, false);
    } else {
        Check(kSlave, false);
        Check(kMaster, true);
        Enable(kSingleMaster, true);
        Enable(kNss, true);
    }
    RefreshBound();  // phase, polarity, enable and the divider edit
    switch (Value(SpiReg::SPI0CN) & kWireMask) {
        case kThreeWireMode:
            CheckRadio(kThreeWire, kSingleMaster, kThreeWire);
            Check(kNss, false);
            Enable(kNss, false);
            break;
        case kFourWireMode:
            CheckRadio(kThreeWire, kSingleMaster, kFourWire);
            Check(kNss, false);
            Enable(kNss, false);
            break;
        case kSingleMasterMode:
            CheckRadio(kThreeWire, kSingleMaster, kSingleMaster);
            Check(kNss, false);
            Enable(kNss, true);
            break;
        default:
            CheckRadio(kThreeWire, kSingleMaster, kSingleMaster);
            Check(kNss, true);
            break;
    }
    ShowSck();
    ShowCrossbarText();
    ShowInterruptText();
}

void CSpi0PropPage::OnSetActive() {
    ShowSck();
    ShowInterruptText();
    RefreshPreview();
}

void CSpi0PropPage::ShowSck() {
    SetText(kSck, std::to_string(serial::SpiSckFrequency(Sysclk(), Value(SpiReg::SPI0CKR))));
}

void CSpi0PropPage::OnHexChanged(int editId) {
    if (editId == kDivider) ShowSck();
}

bool CSpi0PropPage::WireChangeAllowed() const {
    return !serial::RecordBit(portIO_, PortIOReg::XBR0, kSpiOnCrossbar);
}

void CSpi0PropPage::Refuse(int previous) {
    TheUi().Error(kWireModeMessage);
    CheckRadio(kThreeWire, kSingleMaster, previous);
}

void CSpi0PropPage::SetWireMode(std::uint8_t mode) {
    SetField(SpiReg::SPI0CN, kWireMask, mode);
}

void CSpi0PropPage::OnWireMode(int id) {
    // The radios are not automatic: each branch decides where the mark goes.
    if (id == kThreeWire) {
        if (IsChecked(kFourWire)) {
            CheckRadio(kThreeWire, kSingleMaster, kThreeWire);
            if (WireChangeAllowed())
                SetWireMode(kThreeWireMode);
            else
                Refuse(kFourWire);
        }
        if (IsChecked(kSingleMaster)) {
            CheckRadio(kThreeWire, kSingleMaster, kThreeWire);
            if (WireChangeAllowed()) {
                SetWireMode(kThreeWireMode);
                Check(kNss, false);
                Enable(kNss, false);
            } else {
                Refuse(kSingleMaster);
            }
        }
    } else if (id == kFourWire) {
        if (IsChecked(kThreeWire)) {
            CheckRadio(kThreeWire, kSingleMaster, kFourWire);
            if (WireChangeAllowed())
                SetWireMode(kFourWireMode);
            else
                Refuse(kThreeWire);
        }
        if (IsChecked(kSingleMaster)) {
            // Between the two four-wire modes the pins stay as they are.
            CheckRadio(kThreeWire, kSingleMaster, kFourWire);
            SetWireMode(kFourWireMode);
            Check(kNss, false);
            Enable(kNss, false);
        }
    } else {
        if (IsChecked(kThreeWire)) {
            CheckRadio(kThreeWire, kSingleMaster, kSingleMaster);
            if (WireChangeAllowed()) {
                SetWireMode(kSingleMasterMode);
                Enable(kNss, true);
            } else {
                Refuse(kThreeWire);
            }
        }
        if (IsChecked(kFourWire)) {
            CheckRadio(kThreeWire, kSingleMaster, kSingleMaster);
            SetWireMode(kSingleMasterMode);
            Enable(kNss, true);
        }
    }
}

void CSpi0PropPage::OnChangeSck() {
    CClockTargetDlg calc(Ctx(), *Record(), ClockTarget::Sck);
    if (calc.Run()) {
        // As a change of the edit's text, this stores the divider again and
        // shows the SCK it gives.
        SetText(kDivider, FieldHex(SpiReg::SPI0CKR, 0xFF, 0));
        RefreshPreview();
    }
    // The calculator's Oscillators sheet may have stored a Port I/O record.
    ReloadPortIO();
    ShowCrossbarText();
    ShowSck();  // SYSCLK may have changed even when the calculator was cancelled
}

void CSpi0PropPage::OnCommand(int id) {
    switch (id) {
        case kSlave:
            SetBits(0, SpiReg::SPI0CFG, kMasterBit);
            if (IsChecked(kSingleMaster)) {
                SetField(SpiReg::SPI0CN, kWireMask, kFourWireMode);
                CheckRadio(kThreeWire, kSingleMaster, kFourWire);
            }
            Check(kNss, false);
            Enable(kSingleMaster, false);
            Enable(kNss, false);
            break;
        case kMaster:
            SetBits(1, SpiReg::SPI0CFG, kMasterBit);
            Enable(kSingleMaster, true);
            break;
        case kNss:
            SetBits(IsChecked(kNss), SpiReg::SPI0CN, kNssBit);
            break;
        case kThreeWire:
        case kFourWire:
        case kSingleMaster:
            OnWireMode(id);
            break;
        case kChangeSck:
            OnChangeSck();
            break;
        default:
            if (!OnLinkCommand(id)) CPropPage::OnCommand(id);
            return;
    }
    RefreshPreview();
}
