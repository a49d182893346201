// The nested Interrupts sheets that timer, UART and other pages open on
// their own copy of the interrupt record.

#include <gtest/gtest.h>

#include "devices/Q7R2xDoc.h"
#include "devices/Registers.h"
#include "framework/ControlDriver.h"
#include "model/Ui.h"
#include "pages/common/CDeviceDlg.h"
#include "pages/common/CPropPage.h"
#include "pages/common/PageContext.h"

namespace {

class InterruptSheets : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = SetUi(&ui_);
        doc_ = NewProject(2);
        doc_->GetPeripheral(copy_, Pid::Interrupts);
    }
    void TearDown() override { SetUi(previous_); }
    // Opens a nested Interrupts sheet as a page does that holds `copy_`.
    bool Open(SheetId id) {
        PageContext caller(*doc_);
        caller.Lend(Pid::Interrupts, copy_);
        return caller.OpenSheet(id);
    }
    std::uint8_t Stored(int position) {
        PeripheralRecord r;
        doc_->GetPeripheral(r, Pid::Interrupts);
        return r.Registers.at(static_cast<std::size_t>(position)).Value;
    }

    ScriptUi ui_;
    Ui* previous_ = nullptr;
    std::unique_ptr<CQ7R2xDoc> doc_;
    PeripheralRecord copy_;
};

TEST_F(InterruptSheets, EnableAndPrioritySheetStoresTheCallersCopyOnOk) {
    ui_.Modals.push_back([](ModalDialog& d) {
        auto& sheet = dynamic_cast<CDeviceDlg&>(d);
        ASSERT_EQ(sheet.PageCount(), 2);
        EXPECT_EQ(sheet.Page(0)->Caption(), "Enable Interrupts");
        EXPECT_EQ(sheet.Page(1)->Caption(), "Interrupt Priority");
        EXPECT_EQ(driver::Click(sheet.ActivePage(), 11191), "");
        sheet.PressOk();
    });
    EXPECT_TRUE(Open(SheetId::Interrupts));
    EXPECT_EQ(copy_.Registers[InterruptsReg::IE].Value, 0x80);
    EXPECT_EQ(Stored(InterruptsReg::IE), 0x80);
}

TEST_F(InterruptSheets, ExternalPinsSheetCancelledStoresNothingButKeepsTheCopy) {
    ui_.Modals.push_back([](ModalDialog& d) {
        auto& sheet = dynamic_cast<CDeviceDlg&>(d);
        ASSERT_EQ(sheet.PageCount(), 1);
        EXPECT_EQ(sheet.Page(0)->Caption(), "INT0/INT1 Configuration");
        EXPECT_EQ(driver::Click(sheet.ActivePage(), 11221), "");  // /INT0 active high
        d.Finish(false);
    });
    EXPECT_FALSE(Open(SheetId::ExternalInterrupts));
    EXPECT_EQ(copy_.Registers[InterruptsReg::IT01CF].Value & 0x08, 0x08);
    EXPECT_EQ(Stored(InterruptsReg::IT01CF), 0x01);
}

}  // namespace
