// The Comparators sheet as a user drives it. The start-up lines, input items,
// pin states and texts themselves: ComparatorTest.

#include <QComboBox>
#include <QSlider>

#include "devices/Registers.h"
#include "pages/analog/CComparatorPropPage.h"
#include "pages/analog/ComparatorSheets.h"
#include "support/PageTest.h"

namespace {

using Page = CComparatorPropPage;
using namespace testing_pages;

QComboBox* List(QWidget* page, int id) { return qobject_cast<QComboBox*>(driver::Find(page, id)); }
std::vector<std::string> Items(QWidget* page, int id) {
    std::vector<std::string> out;
    for (int i = 0; List(page, id) && i < List(page, id)->count(); ++i)
        out.push_back(List(page, id)->itemText(i).toStdString());
    return out;
}
// Whether a list item is marked as a misconfigured pin.
bool Marked(QWidget* page, int id, int item) {
    return List(page, id)->itemData(item, Qt::ForegroundRole).isValid();
}

class ComparatorPages : public SheetTest {
protected:
    void Open(int model) { doc_ = NewProject(model); }
    bool Run() { return RunSheet(*doc_, ComparatorsSheet()); }
    void SetPortIO(int position, std::uint8_t value) {
        PeripheralRecord r = Stored(Pid::PortIO);
        r.Registers.at(static_cast<std::size_t>(position)).Value = value;
        doc_->SetPeripheral(r, Pid::PortIO);
    }
};

}  // namespace

TEST_F(ComparatorPages, NewProjectShowsBothComparatorsAtTheirDefaults) {
    for (int model : {kLargeModel, kSmallModel}) {
        Open(model);
        const bool large = model == kLargeModel;
        Then([large](CDeviceDlg& s) {
            EXPECT_EQ(s.windowTitle().toStdString(), "Comparator");
            ASSERT_EQ(s.PageCount(), 2);
            for (int n = 0; n < 2; ++n) {
                s.SetActivePage(n);
                QWidget* p = s.ActivePage();
                EXPECT_FALSE(Checked(p, Page::kEnableId));
                EXPECT_TRUE(Checked(p, 11257));
                EXPECT_TRUE(Checked(p, 11261));
                EXPECT_EQ(Text(p, Page::kResponseTimeId), "2");
                EXPECT_EQ(Text(p, Page::kInterruptTextId),
                          "Comparator" + std::to_string(n) + " Interrupt is Disabled");
                EXPECT_EQ(Text(p, n == 0 ? 11284 : 11435),
                          "CP" + std::to_string(n) + "A is Disabled on the Crossbar");
                EXPECT_EQ(Text(p, 11110), "");
            }
            using V = std::vector<std::string>;
            EXPECT_EQ(Items(s.Page(1), Page::kNegativeInputId),
                      (large ? V{"P2.3", "P3.1", "P4.0", "P4.6", "P1.2"}
                             : V{"P1.3", "P1.7", "P2.3", "P2.7", "P0.5"}));
            EXPECT_EQ(Text(s.Page(0), Page::kPositiveInputId), large ? "P2.0" : "P1.0");
            s.PressOk();
        });
        EXPECT_TRUE(Run());
        EXPECT_EQ(doc_->GenerateSource().find("Comparator_Init"), std::string::npos);
    }
}

