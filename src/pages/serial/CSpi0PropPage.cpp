#include "pages/serial/CSpi0PropPage.h"

#include <string>

#include <QBoxLayout>
#include <QLineEdit>

#include "model/Ui.h"
#include "pages/common/CommandTable.h"
#include "pages/portio/PortIOSheet.h"
#include "pages/serial/CSckCalculatorDlg.h"
#include "pages/serial/SerialMath.h"
#include "pages/serial/StatusLabel.h"
#include "pages/system/InterruptSheets.h"

namespace {

// SPI0 record.
constexpr int kSpi0cfg = 0;
constexpr int kSpi0cn = 1;
constexpr int kSpi0ckr = 2;
constexpr std::uint8_t kMasterBit = 0x40;
constexpr std::uint8_t kEnableBit = 0x01;
constexpr std::uint8_t kWireMask = 0x0C;
constexpr std::uint8_t kNssBit = 0x04;
// Wire modes (SPI0CN bits 3..2).
constexpr std::uint8_t kThreeWireMode = 0x00;
constexpr std::uint8_t kFourWireMode = 0x04;
constexpr std::uint8_t kSingleMasterMode = 0x08;
constexpr std::uint8_t kSingleMasterNssHigh = 0x0C;

// Interrupt record: IE, SPI0 interrupt enable.
constexpr std::size_t kIe = 6;
constexpr std::uint8_t kSpiInterrupt = 0x40;
// Port I/O record: XBR0, SPI0 on the crossbar.
constexpr std::size_t kXbr0 = 14;
constexpr std::uint8_t kSpiOnCrossbar = 0x02;

using serial::RecordBit;

}  // namespace

CSpi0PropPage::CSpi0PropPage(PeripheralRecord* interrupts, PeripheralRecord* portIO,
                             const std::uint32_t* sysclk)
    : CPropPage("SPI0"), interrupts_(interrupts), portIO_(portIO), sysclk_(sysclk) {
    PageBuilder b(this, this);
    b.Group("SPI0 Enable");
    b.Check(kEnable, "Enable SPI0");
    b.Group("Master/Slave Select");
    b.Radio(kSlave, "Operate in Slave Mode");
    b.Radio(kMaster, "Operate in Master Mode");
    b.Group("Clock Phase");
    b.Radio(kFirstEdge, "Data Centered on First Edge of SCK");
    b.Radio(kSecondEdge, "Data Centered on Second Edge of SCK");
    b.Group("Clock Polarity");
    b.Radio(kIdleLow, "SCK Line Low in Idle State");
    b.Radio(kIdleHigh, "SCK Line High in Idle State");
    b.Group("Wire Mode");
    b.Radio(kThreeWire, "3 Wire Slave or 3 Wire Master Mode", false);
    b.Radio(kFourWire, "4 Wire Slave or Multi Master Mode", false);
    b.Radio(kSingleMaster, "4 Wire Single Master Mode", false);
    b.Check(kNss, "Set NSS Signal to 1");

    b.NextColumn();
    b.Group("SCK Frequency");
    b.Edit(kSck, "SCK:", "Hz")->setReadOnly(true);
    b.Button(kChangeSck, "Change SCK");
    b.Edit(kDivider, "SPI0CKR Value (Hex)");
    b.Group("SPI Interrupt");
    StatusLabel(b.Label(kInterruptText, ""), "SPI0 Interrupt is Disabled");
    b.Button(kConfigureInterrupts, "Configure SPI Interrupts");
    b.Group("SPI0 on the Crossbar");
    StatusLabel(b.Label(kCrossbarText, ""), "SPI0 is Disabled on the Crossbar");
    b.Button(kConfigurePortIO, "Configure Port I/O");
    b.Preview();
    // Spare height of the sheet goes above the preview, not into it.
    if (auto* outer = qobject_cast<QBoxLayout*>(layout())) outer->insertStretch(1, 1);

    Bind({
        {kEnable, ControlKind::Check, "", "", 0, kSpi0cn, kEnableBit, 0},
        {kFirstEdge, ControlKind::Radio, "", "", 0, kSpi0cfg, 0x20, 0x00},
        {kSecondEdge, ControlKind::Radio, "", "", 0, kSpi0cfg, 0x20, 0x20},
        {kIdleLow, ControlKind::Radio, "", "", 0, kSpi0cfg, 0x10, 0x00},
        {kIdleHigh, ControlKind::Radio, "", "", 0, kSpi0cfg, 0x10, 0x10},
    });
    BindHex(kDivider, kSpi0ckr);
}

