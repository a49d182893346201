// The sheet runner: the pages' life cycle, the start page, Reset on the active
// page, nested sheets by id and the copies they share.

#include <QLayout>
#include <QPushButton>

#include <string>
#include <vector>

#include "devices/Registers.h"
#include "plugin/PeripheralTable.h"
#include "support/PageTest.h"

namespace {

std::vector<std::string> g_calls;

// A page with one check box on bit 0x01 of the register at position 0 of its
// record, logging its life cycle.
class LogPage : public CPropPage {
public:
    explicit LogPage(const std::string& name) : CPropPage(name) {
        PageBuilder b = Builder();
        b.Group("Bits");
        b.Check(100, "Bit 0").Bit(0, 0x01);
        b.Preview();
    }
    void OnInitDialog() override {
        g_calls.push_back(Caption() + ".init");
        CPropPage::OnInitDialog();
    }
    void OnSetActive() override {
        g_calls.push_back(Caption() + ".active");
        CPropPage::OnSetActive();
    }
    void OnOK() override { g_calls.push_back(Caption() + ".ok"); }
};

// A page whose button 300 opens the nested "Port I/O" sheet.
class OuterPage : public LogPage {
public:
    OuterPage() : LogPage("Outer") {
        auto* button = new QPushButton("Nested", this);
        Register(300, button, ControlKind::Button);
        layout()->addWidget(button);
    }
    void OnCommand(int id) override {
        if (id != 300) return CPropPage::OnCommand(id);
        nestedOk = Ctx().OpenSheet(SheetId::PortIO);
    }
    bool nestedOk = false;
};

class Sheets : public testing_pages::SheetTest {
protected:
    void SetUp() override {
        g_calls.clear();
        // The nested "Port I/O" sheet of these tests: one logging page on the
        // opening page's copy of record 13, when its sheet holds one.
        InstallSheetDirectory([](SheetId id) -> const SheetPlan* {
            static const SheetPlan nested{.caption = "Port I/O",
                                          .stored = {Pid::PortIO},
                                          .pages = {Log("Nested")},
                                          .shared = {Pid::PortIO}};
            return id == SheetId::PortIO ? &nested : nullptr;
        });
    }
    void TearDown() override { plugin::InstallSheets(); }
    std::uint8_t P0mdin() {
        return doc_->DeviceData.Peripherals.at(13).Registers[PortIOReg::P0MDIN].Value;
    }

public:
    static PagePlan Log(const std::string& name, PeripheralId record = -1) {
        return {[name, record](PageContext& context) -> std::unique_ptr<CPropPage> {
            auto page = std::make_unique<LogPage>(name);
            if (record >= 0) page->SetRecord(&context.Record(record));
            return page;
        }};
    }
};

SheetPlan TwoPageSheet() {
    // Page "A" edits record 11 (REG0CN), page "B" record 12 (PFE0CN).
    PagePlan never = Sheets::Log("Never");
    never.when = [](int code) { return code == 999; };
    return {.caption = "Two",
            .stored = {Pid::VoltageRegulator, Pid::Prefetch},
            .pages = {Sheets::Log("A"), Sheets::Log("B", Pid::Prefetch), never}};
}

TEST_F(Sheets, PagesAreInitialisedInOrderAndOkRunsEveryPage) {
    Then([](CDeviceDlg& s) {
        EXPECT_EQ(s.windowTitle(), "Two");
        ASSERT_EQ(s.PageCount(), 2);  // the conditional page is left out
        EXPECT_EQ(s.ActiveIndex(), 0);
        s.SetActivePage(1);
        s.PressOk();
    });
    EXPECT_TRUE(RunSheet(*doc_, TwoPageSheet()));
    EXPECT_EQ(g_calls, (std::vector<std::string>{"A.init", "B.init", "A.active", "B.active", "A.ok",
                                                 "B.ok"}));

    // Started on a page (by caption), as a click on its tab selects it.
    g_calls.clear();
    Then([](CDeviceDlg& s) {
        EXPECT_EQ(s.ActiveIndex(), 1);
        s.Finish(false);
    });
    EXPECT_FALSE(RunSheet(*doc_, TwoPageSheet(), nullptr, "B"));
    EXPECT_EQ(g_calls, (std::vector<std::string>{"A.init", "B.init", "A.active", "B.active"}));
}

// That a sheet's OK stores only its records, that its Cancel and Reset leave
// the project's bytes as they were but for what nested sheets and the ECI
// dialog stored, and that only the Oscillators sheet puts the clock words back:
// the explorer checks it for every sheet of every model (explore.*), and
// oscillators_cancel.zvs and pca_clocks.zvs for the clock and ECI words.
TEST_F(Sheets, ResetActsOnTheActivePageOnly) {
    doc_->DeviceData.Peripherals[11].Registers[VoltageRegulatorReg::REG0CN].Value = 0x01;
    doc_->DeviceData.Peripherals[12].Registers[PrefetchReg::PFE0CN].Value = 0x21;
    Then([](CDeviceDlg& s) {
        s.SetActivePage(1);
        s.PressReset();  // answered Yes by default
        EXPECT_TRUE(s.Page(0)->TestBits(0, 0x01));
        EXPECT_FALSE(driver::IsChecked(driver::Find(s.Page(1), 100)));
        s.PressOk();
    });
    EXPECT_TRUE(RunSheet(*doc_, TwoPageSheet()));
    ASSERT_EQ(ui_.Shown.size(), 1u);
    EXPECT_EQ(ui_.Shown[0].Text, "Reset all registers to default for this peripheral?");
    EXPECT_EQ(ui_.Shown[0].Icon, MsgIcon::Question);
    EXPECT_EQ(ui_.Shown[0].Buttons, MsgButtons::YesNo);
    EXPECT_EQ(doc_->DeviceData.Peripherals.at(11).Registers[VoltageRegulatorReg::REG0CN].Value,
              0x01);
    EXPECT_EQ(doc_->DeviceData.Peripherals.at(12).Registers[PrefetchReg::PFE0CN].Value, 0x20);
    // Answered No, a page's Reset changes nothing: the ADC0, PCA and Oscillators tests.
}

// The outer sheet edits record 10 and, with `withCopy`, holds a copy of record 13.
SheetPlan OuterSheet(bool withCopy) {
    SheetPlan plan{.caption = "Outer",
                   .stored = {Pid::VoltageReference},
                   .pages = {MakePage<OuterPage>()}};
    if (withCopy) plan.copied = {Pid::PortIO};
    return plan;
}

// A nested sheet's OK stores its record at once, whatever the outer sheet does
// later; its Cancel stores nothing, but a copy the outer sheet shares keeps
// the change (without one, the nested sheet worked on a fresh copy).
TEST_F(Sheets, ANestedSheetStoresAtOnceOnOkAndTheSharedCopyKeepsACancelledChange) {
    for (bool withCopy : {true, false})
        for (bool nestedOk : {true, false}) {
            SCOPED_TRACE(std::to_string(withCopy) + " " + std::to_string(nestedOk));
            doc_ = NewProject(0);
            Then([&](CDeviceDlg& s) {
                auto* outer = dynamic_cast<OuterPage*>(s.ActivePage());
                driver::Click(outer, 100);
                EXPECT_EQ(driver::Click(outer, 300), "");
                EXPECT_EQ(outer->nestedOk, nestedOk);
                EXPECT_EQ(P0mdin(), nestedOk ? 0xFE : 0xFF);  // while the outer sheet is open
                EXPECT_EQ(outer->Ctx().Holds(Pid::PortIO), withCopy);
                if (!nestedOk) {
                    EXPECT_EQ(outer->Ctx().Record(Pid::PortIO).Registers[PortIOReg::P0MDIN].Value,
                              withCopy ? 0xFE : 0xFF);
                }
                nestedOk ? s.Finish(false) : s.PressOk();
            });
            Then([nestedOk](CDeviceDlg& nested) {
                EXPECT_EQ(nested.windowTitle(), "Port I/O");
                driver::Click(nested.ActivePage(), 100);  // P0MDIN bit 0 cleared
                nestedOk ? nested.PressOk() : nested.Finish(false);
            });
            EXPECT_EQ(RunSheet(*doc_, OuterSheet(withCopy)), !nestedOk);
            // The outer sheet's OK stores only its own record.
            EXPECT_EQ(P0mdin(), nestedOk ? 0xFE : 0xFF);
            EXPECT_EQ(
                doc_->DeviceData.Peripherals.at(10).Registers[VoltageReferenceReg::REF0CN].Value,
                nestedOk ? 0x00 : 0x01);
        }
}

// The EMI command works for a model without the menu item too (which models
// have it: emi.zvs, emi_small_package.zvs).
TEST_F(Sheets, TheEmiCommandWorksWithoutItsMenuItem) {
    const plugin::PeripheralCommand* emi = plugin::FindPeripheral(43001);
    ASSERT_NE(emi, nullptr);
    doc_ = NewProject(2);
    plugin::InstallSheets();
    Then([](CDeviceDlg& s) {
        EXPECT_EQ(s.windowTitle(), "EMI");
        EXPECT_EQ(s.ActivePage()->Caption(), "EMI0");
        driver::Click(s.ActivePage(), 11094);
        s.PressOk();
    });
    EXPECT_TRUE(RunSheet(*doc_, emi->sheet));
    EXPECT_EQ(doc_->DeviceData.Peripherals.at(7).Registers[EmiReg::EMI0CF].Value, 0x0F);
}

}  // namespace
