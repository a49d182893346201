// The Comparators sheet as a user drives it: both pages on one record, the
// lists rebuilt from the records, the slider, Reset, and the nested sheets.

#include <gtest/gtest.h>

#include <QBrush>
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
// Whether a list item is marked as a misconfigured pin, and the status it carries.
bool Marked(QWidget* page, int id, int item) {
    return List(page, id)->itemData(item, Qt::ForegroundRole).isValid();
}
std::string ItemStatus(QWidget* page, int id, int item) {
    return List(page, id)->itemData(item, Qt::ToolTipRole).toString().toStdString();
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
                const std::string cp = "CP" + std::to_string(n);
                EXPECT_EQ(Text(p, Page::kInterruptTextId),
                          "Comparator" + std::to_string(n) + " Interrupt is Disabled");
                EXPECT_EQ(Text(p, n == 0 ? 11283 : 11434), cp + " is Disabled on the Crossbar");
                EXPECT_EQ(Text(p, n == 0 ? 11284 : 11435), cp + "A is Disabled on the Crossbar");
                EXPECT_EQ(Text(p, Page::kPositiveStatusId),
                          "Pin is Digital and Not Skipped: NOT Configured Properly");
                EXPECT_EQ(Text(p, 11110), "");
            }
            QWidget* p0 = s.Page(0);
            QWidget* p1 = s.Page(1);
            using V = std::vector<std::string>;
            if (large) {
                EXPECT_EQ(Items(p0, Page::kPositiveInputId),
                          (V{"P2.0", "P2.5", "P3.4", "P4.3", "P0.3"}));
                EXPECT_EQ(Items(p1, Page::kNegativeInputId),
                          (V{"P2.3", "P3.1", "P4.0", "P4.6", "P1.2"}));
            } else {
                EXPECT_EQ(Items(p0, Page::kNegativeInputId),
                          (V{"P1.1", "P1.5", "P2.1", "P2.5", "P0.1"}));
                EXPECT_EQ(Items(p1, Page::kPositiveInputId),
                          (V{"P1.2", "P1.6", "P2.2", "P2.6", "P0.4"}));
            }
            EXPECT_EQ(Text(p0, Page::kPositiveInputId), large ? "P2.0" : "P1.0");
            EXPECT_EQ(Text(p1, Page::kNegativeInputId), large ? "P2.3" : "P1.3");
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
    const PeripheralRecord r = Stored(Pid::Comparators);
    EXPECT_EQ(r.CPrologue, "    int i = 0;\r\n");
    EXPECT_EQ(r.Registers[ComparatorsReg::CPT0CN].Value, 0x0D);
    EXPECT_EQ(r.Registers[ComparatorsReg::CPT0CN].CPost, "");
    EXPECT_EQ(r.Registers[ComparatorsReg::CPT1CN].AsmPost,
              "    clr  A                     ; Wait 10us for initialization\r\n    djnz ACC, $\r\n"
              "    anl  CPT1CN,    #0CFh\r\n");

    // Reset on the Comparator1 page puts back both comparators and their texts.
    ui_.Answers.push_back(MsgResult::No);
    Then([](CDeviceDlg& s) {
        s.SetActivePage(1);
        s.PressReset();  // declined
        EXPECT_TRUE(Checked(s.Page(1), Page::kEnableId));
        s.PressReset();
        EXPECT_FALSE(Checked(s.Page(1), Page::kEnableId));
        EXPECT_EQ(Text(s.Page(1), Page::kResponseTimeId), "2");
        EXPECT_EQ(Text(s.Page(1), 11110), "");
        s.SetActivePage(0);
        EXPECT_TRUE(Checked(s.Page(0), 11257));
        EXPECT_FALSE(Checked(s.Page(0), Page::kFallingEdgeId));
        s.PressOk();
    });
    EXPECT_TRUE(Run());
    ASSERT_EQ(ui_.Shown.size(), 2u);
    EXPECT_EQ(ui_.Shown[1].Text, "Reset all registers to default for this peripheral?");
    const PeripheralRecord reset = Stored(Pid::Comparators);
    EXPECT_EQ(reset.CPrologue, "");
    EXPECT_EQ(reset.Registers[ComparatorsReg::CPT1CN].CPost, "");
    EXPECT_EQ(doc_->GenerateSource().find("Comparator_Init"), std::string::npos);
}

