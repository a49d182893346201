// Sheet and command mechanics: copy out, run, store on OK, nested sheets,
// Reset on the active page only.

#include <gtest/gtest.h>

#include <QLayout>
#include <QPushButton>

#include <string>
#include <vector>

#include "devices/Q7R2xDoc.h"
#include "devices/Registers.h"
#include "framework/ControlDriver.h"
#include "model/Ui.h"
#include "pages/common/CDeviceDlg.h"
#include "pages/common/CommandIds.h"
#include "pages/common/CommandTable.h"
#include "pages/common/PeripheralCommands.h"
#include "support/ScopedUi.h"

namespace {

std::vector<std::string> g_calls;

// A page with one check box on bit 0x01 of the register at position 0 of its
// record, logging its life cycle.
class LogPage : public CPropPage {
public:
    explicit LogPage(const std::string& name) : CPropPage(name) {
        BuildBound({{100, ControlKind::Check, "Bit 0", "Bits", 0, 0, 0x01, 0}});
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

// A page whose button 300 opens a nested sheet on the caller's copy of the
// Port I/O record (or on a fresh one when it has none).
class OuterPage : public LogPage {
public:
    OuterPage(PeripheralRecord* portCopy) : LogPage("Outer"), portCopy_(portCopy) {
        auto* button = new QPushButton("Nested", this);
        Register(300, button, ControlKind::Button);
        layout()->addWidget(button);
    }
    void OnCommand(int id) override {
        if (id != 300) return CPropPage::OnCommand(id);
        PeripheralRecord fresh;
        PeripheralRecord* target = portCopy_;
        if (!target) {
            ActiveDocument()->GetPeripheral(fresh, Pid::PortIO);
            target = &fresh;
        }
        std::vector<std::unique_ptr<CPropPage>> pages;
        pages.push_back(std::make_unique<LogPage>("Nested"));
        nestedOk = RunNestedSheet(*ActiveDocument(), "Port I/O", Pid::PortIO, *target, std::move(pages));
    }
    bool nestedOk = false;

private:
    PeripheralRecord* portCopy_;
};

CDeviceDlg& Sheet(ModalDialog& d) { return dynamic_cast<CDeviceDlg&>(d); }

class Sheets : public ::testing::Test {
protected:
    void SetUp() override {
        doc_ = NewProject(0);
        g_calls.clear();
    }

    // Queues what the user does in the next sheet.
    void Then(std::function<void(CDeviceDlg&)> act) {
        ui_.Modals.push_back([act](ModalDialog& d) { act(Sheet(d)); });
    }

    ScopedScriptUi ui_;
    std::unique_ptr<CQ7R2xDoc> doc_;
};

CommandRow TwoPageRow() {
    // Page "A" edits record 11 (REG0CN), page "B" record 12 (PFE0CN).
    return {99001, "Two", {Pid::VoltageRegulator, Pid::Prefetch},
            {{[](CommandInputs& in) {
                 auto p = std::make_unique<LogPage>("A");
                 p->SetRecord(&in.Rec(Pid::VoltageRegulator));
                 return std::unique_ptr<CPropPage>(std::move(p));
             }},
             {[](CommandInputs& in) {
                 auto p = std::make_unique<LogPage>("B");
                 p->SetRecord(&in.Rec(Pid::Prefetch));
                 return std::unique_ptr<CPropPage>(std::move(p));
             }},
             {[](CommandInputs&) { return std::unique_ptr<CPropPage>(new LogPage("Never")); },
              [](int code) { return code == 999; }}}};
}

TEST_F(Sheets, PagesAreInitialisedInOrderAndOkRunsEveryPage) {
    Then([](CDeviceDlg& s) {
        EXPECT_EQ(s.windowTitle(), "Two");
        ASSERT_EQ(s.PageCount(), 2);  // the conditional page is left out
        EXPECT_EQ(s.ActiveIndex(), 0);
        s.SetActivePage(1);
        s.PressOk();
    });
    EXPECT_TRUE(RunCommand(TwoPageRow(), *doc_));
    EXPECT_EQ(g_calls, (std::vector<std::string>{"A.init", "B.init", "A.active", "B.active", "A.ok",
                                                 "B.ok"}));
}

TEST_F(Sheets, OkStoresOnlyTheEditedRecordsAndCancelNothing) {
    const auto before = doc_->DeviceData;
    Then([](CDeviceDlg& s) {
        EXPECT_EQ(driver::Click(s.ActivePage(), 100), "");
        s.Finish(false);
    });
    EXPECT_FALSE(RunCommand(TwoPageRow(), *doc_));
    EXPECT_TRUE(doc_->DeviceData == before);

    Then([](CDeviceDlg& s) {
        driver::Click(s.ActivePage(), 100);
        s.PressOk();
    });
    EXPECT_TRUE(RunCommand(TwoPageRow(), *doc_));
    EXPECT_EQ(doc_->DeviceData.Peripherals.at(11).Registers[VoltageRegulatorReg::REG0CN].Value,
              0x01);
    for (const auto& [id, rec] : doc_->DeviceData.Peripherals)
        if (id != 11) {
            EXPECT_EQ(rec, before.Peripherals.at(id)) << id;
        }
}

TEST_F(Sheets, ResetActsOnTheActivePageAndTheWorkingCopiesOnly) {
    doc_->DeviceData.Peripherals[11].Registers[VoltageRegulatorReg::REG0CN].Value = 0x01;
    doc_->DeviceData.Peripherals[12].Registers[PrefetchReg::PFE0CN].Value = 0x21;
    const auto before = doc_->DeviceData;
    for (bool confirm : {false, true}) {
        Then([confirm](CDeviceDlg& s) {
            s.SetActivePage(1);
            s.PressReset();  // answered Yes by default
            EXPECT_TRUE(s.Page(0)->TestBits(0, 0x01));
            EXPECT_FALSE(s.Page(1)->TestBits(0, 0x01));
            EXPECT_FALSE(driver::IsChecked(driver::Find(s.Page(1), 100)));
            EXPECT_TRUE(s.Page(1)->TestBits(0, 0x20));  // back to 0x20, the reset value
            confirm ? s.PressOk() : s.Finish(false);
        });
        RunCommand(TwoPageRow(), *doc_);
        ASSERT_FALSE(ui_.Shown.empty());
        EXPECT_EQ(ui_.Shown.back().Text, "Reset all registers to default for this peripheral?");
        EXPECT_EQ(ui_.Shown.back().Icon, MsgIcon::Question);
        EXPECT_EQ(ui_.Shown.back().Buttons, MsgButtons::YesNo);
        if (!confirm) {
            EXPECT_TRUE(doc_->DeviceData == before);
        }
    }
    EXPECT_EQ(doc_->DeviceData.Peripherals.at(11).Registers[VoltageRegulatorReg::REG0CN].Value,
              0x01);
    EXPECT_EQ(doc_->DeviceData.Peripherals.at(12).Registers[PrefetchReg::PFE0CN].Value, 0x20);

    // Answered No, Reset changes nothing.
    ui_.Answers.push_back(MsgResult::No);
    Then([](CDeviceDlg& s) {
        s.PressReset();
        EXPECT_TRUE(s.Page(0)->TestBits(0, 0x01));
        s.PressOk();
    });
    RunCommand(TwoPageRow(), *doc_);
    EXPECT_EQ(doc_->DeviceData.Peripherals.at(11).Registers[VoltageRegulatorReg::REG0CN].Value,
              0x01);
}

CommandRow OuterRow(bool withCopy) {
    return {99002, "Outer", {Pid::VoltageReference},
            {{[withCopy](CommandInputs& in) {
                auto p = std::make_unique<OuterPage>(withCopy ? &in.Rec(Pid::PortIO) : nullptr);
                p->SetRecord(&in.Rec(Pid::VoltageReference));
                return std::unique_ptr<CPropPage>(std::move(p));
            }}}};
}

TEST_F(Sheets, ANestedSheetStoresItsRecordAtOnceAndSurvivesTheOuterCancel) {
    for (bool withCopy : {true, false}) {
        SCOPED_TRACE(withCopy);
        doc_ = NewProject(0);
        OuterPage* outer = nullptr;
        Then([&](CDeviceDlg& s) {
            outer = dynamic_cast<OuterPage*>(s.ActivePage());
            driver::Click(s.ActivePage(), 100);
            EXPECT_EQ(driver::Click(s.ActivePage(), 300), "");
            EXPECT_TRUE(outer->nestedOk);
            // Stored in the document already, while the outer sheet is open.
            EXPECT_EQ(doc_->DeviceData.Peripherals.at(13).Registers[PortIOReg::P0MDIN].Value, 0xFE);
            s.Finish(false);
        });
        Then([](CDeviceDlg& nested) {
            EXPECT_EQ(nested.windowTitle(), "Port I/O");
            driver::Click(nested.ActivePage(), 100);  // P0MDIN bit 0 cleared
            nested.PressOk();
        });
        EXPECT_FALSE(RunCommand(OuterRow(withCopy), *doc_));
        EXPECT_EQ(doc_->DeviceData.Peripherals.at(13).Registers[PortIOReg::P0MDIN].Value, 0xFE);
        EXPECT_EQ(doc_->DeviceData.Peripherals.at(10).Registers[VoltageReferenceReg::REF0CN].Value,
                  0x00);
    }
}

TEST_F(Sheets, ANestedCancelStoresNothingButTheCallersCopyKeepsItsChanges) {
    PeripheralRecord* seen = nullptr;
    CommandRow row = OuterRow(true);
    row.pages[0].make = [&seen](CommandInputs& in) {
        seen = &in.Rec(Pid::PortIO);
        auto p = std::make_unique<OuterPage>(seen);
        p->SetRecord(&in.Rec(Pid::VoltageReference));
        return std::unique_ptr<CPropPage>(std::move(p));
    };
    Then([&](CDeviceDlg& s) {
        driver::Click(s.ActivePage(), 300);
        EXPECT_EQ(seen->Registers[PortIOReg::P0MDIN].Value, 0xFE);
        EXPECT_EQ(doc_->DeviceData.Peripherals.at(13).Registers[PortIOReg::P0MDIN].Value, 0xFF);
        s.PressOk();
    });
    Then([](CDeviceDlg& nested) {
        driver::Click(nested.ActivePage(), 100);
        nested.Finish(false);
    });
    EXPECT_TRUE(RunCommand(row, *doc_));
    // The outer command stores only its own record.
    EXPECT_EQ(doc_->DeviceData.Peripherals.at(13).Registers[PortIOReg::P0MDIN].Value, 0xFF);
}

TEST_F(Sheets, CommandEntryPoints) {
    EXPECT_TRUE(pages::HasPeripheralCommand(cmd::PrefetchEngine));
    EXPECT_TRUE(pages::HasPeripheralCommand(cmd::Emi));
    EXPECT_TRUE(pages::HasPeripheralCommand(cmd::VoltageRegulator));
    EXPECT_FALSE(pages::HasPeripheralCommand(cmd::ResetAll));
    EXPECT_FALSE(pages::HasPeripheralCommand(12345));
    EXPECT_FALSE(pages::RunPeripheralCommand(*doc_, 12345));

    // The EMI command works for a model without the menu item too.
    doc_ = NewProject(2);
    Then([](CDeviceDlg& s) {
        EXPECT_EQ(s.windowTitle(), "EMI");
        EXPECT_EQ(s.ActivePage()->Caption(), "EMI0");
        driver::Click(s.ActivePage(), 11094);
        s.PressOk();
    });
    EXPECT_TRUE(pages::RunPeripheralCommand(*doc_, cmd::Emi));
    EXPECT_EQ(doc_->DeviceData.Peripherals.at(7).Registers[EmiReg::EMI0CF].Value, 0x0F);
}

// What the control driver refuses (hidden, disabled, missing controls, an
// edit that is none) and its state listing: RunScript in CliTest.

}  // namespace