TEST_F(ComparatorPages, EnableBitsHysteresisEdgesAndTheSharedLoopCounter) {
    Open(kLargeModel);
    Then([](CDeviceDlg& s) {
        QWidget* p0 = s.Page(0);
        // Enabled, positive 20 mV, negative 5 mV, falling edge.
        Click(p0, {Page::kEnableId, 11260, 11262, Page::kFallingEdgeId});
        EXPECT_FALSE(Checked(p0, 11257));
        s.SetActivePage(1);
        Click(s.Page(1), {Page::kEnableId, Page::kRisingEdgeId});
        // Switching Comparator0 off keeps the counter that Comparator1 needs.
        s.SetActivePage(0);
        EXPECT_TRUE(Checked(p0, Page::kEnableId));
        ASSERT_EQ(driver::Click(p0, Page::kEnableId), "");
        EXPECT_EQ(Text(p0, 11110),
                  "    CPT0CN    = 0x0D;\n    CPT0MD    = 0x12;\n    CPT1CN    = 0x80;\n"
                  "    for (i = 0; i < 35; i++);  // Wait 10us for initialization\n"
                  "    CPT1CN    &= ~0x30;\n    CPT1MD    = 0x22;\n");
        s.PressOk();
    });
    EXPECT_TRUE(Run());
    EXPECT_EQ(Stored(Pid::Comparators).Registers[ComparatorsReg::CPT0CN].Value, 0x0D);

    // Reset on the Comparator1 page puts back both comparators and their texts.
    ui_.Answers.push_back(MsgResult::No);
    Then([](CDeviceDlg& s) {
        s.SetActivePage(1);
        s.PressReset();  // declined
        EXPECT_TRUE(Checked(s.Page(1), Page::kEnableId));
        s.PressReset();
        EXPECT_FALSE(Checked(s.Page(1), Page::kEnableId));
        s.SetActivePage(0);
        EXPECT_FALSE(Checked(s.Page(0), Page::kFallingEdgeId));
        s.PressOk();
    });
    EXPECT_TRUE(Run());
    ASSERT_EQ(ui_.Shown.size(), 2u);
    EXPECT_EQ(doc_->GenerateSource().find("Comparator_Init"), std::string::npos);
}

// Port 4 pins, which have no skip bits: ComparatorPins.Port4AndTheSmallPackage.
TEST_F(ComparatorPages, SmallPackagePinStatusAfterSelectionAndActivation) {
    Open(kSmallModel);
    SetPortIO(1, static_cast<std::uint8_t>(~0x10));  // P1MDIN bit 4 clear
    SetPortIO(11, 0x10);                             // P1SKIP bit 4 set
    Then([](CDeviceDlg& s) {
        QWidget* p0 = s.Page(0);
        EXPECT_TRUE(Marked(p0, Page::kPositiveInputId, 0));
        EXPECT_FALSE(Marked(p0, Page::kPositiveInputId, 1));
        ASSERT_EQ(driver::SelectText(p0, Page::kPositiveInputId, "P1.4"), "");
        s.SetActivePage(1);
        s.SetActivePage(0);
        EXPECT_EQ(Text(p0, Page::kPositiveInputId), "P1.4");
        EXPECT_EQ(Items(p0, Page::kPositiveInputId).size(), 5u);  // rebuilt, not appended
        EXPECT_EQ(Text(p0, Page::kPositiveStatusId),
                  "Pin is Analog and Skipped: Configured Properly");
        s.PressOk();
    });
    EXPECT_TRUE(Run());
    EXPECT_EQ(Stored(Pid::Comparators).Registers[ComparatorsReg::CPT0MX].Value, 0x01);
    EXPECT_EQ(Stored(Pid::Comparators).Registers[ComparatorsReg::CPT1MX].Value, 0x00);
}

TEST_F(ComparatorPages, MultiplexerValueWithoutAnItemSelectsNothing) {
    Open(kLargeModel);
    PeripheralRecord r = Stored(Pid::Comparators);
    r.Registers[ComparatorsReg::CPT0MX].Value = 0x57;  // CPT0MX: negative 5, positive 7
    doc_->SetPeripheral(r, Pid::Comparators);
    Then([](CDeviceDlg& s) {
        QWidget* p0 = s.Page(0);
        EXPECT_EQ(List(p0, Page::kPositiveInputId)->currentIndex(), -1);
        EXPECT_EQ(List(p0, Page::kNegativeInputId)->currentIndex(), -1);
        EXPECT_EQ(Text(p0, Page::kPositiveStatusId), "");
        ASSERT_EQ(driver::SelectIndex(p0, Page::kPositiveInputId, 2), "");
        EXPECT_EQ(Text(p0, 11110), "    CPT0MX    = 0x52;\n");
        s.Finish(false);
    });
    EXPECT_FALSE(Run());
}

