// The SPI sheet and its SCK calculator driven by keys alone, as a user
// without a mouse does: Tab goes from control to control (a group of radio
// buttons is one stop, the arrow keys move and choose inside it), Return on
// a focused button presses that button and elsewhere OK, and a calculator
// opens ready to take the target typed over the value shown.

#include <QApplication>
#include <QRadioButton>
#include <QTest>

#include <set>

#include "devices/Registers.h"
#include "pages/common/CClockTargetDlg.h"
#include "pages/serial/CSpi0PropPage.h"
#include "pages/serial/SerialSheets.h"
#include "support/PageTest.h"

namespace {

void Key(int key) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QTest::keyClick(target, static_cast<Qt::Key>(key));
}

// Makes `window` the one the keys go to.
void Activate(QWidget* window) {
    window->activateWindow();
    for (int i = 0; i < 100 && QApplication::activeWindow() != window; ++i) QTest::qWait(10);
    ASSERT_EQ(QApplication::activeWindow(), window);
}

// Presses Tab until control `id` has the focus; false when it never does.
bool TabTo(QWidget* window, int id) {
    for (int i = 0; i < 80; ++i) {
        if (QApplication::focusWidget() == driver::Find(window, id)) return true;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    return false;
}

TEST(Keyboard, DrivesTheSpiSheetAndItsCalculator) {
    ScopedScriptUi ui;
    auto doc = NewProject(0);  // SYSCLK 1.5 MHz
    bool calculated = false;
    ui.Modals.push_back([&](ModalDialog& d) {
        auto& sheet = dynamic_cast<CDeviceDlg&>(d);
        Activate(&sheet);
        // Once round the Tab order: one stop per group of radio buttons.
        std::set<QWidget*> groups;
        QWidget* first = QApplication::focusWidget();
        ASSERT_NE(first, nullptr);
        int radios = 0;
        for (int i = 0; i < 80; ++i) {
            Key(Qt::Key_Tab);
            QWidget* w = QApplication::focusWidget();
            if (w == first) break;
            if (qobject_cast<QRadioButton*>(w)) {
                ++radios;
                EXPECT_TRUE(groups.insert(w->parentWidget()).second) << driver::TextOf(w);
            }
        }
        EXPECT_EQ(radios, 4);  // master/slave, phase, polarity, wire mode

        // Return on "Change SCK" opens the calculator instead of closing the sheet.
        ui.Modals.push_back([&](ModalDialog& c) {
            auto& calc = dynamic_cast<CClockTargetDlg&>(c);
            Activate(&calc);
            EXPECT_EQ(QApplication::focusWidget(), driver::Find(&calc, calcids::kSckTarget));
            QTest::keyClicks(QApplication::focusWidget(), "250000");
            EXPECT_EQ(calc.Text(calcids::kSckTarget), "250000");
            Key(Qt::Key_Return);  // OK, and Yes to the question
            calculated = c.WasAccepted();
        });
        ASSERT_TRUE(TabTo(&sheet, CSpi0PropPage::kChangeSck));
        Key(Qt::Key_Return);
        EXPECT_TRUE(calculated);
        EXPECT_FALSE(d.IsFinished());
        Activate(&sheet);

        // The arrow keys choose within the clock-phase group.
        ASSERT_TRUE(TabTo(&sheet, CSpi0PropPage::kFirstEdge));
        Key(Qt::Key_Down);
        EXPECT_EQ(QApplication::focusWidget(), driver::Find(&sheet, CSpi0PropPage::kSecondEdge));
        EXPECT_TRUE(sheet.ActivePage()->IsChecked(CSpi0PropPage::kSecondEdge));
        EXPECT_FALSE(sheet.ActivePage()->IsChecked(CSpi0PropPage::kFirstEdge));
        Key(Qt::Key_Return);  // OK
        EXPECT_TRUE(d.WasAccepted());
    });
    EXPECT_TRUE(RunSheet(*doc, SpiSheet()));
    const PeripheralRecord& spi = doc->DeviceData.Peripherals.at(Pid::Spi);
    EXPECT_EQ(spi.Registers.at(SpiReg::SPI0CKR).Value, 2);  // 1.5 MHz / (2 x 3) = 250 kHz
    EXPECT_EQ(spi.Registers.at(SpiReg::SPI0CFG).Value & 0x20, 0x20);  // second edge
}

}  // namespace
