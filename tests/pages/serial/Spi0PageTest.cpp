// The SPI0 page: the wire-mode guard against the page's own Port I/O copy,
// the SCK display and calculator (their arithmetic: SpiSck), nested sheets.

#include "devices/Registers.h"
#include "pages/common/CClockTargetDlg.h"
#include "pages/serial/CSpi0PropPage.h"
#include "pages/serial/SerialSheets.h"
#include "support/PageTest.h"

namespace {

using Page = CSpi0PropPage;
using namespace testing_pages;

std::uint8_t At(const PeripheralRecord& r, int position) {
    return r.Registers.at(static_cast<std::size_t>(position)).Value;
}

class Spi0Page : public PageTest<Page> {
protected:
    Page& Open() { return PageTest::Open(Pid::Spi); }
    std::uint8_t& Spi(int position) { return Reg(Pid::Spi, position); }
    bool Checked(int id) { return page_->IsChecked(id); }
    void OnCrossbar(bool on) { Reg(Pid::PortIO, PortIOReg::XBR0) = on ? 0x02 : 0x00; }
    std::size_t Messages() const { return ui_.Shown.size(); }
};

TEST_F(Spi0Page, NewProjectShowsFourWireSlave) {
    Page& p = Open();
    EXPECT_TRUE(Checked(Page::kFourWire));
    EXPECT_TRUE(Checked(Page::kSlave));
    EXPECT_FALSE(p.IsEnabled(Page::kSingleMaster));
    EXPECT_FALSE(p.IsEnabled(Page::kNss));
    EXPECT_EQ(p.Text(Page::kSck), "750000");
    EXPECT_EQ(p.Text(Page::kCrossbarText), "SPI0 is Disabled on the Crossbar");
    EXPECT_EQ(p.Text(Page::kInterruptText), "SPI0 Interrupt is Disabled");
}

// Every wire-mode change, on and off the crossbar: whether it is refused,
// where the mark ends, what SPI0CN holds.
TEST_F(Spi0Page, WireModeGuardInEveryDirection) {
    struct Case {
        std::uint8_t from;  // SPI0CN
        int click;
        bool onCrossbar;
        bool refused;
        std::uint8_t to;
    };
    const Case cases[] = {
        {0x04, Page::kThreeWire, true, true, 0x04}, {0x04, Page::kThreeWire, false, false, 0x00},
        {0x00, Page::kFourWire, true, true, 0x00}, {0x00, Page::kFourWire, false, false, 0x04},
        {0x00, Page::kSingleMaster, true, true, 0x00},
        {0x00, Page::kSingleMaster, false, false, 0x08},
        {0x0C, Page::kThreeWire, true, true, 0x0C}, {0x0C, Page::kThreeWire, false, false, 0x00},
        // Between the two four-wire modes nothing is ever refused.
        {0x04, Page::kSingleMaster, true, false, 0x08}, {0x0C, Page::kFourWire, true, false, 0x04},
        {0x08, Page::kFourWire, false, false, 0x04},
        {0x04, Page::kSingleMaster, false, false, 0x08},
        // The radio already checked changes nothing.
        {0x0C, Page::kSingleMaster, true, false, 0x0C}, {0x00, Page::kThreeWire, true, false, 0x00},
    };
    for (const Case& c : cases) {
        Spi(SpiReg::SPI0CFG) = 0x40;  // master: every radio is enabled
        Spi(SpiReg::SPI0CN) = static_cast<std::uint8_t>(c.from | 0x01);
        OnCrossbar(c.onCrossbar);
        Page& p = Open();
        const int before = Checked(Page::kThreeWire)  ? Page::kThreeWire
                           : Checked(Page::kFourWire) ? Page::kFourWire
                                                      : Page::kSingleMaster;
        const std::size_t shown = Messages();
        Click(c.click);
        const std::string label = std::to_string(c.from) + " -> " + std::to_string(c.click);
        EXPECT_EQ(Spi(SpiReg::SPI0CN), c.to | 0x01) << label;
        if (c.refused) {
            ASSERT_EQ(Messages(), shown + 1) << label;
            EXPECT_EQ(ui_.Shown.back().Text, kWireModeMessage);
            EXPECT_EQ(ui_.Shown.back().Icon, MsgIcon::Exclamation);
            EXPECT_EQ(ui_.Shown.back().Caption, "");
            EXPECT_TRUE(Checked(before)) << label;
        } else {
            EXPECT_EQ(Messages(), shown) << label;
            EXPECT_TRUE(Checked(c.click)) << label;
        }
        int marks = 0;
        for (int r : {Page::kThreeWire, Page::kFourWire, Page::kSingleMaster})
            marks += Checked(r) ? 1 : 0;
        EXPECT_EQ(marks, 1) << label;
        // The NSS box is usable only in single-master mode.
        EXPECT_EQ(p.IsEnabled(Page::kNss), Checked(Page::kSingleMaster)) << label;
        EXPECT_EQ(Checked(Page::kNss), (Spi(SpiReg::SPI0CN) & 0x0C) == 0x0C) << label;
    }
}

TEST_F(Spi0Page, SlaveModeLeavesSingleMasterWithoutAGuard) {
    Spi(SpiReg::SPI0CFG) = 0x40;
    Spi(SpiReg::SPI0CN) = 0x0D;
    OnCrossbar(true);
    Page& p = Open();
    Click(Page::kSlave);
    EXPECT_EQ(Messages(), 0u);
    EXPECT_EQ(Spi(SpiReg::SPI0CFG), 0x00);
    EXPECT_EQ(Spi(SpiReg::SPI0CN), 0x05);
    EXPECT_TRUE(Checked(Page::kFourWire));
    EXPECT_FALSE(Checked(Page::kNss));
    EXPECT_FALSE(p.IsEnabled(Page::kSingleMaster));
    EXPECT_FALSE(p.IsEnabled(Page::kNss));
    // Master again: single-master mode can be chosen, starting with NSS at 0.
    Click(Page::kMaster);
    EXPECT_TRUE(p.IsEnabled(Page::kSingleMaster));
    Click(Page::kSingleMaster);
    EXPECT_EQ(Spi(SpiReg::SPI0CN), 0x09);
    Click(Page::kNss);
    EXPECT_EQ(Spi(SpiReg::SPI0CN), 0x0D);
}

TEST_F(Spi0Page, DividerEditDrivesTheSckText) {
    Page& p = Open();
    EXPECT_EQ(driver::SetText(page_, Page::kDivider, "FF"), "");
    EXPECT_EQ(p.Text(Page::kSck), "2929");
    // A clock of 0 shows 0, not a failure.
    doc_->SysclkFrequency = 0;
    p.OnSetActive();
    EXPECT_EQ(p.Text(Page::kSck), "0");
}

// The calculator, run from the page's "Change SCK" button. What the shared
// target calculator does with 0 and No: AdcPage.SarCalculatorRefusesAndStaysOpen.
class SckCalculator : public Spi0Page {
protected:
    // Types `target` and presses OK; returns whether the calculator closed.
    bool Offer(CClockTargetDlg& c, const std::string& target) {
        EXPECT_EQ(driver::SetText(&c, calcids::kSckTarget, target), "");
        driver::Click(&c, kIdOk);
        return c.IsFinished();
    }
};

TEST_F(SckCalculator, TargetsAtOnePointFiveMegahertz) {
    Page& p = Open();
    ui_.Modals.push_back([&](ModalDialog& d) {
        auto& c = dynamic_cast<CClockTargetDlg&>(d);
        EXPECT_EQ(c.Text(calcids::kSysclk), "1500000");
        // 1500000 / 4000 = 375, minus 1 = 374: too slow for the register.
        EXPECT_FALSE(Offer(c, "2000"));
        EXPECT_EQ(ui_.Shown.back().Text,
                  "Error: Invalid SCK Value Using Current SYSCLK Frequency.");
        EXPECT_EQ(ui_.Shown.back().Icon, MsgIcon::Exclamation);
        EXPECT_EQ(c.Text(kAchievedId), "Achieved: -");
        // Not a number: the field refuses it before any arithmetic.
        EXPECT_FALSE(Offer(c, "12k"));
        EXPECT_EQ(ui_.Shown.back().Text, "Please enter an unsigned integer.");
        EXPECT_TRUE(Offer(c, "100000"));
        EXPECT_EQ(ui_.Shown.back().Text, "Change SPI0CKR Data to:\n\n SPI0CKR = 06");
        EXPECT_EQ(c.Text(kAchievedId), "Achieved: 107142 Hz (+7.14 %)");
    });
    Click(Page::kChangeSck);
    EXPECT_EQ(p.Text(Page::kDivider), "06");
    EXPECT_EQ(p.Text(Page::kSck), "107142");
    EXPECT_EQ(p.Text(kPreviewId), "    SPI0CKR   = 0x06;\r\n");
}

TEST_F(SckCalculator, ClosingReplacesThePortIOCopyEvenOnCancel) {
    Page& p = Open();
    ui_.Modals.push_back([&](ModalDialog& d) {
        // Meanwhile a nested sheet stores SPI0 on the crossbar into the document.
        PeripheralRecord stored;
        doc_->GetPeripheral(stored, Pid::PortIO);
        stored.Registers.at(PortIOReg::XBR0).Value = 0x02;
        doc_->SetPeripheral(stored, Pid::PortIO);
        d.Finish(false);
    });
    Click(Page::kChangeSck);
    EXPECT_EQ(At(p.PortIO(), PortIOReg::XBR0), 0x02);
    EXPECT_EQ(p.Text(Page::kCrossbarText), "SPI0 is Enabled on the Crossbar");
    EXPECT_EQ(Spi(SpiReg::SPI0CKR), 0x00);
    // The guard now reads the new copy.
    Click(Page::kThreeWire);
    EXPECT_EQ(ui_.Shown.back().Text, kWireModeMessage);
    EXPECT_EQ(Spi(SpiReg::SPI0CN), 0x04);
}

// Through the command: the nested Port I/O sheet sees the page's unsaved wire
// mode, and its OK stores at once, whatever the SPI sheet does later.
TEST_F(Spi0Page, PortIOChangeMadeHereSurvivesCancellingTheSheet) {
    ui_.Modals.push_back([&](ModalDialog& d) {
        CPropPage* page = dynamic_cast<CDeviceDlg&>(d).ActivePage();
        EXPECT_EQ(driver::Click(page, Page::kThreeWire), "");
        Then([&](CDeviceDlg& portSheet) {
            EXPECT_EQ(driver::Click(portSheet.ActivePage(), 11447), "");  // SPI0 on the crossbar
            // Three-wire: SCK, MISO, MOSI, and no NSS pin.
            const std::string pins = driver::TextOf(driver::Find(portSheet.ActivePage(), 11463));
            EXPECT_EQ(pins.substr(0, 42), "P0.0 SCK\nP0.1 MISO\nP0.2 MOSI\nP0.3 -\nP0.4 -");
            portSheet.PressOk();
        });
        EXPECT_EQ(driver::Click(page, Page::kConfigurePortIO), "");
        EXPECT_EQ(page->Text(Page::kCrossbarText), "SPI0 is Enabled on the Crossbar");
        // Back to four-wire is now refused, with the text users know.
        EXPECT_EQ(driver::Click(page, Page::kFourWire), "");
        EXPECT_EQ(
            ui_.Shown.back().Text,
            "Error:\n\nTo change a wire mode, disable the  \nSPI in the Port I/O Dialog.Once it  \n"
            "is disabled you can change wire  \nmodes in the SPI Dialog. This is so  \n"
            "the pins do not get misnumbered in  \nthe Crossbar.");
        EXPECT_TRUE(page->IsChecked(Page::kThreeWire));
        d.Finish(false);
    });
    EXPECT_FALSE(RunSheet(*doc_, SpiSheet()));
    EXPECT_EQ(StoredValue(Pid::PortIO, PortIOReg::XBR0), 0x02);
}

}  // namespace
