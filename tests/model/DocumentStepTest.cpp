#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "devices/Q7R2xDoc.h"
#include "devices/Registers.h"

namespace {

struct Reported {
    std::string caption;
    DocumentState before, after;
};

class Steps : public ::testing::Test {
protected:
    void SetUp() override {
        doc = NewProject(0);
        doc->OnStep = [this](const std::string& c, const DocumentState& b, const DocumentState& a) {
            reported.push_back({c, b, a});
        };
    }
    std::unique_ptr<CQ7R2xDoc> doc;
    std::vector<Reported> reported;
};

TEST_F(Steps, OnlyStepsThatChangeTheDocumentAreReported) {
    {
        DocumentStep step(*doc, "Port I/O");
        step.Confirm();  // confirmed, but nothing changed
    }
    {
        DocumentStep step(*doc, "Oscillators");
        doc->SysclkFrequency = 1;  // changed in place, then put back on Cancel
        doc->SysclkFrequency = 1500000;
    }
    EXPECT_TRUE(reported.empty());

    const DocumentState start = doc->State();
    {
        DocumentStep step(*doc, "Oscillators");
        doc->SysclkFrequency = 24500000;
        doc->DeviceData.Peripherals[14].Registers[OscillatorReg::OSCXCN].Value = 0x83;
        step.Confirm();
    }
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0].caption, "Oscillators");
    EXPECT_TRUE(reported[0].before == start);
    EXPECT_TRUE(reported[0].after == doc->State());

    doc->RestoreState(reported[0].before);
    EXPECT_TRUE(doc->State() == start);
}

TEST_F(Steps, NestedStepsAreOneStepNamedByWhatWasConfirmed) {
    // Outer confirmed: one step under the outer caption.
    {
        DocumentStep outer(*doc, "Voltage Reference");
        {
            DocumentStep nested(*doc, "Port I/O");
            doc->DeviceData.Peripherals[13].Registers[PortIOReg::P0MDIN].Value = 0x7F;
            nested.Confirm();
        }
        doc->DeviceData.Peripherals[10].Registers[VoltageReferenceReg::REF0CN].Value = 0x03;
        outer.Confirm();
    }
    // Outer cancelled after a confirmed nested store: named after the nested sheet.
    {
        DocumentStep outer(*doc, "Voltage Reference");
        { DocumentStep cancelled(*doc, "Interrupts"); }
        {
            DocumentStep nested(*doc, "Port I/O");
            doc->DeviceData.Peripherals[13].Registers[PortIOReg::P1MDIN].Value = 0x7F;
            nested.Confirm();
        }
    }
    ASSERT_EQ(reported.size(), 2u);
    EXPECT_EQ(reported[0].caption, "Voltage Reference");
    EXPECT_EQ(reported[1].caption, "Port I/O");
    EXPECT_TRUE(reported[0].after == reported[1].before);
    EXPECT_EQ(reported[1].after.Data.Peripherals.at(13).Registers[PortIOReg::P1MDIN].Value, 0x7F);
}

}  // namespace
