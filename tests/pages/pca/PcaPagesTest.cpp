// The "Programmable Counter Array" sheet driven as a user drives it. The ECI
// word and the timeout calculator's refusal and SYSCLK / 4: pca_clocks.zvs.

#include "chip/PcaRecord.h"
#include "devices/Registers.h"
#include "pages/pca/CPca0ModulePropPage.h"
#include "pages/pca/PcaSheet.h"
#include "support/PageTest.h"

namespace {

using namespace testing_pages;
constexpr int kPca0Page = 0;
constexpr int kModule0Page = 1;
constexpr int kModule4Page = 5;

class PcaSheet : public SheetTest {
protected:
    // Runs the PCA command; `body` acts on the sheet, which is then closed
    // with OK or Cancel. Returns what the command returned.
    bool Run(const std::function<void(CDeviceDlg&)>& body, bool ok = true) {
        Then([body, ok](CDeviceDlg& sheet) {
            body(sheet);
            if (sheet.IsFinished()) return;
            if (ok)
                sheet.PressOk();
            else
                sheet.Finish(false);
        });
        return RunSheet(*doc_, ::PcaSheet());
    }

    // The PCA routine of the generated text in one format; empty when absent.
    std::string Routine(int format) {
        doc_->DeviceData.CodeFormat = format;
        const std::string text = doc_->GenerateSource();
        const std::string head = format == 0 ? "void PCA_Init()\r\n" : "PCA_Init:\r\n";
        const std::string foot = format == 0 ? "\r\n}\r\n" : "\r\n    ret\r\n";
        const auto begin = text.find(head);
        if (begin == std::string::npos) return {};
        return text.substr(begin, text.find(foot, begin) + foot.size() - begin);
    }
    PeripheralRecord Stored() { return SheetTest::Stored(Pid::Pca); }
};

TEST_F(PcaSheet, ANewProjectWritesNoWatchdogRegister) {
    EXPECT_TRUE(Run([](CDeviceDlg& sheet) {
        ASSERT_EQ(sheet.PageCount(), 6);  // the captions: pca.zvs
        EXPECT_EQ(Text(sheet.ActivePage(), kPreviewId), "");
        QWidget* m4 = Go(sheet, kModule4Page);
        EXPECT_TRUE(Checked(m4, 11334));
        EXPECT_FALSE(Checked(m4, 11333));
        EXPECT_EQ(Text(m4, 11342), "Watchdog Timer");
        EXPECT_EQ(Text(m4, 11343), "Capture on positive edge of CEX4");
        EXPECT_EQ(Text(m4, kPreviewId), "");
    }));
    EXPECT_EQ(Routine(0), "");
    EXPECT_EQ(Routine(1), "");
}

TEST_F(PcaSheet, TimebaseChangeForcesBothWatchdogRegistersRunBitDoesNot) {
    EXPECT_TRUE(Run([](CDeviceDlg& sheet) {
        QWidget* page = sheet.ActivePage();
        // PCA0CN alone: the rule does not look at it.
        ASSERT_EQ(driver::Click(page, 11329), "");
        EXPECT_EQ(Text(page, kPreviewId), "    PCA0CN    = 0x40;\n");
        ASSERT_EQ(driver::Click(page, 11337), "");  // SYSCLK / 4
    }));
    EXPECT_EQ(Routine(0),
              "void PCA_Init()\r\n{\r\n    PCA0CN    = 0x40;\r\n    PCA0MD    &= ~0x40;\r\n    "
              "PCA0MD    = 0x02;\r\n"
              "    PCA0CPL4  = 0x00;\r\n    PCA0MD    |= 0x40;\r\n}\r\n");
    // The default record's assembly line is still the one without ";": the
    // page changed no text (the texts of each state: WatchdogRecord).
    EXPECT_EQ(Stored().Registers[pca::Cpl(4)].AsmPost, "    orl  PCA0MD,    #040h\r\n");

    // Back to SYSCLK / 12, with the counter still running: neither is forced.
    EXPECT_TRUE(
        Run([](CDeviceDlg& sheet) { ASSERT_EQ(driver::Click(sheet.ActivePage(), 11336), ""); }));
    EXPECT_EQ(Routine(0), "void PCA_Init()\r\n{\r\n    PCA0CN    = 0x40;\r\n}\r\n");
    // The counter's initial value forces both too.
    EXPECT_TRUE(Run([](CDeviceDlg& sheet) {
        ASSERT_EQ(driver::SetText(sheet.ActivePage(), 11353, "1F"), "");
    }));
    EXPECT_EQ(Stored().Registers[PcaReg::PCA0L].Value, 0x1F);
    EXPECT_EQ(Stored().Registers[PcaReg::PCA0MD].ForceWrite, 1);
    EXPECT_EQ(Stored().Registers[pca::Cpl(4)].ForceWrite, 1);
}

TEST_F(PcaSheet, DisablingTheWatchdogWritesPca0mdOnlyLockingWritesThe0x20Line) {
    EXPECT_TRUE(Run([](CDeviceDlg& sheet) {
        QWidget* m4 = Go(sheet, kModule4Page);
        ASSERT_EQ(driver::Click(m4, 11334), "");
        EXPECT_FALSE(driver::Find(m4, 11333)->isEnabled());
        EXPECT_TRUE(driver::Find(m4, 11349)->isEnabled());
        EXPECT_EQ(Text(m4, kPreviewId), "    PCA0MD    &= ~0x40;\n    PCA0MD    = 0x00;\n");
        // The PCA0 page's rule agrees when it is shown.
        EXPECT_EQ(Text(Go(sheet, kPca0Page), kPreviewId),
                  "    PCA0MD    &= ~0x40;\n    PCA0MD    = 0x00;\n");
    }));
    EXPECT_EQ(Routine(0),
              "void PCA_Init()\r\n{\r\n    PCA0MD    &= ~0x40;\r\n    PCA0MD    = 0x00;\r\n}\r\n");

    EXPECT_TRUE(Run([](CDeviceDlg& sheet) {
        QWidget* m4 = Go(sheet, kModule4Page);
        EXPECT_FALSE(Checked(m4, 11334));
        // Disabled, the module may take any mode; re-enabling masks it to bit 0.
        Click(m4, {11441, 11348, 11334});
        EXPECT_TRUE(Checked(m4, 11342));
        EXPECT_FALSE(Checked(m4, 11348));
        for (int id = 11342; id <= 11350; ++id)
            EXPECT_FALSE(driver::Find(m4, id)->isEnabled()) << id;
        EXPECT_EQ(Text(m4, 11357), "Timeout Interval:");
        ASSERT_EQ(driver::Click(m4, 11333), "");
    }));
    EXPECT_EQ(Stored().Registers[pca::Cpm(4)].Value, 0x01);
    EXPECT_EQ(Routine(0),
              "void PCA_Init()\r\n{\r\n    PCA0MD    &= ~0x40;\r\n    PCA0MD    = 0x00;\r\n    "
              "PCA0CPM4  = 0x01;\r\n"
              "    PCA0CPL4  = 0x00;\r\n    PCA0MD    |= 0x20;\r\n}\r\n");

    // Unlocking goes back to the 0x40 forms; disabling clears the lock bit.
    EXPECT_TRUE(Run([](CDeviceDlg& sheet) {
        QWidget* m4 = Go(sheet, kModule4Page);
        EXPECT_TRUE(Checked(m4, 11333));
        Click(m4, {11333, 11441});
        EXPECT_EQ(Text(m4, kPreviewId), "");
    }));
    EXPECT_EQ(Stored().Registers[pca::Cpl(4)].AsmPost, "    orl  PCA0MD,    #040h;\r\n");
    EXPECT_EQ(Routine(0), "");
}

TEST_F(PcaSheet, ResetOnAnyPageRestoresEveryRegisterTheTextsAndTheFlags) {
    for (int page : {kPca0Page, 3, kModule4Page}) {
        EXPECT_TRUE(Run([this, page](CDeviceDlg& sheet) {
            ASSERT_EQ(driver::Click(Go(sheet, kPca0Page), 11340), "");
            QWidget* m0 = Go(sheet, kModule0Page);
            Click(m0, {11349});
            ASSERT_EQ(driver::SetText(m0, 11358, "80"), "");
            QWidget* m2 = Go(sheet, 3);
            ASSERT_EQ(driver::Click(m2, 11346), "");
            ASSERT_EQ(driver::SetText(m2, 11392, "33"), "");
            QWidget* m4 = Go(sheet, kModule4Page);
            ASSERT_EQ(driver::Click(m4, 11333), "");
            QWidget* active = Go(sheet, page);
            sheet.PressReset();
            EXPECT_EQ(ui_.Shown.back().Text, kResetQuestion);
            EXPECT_EQ(Text(active, kPreviewId), "");
        }));
        const PeripheralRecord r = Stored();
        for (const auto& e : r.Registers) {
            EXPECT_EQ(e.Value, e.ResetValue) << e.Name;
            EXPECT_EQ(e.ForceWrite, 0) << e.Name;
        }
        EXPECT_EQ(r.Registers[pca::Cpl(4)].CPost, "    PCA0MD    |= 0x40;\r\n");
        EXPECT_EQ(r.Registers[pca::Cpl(4)].AsmPost, "    orl  PCA0MD,    #040h;\r\n");
        EXPECT_EQ(Routine(0), "") << page;
        EXPECT_EQ(Routine(1), "") << page;
    }
    // Answering No keeps everything.
    ui_.Answers.push_back(MsgResult::No);
    EXPECT_TRUE(Run([](CDeviceDlg& sheet) {
        ASSERT_EQ(driver::Click(sheet.ActivePage(), 11329), "");
        sheet.PressReset();
    }));
    EXPECT_EQ(Routine(0), "void PCA_Init()\r\n{\r\n    PCA0CN    = 0x40;\r\n}\r\n");
}

// A mode change on Module 4 leaves the flags as they are; the next change of a
// watchdog check box or of the PCA0CPL4 edit, or the PCA0 page, runs the rule.
TEST_F(PcaSheet, Module4ModeChangeDoesNotRunTheWatchdogRule) {
    // A record whose flags do not match its watchdog state, as an older
    // project may hold: disabled, but nothing forced.
    PeripheralRecord pca = Stored();
    pca::SetWatchdogTexts(pca, pca::Watchdog::Disabled);
    PeripheralRecord port, timers;
    doc_->GetPeripheral(port, Pid::PortIO);
    doc_->GetPeripheral(timers, Pid::Timers);
    PageContext context(*doc_);
    context.Lend(Pid::PortIO, port);
    context.Lend(Pid::Timers, timers);
    CPca0Module4PropPage page(context);
    page.SetRecord(&pca);
    page.show();
    page.OnInitDialog();
    page.OnSetActive();
    EXPECT_EQ(pca.Registers[PcaReg::PCA0MD].ForceWrite, 0);  // showing the page runs nothing
    ASSERT_EQ(driver::Click(&page, 11346), "");
    EXPECT_EQ(pca.Registers[pca::Cpm(4)].Value, 0x48);
    EXPECT_EQ(pca.Registers[PcaReg::PCA0MD].ForceWrite, 0);
    EXPECT_EQ(driver::TextOf(driver::Find(&page, kPreviewId)), "    PCA0CPM4  = 0x48;\n");
    ASSERT_EQ(driver::SetText(&page, 11355, "0"), "");  // a change of text, same value
    EXPECT_EQ(pca.Registers[PcaReg::PCA0MD].ForceWrite, 1);
    EXPECT_EQ(pca.Registers[pca::Cpl(4)].ForceWrite, 0);
    EXPECT_EQ(driver::TextOf(driver::Find(&page, kPreviewId)),
              "    PCA0MD    &= ~0x40;\n    PCA0MD    = 0x00;\n    PCA0CPM4  = 0x48;\n");
}

// The display figures themselves: PcaDisplays and pca.zvs; here their labels
// and that they follow the mode.
TEST_F(PcaSheet, ModuleDisplaysFollowTheModeAndTheClock) {
    doc_->SysclkFrequency = 12000000;
    EXPECT_TRUE(Run([](CDeviceDlg& sheet) {
        ASSERT_EQ(driver::Click(Go(sheet, kPca0Page), 11340), "");  // SYSCLK
        QWidget* m0 = Go(sheet, kModule0Page);
        EXPECT_FALSE(driver::Find(m0, 11361)->isVisible());
        ASSERT_EQ(driver::Click(m0, 11348), "");
        EXPECT_EQ(Text(m0, 11357), "CEX0 Frequency:");
        EXPECT_EQ(Text(m0, 11360), "Hz");
        EXPECT_EQ(Text(m0, 11356), "Change CEX0 Frequency");
        EXPECT_EQ(Text(m0, 11361), "23437");
        ASSERT_EQ(driver::Click(m0, 11350), "");
        EXPECT_EQ(Text(m0, 11356), "Change Duty Cycle");
        // The CCF bit survives every mode change.
        Click(m0, {11441, 11347});
        EXPECT_FALSE(driver::Find(m0, 11361)->isVisible());
        EXPECT_FALSE(driver::Find(m0, 11356)->isVisible());
        EXPECT_EQ(Text(m0, 11357), "");
        EXPECT_EQ(Text(Go(sheet, 2), 11351), "CEX1 is Not Enabled on the Crossbar");
    }));
    EXPECT_EQ(Stored().Registers[pca::Cpm(0)].Value, 0x4D);
}

TEST_F(PcaSheet, NestedPortIOAndInterruptSheetsStoreAtOnce) {
    EXPECT_FALSE(Run(
        [this](CDeviceDlg& sheet) {
            QWidget* m2 = Go(sheet, 3);
            EXPECT_EQ(Text(m2, 11351), "CEX2 is Not Enabled on the Crossbar");
            Then([](CDeviceDlg& portIO) {
                EXPECT_EQ(portIO.PageCount(), 2);
                Click(portIO.ActivePage(), {11456});  // CEX2 and the two before it
                portIO.PressOk();
            });
            ASSERT_EQ(driver::Click(m2, 11281), "");
            EXPECT_EQ(Text(m2, 11351), "CEX2 is Enabled on the Crossbar");
            // The other module pages read the same copy.
            EXPECT_EQ(Text(Go(sheet, kModule0Page), 11351), "CEX0 is Enabled on the Crossbar");
            EXPECT_EQ(Text(Go(sheet, 4), 11351), "CEX3 is Not Enabled on the Crossbar");

            QWidget* pca0 = Go(sheet, kPca0Page);
            EXPECT_EQ(Text(pca0, 11330), "PCA0 Interrupt is Disabled");
            Then([](CDeviceDlg& interrupts) {
                EXPECT_EQ(interrupts.PageCount(), 2);
                Click(interrupts.ActivePage(), {11201});
                interrupts.PressOk();
            });
            ASSERT_EQ(driver::Click(pca0, 11331), "");
            EXPECT_EQ(Text(pca0, 11330), "PCA0 Interrupt is Enabled");
        },
        false));
    EXPECT_EQ(StoredValue(Pid::PortIO, PortIOReg::XBR1) & 0x07, 3);
    EXPECT_EQ(StoredValue(Pid::Interrupts, InterruptsReg::EIE1) & 0x10, 0x10);
}

// The Yes paths and 8-bit PWM: pca.zvs; the arithmetic: PcaMathTest. Here No
// and a refused duty keep the dialogs open.
TEST_F(PcaSheet, CexAndDutyCalculatorsWriteThePageRecord) {
    doc_->SysclkFrequency = 12000000;
    EXPECT_TRUE(Run([this](CDeviceDlg& sheet) {
        QWidget* m1 = Go(sheet, 2);
        ASSERT_EQ(driver::Click(m1, 11348), "");
        ui_.Modals.push_back([this](ModalDialog& d) {
            auto* w = dynamic_cast<QWidget*>(&d);
            ASSERT_EQ(driver::SetText(w, 11368, "10000"), "");
            ui_.Answers.push_back(MsgResult::No);  // No keeps the dialog open
            ASSERT_EQ(driver::Click(w, 1), "");
            EXPECT_FALSE(d.IsFinished());
            ASSERT_EQ(driver::Click(w, 1), "");
        });
        ASSERT_EQ(driver::Click(m1, 11356), "");
        EXPECT_EQ(ui_.Shown.back().Text, "Change PCA0 Data to:\n\n PCA0CPHN1 = 32");
        QWidget* m3 = Go(sheet, 4);
        ASSERT_EQ(driver::Click(m3, 11350), "");
        ui_.Modals.push_back([this](ModalDialog& d) {
            auto* w = dynamic_cast<QWidget*>(&d);
            ASSERT_EQ(driver::SetText(w, 11371, "150"), "");
            EXPECT_EQ(Text(w, 11990), "Achieved: -");
            ASSERT_EQ(driver::Click(w, 1), "");
            EXPECT_FALSE(d.IsFinished());
            EXPECT_EQ(ui_.Shown.back().Text, "Error: Invalid Duty Cycle.");
            EXPECT_EQ(ui_.Shown.back().Icon, MsgIcon::Exclamation);
            ASSERT_EQ(driver::SetText(w, 11371, "0"), "");
            ASSERT_EQ(driver::Click(w, 1), "");
            EXPECT_EQ(ui_.Shown.back().Text,
                      "Change PCA0 Data to:\n\n PCA0CPH3 = 00\n PCA0CPL3 = 00");
        });
        ASSERT_EQ(driver::Click(m3, 11356), "");
        EXPECT_EQ(Text(m3, 11361), "100.0000");
    }));
    EXPECT_EQ(Stored().Registers[pca::Cph(1)].Value, 0x32);
    EXPECT_EQ(Stored().Registers[pca::Cpm(3)].Value, 0xC2);
}

TEST_F(PcaSheet, TimeoutCalculatorsEciRadioAsksForTheFrequency) {
    EXPECT_TRUE(Run([this](CDeviceDlg& sheet) {
        QWidget* m4 = Go(sheet, kModule4Page);
        ui_.Modals.push_back([this](ModalDialog& d) {
            auto* w = dynamic_cast<QWidget*>(&d);
            // Without a result the line says why: no target, no clock, out of range.
            EXPECT_EQ(Text(w, 11990), "Achieved: - (no target)");
            ASSERT_EQ(driver::Click(w, 11366), "");
            ASSERT_EQ(driver::SetText(w, 11364, "100"), "");
            EXPECT_EQ(Text(w, 11990), "Achieved: - (no clock: External Oscillator is 0 Hz)");
            ASSERT_EQ(driver::Click(w, 11365), "");
            ASSERT_EQ(driver::SetText(w, 11364, "100000"), "");
            EXPECT_EQ(Text(w, 11990), "Achieved: - (no PCA0CPL4 value fits at this clock)");
            ASSERT_EQ(driver::SetText(w, 11364, ""), "");
            ui_.Modals.push_back([](ModalDialog& eci) {
                auto* e = dynamic_cast<QWidget*>(&eci);
                ASSERT_EQ(driver::SetText(e, 11390, "100000"), "");
                ASSERT_EQ(driver::Click(e, 1), "");
            });
            ASSERT_EQ(driver::Click(w, 11367), "");
            EXPECT_EQ(Text(w, 11171), "100000");
            ASSERT_EQ(driver::SetText(w, 11364, "100"), "");
            ASSERT_EQ(driver::Click(w, 1), "");
            EXPECT_EQ(ui_.Shown.back().Text,
                      "Change PCA0's Data to:\n\n PCA0CPL4 = 26\n Clock Source: High to Low "
                      "Transitions on ECI");
        });
        ASSERT_EQ(driver::Click(m4, 11356), "");
        EXPECT_EQ(Text(m4, 11361), "99.8");
        EXPECT_TRUE(Checked(Go(sheet, kPca0Page), 11339));
    }));
    EXPECT_EQ(doc_->EciFrequency, 100000u);
}

}  // namespace
