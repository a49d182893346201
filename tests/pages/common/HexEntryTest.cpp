// The hex entry binding shared by every page with register edits.

#include <gtest/gtest.h>

#include <QLineEdit>

#include "pages/common/CPropPage.h"
#include "support/ScopedUi.h"

namespace {

// A page with two hex edits over registers 0 and 1 that counts the
// notifications it gets after each store.
class HexPage : public CPropPage {
public:
    HexPage() : CPropPage("Hex") {
        PageBuilder b = Builder();
        b.Hex(500, "Low:", 0);
        b.Hex(501, "High:", 1);
        b.Preview();
    }
    void OnHexChanged(int id) override { changed.push_back(id); }
    std::vector<int> changed;
};

class HexEntryTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterEntry tl0, th0;
        tl0.Name = "TL0";
        th0.Name = "TH0";
        th0.Value = 0x3C;
        rec_.Registers = {tl0, th0};
        page_.SetRecord(&rec_);
    }
    void Type(int id, const std::string& text) {
        static_cast<QLineEdit*>(page_.Control(id))->setText(QString::fromLatin1(text.c_str()));
    }

    ScopedScriptUi ui_;
    PeripheralRecord rec_;
    HexPage page_;
};

TEST_F(HexEntryTest, StoresTypedValueAndNotifiesThePage) {
    Type(500, "A5");
    EXPECT_EQ(rec_.Registers[0].Value, 0xA5);
    EXPECT_EQ(rec_.Registers[1].Value, 0x3C);
    ASSERT_FALSE(page_.changed.empty());
    EXPECT_EQ(page_.changed.back(), 500);
    EXPECT_TRUE(ui_.Shown.empty());
    // A single digit is the low nibble; an emptied edit stores 0.
    Type(500, "7");
    EXPECT_EQ(rec_.Registers[0].Value, 0x07);
    Type(500, "");
    EXPECT_EQ(rec_.Registers[0].Value, 0x00);
}

// The messages of a bad character and of a third digit, and what stays in the
// edit: RegisterAccess.ValidateHex, and typed into real pages in
// timers_timer0.zvs and the ADC0 page test. Refresh in upper-case hex: every
// page test that reads an edit (the ADC0 page's "1F", UART1's "D9").

}  // namespace