TEST_F(ComparatorPages, Port4InputOnALargePackageAndMarkedItems) {
    Open(kLargeModel);
    SetPortIO(4, static_cast<std::uint8_t>(~0x40));  // P4MDIN: P4.6 analog
    Then([](CDeviceDlg& s) {
        s.SetActivePage(1);
        QWidget* p1 = s.Page(1);
        // Only P4.6 is analog; port 4 needs no skip, so only it is unmarked.
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(Marked(p1, Page::kNegativeInputId, i), i != 3) << i;
        EXPECT_EQ(ItemStatus(p1, Page::kNegativeInputId, 0),
                  "Pin is Digital and Not Skipped: NOT Configured Properly");
        ASSERT_EQ(driver::SelectText(p1, Page::kNegativeInputId, "P4.6"), "");
        EXPECT_EQ(Text(p1, Page::kNegativeStatusId),
                  "Pin is Analog and Skipped: Configured Properly");
        ASSERT_EQ(driver::SelectIndex(p1, Page::kPositiveInputId, 3), "");  // P4.5, digital
        EXPECT_EQ(Text(p1, Page::kPositiveStatusId),
                  "Pin is Digital and Skipped: NOT Configured Properly");
        EXPECT_EQ(Text(p1, 11110), "    CPT1MX    = 0x33;\n");
        // Another item replaces the field; the other comparator is untouched.
        ASSERT_EQ(driver::SelectIndex(p1, Page::kNegativeInputId, 1), "");
        EXPECT_EQ(Text(p1, 11110), "    CPT1MX    = 0x13;\n");
        s.PressOk();
    });
    EXPECT_TRUE(Run());
    EXPECT_EQ(Stored(Pid::Comparators).Registers[ComparatorsReg::CPT1MX].Value, 0x13);
    EXPECT_EQ(Stored(Pid::Comparators).Registers[ComparatorsReg::CPT0MX].Value, 0x00);
}

TEST_F(ComparatorPages, SmallPackagePinStatusAfterSelectionAndActivation) {
    Open(kSmallModel);
    SetPortIO(1, static_cast<std::uint8_t>(~0x10));  // P1MDIN bit 4 clear
    SetPortIO(11, 0x10);                             // P1SKIP bit 4 set
    Then([](CDeviceDlg& s) {
        QWidget* p0 = s.Page(0);
        EXPECT_TRUE(Marked(p0, Page::kPositiveInputId, 0));
        EXPECT_FALSE(Marked(p0, Page::kPositiveInputId, 1));
        ASSERT_EQ(driver::SelectText(p0, Page::kPositiveInputId, "P1.4"), "");
        EXPECT_EQ(Text(p0, Page::kPositiveStatusId),
                  "Pin is Analog and Skipped: Configured Properly");
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
    EXPECT_EQ(Stored(Pid::Comparators).Registers[ComparatorsReg::CPT0MX].Value, 0x57);
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
        EXPECT_EQ(Text(p0, 11284), "CP0A is Disabled on the Crossbar");
        EXPECT_EQ(Text(p0, Page::kPositiveStatusId),
                  "Pin is Analog and Skipped: Configured Properly");
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
    const PeripheralRecord port = Stored(Pid::PortIO);
    EXPECT_EQ(port.Registers[PortIOReg::XBR0].Value & 0x10, 0x10);
    EXPECT_EQ(port.Registers[PortIOReg::P2SKIP].Value, 0x01);
    EXPECT_EQ(port.Registers[PortIOReg::P2MDIN].Value, 0xFE);
}

TEST_F(ComparatorPages, NestedInterruptsSheetStoresRecord15) {
    Open(kLargeModel);
    Then([](CDeviceDlg& s) {
        s.SetActivePage(1);
        ASSERT_EQ(driver::Click(s.Page(1), Page::kConfigureInterruptsId), "");
        EXPECT_EQ(Text(s.Page(1), Page::kInterruptTextId), "Comparator1 Interrupt is Enabled");
        s.SetActivePage(0);
        EXPECT_EQ(Text(s.Page(0), Page::kInterruptTextId), "Comparator0 Interrupt is Disabled");
        // A cancelled nested sheet leaves the text as it was.
        ASSERT_EQ(driver::Click(s.Page(0), Page::kConfigureInterruptsId), "");
        EXPECT_EQ(Text(s.Page(0), Page::kInterruptTextId), "Comparator0 Interrupt is Disabled");
        s.Finish(false);
    });
    Then([](CDeviceDlg& nested) {
        EXPECT_EQ(nested.windowTitle().toStdString(), "Interrupts");
        ASSERT_EQ(nested.PageCount(), 2);
        ASSERT_EQ(driver::Click(nested.Page(0), 11206), "");  // Enable CP1 Interrupt
        nested.PressOk();
    });
    Then([](CDeviceDlg& nested) {
        ASSERT_EQ(driver::Click(nested.Page(0), 11200), "");
        nested.Finish(false);
    });
    EXPECT_FALSE(Run());
    EXPECT_EQ(Stored(Pid::Interrupts).Registers[InterruptsReg::EIE1].Value, 0x40);
}
