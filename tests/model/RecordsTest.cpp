#include <gtest/gtest.h>

#include "devices/Q7R2xDoc.h"
#include "devices/Registers.h"
#include "model/Ui.h"

namespace {

TEST(Records, GetPeripheralOfAbsentKeyInsertsAnEmptyRecordUnderThatId) {
    CDeviceDocument doc;
    PeripheralRecord r;
    r.CHead = "stale";
    r.Registers.resize(3);
    doc.GetPeripheral(r, 12);
    EXPECT_EQ(r.Id, 12);
    EXPECT_TRUE(r.CHead.empty());
    EXPECT_TRUE(r.Registers.empty());
    EXPECT_EQ(doc.DeviceData.Peripherals.at(12).Id, 12);
}

TEST(Records, CopiesAreValuesAndOnlySetPeripheralStores) {
    auto doc = NewProject(0);
    const std::string before = doc->GenerateSource();
    PeripheralRecord smbus;
    doc->GetPeripheral(smbus, 4);
    smbus.Registers[SmbusReg::SMB0CF].Value = 0x80;
    smbus.Registers[SmbusReg::SMB0CF].CPost = "x\r\n";
    // Not written back (the Cancel path): the document is unchanged.
    EXPECT_EQ(doc->DeviceData.Peripherals.at(4).Registers[SmbusReg::SMB0CF].Value, 0);
    EXPECT_EQ(doc->GenerateSource(), before);

    doc->SetPeripheral(smbus, 4);
    EXPECT_EQ(doc->DeviceData.Peripherals.at(4), smbus);
    smbus.Registers[SmbusReg::SMB0CF].Value = 0x01;  // the stored copy is independent
    EXPECT_EQ(doc->DeviceData.Peripherals.at(4).Registers[SmbusReg::SMB0CF].Value, 0x80);

    // SetPeripheral takes every field, Id included, and creates missing keys.
    PeripheralRecord other;
    other.Id = 99;
    doc->SetPeripheral(other, 20);
    EXPECT_EQ(doc->DeviceData.Peripherals.at(20).Id, 99);
}

TEST(Records, InsertNeverReplaces) {
    CDeviceData data;
    PeripheralRecord a, b;
    a.CHead = "first";
    b.CHead = "second";
    EXPECT_TRUE(data.Insert(3, a));
    EXPECT_FALSE(data.Insert(3, b));
    EXPECT_EQ(data.Peripherals.at(3).CHead, "first");
}

TEST(UiService, ScriptUiAnswersQueuesAndDefaults) {
    ScriptUi ui;
    ui.Answers = {MsgResult::No};
    EXPECT_FALSE(ui.Ask("first?"));
    EXPECT_TRUE(ui.Ask("second?"));  // nothing queued: Yes
    ui.Error("Error: x");
    ASSERT_EQ(ui.Shown.size(), 3u);
    EXPECT_EQ(ui.Shown[0].Icon, MsgIcon::Question);
    EXPECT_EQ(ui.Shown[0].Buttons, MsgButtons::YesNo);
    EXPECT_EQ(ui.Shown[2].Icon, MsgIcon::Exclamation);
    EXPECT_EQ(ui.Shown[2].Answer, MsgResult::Ok);
    EXPECT_TRUE(ui.Shown[2].Caption.empty());

    Ui* previous = SetUi(&ui);
    EXPECT_EQ(&TheUi(), &ui);
    SetUi(previous);
    EXPECT_NE(&TheUi(), &ui);
}

}  // namespace
