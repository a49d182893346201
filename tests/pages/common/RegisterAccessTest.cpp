#include <gtest/gtest.h>

#include "pages/common/CRegisterAccess.h"
#include "support/ScopedUi.h"

namespace {

class RegisterAccess : public ::testing::Test {
protected:
    void SetUp() override {
        record_.Registers.resize(3);
        record_.Registers[0].Name = "SMB0CF";
        record_.Registers[1].Name = "ABCDEFGHIJK";
        record_.Registers[2].Name = "IT01CF";
        record_.Registers[2].Value = record_.Registers[2].ResetValue = 0x01;
        access_.SetRecord(&record_);
    }

    ScopedScriptUi ui_;
    PeripheralRecord record_;
    CRegisterAccess access_;
};

TEST_F(RegisterAccess, BitAndFieldOperations) {
    access_.SetBits(1, 0, 0x81);
    EXPECT_EQ(record_.Registers[0].Value, 0x81);
    access_.SetBits(0, 0, 0x01);
    EXPECT_EQ(record_.Registers[0].Value, 0x80);
    EXPECT_TRUE(access_.TestBits(0, 0xC0));
    EXPECT_FALSE(access_.TestBits(0, 0x40));
    access_.SetField(0, 0x70, 0x50);
    EXPECT_EQ(record_.Registers[0].Value, 0xD0);
    EXPECT_EQ(access_.FieldHex(0, 0x70, 4), "05");
    access_.SetField(0, 0xFF, 0xAB);
    EXPECT_EQ(access_.FieldHex(0, 0xFF, 0), "AB");
    EXPECT_EQ(access_.FieldHex(0, 0x0F, 0), "0B");
}

TEST_F(RegisterAccess, PreviewHoldsOnlyTheWrittenCLines) {
    EXPECT_EQ(access_.PreviewText(), "");
    record_.Registers[2].ForceWrite = 1;  // at its reset value but forced
    record_.Registers[2].CPre = "    // before\r\n";
    record_.Registers[1].Value = 3;
    record_.Registers[1].OrWrite = 1;
    record_.CPrologue = "    int i = 0;\r\n";
    EXPECT_EQ(access_.PreviewText(),
              "    ABCDEFGHIJK|= 0x03;\r\n    // before\r\n    IT01CF    = 0x01;\r\n");
    // Setting the changed bits back drops the entry again.
    access_.SetBits(0, 1, 0x03);
    record_.Registers[2].ForceWrite = 0;
    EXPECT_EQ(access_.PreviewText(), "");
}

TEST_F(RegisterAccess, ParseHex) {
    // Lower case counts for nothing, only the first `width` characters are
    // read, and a bad character keeps its place.
    const struct {
        const char* text;
        int width;
        std::uint32_t value;
    } cases[] = {{"1F", 4, 31},       {"  1F\t", 2, 31},       {"a0", 2, 0},
                 {"A0", 2, 160},      {"", 4, 0},              {"FFFF", 4, 65535},
                 {"1234", 2, 0x12},   {"G1", 2, 1},            {"FF", 0, 0},
                 {"FFFFFFFF", 8, 0xFFFFFFFF}, {"1FFFFFFFF", 9, 0xFFFFFFFF}};
    for (const auto& c : cases)
        EXPECT_EQ(CRegisterAccess::ParseHex(c.text, c.width), c.value) << c.text;
}

TEST_F(RegisterAccess, ValidateHex) {
    std::string t = "12G";
    EXPECT_EQ(CRegisterAccess::ValidateHex(t, 4), 0);
    EXPECT_EQ(t, "12");
    ASSERT_EQ(ui_.Shown.size(), 1u);
    EXPECT_EQ(ui_.Shown[0].Text, "Error: Invalid HEX Character.");
    EXPECT_EQ(ui_.Shown[0].Icon, MsgIcon::Exclamation);

    t = "12345";
    EXPECT_EQ(CRegisterAccess::ValidateHex(t, 4), 0);
    EXPECT_EQ(t, "1234");
    EXPECT_EQ(ui_.Shown.back().Text, "Error: Exceeded Size For Initial Value.");

    ui_.Shown.clear();
    t = "";
    EXPECT_EQ(CRegisterAccess::ValidateHex(t, 2), 1);
    t = " 0A ";
    EXPECT_EQ(CRegisterAccess::ValidateHex(t, 2), 1);
    EXPECT_EQ(t, "0A");
    EXPECT_TRUE(ui_.Shown.empty());

    // Lower case is refused: the last character is taken back each time.
    t = "ab";
    EXPECT_EQ(CRegisterAccess::ValidateHex(t, 4), 0);
    EXPECT_EQ(t, "a");
    EXPECT_EQ(ui_.Shown.size(), 1u);
}

}  // namespace
