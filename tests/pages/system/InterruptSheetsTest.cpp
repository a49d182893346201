// The nested Interrupts sheets that timer, UART and other pages open on
// their own copy of the interrupt record.

#include <gtest/gtest.h>

#include "devices/Registers.h"
#include "support/PageTest.h"

namespace {

class InterruptSheets : public testing_pages::SheetTest {
protected:
    void SetUp() override {
        doc_ = NewProject(kSmallModel);
        copy_ = SheetTest::Stored(Pid::Interrupts);
    }
    // Opens a nested Interrupts sheet as a page does that holds `copy_`.
    bool Open(SheetId id) {
        PageContext caller(*doc_);
        caller.Lend(Pid::Interrupts, copy_);
        return caller.OpenSheet(id);
    }
    std::uint8_t Stored(int position) { return StoredValue(Pid::Interrupts, position); }

    PeripheralRecord copy_;
};

TEST_F(InterruptSheets, EnableAndPrioritySheetStoresTheCallersCopyOnOk) {
    Then([](CDeviceDlg& sheet) {
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
    Then([](CDeviceDlg& sheet) {
        ASSERT_EQ(sheet.PageCount(), 1);
        EXPECT_EQ(sheet.Page(0)->Caption(), "INT0/INT1 Configuration");
        EXPECT_EQ(driver::Click(sheet.ActivePage(), 11221), "");  // /INT0 active high
        sheet.Finish(false);
    });
    EXPECT_FALSE(Open(SheetId::ExternalInterrupts));
    EXPECT_EQ(copy_.Registers[InterruptsReg::IT01CF].Value & 0x08, 0x08);
    EXPECT_EQ(Stored(InterruptsReg::IT01CF), 0x01);
}

}  // namespace