TEST_F(ComparatorPages, ResponseTimeIsWrittenWhenAMoveEnds) {
    Open(kLargeModel);
    Then([](CDeviceDlg& s) {
        QWidget* p0 = s.Page(0);
        auto* slider = qobject_cast<QSlider*>(driver::Find(p0, Page::kResponseTimeId));
        slider->setSliderDown(true);
        slider->setSliderPosition(0);
        EXPECT_EQ(Text(p0, 11110), "");  // still dragging
        slider->setSliderPosition(1);
        slider->setSliderDown(false);
        EXPECT_EQ(Text(p0, 11110), "    CPT0MD    = 0x01;\n");
        // A keyboard step is a move that ends at once.
        slider->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        slider->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        EXPECT_EQ(Text(p0, 11110), "    CPT0MD    = 0x03;\n");
        ASSERT_EQ(driver::Click(p0, Page::kRisingEdgeId), "");
        s.SetActivePage(1);
        ASSERT_EQ(driver::Slide(s.Page(1), Page::kResponseTimeId, 0), "");
        s.SetActivePage(0);
        EXPECT_EQ(Text(p0, Page::kResponseTimeId), "3");
        s.PressOk();
    });
    EXPECT_TRUE(Run());
    const PeripheralRecord r = Stored(Pid::Comparators);
    EXPECT_EQ(r.Registers[ComparatorsReg::CPT0MD].Value, 0x23);
    EXPECT_EQ(r.Registers[ComparatorsReg::CPT1MD].Value, 0x00);
}

TEST_F(ComparatorPages, NestedPortIOSheetIsStoredAtOnceAndUpdatesTheTexts) {
    Open(kLargeModel);
    Then([](CDeviceDlg& s) {
        QWidget* p0 = s.Page(0);
        EXPECT_TRUE(Marked(p0, Page::kPositiveInputId, 0));
        ASSERT_EQ(driver::Click(p0, Page::kConfigurePortIOId), "");
        EXPECT_EQ(Text(p0, 11283), "CP0 is Enabled on the Crossbar");
        EXPECT_FALSE(Marked(p0, Page::kPositiveInputId, 0));
        EXPECT_TRUE(Marked(p0, Page::kPositiveInputId, 1));
        // The Comparator1 page reads the same copy at its next activation.
        s.SetActivePage(1);
        EXPECT_EQ(Text(s.Page(1), 11434), "CP1 is Disabled on the Crossbar");
        s.Finish(false);
    });
    Then([](CDeviceDlg& nested) {
        EXPECT_EQ(nested.windowTitle().toStdString(), "Port I/O");
        QWidget* x = nested.Page(0);
        Click(x, {11449, 11464 + 16, 11496 + 16});  // CP0, skip P2.0, P2.0 analog
        nested.PressOk();
    });
    EXPECT_FALSE(Run());
    EXPECT_EQ(StoredValue(Pid::PortIO, PortIOReg::XBR0) & 0x10, 0x10);
}

TEST_F(ComparatorPages, NestedInterruptsSheetStoresRecord15) {
    Open(kLargeModel);
    Then([](CDeviceDlg& s) {
        s.SetActivePage(1);
        ASSERT_EQ(driver::Click(s.Page(1), Page::kConfigureInterruptsId), "");
        EXPECT_EQ(Text(s.Page(1), Page::kInterruptTextId), "Comparator1 Interrupt is Enabled");
        s.SetActivePage(0);
        EXPECT_EQ(Text(s.Page(0), Page::kInterruptTextId), "Comparator0 Interrupt is Disabled");
        s.Finish(false);
    });
    Then([](CDeviceDlg& nested) {
        EXPECT_EQ(nested.windowTitle().toStdString(), "Interrupts");
        ASSERT_EQ(driver::Click(nested.Page(0), 11206), "");  // Enable CP1 Interrupt
        nested.PressOk();
    });
    EXPECT_FALSE(Run());
    EXPECT_EQ(Stored(Pid::Interrupts).Registers[InterruptsReg::EIE1].Value, 0x40);
}
