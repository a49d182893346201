// The calculator base: numbered controls, a refused OK keeps the dialog open,
// an accepted one closes it. No to the question and Cancel writing nothing are
// checked on the real calculators (timers_calculators.zvs, the PCA and SPI0
// page tests).

#include <gtest/gtest.h>

#include <QLineEdit>

#include "model/Ui.h"
#include "pages/common/CCalculatorDlg.h"
#include "pages/common/CRegisterAccess.h"
#include "framework/ControlDriver.h"
#include "support/ScopedUi.h"

namespace {

// Wants a number from 1 to 255 and offers it for a register.
class ByteCalc : public CCalculatorDlg {
public:
    explicit ByteCalc(std::uint8_t& target) : CCalculatorDlg("Byte"), target_(target) {
        Builder().Group("Value");
        Builder().Edit(502, "Clock:", "Hz")->setReadOnly(true);
        Builder().Edit(500, "Value:", "units");
        Builder().Label(501, "");
    }
    int edits = 0;

protected:
    void OnInitDialog() override { SetText(500, "7"); }
    void OnEditChange(int) override { ++edits; }
    bool OnOK() override {
        const int v = std::atoi(Text(500).c_str());
        if (v < 1 || v > 255) {
            TheUi().Error("Error: Out of range.");
            return false;
        }
        if (TheUi().Ask("Change it?")) target_ = static_cast<std::uint8_t>(v);
        return true;
    }

private:
    std::uint8_t& target_;
};

class Calculators : public ::testing::Test {
protected:
    ScopedScriptUi ui_;
};

// A field that only shows a value has the platform's read-only look, not
// that of a field to type in, and turns back when it becomes editable.
TEST_F(Calculators, ReadOnlyFieldsLookReadOnly) {
    std::uint8_t target = 0;
    ByteCalc calc(target);
    auto* shown = qobject_cast<QLineEdit*>(calc.Control(502));
    auto* typed = qobject_cast<QLineEdit*>(calc.Control(500));
    const QPalette palette = calc.palette();
    EXPECT_EQ(shown->palette().color(QPalette::Base), palette.color(QPalette::Window));
    EXPECT_EQ(typed->palette().color(QPalette::Base), palette.color(QPalette::Base));
    ASSERT_NE(palette.color(QPalette::Window), palette.color(QPalette::Base));
    typed->setReadOnly(true);
    EXPECT_EQ(typed->palette().color(QPalette::Base), palette.color(QPalette::Window));
    shown->setReadOnly(false);
    EXPECT_EQ(shown->palette().color(QPalette::Base), palette.color(QPalette::Base));
}

TEST_F(Calculators, RefusedOkKeepsTheDialogOpen) {
    std::uint8_t target = 0;
    ByteCalc calc(target);
    ui_.Modals.push_back([&](ModalDialog& d) {
        auto& c = dynamic_cast<ByteCalc&>(d);
        EXPECT_EQ(driver::TextOf(driver::Find(&c, 500)), "7");
        EXPECT_EQ(driver::SetText(&c, 500, "300"), "");
        EXPECT_EQ(driver::Click(&c, 1), "");
        EXPECT_FALSE(d.IsFinished());
        ASSERT_EQ(ui_.Shown.size(), 1u);
        EXPECT_EQ(ui_.Shown[0].Text, "Error: Out of range.");
        EXPECT_EQ(target, 0);
        driver::SetText(&c, 500, "42");
        driver::Click(&c, 1);
        EXPECT_TRUE(d.IsFinished());
    });
    EXPECT_TRUE(calc.Run());
    EXPECT_EQ(target, 42);
    EXPECT_EQ(calc.edits, 3);  // the initial text counts as a change too
}

}  // namespace