void CSpi0PropPage::Refresh() {
    if (!TestBits(kSpi0cfg, kMasterBit)) {
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
    switch (Value(kSpi0cn) & kWireMask) {
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
    ShowCrossbar();
    ShowInterrupt();
}

void CSpi0PropPage::OnSetActive() {
    ShowSck();
    ShowInterrupt();
    RefreshPreview();
}

void CSpi0PropPage::ShowSck() {
    const std::uint32_t sysclk = sysclk_ ? *sysclk_ : 0;
    SetText(kSck, std::to_string(serial::SpiSckFrequency(sysclk, Value(kSpi0ckr))));
}

void CSpi0PropPage::ShowInterrupt() {
    SetText(kInterruptText, RecordBit(interrupts_, kIe, kSpiInterrupt)
                                ? "SPI0 Interrupt is Enabled"
                                : "SPI0 Interrupt is Disabled");
}

void CSpi0PropPage::ShowCrossbar() {
    SetText(kCrossbarText, RecordBit(portIO_, kXbr0, kSpiOnCrossbar)
                               ? "SPI0 is Enabled on the Crossbar"
                               : "SPI0 is Disabled on the Crossbar");
}

void CSpi0PropPage::OnHexChanged(int editId) {
    if (editId == kDivider) ShowSck();
}

bool CSpi0PropPage::WireChangeAllowed() const {
    return !RecordBit(portIO_, kXbr0, kSpiOnCrossbar);
}

void CSpi0PropPage::Refuse(int previous) {
    TheUi().Error(kWireModeMessage);
    CheckRadio(kThreeWire, kSingleMaster, previous);
}

void CSpi0PropPage::SetWireMode(std::uint8_t mode) {
    SetField(kSpi0cn, kWireMask, mode);
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
    CDeviceDocument& doc = *ActiveDocument();
    CSckCalculatorDlg calc(doc, *Record());
    if (calc.Run()) {
        // As a change of the edit's text, this stores the divider again and
        // shows the SCK it gives.
        SetText(kDivider, FieldHex(kSpi0ckr, 0xFF, 0));
        RefreshPreview();
    }
    // The calculator's Oscillators sheet may have stored a Port I/O record.
    doc.GetPeripheral(*portIO_, Pid::PortIO);
    CompleteRecord(*portIO_, doc.DeviceCode, Pid::PortIO);
    ShowCrossbar();
    ShowSck();  // SYSCLK may have changed even when the calculator was cancelled
}

void CSpi0PropPage::OnCommand(int id) {
    switch (id) {
        case kSlave:
            SetBits(0, kSpi0cfg, kMasterBit);
            if (IsChecked(kSingleMaster)) {
                SetField(kSpi0cn, kWireMask, kFourWireMode);
                CheckRadio(kThreeWire, kSingleMaster, kFourWire);
            }
            Check(kNss, false);
            Enable(kSingleMaster, false);
            Enable(kNss, false);
            break;
        case kMaster:
            SetBits(1, kSpi0cfg, kMasterBit);
            Enable(kSingleMaster, true);
            break;
        case kNss:
            SetBits(IsChecked(kNss), kSpi0cn, kNssBit);
            break;
        case kThreeWire:
        case kFourWire:
        case kSingleMaster:
            OnWireMode(id);
            break;
        case kChangeSck:
            OnChangeSck();
            break;
        case kConfigureInterrupts:
            if (RunInterruptsSheet(*ActiveDocument(), *interrupts_)) ShowInterrupt();
            return;
        case kConfigurePortIO:
            // The crossbar page sees this page's SPI0 record, unsaved changes included.
            if (RunPortIOSheet(*ActiveDocument(), portIO_, Record())) ShowCrossbar();
            return;
        default:
            CPropPage::OnCommand(id);
            return;
    }
    RefreshPreview();
}
