// The calculator base. A refused OK keeping the dialog open, No to the
// question and Cancel writing nothing: the real calculators (the ADC0, SPI0
// and PCA page tests, timers_calculators.zvs).

#include <gtest/gtest.h>

#include <QLineEdit>

#include "pages/common/CCalculatorDlg.h"

namespace {

// One field that only shows a value and one to type in.
class ByteCalc : public CCalculatorDlg {
public:
    ByteCalc() : CCalculatorDlg("Byte") {
        Builder().Group("Value");
        Builder().Edit(502, "Clock:", "Hz")->setReadOnly(true);
        Builder().Edit(500, "Value:", "units");
    }
};

// A field that only shows a value has the platform's read-only look, not
// that of a field to type in, and turns back when it becomes editable.
TEST(Calculators, ReadOnlyFieldsLookReadOnly) {
    ByteCalc calc;
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

}  // namespace
